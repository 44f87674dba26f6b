// The menu form's SNTP command: confirmation, one request, a reply taken while the notice box is open, the clock set.
// The socket, the boxes, the clock setter and the monotonic clock are the caller's, so the whole exchange runs
// the same against the real ones and against fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "base/message_service.h"
#include "base/platform_numbers.h"
#include "sntp.h"

namespace tkt {

// One UDP socket talking to one server.
class SntpSocket {
 public:
  virtual ~SntpSocket() = default;
  virtual void Close() = 0;  // nothing happens when it is not open
  // Resolves the host and binds the local port; false on any failure.
  virtual bool Open(const std::string& host, uint16_t remotePort, uint16_t localPort) = 0;
  virtual bool Send(std::span<const uint8_t> datagram) = 0;
};

enum class ClockSetResult { kSet, kNoPrivilege, kFailed };
using ClockSetter = std::function<ClockSetResult(const UtcDateTime&)>;
using MonotonicMicros = std::function<int64_t()>;

struct SntpServer {
  std::string host;
  uint16_t remotePort = 123;
  uint16_t localPort = 1024;
};

class SntpCommand {
 public:
  SntpCommand(SntpSocket& socket, MessageService& boxes, ClockSetter setClock, MonotonicMicros now, SntpServer server);

  void mnusntp_Click();
  // fromServer: the datagram came from the server's address and port.
  void wscSock_DataArrival(std::span<const uint8_t> datagram, bool fromServer);
  void wscSock_Error();
  void Close();  // the menu form unloads

  bool Running() const { return running_; }

 private:
  bool SendSntpRequest();
  void SetClockFromReply();

  struct Reply {
    SntpTime transmit;
    int64_t arrivalMicros;  // monotonic
  };

  SntpSocket& socket_;
  MessageService& boxes_;
  ClockSetter setClock_;
  MonotonicMicros now_;
  SntpServer server_;
  bool open_ = false;
  bool running_ = false;
  std::optional<Reply> ReceivedUtcTime;
};

}  // namespace tkt
