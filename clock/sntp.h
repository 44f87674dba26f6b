// SNTP datagrams: the client request, the server's transmit time and the checks a reply must pass.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tkt {

inline constexpr size_t kSntpPacketSize = 48;

// 0x0B (leap 0, version 1, mode 3 = client) followed by 47 zero bytes.
std::array<uint8_t, kSntpPacketSize> BuildSntpRequest();

// An instant as Unix time: whole seconds (negative before 1970) and a binary fraction of a second.
struct SntpTime {
  int64_t unixSeconds = 0;
  uint32_t fraction = 0;  // units of 2^-32 s
  bool operator==(const SntpTime&) const = default;
};

// Microseconds since 1970-01-01 00:00:00 UTC, the fraction truncated.
int64_t ToUnixMicros(const SntpTime& t);

// The server's transmit timestamp (bytes 40 to 47). Seconds with the top bit clear belong to the era that
// starts 2036-02-07 06:28:16 UTC, so the result spans 1968-01-20 to 2104-02-26. A datagram shorter than a
// whole packet, or an all-zero timestamp ("not set"), carries no time.
std::optional<SntpTime> DecodeSntpTransmitTime(std::span<const uint8_t> datagram);

enum class SntpReplyCheck {
  kAccepted,
  kTooShort,
  kNotServerMode,    // mode field is not 4
  kBadStratum,       // 0 (kiss-o'-death) or 16 and above
  kUnsynchronised,   // leap indicator 3: the server's own clock is not set
  kNoTransmitTime,
};

// The fields a client must check before trusting a reply (the sender is checked by the socket's owner).
SntpReplyCheck CheckSntpReply(std::span<const uint8_t> datagram);

// A civil UTC date and time; dayOfWeek 0 = Sunday, as SYSTEMTIME has it.
struct UtcDateTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0, dayOfWeek = 4;
  bool operator==(const UtcDateTime&) const = default;
};

// Floors to the millisecond; proleptic Gregorian calendar.
UtcDateTime UtcFromUnixMicros(int64_t micros);

}  // namespace tkt
