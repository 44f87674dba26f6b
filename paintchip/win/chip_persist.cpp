#include "paintchip/win/chip_persist.h"

namespace paintchip {

void DoChipPropExchange(tktcom::PropExchange& px, tktcom::FrameworkProps& framework, std::uint32_t& color) {
  std::uint32_t stored = kChipVersion;
  px.ExchangeVersion(stored, kChipVersion);
  tktcom::ExchangeFrameworkProps(px, framework);
  px.ExchangeColor("Color", color, std::nullopt);
}

}  // namespace paintchip
