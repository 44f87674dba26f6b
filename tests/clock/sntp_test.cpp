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

UtcDateTime Utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
  UtcDateTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s, t.millisecond = ms;
  return t;
}

// Compares the civil fields; the weekday has its own test.
void ExpectUtc(const std::vector<uint8_t>& datagram, const UtcDateTime& expected) {
  const auto time = DecodeSntpTransmitTime(datagram);
  ASSERT_TRUE(time.has_value());
  UtcDateTime got = UtcFromUnixMicros(ToUnixMicros(*time));
  got.dayOfWeek = expected.dayOfWeek;
  EXPECT_EQ(got, expected) << got.year << "-" << got.month << "-" << got.day << " " << got.hour << ":" << got.minute
                           << ":" << got.second << "." << got.millisecond;
}

TEST(SntpRequest, IsFortyEightBytesOfClientModeVersionOne) {
  const auto request = BuildSntpRequest();
  ASSERT_EQ(request.size(), 48u);
  EXPECT_EQ(request[0], 0x0B);
  for (size_t i = 1; i < request.size(); ++i) EXPECT_EQ(request[i], 0) << "byte " << i;
}

TEST(SntpTransmitTime, WorkedValues) {
  ExpectUtc(Reply(0xC0FF86F0), Utc(2002, 8, 10, 12, 34, 56));
  EXPECT_EQ(DecodeSntpTransmitTime(Reply(0xC0FF86F0))->unixSeconds, 1028982896);
  ExpectUtc(Reply(0x83AA7E80), Utc(1970, 1, 1, 0, 0, 0));
  EXPECT_EQ(DecodeSntpTransmitTime(Reply(0x83AA7E80))->unixSeconds, 0);
}

TEST(SntpTransmitTime, TopBitSetStaysInTheFirstEraWithoutOverflow) {
  ExpectUtc(Reply(0xFFFFFFFF), Utc(2036, 2, 7, 6, 28, 15));
  ExpectUtc(Reply(0x80000000), Utc(1968, 1, 20, 3, 14, 8));
  EXPECT_EQ(DecodeSntpTransmitTime(Reply(0x80000000))->unixSeconds, 2147483648LL - 2208988800LL);
}

TEST(SntpTransmitTime, TopBitClearIsTheEraFrom2036) {
  ExpectUtc(Reply(0x00000000, 1), Utc(2036, 2, 7, 6, 28, 16));
  ExpectUtc(Reply(0x00000001), Utc(2036, 2, 7, 6, 28, 17));
  // One second past the last second a signed 32-bit Unix time holds.
  ExpectUtc(Reply(0x03AA7E80), Utc(2038, 1, 19, 3, 14, 8));
  ExpectUtc(Reply(0x7FFFFFFF), Utc(2104, 2, 26, 9, 42, 23));
}

TEST(SntpTransmitTime, FractionOnlyAddsPartsOfASecond) {
  ExpectUtc(Reply(0xC0FF86F0, 0x80000000), Utc(2002, 8, 10, 12, 34, 56, 500));
  ExpectUtc(Reply(0xC0FF86F0, 0xFFFFFFFF), Utc(2002, 8, 10, 12, 34, 56, 999));
  const auto quarter = DecodeSntpTransmitTime(Reply(0xC0FF86F0, 0x40000000));
  ASSERT_TRUE(quarter);
  EXPECT_EQ(ToUnixMicros(*quarter), 1028982896LL * 1000000 + 250000);
}

TEST(SntpTransmitTime, LongerRepliesReadTheSameAndOtherFieldsDoNotMatter) {
  auto longer = Reply(0xC0FF86F0, 0, 68);
  for (size_t i = 48; i < longer.size(); ++i) longer[i] = 0xEE;
  ExpectUtc(longer, Utc(2002, 8, 10, 12, 34, 56));
  auto noisy = Reply(0xC0FF86F0);
  for (size_t i = 0; i < 40; ++i) noisy[i] = 0xA5;
  ExpectUtc(noisy, Utc(2002, 8, 10, 12, 34, 56));
}

TEST(SntpTransmitTime, ShortOrZeroRepliesCarryNoTime) {
  EXPECT_FALSE(DecodeSntpTransmitTime(Reply(0xC0FF86F0, 0, 47)));
  EXPECT_FALSE(DecodeSntpTransmitTime(Reply(0xC0FF86F0, 0, 44)));  // the seconds are there, the fraction is not
  EXPECT_FALSE(DecodeSntpTransmitTime({}));
  EXPECT_FALSE(DecodeSntpTransmitTime(Reply(0, 0)));
}

TEST(SntpReplyCheck, AcceptsServerRepliesOfAnySynchronisedStratum) {
  EXPECT_EQ(CheckSntpReply(Reply(0xC0FF86F0)), SntpReplyCheck::kAccepted);
  auto reply = Reply(0xC0FF86F0);
  reply[1] = 1;
  EXPECT_EQ(CheckSntpReply(reply), SntpReplyCheck::kAccepted);
  reply[1] = 15;
  EXPECT_EQ(CheckSntpReply(reply), SntpReplyCheck::kAccepted);
  reply[0] = 0x64;  // leap 1 (a leap second is announced), version 4, mode 4
  EXPECT_EQ(CheckSntpReply(reply), SntpReplyCheck::kAccepted);
  reply[0] = 0xA4;  // leap 2
  EXPECT_EQ(CheckSntpReply(reply), SntpReplyCheck::kAccepted);
}

TEST(SntpReplyCheck, RejectsWhatIsNotAUsableServerReply) {
  EXPECT_EQ(CheckSntpReply(Reply(0xC0FF86F0, 0, 47)), SntpReplyCheck::kTooShort);

  auto ourOwnRequest = Reply(0xC0FF86F0);
  ourOwnRequest[0] = 0x0B;  // mode 3: a client, for example our request echoed back
  EXPECT_EQ(CheckSntpReply(ourOwnRequest), SntpReplyCheck::kNotServerMode);
  auto broadcast = Reply(0xC0FF86F0);
  broadcast[0] = 0x0D;
  EXPECT_EQ(CheckSntpReply(broadcast), SntpReplyCheck::kNotServerMode);

  auto kissOfDeath = Reply(0xC0FF86F0);
  kissOfDeath[1] = 0;
  EXPECT_EQ(CheckSntpReply(kissOfDeath), SntpReplyCheck::kBadStratum);
  auto unsynchronisedStratum = Reply(0xC0FF86F0);
  unsynchronisedStratum[1] = 16;
  EXPECT_EQ(CheckSntpReply(unsynchronisedStratum), SntpReplyCheck::kBadStratum);

  auto alarm = Reply(0xC0FF86F0);
  alarm[0] = 0xCC;  // leap 3
  EXPECT_EQ(CheckSntpReply(alarm), SntpReplyCheck::kUnsynchronised);

  EXPECT_EQ(CheckSntpReply(Reply(0, 0)), SntpReplyCheck::kNoTransmitTime);
}

TEST(UtcFromUnixMicros, CalendarEdges) {
  EXPECT_EQ(UtcFromUnixMicros(951782400LL * 1000000).day, 29);  // 2000-02-29: a leap century
  const UtcDateTime march2100 = UtcFromUnixMicros(4107542400LL * 1000000);
  EXPECT_EQ(march2100.month, 3);  // 2100 has no 29 February
  EXPECT_EQ(march2100.day, 1);
  const UtcDateTime beforeEpoch = UtcFromUnixMicros(-1);
  EXPECT_EQ(beforeEpoch, (UtcDateTime{1969, 12, 31, 23, 59, 59, 999, 3}));
}

TEST(UtcFromUnixMicros, WeekdayCountsFromSunday) {
  EXPECT_EQ(UtcFromUnixMicros(0).dayOfWeek, 4);                         // Thursday
  EXPECT_EQ(UtcFromUnixMicros(1028982896LL * 1000000).dayOfWeek, 6);    // 2002-08-10, Saturday
  EXPECT_EQ(UtcFromUnixMicros(2085978496LL * 1000000).dayOfWeek, 4);    // 2036-02-07, Thursday
  EXPECT_EQ(UtcFromUnixMicros(-86400LL * 1000000).dayOfWeek, 3);        // Wednesday before the epoch
}

}  // namespace
}  // namespace tkt
