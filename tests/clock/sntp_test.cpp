#include "sntp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tkt {
namespace {

// A well-formed server reply (leap 0, version 1, mode 4, stratum 2) with the given transmit timestamp.
std::vector<uint8_t> Reply(uint32_t seconds, uint32_t fraction = 0, size_t size = kSntpPacketSize) {
  std::vector<uint8_t> bytes(std::max(size, kSntpPacketSize), 0);
  bytes[0] = 0x0C;
  bytes[1] = 2;
  for (int i = 0; i < 4; ++i) {
    bytes[40 + i] = static_cast<uint8_t>(seconds >> (24 - 8 * i));
    bytes[44 + i] = static_cast<uint8_t>(fraction >> (24 - 8 * i));
  }
  bytes.resize(size);
  return bytes;
}

TEST(SntpRequest, IsFortyEightBytesOfClientModeVersionOne) {
  std::vector<uint8_t> expected(48, 0);
  expected[0] = 0x0B;
  const auto request = BuildSntpRequest();
  EXPECT_EQ(std::vector<uint8_t>(request.begin(), request.end()), expected);
}

TEST(SntpTransmitTime, WorkedValuesAcrossBothEras) {
  const struct {
    uint32_t seconds, fraction;
    UtcDateTime utc;  // the weekday counts from Sunday
  } cases[] = {
      {0xC0FF86F0, 0, {2002, 8, 10, 12, 34, 56, 0, 6}},
      {0xC0FF86F0, 0x80000000, {2002, 8, 10, 12, 34, 56, 500, 6}},
      {0xC0FF86F0, 0xFFFFFFFF, {2002, 8, 10, 12, 34, 56, 999, 6}},
      {0x83AA7E80, 0, {1970, 1, 1, 0, 0, 0, 0, 4}},
      // Top bit set: the era up to 2036, without overflow.
      {0xFFFFFFFF, 0, {2036, 2, 7, 6, 28, 15, 0, 4}},
      {0x80000000, 0, {1968, 1, 20, 3, 14, 8, 0, 6}},
      // Top bit clear: the era from 2036.
      {0x00000000, 1, {2036, 2, 7, 6, 28, 16, 0, 4}},
      {0x03AA7E80, 0, {2038, 1, 19, 3, 14, 8, 0, 2}},  // one second past a signed 32-bit Unix time
      {0x7FFFFFFF, 0, {2104, 2, 26, 9, 42, 23, 0, 2}},
  };
  for (const auto& c : cases) {
    const auto time = DecodeSntpTransmitTime(Reply(c.seconds, c.fraction));
    ASSERT_TRUE(time.has_value()) << std::hex << c.seconds;
    EXPECT_EQ(UtcFromUnixMicros(ToUnixMicros(*time)), c.utc) << std::hex << c.seconds;
  }
  EXPECT_EQ(ToUnixMicros(*DecodeSntpTransmitTime(Reply(0xC0FF86F0, 0x40000000))), 1028982896LL * 1000000 + 250000);
}

TEST(SntpTransmitTime, OnlyTheTimestampMattersAndShortOrZeroRepliesCarryNoTime) {
  auto noisy = Reply(0xC0FF86F0, 0, 68);
  for (size_t i = 0; i < noisy.size(); ++i)
    if (i < 40 || i >= 48) noisy[i] = 0xA5;
  EXPECT_EQ(DecodeSntpTransmitTime(noisy)->unixSeconds, 1028982896);
  EXPECT_FALSE(DecodeSntpTransmitTime(Reply(0xC0FF86F0, 0, 47)));
  EXPECT_FALSE(DecodeSntpTransmitTime(Reply(0xC0FF86F0, 0, 44)));  // the seconds are there, the fraction is not
  EXPECT_FALSE(DecodeSntpTransmitTime({}));
  EXPECT_FALSE(DecodeSntpTransmitTime(Reply(0, 0)));
}

TEST(SntpReplyCheck, AcceptsSynchronisedServerRepliesOnly) {
  const struct {
    uint8_t first, stratum;
    SntpReplyCheck check;
  } cases[] = {
      {0x0C, 2, SntpReplyCheck::kAccepted},         {0x0C, 1, SntpReplyCheck::kAccepted},
      {0x0C, 15, SntpReplyCheck::kAccepted},        {0x64, 2, SntpReplyCheck::kAccepted},  // leap 1, version 4
      {0xA4, 2, SntpReplyCheck::kAccepted},         {0x0B, 2, SntpReplyCheck::kNotServerMode},  // our request echoed
      {0x0D, 2, SntpReplyCheck::kNotServerMode},    {0x0C, 0, SntpReplyCheck::kBadStratum},     // kiss of death
      {0x0C, 16, SntpReplyCheck::kBadStratum},      {0xCC, 2, SntpReplyCheck::kUnsynchronised},  // leap 3
  };
  for (const auto& c : cases) {
    auto reply = Reply(0xC0FF86F0);
    reply[0] = c.first, reply[1] = c.stratum;
    EXPECT_EQ(CheckSntpReply(reply), c.check) << int(c.first) << " " << int(c.stratum);
  }
  EXPECT_EQ(CheckSntpReply(Reply(0xC0FF86F0, 0, 47)), SntpReplyCheck::kTooShort);
  EXPECT_EQ(CheckSntpReply(Reply(0, 0)), SntpReplyCheck::kNoTransmitTime);
}

TEST(UtcFromUnixMicros, CalendarEdges) {
  EXPECT_EQ(UtcFromUnixMicros(951782400LL * 1000000).day, 29);  // 2000-02-29: a leap century
  const UtcDateTime march2100 = UtcFromUnixMicros(4107542400LL * 1000000);
  EXPECT_EQ(march2100.month, 3);  // 2100 has no 29 February
  EXPECT_EQ(march2100.day, 1);
  EXPECT_EQ(UtcFromUnixMicros(-1), (UtcDateTime{1969, 12, 31, 23, 59, 59, 999, 3}));
}

}  // namespace
}  // namespace tkt
