// The page layout: everything inside its page, nothing shown on top of anything else.
#include <gtest/gtest.h>

#include "designer/model/layout.h"
#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

std::string NameOf(const Control* c) { return std::string(c->name.begin(), c->name.end()); }

bool VisibleOnPage(const Placement& p) {
  for (const Control* c = p.control; c && c != p.frame; c = c->container) {
    if (!c->visible) return false;
  }
  return true;
}

void ExpectNoOverlaps(DesignerForm& form, const char* state) {
  const std::vector<Placement> items = LayoutForm(form);
  const PixelBox panel{0, 0, kPanelWidth, kPanelHeight};
  for (size_t i = 0; i < items.size(); ++i) {
    const Placement& a = items[i];
    EXPECT_TRUE(panel.Contains(a.box)) << NameOf(a.control);
    if (a.captionBox) EXPECT_TRUE(panel.Contains(*a.captionBox)) << NameOf(a.control);
    if (a.look == Look::Outline || !VisibleOnPage(a)) continue;
    for (size_t j = i + 1; j < items.size(); ++j) {
      const Placement& b = items[j];
      if (b.frame != a.frame || b.look == Look::Outline || !VisibleOnPage(b)) continue;
      EXPECT_FALSE(a.box.Overlaps(b.box)) << state << ": " << NameOf(a.control) << " and " << NameOf(b.control);
      if (a.captionBox) EXPECT_FALSE(a.captionBox->Overlaps(b.box)) << state << ": caption of " << NameOf(a.control);
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

TEST(Layout, ModeAreasShareOnePlaceInsideTheirOutline) {
  FormFixture f;
  std::vector<Placement> items = LayoutForm(f.form);
  auto boxOf = [&](const Control& c) {
    for (const Placement& p : items) {
      if (p.control == &c) return p.box;
    }
    ADD_FAILURE() << NameOf(&c) << " has no place";
    return PixelBox{};
  };
  EXPECT_TRUE(boxOf(f.form.photoselect1).Contains(boxOf(f.form.Option6)));
  EXPECT_TRUE(boxOf(f.form.photoselect2).Contains(boxOf(f.form.rgpedit)));
  EXPECT_TRUE(boxOf(f.form.photoselect2).Contains(boxOf(f.form.PS_Text2)));
  // The preview's face area is 180 pixels inside a two-pixel edge.
  EXPECT_EQ(boxOf(f.form.OLGPic1).w, TwipsToPixels(f.form.OLGPic1.width));
}

}  // namespace
}  // namespace designer
