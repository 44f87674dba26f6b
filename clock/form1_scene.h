// What the clock window shows, as a scene for the face renderer.
#pragma once

#include "face/face_render.h"
#include "form1_model.h"

namespace tkt {

struct CuckooPictures {
  faceformat::Image hato1_close, hato1_open, hato2_close, hato2_open;
};

// Stacking: face, frame, kind 1 then kind 2 pictures (the closed picture above the open one, so a door
// looks shut until its first chime), [read-out], hour, minute and second hands, centre dot.
FaceScene SceneOf(const Form1Model& form, const faceformat::Image* face, const CuckooPictures& pictures,
                  uint32_t background);

// Rectangles that cover every pixel that changes when the hands and pictures of `before` become those of
// `after`: old and new bounds of each element that moved, nothing for those that stayed.
std::vector<PixelRect> ChangedAreas(const FaceScene& before, const FaceScene& after);

}  // namespace tkt
