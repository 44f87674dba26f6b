// The preview's one-second tick (lengths and centre dot from the controls, the read-out, the hands) and
// the scene it shows.
#include "preview.h"

#include "face/display_scale.h"
#include "face/face_geometry.h"

namespace designer {

namespace {
// The clock's own geometry and arithmetic, so preview and clock agree to the twip.
void PointHand(LineShape& hand, float factor, int scale, double radians) {
  const tkt::TwipPoint tip = tkt::HandTip(factor, scale, radians);
  hand.x2 = tip.x;
  hand.y2 = tip.y;
}

std::wstring TwoDigits(int v) {
  return {wchar_t(L'0' + v / 10 % 10), wchar_t(L'0' + v % 10)};
}

uint32_t PixelOf(Color c) { return faceformat::PixelFromColorRef(c); }
float F(double v) { return float(v); }
}  // namespace

tkt::FaceScene SceneOf(const DesignerForm& form, const PictureLookup& pictureOf, uint32_t background) {
  tkt::FaceScene scene;
  scene.twipsPerPixel = float(tkt::kDesignTwipsPerPixel);
  scene.background = background;
  scene.face = form.OLGPic1.picture.get();
  if (form.waku.Shown()) {
    const Shape& w = form.waku;
    scene.frames.push_back({F(w.left), F(w.top), F(w.width), F(w.height), PixelOf(w.borderColor), false});
  }
  for (const ImageBox* door : {&form.Image3, &form.Image4}) {
    const faceformat::Image* picture = door->Shown() && pictureOf ? pictureOf(door->resource) : nullptr;
    if (picture) scene.sprites.push_back({picture, F(door->left), F(door->top)});
  }
  for (const LineShape* hand : {&form.Line2, &form.Line3, &form.Line1}) {
    if (hand->Shown()) {
      scene.hands.push_back({F(hand->x1), F(hand->y1), F(hand->x2), F(hand->y2), float(hand->borderWidth),
                             PixelOf(hand->borderColor)});
    }
  }
  if (form.centerdot.Shown()) {
    const Shape& d = form.centerdot;
    scene.dots.push_back({F(d.left), F(d.top), F(d.width), F(d.height), PixelOf(d.fillColor), true});
  }
  return scene;
}

void BlendOver(std::span<uint32_t> pixels, uint32_t background, int opacity) {
  if (opacity >= 100) return;
  const uint32_t a = uint32_t(opacity), b = 100 - a;
  for (uint32_t& p : pixels) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
      const uint32_t over = p >> shift & 0xFF, under = background >> shift & 0xFF;
      out |= (over * a + under * b + 50) / 100 << shift;
    }
    p = out;
  }
}

tkt::FaceScene ScaledPreview::SceneAt(const DesignerForm& form, const PictureLookup& pictureOf, uint32_t background,
                                      int dpi) {
  tkt::FaceScene scene = SceneOf(form, pictureOf, background);
  if (dpi <= 0 || dpi == tkt::kDesignDpi) return scene;
  if (face_ != form.OLGPic1.picture || faceDpi_ != dpi) {
    face_ = form.OLGPic1.picture;
    faceScaled_ = face_ ? tkt::ScalePicture(*face_, dpi) : faceformat::Image{};
    faceDpi_ = dpi;
  }
  scene.face = face_ ? &faceScaled_ : nullptr;
  if (spritesDpi_ != dpi) {
    sprites_.clear();
    spritesDpi_ = dpi;
  }
  for (tkt::SceneSprite& sprite : scene.sprites) {
    auto [at, added] = sprites_.try_emplace(sprite.image);
    if (added) at->second = tkt::ScalePicture(*sprite.image, dpi);
    sprite.image = &at->second;
  }
  return tkt::ScaleScene(std::move(scene), dpi);
}

void DesignerForm::Timer1_Timer(const TickTime& now) {
  secondLengthFactor = float(HScroll1.value) / 10;
  hourLengthFactor = float(HScroll2.value) / 10;
  minuteLengthFactor = float(HScroll3.value) / 10;

  const double d = HScroll4.value;
  centerdot.Place(kPreviewCentre - d / 2, kPreviewCentre - d / 2, d, d);
  centerdot.fillColor = clbox4.fillColor;
  centerdot.borderColor = clbox4.fillColor;

  if (digicheck.checked()) {
    const std::wstring hm = TwoDigits(now.hour) + L":" + TwoDigits(now.minute);
    if (digistyle1.value) digitxt.caption = hm;
    if (digistyle2.value) digitxt.caption = hm + L":" + TwoDigits(now.second);
  }

  PointHand(Line1, secondLengthFactor, previewLengthScale, tkt::SecondOrMinuteRadians(now.second));
  PointHand(Line2, hourLengthFactor, previewLengthScale, tkt::HourRadians(now.hour, now.minute));
  PointHand(Line3, minuteLengthFactor, previewLengthScale, tkt::SecondOrMinuteRadians(now.minute));
}

}  // namespace designer
