#include "form1_scene.h"

namespace tkt {

namespace {

SceneLine LineOf(const LineElement& l) {
  return {l.x1, l.y1, l.x2, l.y2, float(l.width), faceformat::PixelFromColorRef(l.color)};
}

SceneCircle CircleOf(const ShapeElement& s, bool filled) {
  return {s.left, s.top, s.width, s.height, faceformat::PixelFromColorRef(s.color), filled};
}

}  // namespace

FaceScene SceneOf(const Form1Model& form, const faceformat::Image* face, const CuckooPictures& pictures,
                  uint32_t background) {
  FaceScene scene;
  scene.twipsPerPixel = float(form.twipsPerPixel);
  scene.background = background;
  scene.face = face;
  if (form.waku.visible) scene.frames.push_back(CircleOf(form.waku, false));
  const std::pair<const PictureElement*, const faceformat::Image*> sprites[] = {
      {&form.hato1_open, &pictures.hato1_open},
      {&form.hato1_close, &pictures.hato1_close},
      {&form.hato2_open, &pictures.hato2_open},
      {&form.hato2_close, &pictures.hato2_close},
  };
  for (const auto& [element, image] : sprites)
    if (element->visible) scene.sprites.push_back({image, element->left, element->top});
  for (const LineElement* l : {&form.Line2, &form.Line3, &form.Line1})
    if (l->visible) scene.hands.push_back(LineOf(*l));
  if (form.centerdot.visible) scene.dots.push_back(CircleOf(form.centerdot, true));
  return scene;
}

namespace {

bool Same(const SceneLine& a, const SceneLine& b) {
  return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.widthPx == b.widthPx && a.pixel == b.pixel;
}
bool Same(const SceneSprite& a, const SceneSprite& b) {
  return a.image == b.image && a.left == b.left && a.top == b.top;
}

template <class T>
void AddChanged(std::vector<PixelRect>& out, const std::vector<T>& before, const std::vector<T>& after, float tpp) {
  const bool paired = before.size() == after.size();
  for (size_t i = 0; i < before.size(); ++i)
    if (!paired || !Same(before[i], after[i])) out.push_back(BoundsOf(before[i], tpp));
  for (size_t i = 0; i < after.size(); ++i)
    if (!paired || !Same(before[i], after[i])) out.push_back(BoundsOf(after[i], tpp));
}

}  // namespace

std::vector<PixelRect> ChangedAreas(const FaceScene& before, const FaceScene& after) {
  std::vector<PixelRect> out;
  AddChanged(out, before.hands, after.hands, after.twipsPerPixel);
  AddChanged(out, before.sprites, after.sprites, after.twipsPerPixel);
  std::erase_if(out, [](const PixelRect& r) { return r.empty(); });
  return out;
}

}  // namespace tkt
