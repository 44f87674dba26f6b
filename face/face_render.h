// Draws a clock face from positions in twips: the face picture, the frame circle, cuckoo pictures,
// the hands and the centre dot. The read-out text is left to the caller (the platform's fonts), which
// draws it between the two layers. Used by the clock window and by the designer's preview.
#pragma once

#include <vector>

#include "face_geometry.h"
#include "faceformat/image.h"
#include "raster.h"

namespace tkt {

// Element positions are twips from the canvas's top-left corner; a point in twips lies at the centre of
// its pixel, so a line starting at (1350, 1350) starts in the middle of pixel (90, 90).
struct SceneLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float widthPx = 1;
  uint32_t pixel = 0;  // 0x00RRGGBB
};

// A circle inscribed in its box: filled (centre dot) or an outline inside the box (frame), one pixel wide
// at 96 DPI.
struct SceneCircle {
  float left = 0, top = 0, width = 0, height = 0;
  uint32_t pixel = 0;
  bool filled = false;
  float strokePx = 1;
};

struct SceneSprite {
  const faceformat::Image* image = nullptr;
  float left = 0, top = 0;  // twips; snapped to whole pixels
};

struct FaceScene {
  float twipsPerPixel = kDesignTwipsPerPixel;
  uint32_t background = 0x00C0C0C0;  // outside the face picture
  const faceformat::Image* face = nullptr;  // drawn unscaled at the top-left corner
  std::vector<SceneCircle> frames;
  std::vector<SceneSprite> sprites;  // later ones on top
  std::vector<SceneLine> hands;      // later ones on top
  std::vector<SceneCircle> dots;     // on top of everything
};

enum class FaceLayer {
  BelowText,  // background, face picture, frames, sprites
  AboveText,  // hands, dots
};

void RenderFace(const FaceScene& scene, const Canvas& canvas, const PixelRect& clip, FaceLayer layer);

// Pixels an element may change, for invalidating only what moved.
PixelRect BoundsOf(const SceneLine& line, float twipsPerPixel);
PixelRect BoundsOf(const SceneCircle& circle, float twipsPerPixel);
PixelRect BoundsOf(const SceneSprite& sprite, float twipsPerPixel);

}  // namespace tkt
