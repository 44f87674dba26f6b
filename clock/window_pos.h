// The stored window position: values in twips as text, and keeping a restored face on a screen.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "face/raster.h"

namespace tkt {

// Shortest form with at most 7 significant digits and "." as the decimal point.
std::string FormatStoredTwips(float twips);
// Accepts "." or "," as the decimal point (the earlier clock wrote the user's separator) and blanks
// around the number. Anything else is not a number.
std::optional<float> ParseStoredTwips(std::string_view text);

// Offset that moves `face` fully onto the nearest of `monitors` (their work areas) when no part of it
// lies on any of them; (0, 0) otherwise, or when there is no monitor.
struct PixelOffset {
  int dx = 0, dy = 0;
  bool operator==(const PixelOffset&) const = default;
};
PixelOffset PullOntoScreen(const PixelRect& face, std::span<const PixelRect> monitors);

struct PixelSize {
  int width = 0, height = 0;
  bool operator==(const PixelSize&) const = default;
};
// The size to restore: each stored extent (pixels) that is positive and keeps the whole of `regionBox` (the
// window region's box, window pixels; empty when there is none) inside the window; the current one otherwise.
PixelSize UsableSize(std::optional<int> width, std::optional<int> height, PixelSize current,
                     const PixelRect& regionBox);

// What of the face the window shows, in screen pixels: the region's box clipped to the window rectangle,
// or the whole window when it has no region.
PixelRect VisibleFace(const PixelRect& window, const std::optional<PixelRect>& regionBox);

}  // namespace tkt
