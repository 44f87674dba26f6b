// The names a clock goes by, from its settings file's final path.
#include "clock/instance.h"

#include <gtest/gtest.h>

namespace tkt {
namespace {

TEST(ClockIdentity, OneFileHowEverItIsSpelledAndAnotherFileApart) {
  const ClockIdentity a = IdentityOf(ComparablePath(L"\\\\?\\C:\\Tocktide\\program\\tkt.ini"), false);
  for (const wchar_t* same : {L"C:\\Tocktide\\program\\tkt.ini", L"c:/tocktide/PROGRAM/TKT.INI"}) {
    const ClockIdentity b = IdentityOf(ComparablePath(same), false);
    EXPECT_EQ(a.mutexName, b.mutexName) << same;
    EXPECT_EQ(a.positionApp, b.positionApp) << same;
    EXPECT_EQ(a.windowTag, b.windowTag) << same;
  }
  EXPECT_EQ(ComparablePath(L"\\\\?\\UNC\\server\\share\\a.ini"), ComparablePath(L"\\\\SERVER\\share\\A.INI"));
  const ClockIdentity other = IdentityOf(ComparablePath(L"C:\\Tocktide\\program\\tkt2.ini"), false);
  EXPECT_NE(a.mutexName, other.mutexName);
  EXPECT_NE(a.positionApp, other.positionApp);
  EXPECT_NE(a.windowTag, other.windowTag);
}

// The default file keeps the name its positions were always stored under; another file's name must stay
// the same from one version to the next, or its stored position is lost.
TEST(ClockIdentity, StoredPositionNames) {
  EXPECT_EQ(IdentityOf(L"C:\\TOCKTIDE\\PROGRAM\\TKT.INI", true).positionApp, L"Clock");
  const ClockIdentity other = IdentityOf(L"D:\\FACES\\RED.INI", false);
  EXPECT_EQ(other.positionApp, L"Clock 4DE093B5");
  EXPECT_EQ(other.positionApp.find(L'\\'), std::wstring::npos);
  // A kernel object's name holds no backslash but the one after its namespace.
  EXPECT_EQ(other.mutexName.rfind(L'\\'), std::wstring(L"Local").size());
  EXPECT_NE(other.windowTag, 0u);
}

TEST(ResolveBesideFile, RelativePathsHangFromTheSettingsFolder) {
  const struct {
    const wchar_t *path, *want;
  } cases[] = {
      {L"sample\\hato.bmp", L"D:\\faces\\sample\\hato.bmp"},
      {L"..\\sample\\hato.rgp", L"D:\\faces\\..\\sample\\hato.rgp"},
      {L"C:\\Tocktide\\sample\\hato.bmp", L"C:\\Tocktide\\sample\\hato.bmp"},
      {L"\\\\server\\share\\a.bmp", L"\\\\server\\share\\a.bmp"},
      {L"\\root.bmp", L"\\root.bmp"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveBesideFile(L"D:\\faces", c.path), c.want) << c.path;
}

}  // namespace
}  // namespace tkt
