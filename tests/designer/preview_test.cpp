// The preview's scene: what the face renderer is given for the designer's controls, and in which order.
#include <gtest/gtest.h>

#include "designer/model/preview.h"
#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

TEST(PreviewScene, StacksAsTheClockAndLeavesOutWhatIsHidden) {
  FormFixture f;
  DesignerForm& form = f.form;
  f.GoToPage(1);
  const faceformat::Image doorA(4, 4, 0x00FF0000);
  auto pictures = [&](const std::string& name) { return name == "cuckoo-a" ? &doorA : nullptr; };
  form.Line1.borderColor = RgbColor(1, 0, 0);
  form.Line2.borderColor = RgbColor(2, 0, 0);
  form.Line3.borderColor = RgbColor(3, 0, 0);
  form.Line1.borderWidth = 1, form.Line2.borderWidth = 3, form.Line3.borderWidth = 2;
  form.Timer1_Timer({3, 15, 45});

  tkt::FaceScene scene = SceneOf(form, pictures, 0x00C0C0C0);
  EXPECT_EQ(scene.background, 0x00C0C0C0u);
  EXPECT_EQ(scene.face, form.OLGPic1.picture.get());
  EXPECT_TRUE(scene.frames.empty());   // no frame circle yet
  EXPECT_TRUE(scene.sprites.empty());  // no cuckoo yet
  ASSERT_EQ(scene.hands.size(), 3u);
  // Hour, minute, second: the second hand on top. Colours are COLORREFs turned to 0x00RRGGBB.
  const uint32_t order[] = {0x020000, 0x030000, 0x010000};
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(scene.hands[i].pixel, order[i]) << i;
  EXPECT_EQ(scene.hands[0].widthPx, 3.0f);
  EXPECT_EQ(scene.hands[2].x2, float(form.Line1.x2));
  ASSERT_EQ(scene.dots.size(), 1u);
  EXPECT_TRUE(scene.dots[0].filled);
  EXPECT_EQ(scene.dots[0].width, float(form.centerdot.width));

  form.circleCheck.SetValue(1);
  form.hatoCheck1.SetValue(1);
  form.Line3.visible = false;
  scene = SceneOf(form, pictures, 0);
  ASSERT_EQ(scene.frames.size(), 1u);
  EXPECT_FALSE(scene.frames[0].filled);
  ASSERT_EQ(scene.sprites.size(), 1u);
  EXPECT_EQ(scene.sprites[0].image, &doorA);
  EXPECT_EQ(scene.sprites[0].left, float(form.Image3.left));
  EXPECT_EQ(scene.hands.size(), 2u);

  // The other door has no picture: nothing is drawn for it.
  form.hatoCheck2.SetValue(1);
  EXPECT_TRUE(SceneOf(form, pictures, 0).sprites.empty());
}

}  // namespace
}  // namespace designer
