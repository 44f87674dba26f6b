// The all-or-nothing write on Windows: ReplaceFileW / MoveFileExW and ANSI (code page 932) names; the BMP
// reader beside the platform's own loader.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "faceformat/bmp.h"
#include "faceformat/files.h"
#include "faceformat/files_internal.h"
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
  void Put(const fs::path& p, const char* text) { ASSERT_TRUE(WriteFileAtomic(p, text).ok()); }
  HANDLE Hold(const fs::path& p, DWORD share) {
    return CreateFileW(p.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  fs::path dir_;
};

TEST_F(WinAtomicWrite, TargetHeldOpenKeepsOneFile) {
  const fs::path p = dir_ / L"tkt.ini";
  Put(p, "old");
  HANDLE held = Hold(p, FILE_SHARE_READ | FILE_SHARE_WRITE);  // no delete sharing: the old file cannot move
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteFileAtomic(p, "new").ok());
  CloseHandle(held);
  EXPECT_EQ(Slurp(p), "old");
  EXPECT_EQ(Count(), 1u);

  held = Hold(p, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(WriteFileAtomic(p, "new").ok());
  CloseHandle(held);
  EXPECT_EQ(Slurp(p), "new");
  EXPECT_EQ(Count(), 1u);  // neither the backup nor a temporary is left
}

// ReplaceFileW's errors 1176 and 1177 leave the old file at the backup name and the new one at its temporary
// name; the platform gives no way to provoke them, so the state they leave is laid out by hand.
TEST_F(WinAtomicWrite, AFailedReplaceLeavesTheNewFileOrElseTheOld) {
  const fs::path target = dir_ / L"tkt.ini", temp = dir_ / L"new.tmp", backup = dir_ / L"old.bak";
  Put(backup, "old");
  Put(temp, "new");
  EXPECT_TRUE(detail::FinishFailedReplace(target, temp, backup, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2).ok());
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_EQ(Count(), 1u);

  fs::remove(target);
  Put(backup, "old");
  Put(temp, "new");
  HANDLE held = Hold(temp, FILE_SHARE_READ);  // the new file cannot move either
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(detail::FinishFailedReplace(target, temp, backup, ERROR_UNABLE_TO_MOVE_REPLACEMENT).ok());
  CloseHandle(held);
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_FALSE(fs::exists(backup));

  // The old file never left: it stays, and the backup name is cleared.
  Put(backup, "old");
  EXPECT_FALSE(detail::FinishFailedReplace(target, temp, backup, ERROR_UNABLE_TO_REMOVE_REPLACED).ok());
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_FALSE(fs::exists(backup));
}

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

// Run-length coded files read as LoadImage into a DIB section reads them, skipped pixels included.
TEST(WinBmp, RunLengthFilesReadAsTheSystemLoaderReadsThem) {
  const fs::path src = fs::path(TKT_SOURCE_DIR) / "tests";
  for (const fs::path& p : {src / "faceformat" / "data" / "kaichu_rle8.bmp",
                            src / "faceformat" / "data" / "kaichu16_rle4.bmp",
                            src / "fuzz" / "corpus" / "bmp_fuzz" / "escapes_rle8.bmp"}) {
    SCOPED_TRACE(p.string());
    auto ours = ReadBmpFile(p);
    ASSERT_TRUE(ours.ok()) << ours.error().what;
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageW(nullptr, p.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = ours->width;
    info.bmiHeader.biHeight = -ours->height;  // top row first, as Image holds it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    Image theirs(ours->width, ours->height);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDIBits(dc, loaded, 0, UINT(ours->height), theirs.pixels.data(), &info, DIB_RGB_COLORS),
              ours->height);
    DeleteDC(dc);
    DeleteObject(loaded);
    for (uint32_t& px : theirs.pixels) px &= 0x00FFFFFF;
    EXPECT_TRUE(theirs == *ours);
  }
}

}  // namespace
}  // namespace faceformat
