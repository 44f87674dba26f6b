// The portable zip, unpacked into a folder of its own (by the CTest fixture), runs the clock from program\:
// its tkt.ini names the face by paths relative to that working folder.
#include <gtest/gtest.h>

#include "faceformat/settings.h"
#include "release_test_support.h"

namespace {

using namespace release_test;
using namespace std::chrono_literals;

TEST(PortableZip, HoldsTheShippedTreeAndRunsTheClockFromProgramWhereverUnpacked) {
  const fs::path root = fs::path(FromBuild(TKT_UNPACKED_DIR)) / L"Tocktide";
  EXPECT_EQ(FilesUnder(root), FilesUnder(FromBuild(TKT_SHIP_TREE)));
  const auto settings = faceformat::ReadSettingsFile(root / L"program\\tkt.ini");
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->regionFilePath, "..\\sample\\kaichu.rgp");
  Process clock(Quoted(root / L"program\\tkt.exe"), root / L"program");
  ASSERT_TRUE(clock.started()) << "CreateProcess failed with error " << clock.error();
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindProcessWindow(clock.id(), L"TocktideClock")) != nullptr; }, 20s));
  EXPECT_TRUE(WaitUntil([&] { return WindowRegionIs(window, root / L"sample\\kaichu.rgp"); }, 5s));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.Wait(10s).has_value());
}

}  // namespace
