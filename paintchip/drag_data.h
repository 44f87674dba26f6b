// The data a PaintChip drag carries: one COLORREF, 4 bytes, little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "paintchip/palette.h"

namespace paintchip {

inline constexpr char kColorTransferFormat[] = "Color Transfer";
inline constexpr std::size_t kDragDataSize = 4;

std::array<std::uint8_t, kDragDataSize> EncodeDragColor(ColorRef color);
// Reads the first 4 bytes; data shorter than that is refused rather than over-read.
std::optional<ColorRef> DecodeDragColor(const std::uint8_t* data, std::size_t size);

}  // namespace paintchip
