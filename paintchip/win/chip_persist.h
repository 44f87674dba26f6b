// What a PaintChip stores, in the order it stores it.
#pragma once

#include <cstdint>

#include "paintchip/com/prop_exchange.h"

namespace paintchip {

inline constexpr std::uint32_t kChipVersion = 0x00010000;  // 1.0

// Version (data of another version is saved back as 1.0), the framework's properties, then "Color"
// with no default, so a stored form without it leaves the colour as it is.
void DoChipPropExchange(tktcom::PropExchange& px, tktcom::FrameworkProps& framework, std::uint32_t& color);

}  // namespace paintchip
