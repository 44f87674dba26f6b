// The SNTP reply decoder and checks on arbitrary datagrams, and the whole exchange with the datagram arriving
// while the notice box is open. A time that comes out lies in the era window the decoder promises and is a
// valid calendar date; the clock is set only from an accepted reply from the server.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "fuzz_check.h"
#include "menu_texts.h"
#include "sntp.h"
#include "sntp_exchange.h"

using namespace tkt;

namespace {

constexpr int64_t kNtpToUnix = 2208988800;
constexpr int64_t kFirstUnix = (int64_t{1} << 31) - kNtpToUnix;                     // 1968-01-20 03:14:08
constexpr int64_t kLastUnix = (int64_t{1} << 31) + (int64_t{1} << 32) - 1 - kNtpToUnix;  // 2104-02-26 09:42:23

uint32_t BigEndian(std::span<const uint8_t> d, size_t at) {
  return uint32_t{d[at]} << 24 | uint32_t{d[at + 1]} << 16 | uint32_t{d[at + 2]} << 8 | d[at + 3];
}

int64_t DaysFromCivil(int64_t y, int m, int d) {  // the inverse of the decoder's calendar
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

void CheckCalendar(const UtcDateTime& t, int64_t micros) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  FUZZ_CHECK(t.month >= 1 && t.month <= 12);
  FUZZ_CHECK(t.day >= 1 && t.day <= kDays[t.month - 1] + (t.month == 2 && IsLeap(t.year)));
  FUZZ_CHECK(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60);
  FUZZ_CHECK(t.millisecond >= 0 && t.millisecond < 1000 && t.dayOfWeek >= 0 && t.dayOfWeek < 7);
  const int64_t days = DaysFromCivil(t.year, t.month, t.day);
  const int64_t millis = ((days * 24 + t.hour) * 60 + t.minute) * 60'000 + t.second * 1000 + t.millisecond;
  const int64_t wantMillis = micros >= 0 ? micros / 1000 : -((-micros + 999) / 1000);
  FUZZ_CHECK(millis == wantMillis);
  FUZZ_CHECK(((days % 7) + 11) % 7 == t.dayOfWeek);
}

class Socket : public SntpSocket {
 public:
  void Close() override {}
  bool Open(const std::string&, uint16_t, uint16_t) override { return true; }
  bool Send(std::span<const uint8_t> d) override { return d.size() == kSntpPacketSize; }
};

// Answers yes, and delivers the datagram while the notice box is open.
class Boxes : public MessageService {
 public:
  std::span<const uint8_t> datagram;
  bool fromServer = true;
  SntpCommand* command = nullptr;
  int64_t* clock = nullptr;
  int64_t wait = 0;
  bool noReplyShown = false;
  int Show(const std::wstring& text, const std::wstring&, unsigned) override {
    if (text == kSntpConfirmText) return kIdYes;
    if (text == kSntpWaitText) {
      command->wscSock_DataArrival(datagram, fromServer);
      *clock += wait;  // the user reads the box for a while
    }
    if (text == kSntpNoReplyText) noReplyShown = true;
    return kIdOk;
  }
};

std::optional<UtcDateTime> RunExchange(std::span<const uint8_t> datagram, bool fromServer, int64_t waitMicros,
                                       bool& noReplyShown) {
  Socket socket;
  Boxes boxes;
  int64_t clock = 1'000'000;
  std::optional<UtcDateTime> set;
  SntpCommand command(
      socket, boxes,
      [&](const UtcDateTime& t) {
        set = t;
        return ClockSetResult::kSet;
      },
      [&] { return clock; }, SntpServer{"time.example", 123, 1024});
  boxes.datagram = datagram, boxes.fromServer = fromServer, boxes.command = &command;
  boxes.clock = &clock, boxes.wait = waitMicros;
  command.mnusntp_Click();
  noReplyShown = boxes.noReplyShown;
  return set;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> d(data, size);
  const std::optional<SntpTime> time = DecodeSntpTransmitTime(d);
  if (size < kSntpPacketSize) FUZZ_CHECK(!time);
  if (time) {
    const uint32_t seconds = BigEndian(d, 40), fraction = BigEndian(d, 44);
    FUZZ_CHECK(seconds != 0 || fraction != 0);
    FUZZ_CHECK(time->fraction == fraction);
    FUZZ_CHECK(time->unixSeconds >= kFirstUnix && time->unixSeconds <= kLastUnix);
    FUZZ_CHECK(uint32_t(time->unixSeconds + kNtpToUnix) == seconds);
    const UtcDateTime t = UtcFromUnixMicros(ToUnixMicros(*time));
    FUZZ_CHECK(t.year >= 1968 && t.year <= 2104);
    CheckCalendar(t, ToUnixMicros(*time));
  } else if (size >= kSntpPacketSize) {
    FUZZ_CHECK(BigEndian(d, 40) == 0 && BigEndian(d, 44) == 0);
  }

  const SntpReplyCheck check = CheckSntpReply(d);
  const bool usable = size >= kSntpPacketSize && (data[0] & 7) == 4 && data[1] >= 1 && data[1] <= 15 &&
                      (data[0] >> 6) != 3 && time.has_value();
  FUZZ_CHECK((check == SntpReplyCheck::kAccepted) == usable);

  // Through the exchange: only an accepted reply from the server sets the clock, to its time plus the wait.
  const int64_t wait = size > 0 ? int64_t(data[size - 1]) * 7'000'000 : 0;
  bool noReply = false;
  const auto set = RunExchange(d, true, wait, noReply);
  FUZZ_CHECK(set.has_value() == usable && noReply == !usable);
  if (set) {
    const int64_t micros = ToUnixMicros(*time) + wait;
    FUZZ_CHECK(*set == UtcFromUnixMicros(micros));
    CheckCalendar(*set, micros);
  }
  const auto stranger = RunExchange(d, false, wait, noReply);
  FUZZ_CHECK(!stranger && noReply);
  return 0;
}
