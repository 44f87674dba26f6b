// The palette popup's content: sixteen colours in four columns, then the other-colour item.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace paintchip {

// 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

inline constexpr std::size_t kPaletteSize = 16;
using ColorTable = std::array<ColorRef, kPaletteSize>;

// The palette a process starts with. The colour dialog may later replace entries (they are its custom colours).
const ColorTable& DefaultColorTable();

// The "..." item. Not -1: Wine's and ReactOS's menu tracking report a chosen -1 as "nothing
// chosen", which would leave the colour dialog out of reach.
inline constexpr int kOtherColorId = 17;

struct PaletteItem {
  int id = 0;
  std::optional<ColorRef> color;  // none for the other-colour item
  bool menuBreak = false;         // starts a new column
};

// Identifiers 1 to 16 carry the table's entries; breaks before items 4, 8 and 12; the "..." item last,
// under entry 16.
std::vector<PaletteItem> PaletteItems(const ColorTable& table);

enum class PaletteChoice { Nothing, Entry, OtherColor, Unknown };
PaletteChoice ClassifyChoice(int id);
// The colour of identifier 1 to 16; none for every other identifier.
std::optional<ColorRef> EntryColor(int id, const ColorTable& table);

}  // namespace paintchip
