// The all-or-nothing write on Windows: ReplaceFileW / MoveFileExW and ANSI (code page 932) names.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "faceformat/files.h"
#include "faceformat/settings.h"

namespace fs = std::filesystem;

namespace faceformat {
namespace {

class WinAtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / (L"ff_win_" + std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetAtomicWriteFaultForTesting({});
    for (auto& e : fs::directory_iterator(dir_)) SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Slurp(const fs::path& p) {
    auto r = ReadWholeFile(p);
    EXPECT_TRUE(r.ok()) << r.error().what;
    return r.ok() ? *r : std::string();
  }
  size_t Count() {
    size_t n = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir_)) ++n;
    return n;
  }
  fs::path dir_;
};

TEST_F(WinAtomicWrite, ReadOnlyTargetFailsAndKeepsItsContent) {
  const fs::path p = dir_ / L"tkt.ini";
  ASSERT_TRUE(WriteFileAtomic(p, "kept").ok());
  ASSERT_TRUE(SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteFileAtomic(p, "lost").ok());
  EXPECT_EQ(Slurp(p), "kept");
  EXPECT_EQ(Count(), 1u);
}

TEST_F(WinAtomicWrite, InjectedFailuresKeepTheOldFile) {
  const fs::path p = dir_ / L"tkt.ini";
  for (const char* step : {"create", "write", "flush", "replace"}) {
    ASSERT_TRUE(WriteFileAtomic(p, "old").ok());
    SetAtomicWriteFaultForTesting([&](std::string_view s) { return s != step; });
    EXPECT_FALSE(WriteFileAtomic(p, "new").ok()) << step;
    SetAtomicWriteFaultForTesting({});
    EXPECT_EQ(Slurp(p), "old") << step;
    EXPECT_EQ(Count(), 1u) << step;
  }
}

TEST_F(WinAtomicWrite, JapaneseNamesAndAnsiContent) {
  ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8";
  const fs::path folder = dir_ / L"\u6642\u8A08";  // 時計
  fs::create_directories(folder);
  const fs::path p = folder / L"\u8868\u793A.ini";  // 表示.ini: 表 ends in byte 0x5C in code page 932
  // The file's text names the same folder in code page 932 bytes.
  char ansi[MAX_PATH * 2] = {};
  ASSERT_GT(WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr), 0);
  ClockSettings s = KaichuTemplate(ansi);
  ASSERT_TRUE(WriteSettingsFile(p, s).ok());
  ASSERT_TRUE(WriteSettingsFile(p, s).ok());  // and over an existing one
  auto back = ReadSettingsFile(p);
  ASSERT_TRUE(back.ok()) << back.error().what;
  EXPECT_EQ(*back, s);
  EXPECT_NE(Slurp(p).find(std::string(ansi) + "\\sample\\kaichu.rgp"), std::string::npos);
  size_t n = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(folder)) ++n;
  EXPECT_EQ(n, 1u);
}

}  // namespace
}  // namespace faceformat
