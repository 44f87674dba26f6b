#include "face_render.h"

#include <algorithm>
#include <cmath>

namespace tkt {

namespace {

struct PixelCircle {
  float cx, cy, radius;
};

PixelCircle ToPixels(const SceneCircle& c, float tpp) {
  // The box's centre in twips is a point like a hand's end: the centre of its pixel.
  const float diameter = std::fmin(c.width, c.height) / tpp;
  return {(c.left + c.width / 2) / tpp + 0.5f, (c.top + c.height / 2) / tpp + 0.5f, diameter / 2};
}

int SnapToPixel(float twips, float tpp) { return int(std::lround(std::clamp(twips / tpp, -1e7f, 1e7f))); }

void DrawCircle(const Canvas& canvas, const PixelRect& clip, const SceneCircle& c, float tpp) {
  const PixelCircle p = ToPixels(c, tpp);
  if (c.filled)
    FillCircle(canvas, clip, p.cx, p.cy, p.radius, c.pixel);
  else
    StrokeCircle(canvas, clip, p.cx, p.cy, p.radius - c.strokePx / 2, c.strokePx, c.pixel);
}

}  // namespace

void RenderFace(const FaceScene& scene, const Canvas& canvas, const PixelRect& clip, FaceLayer layer) {
  const float tpp = scene.twipsPerPixel;
  if (layer == FaceLayer::BelowText) {
    FillRect(canvas, clip, canvas.bounds(), scene.background);
    if (scene.face) DrawImage(canvas, clip, *scene.face, 0, 0);
    for (const SceneCircle& f : scene.frames) DrawCircle(canvas, clip, f, tpp);
    for (const SceneSprite& s : scene.sprites)
      if (s.image) DrawImage(canvas, clip, *s.image, SnapToPixel(s.left, tpp), SnapToPixel(s.top, tpp));
    return;
  }
  for (const SceneLine& l : scene.hands)
    DrawLine(canvas, clip, l.x1 / tpp + 0.5f, l.y1 / tpp + 0.5f, l.x2 / tpp + 0.5f, l.y2 / tpp + 0.5f, l.widthPx,
             l.pixel);
  for (const SceneCircle& d : scene.dots) DrawCircle(canvas, clip, d, tpp);
}

PixelRect BoundsOf(const SceneLine& l, float tpp) {
  return LineBounds(l.x1 / tpp + 0.5f, l.y1 / tpp + 0.5f, l.x2 / tpp + 0.5f, l.y2 / tpp + 0.5f, l.widthPx);
}

PixelRect BoundsOf(const SceneCircle& c, float tpp) {
  const PixelCircle p = ToPixels(c, tpp);
  return CircleBounds(p.cx, p.cy, p.radius);
}

PixelRect BoundsOf(const SceneSprite& s, float tpp) {
  if (!s.image) return {};
  const int x = SnapToPixel(s.left, tpp), y = SnapToPixel(s.top, tpp);
  return {x, y, x + s.image->width, y + s.image->height};
}

}  // namespace tkt
