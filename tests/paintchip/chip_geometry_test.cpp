// The button's parts, the palette and the colour and drag rules, without Windows.
#include <gtest/gtest.h>

#include "paintchip/chip_geometry.h"
#include "paintchip/color_rule.h"
#include "paintchip/drag_data.h"
#include "paintchip/palette.h"

namespace paintchip {
namespace {

constexpr int kGlyphW = 7, kGlyphH = 4;
const int kArrowW = ArrowPartWidthFor(kGlyphW);

TEST(ChipGeometry, An80By20ButtonSplitsIntoSwatchArrowWellAndGlyph) {
  const ChipRect r{0, 0, 80, 20};
  EXPECT_EQ(SwatchPart(r, kArrowW), (ChipRect{0, 0, 68, 20}));
  EXPECT_EQ(ArrowPart(r, kArrowW), (ChipRect{67, 0, 80, 20}));
  EXPECT_EQ(ColorWell(SwatchPart(r, kArrowW)), (ChipRect{4, 4, 64, 16}));
  EXPECT_EQ(GlyphOrigin(ArrowPart(r, kArrowW), kGlyphW, kGlyphH), (ChipPoint{70, 8}));
}

TEST(ChipGeometry, PartsFollowBoundsThatDoNotStartAtTheOrigin) {
  // IViewObject::Draw hands over bounds anywhere in the target DC.
  const ChipRect r{100, 50, 180, 70};
  EXPECT_EQ(SwatchPart(r, kArrowW), (ChipRect{100, 50, 168, 70}));
  EXPECT_EQ(ArrowPart(r, kArrowW), (ChipRect{167, 50, 180, 70}));
  EXPECT_EQ(GlyphOrigin(ArrowPart(r, kArrowW), kGlyphW, kGlyphH), (ChipPoint{170, 58}));
  // Odd sizes: the halves truncate.
  EXPECT_EQ(GlyphOrigin(ChipRect{0, 0, 13, 21}, kGlyphW, kGlyphH), (ChipPoint{3, 8}));
}

TEST(ChipGeometry, HitTestGivesTheSharedColumnToTheArrow) {
  const ChipRect r{0, 0, 80, 20};
  EXPECT_EQ(HitTest(r, kArrowW, 67, 10), ChipPart::Arrow);
  EXPECT_EQ(HitTest(r, kArrowW, 66, 10), ChipPart::Swatch);
  EXPECT_EQ(HitTest(r, kArrowW, 0, 0), ChipPart::Swatch);
  EXPECT_EQ(HitTest(r, kArrowW, 79, 19), ChipPart::Arrow);
  EXPECT_EQ(HitTest(r, kArrowW, 80, 10), ChipPart::None);
  EXPECT_EQ(HitTest(r, kArrowW, 10, 20), ChipPart::None);
  EXPECT_EQ(HitTest(r, kArrowW, -1, 5), ChipPart::None);
}

TEST(ChipGeometry, AtOneAndAHalfTimesThePartsGrowAndStillNest) {
  EXPECT_EQ(ChipMetricsAt(96), ChipMetrics{});  // the sizes above
  EXPECT_EQ(PaletteCellAt(96), (PaletteCell{7, 16, 2}));
  EXPECT_EQ(PaletteCellAt(144), (PaletteCell{11, 24, 3}));
  for (int dpi : {120, 144, 192}) {
    const ChipMetrics m = ChipMetricsAt(dpi);
    const double s = dpi / 96.0;
    EXPECT_NEAR(m.glyphWidth, 7 * s, 1.0) << dpi;
    EXPECT_EQ(m.glyphWidth % 2, 1) << dpi;  // one point column
    EXPECT_EQ(m.glyphHeight, (m.glyphWidth + 1) / 2) << dpi;
    EXPECT_NEAR(m.arrowPartWidth, 12 * s, 1.0) << dpi;
    EXPECT_NEAR(m.edgeOuter + m.edgeInner, 2 * s, 0.5) << dpi;
    // Edge, focus frame and well in that order inside the swatch; the glyph clear of the arrow's edges.
    const int edge = m.edgeOuter + m.edgeInner;
    EXPECT_LT(edge, m.focusInset) << dpi;
    EXPECT_EQ(m.focusInset + m.line, m.wellInset) << dpi;
    const ChipRect r{0, 0, tkt::ScaleFromPixels96(80, dpi), tkt::ScaleFromPixels96(20, dpi)};
    const ChipRect arrow = ArrowPart(r, m.arrowPartWidth, m.sharedColumns);
    const ChipPoint glyph = GlyphOrigin(arrow, m.glyphWidth, m.glyphHeight);
    EXPECT_GE(glyph.x, arrow.left + edge) << dpi;
    EXPECT_LE(glyph.x + m.glyphWidth, arrow.right - edge) << dpi;
    EXPECT_EQ(HitTest(r, m.arrowPartWidth, arrow.left, 5, m.sharedColumns), ChipPart::Arrow) << dpi;
    EXPECT_EQ(HitTest(r, m.arrowPartWidth, arrow.left - 1, 5, m.sharedColumns), ChipPart::Swatch) << dpi;
  }
}

TEST(Palette, SixteenItemsInFourColumnsThenTheOtherColourItem) {
  // The palette table, red in the low byte; each column's first entry starts a menu break.
  const struct {
    ColorRef color;
    bool menuBreak;
  } expected[16] = {
      {0x000000FF, false}, {0x0000FF00, false}, {0x00FF0000, false}, {0x0000FFFF, false},
      {0x0000C0C0, true},  {0x00008484, false}, {0x00FFFF00, false}, {0x00C0C000, false},
      {0x00848400, true},  {0x00FFFF00, false}, {0x00FF00FF, false}, {0x00C000C0, false},
      {0x00840084, true},  {0x005C5C5C, false}, {0x00005C5C, false}, {0x00000000, false},
  };
  const auto items = PaletteItems(DefaultColorTable());
  ASSERT_EQ(items.size(), 17u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(items[i].id, i + 1);
    ASSERT_TRUE(items[i].color.has_value());
    EXPECT_EQ(*items[i].color, expected[i].color) << "item " << i;
    EXPECT_EQ(items[i].menuBreak, expected[i].menuBreak) << "item " << i;
  }
  EXPECT_EQ(items[16].id, kOtherColorId);
  EXPECT_FALSE(items[16].color.has_value());
  EXPECT_FALSE(items[16].menuBreak);
}

TEST(Palette, IdentifiersOneToSixteenAreEntriesAndOthersAreNot) {
  ColorTable t = DefaultColorTable();
  t[5] = 0x00123456;  // the colour dialog wrote a custom colour here
  EXPECT_EQ(*PaletteItems(t)[5].color, 0x00123456u);
  EXPECT_EQ(EntryColor(6, t), 0x00123456u);
  EXPECT_EQ(EntryColor(1, t), 0x000000FFu);  // red in the low byte
  EXPECT_EQ(EntryColor(16, t), t[15]);
  EXPECT_FALSE(EntryColor(0, t));
  EXPECT_FALSE(EntryColor(18, t));
  EXPECT_FALSE(EntryColor(kOtherColorId, t));
  EXPECT_EQ(ClassifyChoice(0), PaletteChoice::Nothing);
  EXPECT_EQ(ClassifyChoice(17), PaletteChoice::OtherColor);
  EXPECT_EQ(ClassifyChoice(16), PaletteChoice::Entry);
  EXPECT_EQ(ClassifyChoice(18), PaletteChoice::Unknown);
  EXPECT_EQ(ClassifyChoice(-1), PaletteChoice::Unknown);
}

TEST(SetColorRule, FiresOnlyForANewValueButAlwaysRedraws) {
  ColorRef c = 0;
  auto out = ApplySetColor(c, 0x00FF0000);
  EXPECT_TRUE(out.fireColorChanged);
  EXPECT_TRUE(out.redraw);
  EXPECT_EQ(c, 0x00FF0000u);
  out = ApplySetColor(c, 0x00FF0000);
  EXPECT_FALSE(out.fireColorChanged);
  EXPECT_TRUE(out.redraw);
  // System colours are kept as given, high bit and all.
  out = ApplySetColor(c, 0x80000005);
  EXPECT_TRUE(out.fireColorChanged);
  EXPECT_EQ(c, 0x80000005u);
}

TEST(DragData, FourLittleEndianBytesAndShortDataRefused) {
  const auto bytes = EncodeDragColor(0x80C0A0B0);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0xB0, 0xA0, 0xC0, 0x80}));
  EXPECT_EQ(DecodeDragColor(bytes.data(), bytes.size()), 0x80C0A0B0u);
  const std::uint8_t longer[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(DecodeDragColor(longer, sizeof longer), 0x04030201u);
  EXPECT_FALSE(DecodeDragColor(bytes.data(), 3));
  EXPECT_FALSE(DecodeDragColor(bytes.data(), 0));
  EXPECT_FALSE(DecodeDragColor(nullptr, 4));
}

}  // namespace
}  // namespace paintchip
