#include "paintchip/drag_data.h"

namespace paintchip {

std::array<std::uint8_t, kDragDataSize> EncodeDragColor(ColorRef color) {
  return {static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8),
          static_cast<std::uint8_t>(color >> 16), static_cast<std::uint8_t>(color >> 24)};
}

std::optional<ColorRef> DecodeDragColor(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < kDragDataSize) return std::nullopt;
  return static_cast<ColorRef>(data[0]) | static_cast<ColorRef>(data[1]) << 8 |
         static_cast<ColorRef>(data[2]) << 16 | static_cast<ColorRef>(data[3]) << 24;
}

}  // namespace paintchip
