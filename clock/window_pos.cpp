#include "window_pos.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tkt {

std::string FormatStoredTwips(float twips) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, twips, std::chars_format::general, 7);
  if (ec != std::errc()) return "0";
  return std::string(text, end);
}

std::optional<float> ParseStoredTwips(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string number(text);
  std::replace(number.begin(), number.end(), ',', '.');
  if (!number.empty() && number.front() == '+') number.erase(0, 1);
  float value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

namespace {

long long DistanceSquared(const PixelRect& a, const PixelRect& b) {
  const long long dx = std::max({0LL, (long long)b.left - a.right, (long long)a.left - b.right});
  const long long dy = std::max({0LL, (long long)b.top - a.bottom, (long long)a.top - b.bottom});
  return dx * dx + dy * dy;
}

// Moves [lo, hi) into [min, max) along one axis; a face larger than the screen keeps its start on it.
int ShiftInto(int lo, int hi, int min, int max) {
  if (hi > max) return std::max(max - hi, min - lo);
  if (lo < min) return min - lo;
  return 0;
}

}  // namespace

PixelOffset PullOntoScreen(const PixelRect& face, std::span<const PixelRect> monitors) {
  if (monitors.empty() || face.empty()) return {};
  const PixelRect* nearest = nullptr;
  long long best = std::numeric_limits<long long>::max();
  for (const PixelRect& m : monitors) {
    if (!Intersect(face, m).empty()) return {};
    const long long d = DistanceSquared(face, m);
    if (d < best) best = d, nearest = &m;
  }
  return {ShiftInto(face.left, face.right, nearest->left, nearest->right),
          ShiftInto(face.top, face.bottom, nearest->top, nearest->bottom)};
}

PixelSize UsableSize(std::optional<int> width, std::optional<int> height, PixelSize current,
                     const PixelRect& regionBox) {
  auto usable = [](std::optional<int> stored, int faceEnd) { return stored && *stored > 0 && *stored >= faceEnd; };
  return {usable(width, regionBox.right) ? *width : current.width,
          usable(height, regionBox.bottom) ? *height : current.height};
}

PixelRect VisibleFace(const PixelRect& window, const std::optional<PixelRect>& regionBox) {
  if (!regionBox) return window;
  return Intersect({window.left + regionBox->left, window.top + regionBox->top, window.left + regionBox->right,
                    window.top + regionBox->bottom},
                   window);
}

}  // namespace tkt
