// The preview's scene: what the face renderer is given for the designer's controls, and in which order.
#include <gtest/gtest.h>

#include "face/display_scale.h"
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

// Everything but the pictures, which the scaled scene holds as its own copies.
void ExpectSameGeometry(const tkt::FaceScene& a, const tkt::FaceScene& b) {
  EXPECT_EQ(a.twipsPerPixel, b.twipsPerPixel);
  ASSERT_EQ(a.hands.size(), b.hands.size());
  for (size_t i = 0; i < a.hands.size(); ++i) {
    EXPECT_EQ(a.hands[i].x2, b.hands[i].x2) << i;
    EXPECT_EQ(a.hands[i].y1, b.hands[i].y1) << i;
    EXPECT_EQ(a.hands[i].widthPx, b.hands[i].widthPx) << i;
  }
  ASSERT_EQ(a.frames.size(), b.frames.size());
  ASSERT_EQ(a.dots.size(), b.dots.size());
  EXPECT_EQ(a.dots[0].left, b.dots[0].left);
  ASSERT_EQ(a.sprites.size(), b.sprites.size());
  for (size_t i = 0; i < a.sprites.size(); ++i) EXPECT_EQ(a.sprites[i].left, b.sprites[i].left) << i;
}

TEST(PreviewScene, AtAMonitorsDpiIsTheClocksScaledSceneAndFollowsANewFace) {
  FormFixture f;
  DesignerForm& form = f.form;
  f.GoToPage(1);
  const faceformat::Image doorA(4, 4, 0x00FF0000), doorB(6, 6, 0x000000FF);
  auto pictures = [&](const std::string& name) { return name == "cuckoo-a" ? &doorA : &doorB; };
  form.OLGPic1.picture = std::make_shared<faceformat::Image>(180, 180, 0x00102030);
  form.circleCheck.SetValue(1);
  form.hatoCheck1.SetValue(1);
  form.Line1.borderWidth = 3;
  form.Timer1_Timer({3, 15, 45});
  ScaledPreview preview;

  const tkt::FaceScene at96 = preview.SceneAt(form, pictures, 0, 96);
  ExpectSameGeometry(at96, SceneOf(form, pictures, 0));
  EXPECT_EQ(at96.face, form.OLGPic1.picture.get());
  EXPECT_EQ(at96.sprites[0].image, SceneOf(form, pictures, 0).sprites[0].image);

  for (int dpi : {144, 192, 144}) {
    SCOPED_TRACE(dpi);
    const tkt::FaceScene scene = preview.SceneAt(form, pictures, 0, dpi);
    ExpectSameGeometry(scene, tkt::ScaleScene(SceneOf(form, pictures, 0), dpi));
    ASSERT_NE(scene.face, nullptr);
    EXPECT_EQ(*scene.face, tkt::ScalePicture(*form.OLGPic1.picture, dpi));
    EXPECT_EQ(*scene.sprites[0].image, tkt::ScalePicture(*at96.sprites[0].image, dpi));
  }
  // The other door, another face of the same size: the scaled copies are the new ones'.
  form.hatoCheck2.SetValue(1);
  form.OLGPic1.picture = std::make_shared<faceformat::Image>(180, 180, 0x00405060);
  const tkt::FaceScene other = preview.SceneAt(form, pictures, 0, 144);
  EXPECT_EQ(*other.face, tkt::ScalePicture(*form.OLGPic1.picture, 144));
  ASSERT_EQ(other.sprites.size(), 1u);
  EXPECT_EQ(*other.sprites[0].image, tkt::ScalePicture(*SceneOf(form, pictures, 0).sprites[0].image, 144));
  form.OLGPic1.picture.reset();
  EXPECT_EQ(preview.SceneAt(form, pictures, 0, 144).face, nullptr);
}

}  // namespace
}  // namespace designer
