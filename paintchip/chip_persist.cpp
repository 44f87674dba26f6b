#include "paintchip/chip_persist.h"

namespace paintchip {

void ExchangeFrameworkProps(PropExchange& px, FrameworkProps& props) {
  px.ExchangeLong("_ExtentX", props.extentX, std::nullopt);
  px.ExchangeLong("_ExtentY", props.extentY, std::nullopt);
  px.ExchangeBool("Enabled", props.enabled, true);
}

void DoChipPropExchange(PropExchange& px, FrameworkProps& framework, std::uint32_t& color) {
  std::uint32_t stored = kChipVersion;
  px.ExchangeVersion(stored, kChipVersion);
  ExchangeFrameworkProps(px, framework);
  px.ExchangeColor("Color", color, std::nullopt);
}

}  // namespace paintchip
