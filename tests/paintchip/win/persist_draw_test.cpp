// Saving and loading through streams, property bags and storages; drawing through IViewObject.
#include "control_fixture.h"

#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <vector>


namespace pctest {
namespace {

std::vector<BYTE> StreamBytes(IStream* stream) {
  HGLOBAL h = nullptr;
  GetHGlobalFromStream(stream, &h);
  STATSTG st{};
  stream->Stat(&st, STATFLAG_NONAME);
  const auto* p = static_cast<const BYTE*>(GlobalLock(h));
  std::vector<BYTE> bytes(p, p + st.cbSize.QuadPart);
  GlobalUnlock(h);
  return bytes;
}

ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
  ComPtr<IStream> s;
  CreateStreamOnHGlobal(nullptr, TRUE, s.put());
  ULONG n = 0;
  s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &n);
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  return s;
}

void SetEnabled(IUnknown* control, bool enabled) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = enabled ? VARIANT_TRUE : VARIANT_FALSE;
  ASSERT_EQ(PutProperty(control, DISPID_ENABLED, v), S_OK);
}

bool IsEnabled(IUnknown* control) {
  VARIANT v;
  EXPECT_EQ(GetProperty(control, DISPID_ENABLED, &v), S_OK);
  return V_BOOL(&v) != VARIANT_FALSE;
}

std::uint32_t Le32(const std::vector<BYTE>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

class Persistence : public ControlTest {};

TEST_F(Persistence, StreamHoldsVersionExtentEnabledAndColourAndLoadsBack) {
  ComPtr<IOleObject> a = NewControl();
  ComPtr<IPersistStreamInit> pa;
  ASSERT_EQ(a.As(pa, IID_IPersistStreamInit), S_OK);
  ASSERT_EQ(pa->InitNew(), S_OK);
  EXPECT_EQ(pa->IsDirty(), S_FALSE);
  ASSERT_EQ(PutColor(a.get(), 0x00ABCDEF), S_OK);
  SetEnabled(a.get(), false);
  SIZEL extent{3000, 700};
  ASSERT_EQ(a->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(pa->IsDirty(), S_OK);

  ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  ASSERT_EQ(pa->Save(stream.get(), TRUE), S_OK);
  EXPECT_EQ(pa->IsDirty(), S_FALSE);
  const std::vector<BYTE> bytes = StreamBytes(stream.get());
  ASSERT_EQ(bytes.size(), 20u);
  EXPECT_EQ(Le32(bytes, 0), 0x00010000u);
  EXPECT_EQ(Le32(bytes, 4), 3000u);
  EXPECT_EQ(Le32(bytes, 8), 700u);
  EXPECT_EQ(Le32(bytes, 12), 0u);
  EXPECT_EQ(Le32(bytes, 16), 0x00ABCDEFu);
  ULARGE_INTEGER max{};
  EXPECT_EQ(pa->GetSizeMax(&max), S_OK);
  EXPECT_EQ(max.QuadPart, 20u);

  ComPtr<IOleObject> b = NewControl();
  ComPtr<IPersistStreamInit> pb;
  ASSERT_EQ(b.As(pb, IID_IPersistStreamInit), S_OK);
  ASSERT_EQ(pb->Load(StreamOf(bytes).get()), S_OK);
  EXPECT_EQ(GetColor(b.get()), 0x00ABCDEF);
  EXPECT_FALSE(IsEnabled(b.get()));
  SIZEL got{};
  ASSERT_EQ(b->GetExtent(DVASPECT_CONTENT, &got), S_OK);
  EXPECT_EQ(got.cx, 3000);
  EXPECT_EQ(got.cy, 700);
}

TEST_F(Persistence, AShortStreamChangesNothingAndAnotherVersionIsSavedBackAsOnePointZero) {
  ComPtr<IOleObject> c = NewControl();
  ComPtr<IPersistStreamInit> p;
  ASSERT_EQ(c.As(p, IID_IPersistStreamInit), S_OK);
  ASSERT_EQ(PutColor(c.get(), 0x00112233), S_OK);
  std::vector<BYTE> bytes = {0, 0, 2, 0, 0x10, 0, 0, 0, 0x20, 0, 0, 0, 1, 0, 0, 0, 0x44, 0x55};
  EXPECT_TRUE(FAILED(p->Load(StreamOf(bytes).get())));
  EXPECT_EQ(GetColor(c.get()), 0x00112233);
  SIZEL got{};
  c->GetExtent(DVASPECT_CONTENT, &got);
  EXPECT_NE(got.cx, 0x10);

  bytes.insert(bytes.end(), {0x66, 0});  // now complete, stored by version 2.0
  ASSERT_EQ(p->Load(StreamOf(bytes).get()), S_OK);
  EXPECT_EQ(GetColor(c.get()), 0x00665544);
  ComPtr<IStream> out;
  CreateStreamOnHGlobal(nullptr, TRUE, out.put());
  ASSERT_EQ(p->Save(out.get(), TRUE), S_OK);
  EXPECT_EQ(Le32(StreamBytes(out.get()), 0), 0x00010000u);
}

TEST_F(Persistence, PropertyBagGetsNamedValuesInOrderLoadsBackAndDefaultsEnabled) {
  ComPtr<IOleObject> a = NewControl();
  ASSERT_EQ(PutColor(a.get(), static_cast<LONG>(0x80000005)), S_OK);
  ComPtr<IPersistPropertyBag> pa;
  ASSERT_EQ(a.As(pa, IID_IPersistPropertyBag), S_OK);
  PropertyBag bag;
  ASSERT_EQ(pa->Save(&bag, TRUE, TRUE), S_OK);
  ASSERT_EQ(bag.items.size(), 5u);
  const wchar_t* names[] = {L"_Version", L"_ExtentX", L"_ExtentY", L"Enabled", L"Color"};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(bag.items[i].first, names[i]);
  EXPECT_EQ(V_VT(bag.Find(L"Enabled")), VT_BOOL);
  EXPECT_EQ(V_VT(bag.Find(L"Color")), VT_I4);
  EXPECT_EQ(static_cast<ULONG>(V_I4(bag.Find(L"Color"))), 0x80000005u);
  EXPECT_EQ(V_I4(bag.Find(L"_Version")), 0x00010000);

  ComPtr<IOleObject> b = NewControl();
  ComPtr<IPersistPropertyBag> pb;
  ASSERT_EQ(b.As(pb, IID_IPersistPropertyBag), S_OK);
  ASSERT_EQ(pb->Load(&bag, nullptr), S_OK);
  EXPECT_EQ(static_cast<ULONG>(GetColor(b.get())), 0x80000005u);
  EXPECT_TRUE(IsEnabled(b.get()));
  EXPECT_EQ(bag.refs, 1u);

  // An empty bag keeps the colour, which has no default, and resets Enabled to true.
  SetEnabled(b.get(), false);
  PropertyBag empty;
  ASSERT_EQ(pb->Load(&empty, nullptr), S_OK);
  EXPECT_EQ(static_cast<ULONG>(GetColor(b.get())), 0x80000005u);
  EXPECT_TRUE(IsEnabled(b.get()));
  // A form stored by hand holds text.
  PropertyBag text;
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(L"65280");
  text.Write(L"Color", &v);
  VariantClear(&v);
  ASSERT_EQ(pb->Load(&text, nullptr), S_OK);
  EXPECT_EQ(GetColor(b.get()), 0x0000FF00);
}

TEST_F(Persistence, StorageKeepsTheSameDataInItsContentsStream) {
  ComPtr<ILockBytes> bytes;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.put()), S_OK);
  ComPtr<IStorage> storage;
  ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                         storage.put()),
            S_OK);
  ComPtr<IOleObject> a = NewControl();
  ComPtr<IPersistStorage> pa;
  ASSERT_EQ(a.As(pa, IID_IPersistStorage), S_OK);
  ASSERT_EQ(pa->InitNew(storage.get()), S_OK);
  ASSERT_EQ(PutColor(a.get(), 0x00C0FFEE), S_OK);
  ASSERT_EQ(pa->Save(storage.get(), TRUE), S_OK);
  EXPECT_EQ(pa->IsDirty(), S_OK);  // clean only once the container says so
  ASSERT_EQ(pa->SaveCompleted(nullptr), S_OK);
  EXPECT_EQ(pa->IsDirty(), S_FALSE);

  ComPtr<IOleObject> b = NewControl();
  ComPtr<IPersistStorage> pb;
  ASSERT_EQ(b.As(pb, IID_IPersistStorage), S_OK);
  ASSERT_EQ(pb->Load(storage.get()), S_OK);
  EXPECT_EQ(GetColor(b.get()), 0x00C0FFEE);
}

class Drawing : public ControlTest {};

constexpr COLORREF kMagenta = RGB(255, 0, 255);

TEST_F(Drawing, RaisedPartsColourWellAndGlyphOfAnEightyByTwentyControl) {
  ComPtr<IOleObject> c = NewControl();
  ASSERT_EQ(PutColor(c.get(), 0x000000FF), S_OK);
  ComPtr<IViewObject2> view;
  ASSERT_EQ(c.As(view, IID_IViewObject2), S_OK);
  Canvas canvas(80, 20);
  canvas.Fill(kMagenta);
  const RECTL bounds{0, 0, 80, 20};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
            S_OK);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
  const struct {
    int x, y;
    COLORREF want;
  } pixels[] = {
      // Raised edges: light outside top-left, dark outside bottom-right, for both parts.
      {0, 0, GetSysColor(COLOR_3DLIGHT)}, {1, 1, GetSysColor(COLOR_3DHILIGHT)},
      {30, 19, GetSysColor(COLOR_3DDKSHADOW)}, {30, 18, GetSysColor(COLOR_3DSHADOW)},
      {66, 10, GetSysColor(COLOR_3DSHADOW)},  // swatch's inner right edge
      {67, 10, GetSysColor(COLOR_3DLIGHT)},   // shared column: the arrow's left edge
      {79, 10, GetSysColor(COLOR_3DDKSHADOW)},
      // The colour well (4,4)-(64,16) in the colour, button face around it.
      {4, 4, RGB(255, 0, 0)}, {63, 15, RGB(255, 0, 0)}, {3, 3, face}, {64, 16, face},
      // The glyph: 7, 5, 3, 1 pixels from (70, 8) in the button-text colour.
      {70, 8, text}, {76, 8, text}, {69, 8, face}, {77, 8, face}, {70, 9, face}, {71, 9, text},
      {73, 11, text}, {72, 11, face}, {73, 12, face},
  };
  for (const auto& p : pixels) EXPECT_EQ(canvas.At(p.x, p.y), p.want) << p.x << "," << p.y;
}

TEST_F(Drawing, DisabledShowsAnEtchedEmptyWellAndAnEmbossedGlyphAtAnyOffset) {
  ComPtr<IOleObject> c = NewControl();
  ASSERT_EQ(PutColor(c.get(), 0x000000FF), S_OK);
  SetEnabled(c.get(), false);
  ComPtr<IViewObject> view;
  ASSERT_EQ(c.As(view, IID_IViewObject), S_OK);
  Canvas canvas(100, 40);
  canvas.Fill(kMagenta);
  const RECTL bounds{10, 5, 90, 25};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
            S_OK);
  EXPECT_EQ(canvas.At(9, 4), kMagenta);  // nothing outside the bounds
  EXPECT_EQ(canvas.At(10, 5), GetSysColor(COLOR_3DLIGHT));
  // Etched well at (14,9)-(74,21): shadow outside, highlight inside, no colour.
  EXPECT_EQ(canvas.At(14, 9), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(canvas.At(15, 10), GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(canvas.At(30, 15), GetSysColor(COLOR_BTNFACE));
  // Embossed glyph: shadow at the glyph, highlight one pixel down and right.
  EXPECT_EQ(canvas.At(80, 13), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(canvas.At(83, 16), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(canvas.At(84, 17), GetSysColor(COLOR_3DHILIGHT));
}

TEST_F(Drawing, SystemColoursAreShownAsTheSystemDrawsThem) {
  ComPtr<IOleObject> c = NewControl();
  ASSERT_EQ(PutColor(c.get(), static_cast<LONG>(0x80000000 | COLOR_HIGHLIGHT)), S_OK);
  ComPtr<IViewObject> view;
  ASSERT_EQ(c.As(view, IID_IViewObject), S_OK);
  Canvas canvas(80, 20);
  const RECTL bounds{0, 0, 80, 20};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
            S_OK);
  EXPECT_EQ(canvas.At(30, 10), GetSysColor(COLOR_HIGHLIGHT));
  // A well in the button-face colour gets a frame so it stays visible.
  ASSERT_EQ(PutColor(c.get(), static_cast<LONG>(GetSysColor(COLOR_BTNFACE))), S_OK);
  view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0);
  EXPECT_EQ(canvas.At(4, 10), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(canvas.At(30, 10), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
            DV_E_DVASPECT);
}

// A container on a 150 % monitor gives the default extent 1.5 times the pixels while its DC may still say
// 96 DPI (the system's): the parts are drawn at the scale of the bounds.
TEST_F(Drawing, AViewOneAndAHalfTimesItsExtentDrawsArrowAndEdgesAtThatScale) {
  ComPtr<IOleObject> c = NewControl();
  ASSERT_EQ(PutColor(c.get(), 0x000000FF), S_OK);
  ComPtr<IViewObject> view;
  ASSERT_EQ(c.As(view, IID_IViewObject), S_OK);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  struct Seen {
    int glyphWidth, glyphHeight;
  };
  auto draw = [&](double s) {
    auto px = [s](int at96) { return static_cast<int>(std::lround(at96 * s)); };
    Canvas canvas(px(80), px(20));
    const RECTL bounds{0, 0, px(80), px(20)};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              S_OK);
    // The glyph: button-text pixels inside the arrow part's edges.
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
    for (int y = px(3); y < px(17); ++y) {
      for (int x = px(69); x < px(78); ++x) {
        if (canvas.At(x, y) != text) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    // The swatch's raised edge: light lines at the top, dark at the bottom, then the button face.
    const int edge = px(2), mid = px(30), h = px(20);
    for (int y = 0; y < edge; ++y) {
      EXPECT_EQ(canvas.At(mid, y), GetSysColor(y == 0 ? COLOR_3DLIGHT : COLOR_3DHILIGHT)) << s << ": " << y;
      EXPECT_EQ(canvas.At(mid, h - 1 - y), GetSysColor(y == 0 ? COLOR_3DDKSHADOW : COLOR_3DSHADOW)) << s << ": " << y;
    }
    EXPECT_EQ(canvas.At(mid, edge), GetSysColor(COLOR_BTNFACE)) << s;
    EXPECT_EQ(canvas.At(mid, h / 2), RGB(255, 0, 0)) << s;
    return Seen{right - left + 1, bottom - top + 1};
  };
  const Seen at96 = draw(1.0), at144 = draw(1.5);
  EXPECT_EQ(at96.glyphWidth, 7);
  EXPECT_EQ(at96.glyphHeight, 4);
  EXPECT_NEAR(at144.glyphWidth, 7 * 1.5, 1.0);
  EXPECT_NEAR(at144.glyphHeight, 4 * 1.5, 1.0);
}

TEST_F(Drawing, TheWindowPaintsWhatTheViewDraws) {
  ActiveControl c(true, {0, 0, 80, 20});
  ASSERT_EQ(PutColor(c.Object(), 0x0000FF00), S_OK);
  Canvas canvas(80, 20);
  SendMessageW(c.Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  EXPECT_EQ(canvas.At(30, 10), RGB(0, 255, 0));
  EXPECT_EQ(canvas.At(70, 8), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace
}  // namespace pctest
