// The desktop shortcut: where the desktop is, and what a written link points at.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "designer/win/shortcut.h"

namespace designer {
namespace {

namespace fs = std::filesystem;

class ComApartment {
 public:
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

TEST(Shortcut, DesktopFolderIsFoundAndExists) {
  ComApartment com;
  auto desktop = FindDesktopFolder();
  ASSERT_TRUE(desktop.has_value());
  EXPECT_TRUE(fs::is_directory(fs::path(*desktop))) << fs::path(*desktop).string();
}

TEST(Shortcut, PointsAtTheClockAndStartsInItsFolder) {
  ComApartment com;
  // A Japanese install root and link name, as users have them.
  const fs::path root = fs::temp_directory_path() / (L"ﾄｯｸ時計_" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(root / "program");
  HANDLE exe =
      CreateFileW((root / "program" / "tkt.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(exe, INVALID_HANDLE_VALUE);
  CloseHandle(exe);
  const fs::path link = root / L"ﾄｯｸﾀｲﾄﾞ.lnk";
  const std::wstring target = (root / "program" / "tkt.exe").wstring();
  const std::wstring folder = (root / "program").wstring();

  ASSERT_EQ(CreateShellLink(link.wstring(), target, folder), S_OK);
  ASSERT_TRUE(fs::exists(link));
  auto info = ReadShellLink(link.wstring());
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(fs::path(info->target), fs::path(target));
  EXPECT_EQ(fs::path(info->workingFolder), fs::path(folder));

  // Writing again replaces the old link.
  ASSERT_EQ(CreateShellLink(link.wstring(), target, folder), S_OK);
  fs::remove_all(root);
}

TEST(Shortcut, FailsIntoAMissingFolder) {
  ComApartment com;
  const fs::path link = fs::temp_directory_path() / "no_such_folder_for_links" / "x.lnk";
  EXPECT_NE(CreateShellLink(link.wstring(), L"C:\\x\\program\\tkt.exe", L"C:\\x\\program"), S_OK);
}

}  // namespace
}  // namespace designer
