// The face renderer and the clock's scene: stacking, placement, layers and what a tick repaints.
#include <gtest/gtest.h>

#include "face/face_render.h"
#include "clock/form1_scene.h"

using faceformat::Image;
using tkt::Canvas;
using tkt::FaceLayer;
using tkt::FaceScene;
using tkt::PixelRect;

namespace {

constexpr uint32_t kFace = 0x00336699;
constexpr uint32_t kBack = 0x00C0C0C0;
const PixelRect kAll{0, 0, 314, 335};

Image Render(const FaceScene& scene, const PixelRect& clip = kAll) {
  Image img(314, 335, 0x00FF00FF);
  tkt::RenderFace(scene, Canvas::Of(img), clip, FaceLayer::BelowText);
  tkt::RenderFace(scene, Canvas::Of(img), clip, FaceLayer::AboveText);
  return img;
}

TEST(RenderFace, StacksFaceSpritesHandsAndDot) {
  const Image face(180, 180, kFace);
  const Image bird(30, 26, 0x00FFFFFF);
  FaceScene scene;
  scene.background = kBack;
  scene.face = &face;
  scene.sprites.push_back({&bird, 1500, 1350});  // pixel (100, 90)
  scene.hands.push_back({1350, 1350, 2700, 1350, 3, 0x00FF0000});  // to the right, through the bird
  scene.dots.push_back({1350 - 150, 1350 - 150, 300, 300, 0x000000FF, true});  // 20 px across
  const Image img = Render(scene);

  EXPECT_EQ(img.at(10, 10), kFace);
  EXPECT_EQ(img.at(250, 250), kBack);      // outside the face picture
  EXPECT_EQ(img.at(100, 100), 0x00FFFFFFu);  // bird, below the hand's row
  EXPECT_EQ(img.at(99, 100), kFace);
  EXPECT_EQ(img.at(120, 90), 0x00FF0000u);   // hand over the bird
  EXPECT_EQ(img.at(90, 90), 0x000000FFu);    // dot over the hand
  EXPECT_EQ(img.at(96, 90), 0x000000FFu);
  EXPECT_EQ(img.at(130, 90), 0x00FF0000u);
}

TEST(RenderFace, LayersSplitAroundTheReadout) {
  FaceScene scene;
  scene.background = kBack;
  scene.hands.push_back({1350, 1350, 1350, 300, 5, 0x00FF0000});
  Image img(314, 335, 0x00FF00FF);
  tkt::RenderFace(scene, Canvas::Of(img), kAll, FaceLayer::BelowText);
  EXPECT_EQ(img.at(90, 50), kBack);
  img.at(90, 50) = 0x00000000;  // text drawn between the layers
  img.at(150, 50) = 0x00000000;
  tkt::RenderFace(scene, Canvas::Of(img), kAll, FaceLayer::AboveText);
  EXPECT_EQ(img.at(90, 50), 0x00FF0000u);
  EXPECT_EQ(img.at(150, 50), 0x00000000u);
}

TEST(RenderFace, BoundsCoverEverythingAHandDraws) {
  const Image face(180, 180, kFace);
  FaceScene without;
  without.face = &face;
  FaceScene with = without;
  with.hands.push_back({1350, 1350, 321.7f, 2345.6f, 7, 0x00FFFFFF});
  const Image a = Render(without), b = Render(with);
  const PixelRect bounds = tkt::BoundsOf(with.hands[0], 15);
  for (int y = 0; y < 335; ++y)
    for (int x = 0; x < 314; ++x)
      if (a.at(x, y) != b.at(x, y)) {
        ASSERT_TRUE(x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom) << x << "," << y;
      }
}

tkt::Form1Model TickingForm() {
  tkt::Form1Model f;
  faceformat::ClockSettings s;
  s.secondColor = 255, s.secondLength = 70, s.secondWidth = 1;
  s.hourColor = 0, s.hourLength = 40, s.hourWidth = 4;
  s.minuteColor = 0, s.minuteLength = 65, s.minuteWidth = 2;
  s.centerDotColor = 64, s.centerDotSize = 136;
  s.cuckoo1Left = 1200, s.cuckoo1Top = 300;
  f.LayOut(s);
  f.SetScreenScale(15);
  return f;
}

TEST(Form1Scene, TheDoorLooksShutUntilTheFirstChime) {
  tkt::Form1Model f = TickingForm();
  tkt::CuckooPictures pics;
  pics.hato1_close = Image(30, 26, 0x00111111);
  pics.hato1_open = Image(30, 26, 0x00222222);
  auto door = [&] {
    Image img(314, 335);
    tkt::RenderFace(tkt::SceneOf(f, nullptr, pics, kBack), Canvas::Of(img), kAll, FaceLayer::BelowText);
    return img.at(85, 25);
  };
  EXPECT_EQ(door(), 0x00111111u);  // both shown before the first chime: the closed one is on top
  f.chimeCount = 1;
  f.Timer2_Timer();
  EXPECT_EQ(door(), 0x00222222u);
  f.Timer2_Timer();
  EXPECT_EQ(door(), 0x00111111u);
}

TEST(Form1Scene, ATickRepaintsOnlyWhatMoved) {
  tkt::Form1Model f = TickingForm();
  tkt::CuckooPictures pics;
  f.Timer1_Timer({2024, 1, 1, 10, 10, 10, 0});
  const FaceScene before = tkt::SceneOf(f, nullptr, pics, kBack);
  f.Timer1_Timer({2024, 1, 1, 10, 10, 11, 0});
  const FaceScene after = tkt::SceneOf(f, nullptr, pics, kBack);
  const auto areas = tkt::ChangedAreas(before, after);
  ASSERT_EQ(areas.size(), 2u);  // old and new second hand
  EXPECT_EQ(areas[0], tkt::BoundsOf(before.hands[2], 15));
  EXPECT_EQ(areas[1], tkt::BoundsOf(after.hands[2], 15));
  EXPECT_TRUE(tkt::ChangedAreas(after, after).empty());

  f.Timer1_Timer({2024, 1, 1, 10, 11, 0, 0});  // the minute hand and hour hand step too
  const FaceScene later = tkt::SceneOf(f, nullptr, pics, kBack);
  EXPECT_EQ(tkt::ChangedAreas(after, later).size(), 6u);
  f.Line3.visible = false;  // a hidden hand is left out of the scene
  EXPECT_EQ(tkt::SceneOf(f, nullptr, pics, kBack).hands.size(), 2u);
}

}  // namespace
