// The page layout: everything inside its page, nothing shown on top of anything else.
#include <gtest/gtest.h>

#include "designer/model/layout.h"
#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

std::string NameOf(const Control* c) { return std::string(c->name.begin(), c->name.end()); }

bool VisibleOnPage(const Placement& p) { return designer::VisibleOnPage(*p.control, p.frame); }

void ExpectNoOverlaps(DesignerForm& form, const char* state) {
  const std::vector<Placement> items = LayoutForm(form);
  const PixelBox panel{0, 0, kPanelWidth, kPanelHeight};
  for (size_t i = 0; i < items.size(); ++i) {
    const Placement& a = items[i];
    EXPECT_TRUE(panel.Contains(a.box)) << NameOf(a.control);
    if (a.captionBox) {
      EXPECT_TRUE(panel.Contains(*a.captionBox)) << NameOf(a.control);
    }
    if (a.look == Look::Outline || !VisibleOnPage(a)) continue;
    for (size_t j = i + 1; j < items.size(); ++j) {
      const Placement& b = items[j];
      if (b.frame != a.frame || b.look == Look::Outline || !VisibleOnPage(b)) continue;
      EXPECT_FALSE(a.box.Overlaps(b.box)) << state << ": " << NameOf(a.control) << " and " << NameOf(b.control);
      if (a.captionBox) {
        EXPECT_FALSE(a.captionBox->Overlaps(b.box)) << state << ": caption of " << NameOf(a.control);
      }
    }
  }
}

TEST(Layout, EveryPageFitsAndNothingOverlapsInEachMode) {
  FormFixture f;
  ExpectNoOverlaps(f.form, "start");
  f.form.Option1.Click();
  ExpectNoOverlaps(f.form, "template mode");
  f.form.Option2.Click();
  ExpectNoOverlaps(f.form, "own-picture mode");
}

TEST(Layout, TheMakersColumnFitsItsFrameAndNothingOverlapsAtAnyWidth) {
  for (int column : {kMakerMinColumn, 520}) {
    SCOPED_TRACE(column);
    const MakerLayout m = LayoutMaker(column);
    const PixelBox client{0, 0, m.clientWidth, m.clientHeight};
    EXPECT_TRUE(client.Contains(m.frame));
    EXPECT_TRUE(client.Contains(m.picture));
    EXPECT_FALSE(m.picture.Overlaps(m.canvas));
    EXPECT_EQ(m.items.size(), 11u);
    for (size_t i = 0; i < m.items.size(); ++i) {
      const PixelBox& a = m.items[i].box;
      EXPECT_GT(a.w, 0) << i;
      EXPECT_TRUE(client.Contains(a)) << i;
      EXPECT_FALSE(a.Overlaps(m.picture)) << i;
      // The test button sits under the canvas; everything else in the frame.
      EXPECT_TRUE(m.items[i].item == MakerItem::Command4 ? !a.Overlaps(m.frame) : m.frame.Contains(a)) << i;
      for (size_t j = i + 1; j < m.items.size(); ++j) EXPECT_FALSE(a.Overlaps(m.items[j].box)) << i << " " << j;
    }
  }
}

}  // namespace
}  // namespace designer
