#include "faceformat/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "faceformat/bmp.h"
#include "faceformat/region.h"
#include "faceformat/settings.h"

namespace fs = std::filesystem;

namespace faceformat {
namespace {

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("ff_files_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetAtomicWriteFaultForTesting({});
    fs::permissions(dir_ / "tkt.ini", fs::perms::owner_write, fs::perm_options::add, ec_);
    fs::remove_all(dir_, ec_);
  }
  std::string Slurp(const fs::path& p) {
    auto r = ReadWholeFile(p);
    EXPECT_TRUE(r.ok()) << r.error().what;
    return r.ok() ? *r : std::string();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  std::error_code ec_;
};

TEST_F(AtomicWrite, AFailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporary) {
  const fs::path p = dir_ / "tkt.ini";
  for (const char* step : {"create", "write", "flush", "replace"}) {
    ASSERT_TRUE(WriteFileAtomic(p, "old face").ok());
    std::vector<std::string> seen;
    SetAtomicWriteFaultForTesting([&](std::string_view s) {
      seen.emplace_back(s);
      return s != step;
    });
    auto r = WriteFileAtomic(p, "new face that must not appear");
    SetAtomicWriteFaultForTesting({});
    EXPECT_FALSE(r.ok()) << step;
    EXPECT_EQ(seen.back(), step);
    EXPECT_EQ(Slurp(p), "old face") << step;
    EXPECT_EQ(Names(), std::vector<std::string>{"tkt.ini"}) << step;

    // Without an old file a failure leaves nothing at all.
    fs::remove(p);
    SetAtomicWriteFaultForTesting([&](std::string_view s) { return s != step; });
    EXPECT_FALSE(WriteFileAtomic(p, "x").ok());
    SetAtomicWriteFaultForTesting({});
    EXPECT_TRUE(Names().empty()) << step;
  }
}

TEST_F(AtomicWrite, EveryFileWriterGoesThroughIt) {
  const fs::path ini = dir_ / "tkt.ini", rgp = dir_ / "a.rgp", bmp = dir_ / "a.bmp";
  ASSERT_TRUE(WriteSettingsFile(ini, KaichuTemplate("C:\\CLOCK")).ok());
  ASSERT_TRUE(WriteRegionFile(rgp, {{1, 2, 3}}).ok());
  ASSERT_TRUE(WriteBmpFile(bmp, Image(2, 2, 0)).ok());
  SetAtomicWriteFaultForTesting([](std::string_view s) { return s != "replace"; });
  EXPECT_FALSE(WriteSettingsFile(ini, ClockSettings{}).ok());
  EXPECT_FALSE(WriteRegionFile(rgp, {}).ok());
  EXPECT_FALSE(WriteBmpFile(bmp, Image(1, 1)).ok());
  SetAtomicWriteFaultForTesting({});
  EXPECT_EQ(*ReadSettingsFile(ini), KaichuTemplate("C:\\CLOCK"));
  EXPECT_EQ(*ReadRegionFile(rgp), (std::vector<RegionRun>{{1, 2, 3}}));
  EXPECT_EQ(*ReadBmpFile(bmp), Image(2, 2, 0));
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "a.rgp", "tkt.ini"}));
}

TEST_F(AtomicWrite, RefusesReadOnlyFilesAndMissingFolders) {
  const fs::path p = dir_ / "tkt.ini";
  ASSERT_TRUE(WriteFileAtomic(p, "kept").ok());
  fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(WriteFileAtomic(p, "lost").ok());
  EXPECT_EQ(Slurp(p), "kept");
  EXPECT_FALSE(WriteFileAtomic(dir_ / "missing" / "tkt.ini", "x").ok());
  EXPECT_FALSE(WriteSettingsFile(dir_ / "missing" / "tkt.ini", KaichuTemplate("C:")).ok());
  EXPECT_EQ(Names(), std::vector<std::string>{"tkt.ini"});
}

// Each reader refuses a file beyond its format's limit unread, with its normal error.
TEST_F(AtomicWrite, ReadersRefuseFilesBeyondTheirLimit) {
  const fs::path ini = dir_ / "tkt.ini", rgp = dir_ / "a.rgp", bmp = dir_ / "a.bmp";
  std::string line = FormatSettings(KaichuTemplate("C:\\CLOCK"));
  line.resize(kMaxSettingsFileBytes, ' ');
  ASSERT_TRUE(WriteFileAtomic(ini, line).ok());
  EXPECT_EQ(*ReadSettingsFile(ini), KaichuTemplate("C:\\CLOCK"));
  ASSERT_TRUE(WriteFileAtomic(ini, line + " ").ok());
  EXPECT_EQ(ReadSettingsFile(ini).error().where, 0);

  ASSERT_TRUE(WriteRegionFile(rgp, {{1, 2, 3}}).ok());
  ASSERT_TRUE(WriteBmpFile(bmp, Image(2, 2, 0)).ok());
  fs::resize_file(rgp, kMaxRegionFileBytes + 1);  // sparse: nothing is written
  fs::resize_file(bmp, kMaxBmpFileBytes + 1);
  EXPECT_EQ(ReadRegionFile(rgp).error().what, "file too large");
  EXPECT_EQ(ReadBmpFile(bmp).error().what, "file too large");
}

}  // namespace
}  // namespace faceformat
