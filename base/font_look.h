// A font as the settings file and the controls name it: face, size in points and style. The clock holds the
// face in ANSI bytes, as the file has it; the designer in UTF-16.
#pragma once

#include <string>

namespace tkt {

template <class Char>
struct BasicFontLook {
  std::basic_string<Char> name;
  double size = 9;  // points
  bool bold = false, italic = false, underline = false, strikethru = false;
  bool operator==(const BasicFontLook&) const = default;
};

}  // namespace tkt
