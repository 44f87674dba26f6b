// What a PaintChip stores, in the order it stores it.
#pragma once

#include <cstdint>

#include "paintchip/prop_exchange.h"

namespace paintchip {

inline constexpr std::uint32_t kChipVersion = 0x00010000;  // 1.0

// Kept by every control of the framework: its size (HIMETRIC) and the stock properties it uses.
struct FrameworkProps {
  std::int32_t extentX = 0;
  std::int32_t extentY = 0;
  bool enabled = true;
};

void ExchangeFrameworkProps(PropExchange& px, FrameworkProps& props);

// Version (data of another version is saved back as 1.0), the framework's properties, then "Color"
// with no default, so a stored form without it leaves the colour as it is.
void DoChipPropExchange(PropExchange& px, FrameworkProps& framework, std::uint32_t& color);

}  // namespace paintchip
