// Paths as Windows reads them: made absolute against the installation root, and compared.
#include <gtest/gtest.h>

#include "designer/model/paths.h"

namespace designer {
namespace {

TEST(Paths, RelativeOnesHangFromTheBaseAndAbsoluteOnesStay) {
  const struct {
    const wchar_t *base, *path, *absolute;
  } cases[] = {
      {L"C:\\CLOCK", L"face.rgp", L"C:\\CLOCK\\face.rgp"},
      {L"C:\\CLOCK", L".\\faces/./a.bmp", L"C:\\CLOCK\\faces\\a.bmp"},
      {L"C:\\CLOCK", L"..\\..\\..\\a.bmp", L"C:\\a.bmp"},  // never above the root
      {L"C:", L"a.bmp", L"C:\\a.bmp"},                      // an installation at the root of a drive
      {L"C:\\CLOCK", L"\\faces\\a.bmp", L"C:\\faces\\a.bmp"},
      {L"C:\\CLOCK", L"c:faces\\a.bmp", L"C:\\CLOCK\\faces\\a.bmp"},
      {L"C:\\CLOCK", L"D:a.bmp", L"D:\\a.bmp"},
      {L"\\\\srv\\share\\CLOCK", L"..\\..\\..\\a.bmp", L"\\\\srv\\share\\a.bmp"},
      {L"\\\\srv\\share\\CLOCK", L"\\a.bmp", L"\\\\srv\\share\\a.bmp"},
      {L"C:\\CLOCK", L"D:\\x\\..\\a.bmp", L"D:\\x\\..\\a.bmp"},  // absolute: as typed
      {L"C:\\CLOCK", L"\\\\srv\\s\\a.bmp", L"\\\\srv\\s\\a.bmp"},
      {L"C:\\CLOCK", L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(AbsolutePath(c.base, c.path), c.absolute) << c.base << " + " << c.path;
  EXPECT_EQ(FolderOf(L"C:\\CLOCK\\program\\tkt.ini"), L"C:\\CLOCK\\program");
  EXPECT_EQ(FolderOf(L"tkt.ini"), L"");
}

TEST(Paths, SameFileAsWindowsComparesNames) {
  EXPECT_TRUE(SameFilePath(L"C:\\Faces\\A.BMP", L"c:/faces/a.bmp"));
  EXPECT_TRUE(SameFilePath(L"C:\\faces\\x\\..\\.\\a.bmp", L"C:\\faces\\a.bmp"));
  EXPECT_TRUE(SameFilePath(L"C:\\ＦＡＣＥ\\é.bmp", L"C:\\ｆａｃｅ\\É.bmp"));  // full-width and accented letters too
  EXPECT_FALSE(SameFilePath(L"C:\\faces\\a.bmp", L"C:\\faces\\a.rgp"));
  EXPECT_FALSE(SameFilePath(L"C:\\faces\\a.bmp", L"D:\\faces\\a.bmp"));
  EXPECT_FALSE(SameFilePath(L"C:\\faces\\か.bmp", L"C:\\faces\\カ.bmp"));
}

}  // namespace
}  // namespace designer
