#include "sntp_socket_win.h"

#include <vector>

namespace tkt {

WinsockSntpSocket::WinsockSntpSocket(HWND window, UINT message) : window_(window), message_(message) {
  WSADATA data;
  started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSntpSocket::~WinsockSntpSocket() {
  Close();
  if (started_) WSACleanup();
}

void WinsockSntpSocket::Close() {
  if (socket_ == INVALID_SOCKET) return;
  closesocket(socket_);  // also cancels its WSAAsyncSelect
  socket_ = INVALID_SOCKET;
}

bool WinsockSntpSocket::Open(const std::string& host, uint16_t remotePort, uint16_t localPort) {
  Close();
  if (!started_) return false;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_protocol = IPPROTO_UDP;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  server_ = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  server_.sin_port = htons(remotePort);
  freeaddrinfo(found);

  socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (socket_ == INVALID_SOCKET) return false;
  // A port another program holds must fail here rather than be shared with it.
  BOOL exclusive = TRUE;
  setsockopt(socket_, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(localPort);
  if (bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      WSAAsyncSelect(socket_, window_, message_, FD_READ) != 0) {
    Close();
    return false;
  }
  return true;
}

bool WinsockSntpSocket::Send(std::span<const uint8_t> datagram) {
  if (socket_ == INVALID_SOCKET) return false;
  const int sent = sendto(socket_, reinterpret_cast<const char*>(datagram.data()), static_cast<int>(datagram.size()), 0,
                          reinterpret_cast<const sockaddr*>(&server_), sizeof server_);
  return sent == static_cast<int>(datagram.size());
}

void WinsockSntpSocket::OnSocketMessage(WPARAM wParam, LPARAM lParam, SntpCommand& command) {
  if (socket_ == INVALID_SOCKET || static_cast<SOCKET>(wParam) != socket_) return;
  if (WSAGETSELECTERROR(lParam) != 0) {
    command.wscSock_Error();
    return;
  }
  if (WSAGETSELECTEVENT(lParam) != FD_READ) return;
  std::vector<uint8_t> buffer(2048);
  // The command may close the socket from inside the loop once it has its reply.
  while (socket_ != INVALID_SOCKET) {
    sockaddr_in from{};
    int fromLength = sizeof from;
    const int got = recvfrom(socket_, reinterpret_cast<char*>(buffer.data()), static_cast<int>(buffer.size()), 0,
                             reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got == SOCKET_ERROR) {
      const int error = WSAGetLastError();
      // An oversized datagram is no reply of ours; ICMP "port unreachable" shows up as a reset. Neither ends the wait.
      if (error == WSAEMSGSIZE || error == WSAECONNRESET) continue;
      if (error != WSAEWOULDBLOCK) command.wscSock_Error();
      return;
    }
    const bool fromServer = fromLength >= static_cast<int>(sizeof from) && from.sin_family == AF_INET &&
                            from.sin_addr.s_addr == server_.sin_addr.s_addr && from.sin_port == server_.sin_port;
    command.wscSock_DataArrival(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(got)), fromServer);
  }
}

uint16_t WinsockSntpSocket::LocalPort() const {
  if (socket_ == INVALID_SOCKET) return 0;
  sockaddr_in local{};
  int length = sizeof local;
  if (getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0) return 0;
  return ntohs(local.sin_port);
}

}  // namespace tkt
