// Fakes of the menu form's Windows-side tests: a stand-in clock window and a loopback SNTP server.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form2.h"
#include "menu_fakes.h"

namespace tkt::testing {

// Runs the thread's messages until the condition holds, the deadline passes or the thread is asked to quit.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // Left for the caller, as a message loop would stop on it.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done();
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

// A plain hidden window standing for the clock window; records what the menu form asks of it. A call the
// test has not listed in `expected`, in that order, fails the test.
class FakeClock : public ClockWindowLink {
 public:
  FakeClock() {
    window_ = CreateWindowExW(0, L"STATIC", L"clock", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  ~FakeClock() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND ClockWindow() const { return window_; }
  void SetTzLabel(const std::wstring& caption) override { tzLabel = caption; }
  bool SaveWindowPos(const std::wstring& app) override {
    Record(L"save " + app);
    return true;
  }
  void RestoreWindowPos(const std::wstring& app) override { Record(L"restore " + app); }
  void UnloadClockWindow() override {
    Record(L"unload clock");
    DestroyWindow(window_);
  }

  std::wstring tzLabel;
  std::vector<std::wstring> expected, calls;

 private:
  void Record(const std::wstring& call) {
    calls.push_back(call);
    if (calls.size() > expected.size() || expected[calls.size() - 1] != call)
      ADD_FAILURE() << "unexpected call " << ::testing::PrintToString(call);
  }
  HWND window_ = nullptr;
};

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockSession() { WSACleanup(); }
};

// A UDP socket on 127.0.0.1 that plays the time server.
class LoopbackUdp {
 public:
  LoopbackUdp() {
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socket_, reinterpret_cast<sockaddr*>(&any), sizeof any);
  }
  ~LoopbackUdp() { closesocket(socket_); }
  LoopbackUdp(const LoopbackUdp&) = delete;
  LoopbackUdp& operator=(const LoopbackUdp&) = delete;

  uint16_t Port() const {
    sockaddr_in local{};
    int length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    return ntohs(local.sin_port);
  }

  struct Datagram {
    std::vector<uint8_t> bytes;
    sockaddr_in from;
  };
  // Waits up to `limit` for one datagram.
  std::optional<Datagram> Receive(std::chrono::milliseconds limit) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait{static_cast<long>(limit.count() / 1000), static_cast<long>(limit.count() % 1000 * 1000)};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) return std::nullopt;
    Datagram d{std::vector<uint8_t>(2048), {}};
    int length = sizeof d.from;
    const int got = recvfrom(socket_, reinterpret_cast<char*>(d.bytes.data()), static_cast<int>(d.bytes.size()), 0,
                             reinterpret_cast<sockaddr*>(&d.from), &length);
    if (got < 0) return std::nullopt;
    d.bytes.resize(static_cast<size_t>(got));
    return d;
  }
  void SendTo(const sockaddr_in& to, const std::vector<uint8_t>& bytes) {
    sendto(socket_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
           reinterpret_cast<const sockaddr*>(&to), sizeof to);
  }

 private:
  SOCKET socket_;
};

// A port nobody holds right now.
inline uint16_t FreeUdpPort() {
  LoopbackUdp probe;
  return probe.Port();
}

}  // namespace tkt::testing
