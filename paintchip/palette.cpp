#include "paintchip/palette.h"

namespace paintchip {

const ColorTable& DefaultColorTable() {
  // Entry 10 repeats entry 7; the duplicate is part of the shipped palette.
  static const ColorTable table = {
      0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF, 0x0000C0C0, 0x00008484, 0x00FFFF00, 0x00C0C000,
      0x00848400, 0x00FFFF00, 0x00FF00FF, 0x00C000C0, 0x00840084, 0x005C5C5C, 0x00005C5C, 0x00000000,
  };
  return table;
}

std::vector<PaletteItem> PaletteItems(const ColorTable& table) {
  std::vector<PaletteItem> items;
  items.reserve(kPaletteSize + 1);
  for (std::size_t i = 0; i < kPaletteSize; ++i) {
    items.push_back({static_cast<int>(i) + 1, table[i], i == 4 || i == 8 || i == 12});
  }
  items.push_back({kOtherColorId, std::nullopt, false});
  return items;
}

PaletteChoice ClassifyChoice(int id) {
  if (id == 0) return PaletteChoice::Nothing;
  if (id == kOtherColorId) return PaletteChoice::OtherColor;
  if (id >= 1 && id <= static_cast<int>(kPaletteSize)) return PaletteChoice::Entry;
  return PaletteChoice::Unknown;
}

std::optional<ColorRef> EntryColor(int id, const ColorTable& table) {
  if (ClassifyChoice(id) != PaletteChoice::Entry) return std::nullopt;
  return table[static_cast<std::size_t>(id - 1)];
}

}  // namespace paintchip
