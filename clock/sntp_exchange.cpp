#include "sntp_exchange.h"

#include <utility>

#include "menu_texts.h"

namespace tkt {

SntpCommand::SntpCommand(SntpSocket& socket, MessageService& boxes, ClockSetter setClock, MonotonicMicros now,
                         SntpServer server)
    : socket_(socket), boxes_(boxes), setClock_(std::move(setClock)), now_(std::move(now)), server_(std::move(server)) {}

void SntpCommand::mnusntp_Click() {
  // The boxes below are modal, so a second click could only come from inside one of them.
  if (running_) return;
  running_ = true;
  if (boxes_.Show(kSntpConfirmText, kSntpConfirmTitle, kMbYesNo | kMbIconExclamation | kMbDefButton2) == kIdYes) {
    if (SendSntpRequest()) {
      SetClockFromReply();
    } else {
      boxes_.Show(kSntpSendFailedText, kApplicationTitle, kMbOk);
    }
  }
  running_ = false;
}

bool SntpCommand::SendSntpRequest() {
  const auto request = BuildSntpRequest();
  ReceivedUtcTime.reset();
  socket_.Close();
  open_ = false;
  if (!socket_.Open(server_.host, server_.remotePort, server_.localPort)) {
    socket_.Close();
    return false;
  }
  open_ = true;
  if (!socket_.Send(request)) {
    Close();
    return false;
  }
  return true;
}

void SntpCommand::SetClockFromReply() {
  boxes_.Show(kSntpWaitText, kApplicationTitle, kMbOk);
  // A reply that comes later can no longer be used: the next request would discard it anyway.
  Close();
  if (!ReceivedUtcTime) {
    boxes_.Show(kSntpNoReplyText, kApplicationTitle, kMbOk);
    return;
  }
  // The box may have stayed open for minutes: carry the server's time forward by what has passed since it came.
  const int64_t elapsed = now_() - ReceivedUtcTime->arrivalMicros;
  const UtcDateTime when = UtcFromUnixMicros(ToUnixMicros(ReceivedUtcTime->transmit) + elapsed);
  switch (setClock_(when)) {
    case ClockSetResult::kSet:
      boxes_.Show(kSntpSetText, kApplicationTitle, kMbOk);
      break;
    case ClockSetResult::kNoPrivilege:
      boxes_.Show(kSntpNoPrivilegeText, kApplicationTitle, kMbOk | kMbIconExclamation);
      break;
    case ClockSetResult::kFailed:
      boxes_.Show(kSntpSetFailedText, kApplicationTitle, kMbOk | kMbIconExclamation);
      break;
  }
}

void SntpCommand::wscSock_DataArrival(std::span<const uint8_t> datagram, bool fromServer) {
  if (!open_) return;
  // Anything else reaching the port must not set the computer's clock; keep waiting for the server.
  if (!fromServer || CheckSntpReply(datagram) != SntpReplyCheck::kAccepted) return;
  ReceivedUtcTime = Reply{*DecodeSntpTransmitTime(datagram), now_()};
  Close();
}

void SntpCommand::wscSock_Error() { Close(); }

void SntpCommand::Close() {
  if (open_) socket_.Close();
  open_ = false;
}

}  // namespace tkt
