// The options file beside a settings file: every bad value falls back to its own default, the rest stands.
#include "faceformat/clock_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace faceformat {
namespace {

TEST(ClockOptions, AFullFileReadsAndWritesBackTheSame) {
  const std::string text =
      "[Clock]\r\nTimeZone=GMT Standard Time\r\nName=\xE3\x83\xAD\xE3\x83\xB3\xE3\x83\x89\xE3\x83\xB3\r\n"
      "Chime=Hour\r\nQuietFrom=22:30\r\nQuietTo=06:00\r\nOpacity=65\r\nFadeOnHover=1\r\n";
  const ClockOptions o = ParseClockOptions(text);
  EXPECT_EQ(o.timeZone, "GMT Standard Time");
  EXPECT_EQ(o.name, "\xE3\x83\xAD\xE3\x83\xB3\xE3\x83\x89\xE3\x83\xB3");  // ロンドン
  EXPECT_EQ(o.chime, ChimeHours::Hour);
  ASSERT_TRUE(o.quiet);
  EXPECT_EQ(*o.quiet, (QuietHours{22 * 60 + 30, 6 * 60}));
  EXPECT_EQ(o.opacity, 65);
  EXPECT_TRUE(o.fadeOnHover);
  EXPECT_EQ(FormatClockOptions(o), text);
}

// One bad value each; only that key falls back.
TEST(ClockOptions, EachBadValueFallsBackToItsDefault) {
  const char* const kBad[] = {
      "Opacity=29", "Opacity=101", "Opacity=6O", "Opacity=-50", "Opacity=1000000000000",
      "FadeOnHover=yes", "Chime=Always",
      "Name=\xE6\x9D\xB1\xE4\xBA\xAC\x93\x8C",  // UTF-8 then a byte of the ANSI code page
      "Name=\xC0\xAF",                          // an overlong '/'
      "Name=\xED\xA0\x80",                      // a lone surrogate
      "TimeZone=..\\..\\Run",                   // not a key name
      "QuietFrom=24:00\r\nQuietTo=06:00", "QuietFrom=7\r\nQuietTo=06:00", "QuietFrom=07:5\r\nQuietTo=06:00",
      "QuietFrom=22:00",                        // a span needs both ends
      "QuietFrom=06:00\r\nQuietTo=06:00",       // and some length
  };
  for (const char* bad : kBad) {
    const ClockOptions o = ParseClockOptions(std::string("[Clock]\r\nChime=Off\r\n") + bad + "\r\n");
    ClockOptions want;
    want.chime = ChimeHours::Off;
    EXPECT_EQ(o, want) << bad;
  }
}

TEST(ClockOptions, SectionsKeysAndLinesAsAnIniReaderWouldTakeThem) {
  const ClockOptions o = ParseClockOptions(
      "\xEF\xBB\xBF; written by hand\n[Other]\nOpacity=40\n[ clock ]\n  opacity = 50 \nOpacity=90\nColour=red\n"
      "fadeonhover=1");
  EXPECT_EQ(o.opacity, 50);  // the first in the section; other sections and unknown keys are ignored
  EXPECT_TRUE(o.fadeOnHover);
  EXPECT_TRUE(ParseClockOptions("Opacity=50").IsDefault()) << "outside the section";
}

class OptionsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("ff_options_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_, ec_); }
  fs::path dir_;
  std::error_code ec_;
};

TEST_F(OptionsFile, DefaultsRemoveTheFileAndAMissingFileIsTheDefaults) {
  const fs::path ini = dir_ / "tkt.ini";
  ClockOptions o;
  o.opacity = 70;
  ASSERT_TRUE(WriteClockOptions(ini, o));
  EXPECT_TRUE(fs::exists(dir_ / "tkt-options.ini"));
  EXPECT_EQ(*ReadClockOptions(ini), o);
  ASSERT_TRUE(WriteClockOptions(ini, ClockOptions{}));
  EXPECT_FALSE(fs::exists(dir_ / "tkt-options.ini"));
  ASSERT_TRUE(ReadClockOptions(ini));
  EXPECT_TRUE(ReadClockOptions(ini)->IsDefault());
  EXPECT_TRUE(WriteClockOptions(ini, ClockOptions{})) << "nothing to remove is fine";
}

TEST_F(OptionsFile, AFileFarLargerThanAnyRealOneIsNotRead) {
  std::ofstream(dir_ / "big-options.ini") << "[Clock]\r\nOpacity=50\r\n" << std::string(kMaxOptionsBytes, ';');
  EXPECT_FALSE(ReadClockOptions(dir_ / "big.ini"));
}

}  // namespace
}  // namespace faceformat
