// What the preview OLGPic1 shows, as a scene for the clock's face renderer: the designer's counterpart
// of the clock's SceneOf (clock/form1_scene.h). The read-out is left to the window, which draws it
// between the two layers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>

#include "face/face_render.h"
#include "form.h"

namespace designer {

// Artwork by the name an ImageBox gives in `resource`; null when missing.
using PictureLookup = std::function<const faceformat::Image*(const std::string& resource)>;

// Stacking as the clock's: face, frame, cuckoo A then B, hour, minute and second hands, centre dot;
// hidden controls are left out.
tkt::FaceScene SceneOf(const DesignerForm& form, const PictureLookup& pictureOf, uint32_t background);

// The face at `opacity` per cent over `background`, as a see-through clock shows over what lies under it.
// Pixels 0x00RRGGBB.
void BlendOver(std::span<uint32_t> pixels, uint32_t background, int opacity);

// The preview at a monitor's DPI, as the clock shows the face there: the scene scaled with tkt::ScaleScene and
// its face and cuckoo pictures with tkt::ScalePicture. A picture is scaled once and kept until it or the DPI
// changes. At 96 DPI the scene is SceneOf's, pictures and all.
class ScaledPreview {
 public:
  // Pictures from `pictureOf` must live as long as this object (the designer's artwork keeps its own).
  tkt::FaceScene SceneAt(const DesignerForm& form, const PictureLookup& pictureOf, uint32_t background, int dpi);

 private:
  std::shared_ptr<const faceformat::Image> face_;  // held, so a new face never takes the old one's address
  faceformat::Image faceScaled_;
  int faceDpi_ = 0;
  std::map<const faceformat::Image*, faceformat::Image> sprites_;  // the cuckoo pictures at spritesDpi_
  int spritesDpi_ = 0;
};

}  // namespace designer
