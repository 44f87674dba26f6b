// The menu form's UDP socket: Winsock 2 with its events posted to a window, so datagrams arrive on the
// user-interface thread, also while a message box is open.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <span>

#include "sntp_exchange.h"

namespace tkt {

class WinsockSntpSocket : public SntpSocket {
 public:
  // Events come to `window` as `message`; the window hands them to OnSocketMessage.
  WinsockSntpSocket(HWND window, UINT message);
  ~WinsockSntpSocket() override;
  WinsockSntpSocket(const WinsockSntpSocket&) = delete;
  WinsockSntpSocket& operator=(const WinsockSntpSocket&) = delete;

  void Close() override;
  bool Open(const std::string& host, uint16_t remotePort, uint16_t localPort) override;
  bool Send(std::span<const uint8_t> datagram) override;

  // Reads every datagram waiting and passes each to command.wscSock_DataArrival; reports errors to
  // command.wscSock_Error. Events of a socket closed meanwhile are dropped.
  void OnSocketMessage(WPARAM wParam, LPARAM lParam, SntpCommand& command);

  // The port the socket is bound to (useful when it was asked for port 0), or 0 when closed.
  uint16_t LocalPort() const;

 private:
  HWND window_;
  UINT message_;
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  sockaddr_in server_{};
};

}  // namespace tkt
