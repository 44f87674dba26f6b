// When the clock reads its files again: after a change that has settled, once, and not again for stamps
// it has already handled (read or refused).
#include "clock/settings_watch.h"

#include <gtest/gtest.h>

namespace tkt {
namespace {

constexpr uint64_t kSecond = 10'000'000;
const FileStamp kShown{true, 100 * kSecond, 500};

FileStamps Files(FileStamp settings) { return {settings, {true, 50 * kSecond, 9000}, {true, 50 * kSecond, 700}}; }

TEST(SettingsWatch, NothingChangedNothingRead) {
  SettingsWatch watch(Files(kShown));
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(watch.Look(Files(kShown), (200 + i) * kSecond));
}

TEST(SettingsWatch, ASettledChangeIsReadOnceAtTheNextLook) {
  SettingsWatch watch(Files(kShown));
  const FileStamp changed{true, 300 * kSecond, 510};
  ASSERT_TRUE(watch.Look(Files(changed), 301 * kSecond));
  watch.Handled(Files(changed));
  EXPECT_FALSE(watch.Look(Files(changed), 302 * kSecond));
}

// An editor saving twice, or a program still writing: read once the stamps stand still.
TEST(SettingsWatch, AFreshWriteWaitsUntilItStandsStill) {
  SettingsWatch watch(Files(kShown));
  const FileStamp first{true, 300 * kSecond, 200}, second{true, 300 * kSecond + 900'000, 510};
  EXPECT_FALSE(watch.Look(Files(first), 300 * kSecond + 100'000));
  EXPECT_TRUE(watch.Pending());
  EXPECT_FALSE(watch.Look(Files(second), 300 * kSecond + 1'000'000));
  ASSERT_TRUE(watch.Look(Files(second), 301 * kSecond + 1'000'000));
  watch.Handled(Files(second));
  EXPECT_FALSE(watch.Pending());
  EXPECT_FALSE(watch.Look(Files(second), 302 * kSecond));
}

// A broken file, or one deleted: refused once, looked at again only when it changes or comes back.
TEST(SettingsWatch, ARefusedChangeWaitsForTheNextChange) {
  SettingsWatch watch(Files(kShown));
  const FileStamp gone{};
  ASSERT_TRUE(watch.Look(Files(gone), 400 * kSecond));
  watch.Handled(Files(gone));
  EXPECT_TRUE(watch.Pending()) << "a missing file is looked for on every tick";
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(watch.Look(Files(gone), (400 + i) * kSecond));
  const FileStamp back{true, 410 * kSecond, 500};
  EXPECT_TRUE(watch.Look(Files(back), 411 * kSecond));
}

// Most clocks have no options file: its absence alone does not make the clock look every second.
TEST(SettingsWatch, AMissingOptionalFileIsLeftToTheFolderNotice) {
  FileStamps shown = Files(kShown);
  shown.push_back({});
  SettingsWatch watch(shown, 3);
  EXPECT_FALSE(watch.Pending());
  watch.Handled(shown, 4);
  EXPECT_TRUE(watch.Pending());
  FileStamps added = shown;
  added[3] = {true, 600 * kSecond, 40};
  EXPECT_TRUE(watch.Look(added, 601 * kSecond)) << "once it comes, it is read like the others";
}

TEST(SettingsWatch, APictureChangeCountsLikeASettingsChange) {
  SettingsWatch watch(Files(kShown));
  FileStamps now = Files(kShown);
  now[2] = {true, 500 * kSecond, 800};
  EXPECT_TRUE(watch.Look(now, 501 * kSecond));
}

}  // namespace
}  // namespace tkt
