// The shared Win32 owners: what they free and when; the window base: who owns the object and when it goes;
// and the text conversions at code page 932.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "wincommon/gdi.h"
#include "wincommon/handle.h"
#include "wincommon/text.h"
#include "wincommon/window.h"

namespace {

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(GdiOwners, FreeOnceAndHandOverOwnership) {
  tkt::GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
  const HBRUSH first = brush.get();
  ASSERT_TRUE(Alive(first));
  tkt::GdiObject<HBRUSH> moved = std::move(brush);
  EXPECT_FALSE(brush);
  moved.reset(CreateSolidBrush(RGB(4, 5, 6)));
  EXPECT_FALSE(Alive(first));

  // Released, the handle outlives its owner: the new owner (SetWindowRgn) frees it.
  HRGN handed = nullptr;
  {
    tkt::GdiObject<HRGN> region(CreateRectRgn(0, 0, 20, 20));
    handed = region.release();
    EXPECT_FALSE(region);
  }
  EXPECT_TRUE(Alive(handed));
  DeleteObject(handed);
}

// An owner that goes between a failed call and its report must not change the error the report reads.
TEST(HandleOwners, FreeingKeepsTheLastError) {
  struct Clobber {
    void operator()(int) const { SetLastError(ERROR_INVALID_HANDLE); }
  };
  SetLastError(ERROR_FILE_NOT_FOUND);
  { tkt::UniqueAny<int, Clobber> owner(1); }
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST(GdiOwners, MemoryDcLetsGoOfWhatWasSelected) {
  tkt::DibSection dib = tkt::DibSection::Create(8, 4);
  ASSERT_TRUE(dib);
  {
    tkt::MemoryDc dc(nullptr);
    dc.Select(dib.bitmap.get());
    tkt::MemoryDc other = std::move(dc);  // the moved-to owner puts the first bitmap back
    {
      tkt::SelectGuard pen(other.get(), GetStockObject(WHITE_PEN));
      EXPECT_EQ(GetCurrentObject(other.get(), OBJ_PEN), GetStockObject(WHITE_PEN));
    }
    EXPECT_NE(GetCurrentObject(other.get(), OBJ_PEN), GetStockObject(WHITE_PEN));

    // GDI's COLORREF is red-low; the pixels read back are 0x00RRGGBB.
    tkt::GdiObject<HBRUSH> red(CreateSolidBrush(RGB(0xC0, 0x10, 0x20)));
    const RECT all{0, 0, 8, 4};
    FillRect(other.get(), &all, red.get());
    GdiFlush();
    EXPECT_EQ(dib.At(7, 3), 0xC01020u);
  }
  // Only a bitmap no DC holds can be deleted.
  EXPECT_TRUE(DeleteObject(dib.bitmap.release()));
}

TEST(HandleOwners, FileHandlesAreEmptyAtInvalidAndPutFreesWhatWasHeld) {
  tkt::FileHandle none;
  EXPECT_EQ(none.get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(none);
  tkt::FileHandle failed(CreateFileW(L"Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
  EXPECT_FALSE(failed);  // and its destructor closes nothing

  tkt::KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const HANDLE first = event.get();
  ASSERT_TRUE(event);
  *event.put() = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(first, &flags));  // closed by put()
  EXPECT_TRUE(GetHandleInformation(event.get(), &flags));

  tkt::WindowDc screen(nullptr);
  EXPECT_GT(GetDeviceCaps(screen.get(), LOGPIXELSY), 0);
}

struct Probe : tkt::Window<Probe> {
  static constexpr const wchar_t* kClassName = L"TktWindowProbe";
  static inline int alive = 0;
  int seen = 0;
  Probe() { ++alive; }
  ~Probe() { --alive; }
  static Probe* MadeOwned(HWND parent) {
    return CreateOwned(std::make_unique<Probe>(), 0, L"", WS_CHILD, 0, 0, 10, 10, parent);
  }
  HWND Made() { return CreateWindowOf(0, L"", WS_POPUP, 0, 0, 10, 10, nullptr); }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) ++seen;
    return DefWindowProcW(hwnd_, msg, wp, lp);
  }
};

TEST(WindowBase, AnOwnedObjectGoesWithItsWindowOrAtOnceWhenNoWindowCameOfIt) {
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(Probe::MadeOwned(gone), nullptr);  // refused before WM_NCCREATE
  EXPECT_EQ(Probe::alive, 0);

  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  Probe* owned = Probe::MadeOwned(parent);
  ASSERT_NE(owned, nullptr);
  SendMessageW(owned->hwnd(), WM_APP, 0, 0);
  EXPECT_EQ(owned->seen, 1);
  DestroyWindow(parent);
  EXPECT_EQ(Probe::alive, 0);

  // An object that goes first takes its window with it, and hears nothing more.
  HWND left = nullptr;
  {
    Probe plain;
    left = plain.Made();
    ASSERT_NE(left, nullptr);
  }
  EXPECT_FALSE(IsWindow(left));
}

TEST(AnsiText, RoundTripsJapaneseAndRefusesWhatTheCodePageLacks) {
  const std::wstring clock = L"\u6642\u8A08 \uFF11\uFF12";  // 時計 １２
  const std::string ansi = tkt::WideToAnsi(clock);
  EXPECT_EQ(ansi.size(), 9u);  // two bytes a character, one for the space
  EXPECT_EQ(tkt::AnsiToWide(ansi), clock);
  EXPECT_EQ(tkt::ExactWideToAnsi(clock), ansi);
  EXPECT_EQ(tkt::ExactAnsiToWide(ansi), clock);

  // No look-alike for a letter 932 lacks, and no guess at a lead byte without its trail byte.
  EXPECT_FALSE(tkt::ExactWideToAnsi(L"caf\u00E9"));
  EXPECT_FALSE(tkt::WideToAnsi(L"caf\u00E9").empty());
  EXPECT_FALSE(tkt::ExactAnsiToWide("\x82"));
  EXPECT_EQ(tkt::ExactAnsiToWide(""), std::wstring());
}

}  // namespace
