// The four sample faces: 180 x 180 pictures on pure white, centred on pixel (90, 90).
#pragma once

#include "faceformat/image.h"

namespace art {

faceformat::Image DrawKaichuFace();  // pocket watch with crown and bow
faceformat::Image DrawArmyFace();    // wristwatch with strap stubs and bold numerals
faceformat::Image DrawHatoFace();    // cuckoo-clock house with roof, leaves and a door area
faceformat::Image DrawMecaFace();    // skeleton face with visible gears

}  // namespace art
