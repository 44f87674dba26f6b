// Pixel access to a picture area's image bitmap, as the region file maker needs it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "faceformat/image.h"
#include "wincommon/handle.h"

namespace designer {

// 32-bit bottom-up DIB pixels, one uint32_t per pixel (0x00RRGGBB: blue, green, red, reserved in memory).
// Index (h - 1 - y) * w + x; one spare entry at index w * h. Returns w * h, or -1 when the bitmap cannot
// be read (no bitmap, a size that overflows 32 bits, GetDIBits failing). The array is reallocated on each read.
// The bitmap must not be selected into a device context.
int32_t ReadImagePixels(HBITMAP image, std::vector<uint32_t>& pixels);

// Writes the array back (same layout); 0 on success, -1 on failure. The caller redraws.
int32_t WriteImagePixels(HBITMAP image, const std::vector<uint32_t>& pixels);

// A 32-bit bottom-up DIB section holding the picture; empty on failure.
tkt::BitmapHandle CreateBitmapFromImage(const faceformat::Image& image);

}  // namespace designer
