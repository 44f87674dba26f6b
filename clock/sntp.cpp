#include "sntp.h"

namespace tkt {
namespace {

constexpr int64_t kNtpToUnix = 2208988800;       // 1900-01-01 to 1970-01-01
constexpr int64_t kEraLength = int64_t{1} << 32;  // seconds in one NTP era

uint32_t ReadBigEndian32(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 |
         uint32_t{bytes[at + 3]};
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::array<uint8_t, kSntpPacketSize> BuildSntpRequest() {
  std::array<uint8_t, kSntpPacketSize> request{};
  request[0] = 0x0B;
  return request;
}

int64_t ToUnixMicros(const SntpTime& t) {
  return t.unixSeconds * 1'000'000 + static_cast<int64_t>((uint64_t{t.fraction} * 1'000'000) >> 32);
}

std::optional<SntpTime> DecodeSntpTransmitTime(std::span<const uint8_t> datagram) {
  if (datagram.size() < kSntpPacketSize) return std::nullopt;
  const uint32_t seconds = ReadBigEndian32(datagram, 40);
  const uint32_t fraction = ReadBigEndian32(datagram, 44);
  if (seconds == 0 && fraction == 0) return std::nullopt;
  int64_t ntpSeconds = seconds;
  if ((seconds & 0x80000000u) == 0) ntpSeconds += kEraLength;
  return SntpTime{ntpSeconds - kNtpToUnix, fraction};
}

SntpReplyCheck CheckSntpReply(std::span<const uint8_t> datagram) {
  if (datagram.size() < kSntpPacketSize) return SntpReplyCheck::kTooShort;
  const int leap = datagram[0] >> 6;
  const int mode = datagram[0] & 7;
  const int stratum = datagram[1];
  if (mode != 4) return SntpReplyCheck::kNotServerMode;
  if (stratum < 1 || stratum > 15) return SntpReplyCheck::kBadStratum;
  if (leap == 3) return SntpReplyCheck::kUnsynchronised;
  if (!DecodeSntpTransmitTime(datagram)) return SntpReplyCheck::kNoTransmitTime;
  return SntpReplyCheck::kAccepted;
}

UtcDateTime UtcFromUnixMicros(int64_t micros) {
  const int64_t millis = FloorDiv(micros, 1000);
  const int64_t days = FloorDiv(millis, 86'400'000);
  const int64_t msOfDay = millis - days * 86'400'000;
  UtcDateTime t;
  t.hour = static_cast<int>(msOfDay / 3'600'000);
  t.minute = static_cast<int>(msOfDay / 60'000 % 60);
  t.second = static_cast<int>(msOfDay / 1000 % 60);
  t.millisecond = static_cast<int>(msOfDay % 1000);
  t.dayOfWeek = static_cast<int>((days % 7 + 11) % 7);  // 1970-01-01 was a Thursday

  // Days to civil date (H. Hinnant's algorithm): eras of 400 years starting on 1 March.
  const int64_t z = days + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  return t;
}

}  // namespace tkt
