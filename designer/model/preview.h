// What the preview OLGPic1 shows, as a scene for the clock's face renderer: the designer's counterpart
// of the clock's SceneOf (clock/form1_scene.h). The read-out is left to the window, which draws it
// between the two layers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "clock/face_render.h"
#include "form.h"

namespace designer {

// Artwork by the name an ImageBox gives in `resource`; null when missing.
using PictureLookup = std::function<const faceformat::Image*(const std::string& resource)>;

// Stacking as the clock's: face, frame, cuckoo A then B, hour, minute and second hands, centre dot;
// hidden controls are left out.
tkt::FaceScene SceneOf(const DesignerForm& form, const PictureLookup& pictureOf, uint32_t background);

}  // namespace designer
