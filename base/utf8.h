// UTF-8 and wide text, for the one file that is UTF-8 whatever the code page (a clock's options). wchar_t is
// UTF-16 on Windows and UTF-32 on the host; both are handled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tkt {

// Nothing for bytes that are not well-formed UTF-8: a stray or missing continuation byte, an overlong form,
// a surrogate, or a code point beyond U+10FFFF.
inline std::optional<std::wstring> DecodeUtf8(std::string_view utf8) {
  std::wstring out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<uint8_t>(utf8[i]);
    const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + size_t(extra) >= utf8.size()) return std::nullopt;
    uint32_t c = extra == 0 ? b : b & (0x3f >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto n = static_cast<uint8_t>(utf8[i + size_t(k)]);
      if ((n & 0xc0) != 0x80) return std::nullopt;
      c = c << 6 | (n & 0x3f);
    }
    static constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (c < kLeast[extra] || c > 0x10ffff || (c >= 0xd800 && c < 0xe000)) return std::nullopt;
    i += size_t(extra) + 1;
    if (c >= 0x10000 && sizeof(wchar_t) == 2) {
      out += wchar_t(0xd800 + ((c - 0x10000) >> 10));
      out += wchar_t(0xdc00 + ((c - 0x10000) & 0x3ff));
    } else {
      out += wchar_t(c);
    }
  }
  return out;
}

// An unpaired surrogate becomes U+FFFD.
inline std::string EncodeUtf8(std::wstring_view wide) {
  std::string out;
  for (size_t i = 0; i < wide.size(); ++i) {
    auto c = uint32_t(wide[i]);
    if (c >= 0xd800 && c < 0xdc00 && i + 1 < wide.size() && uint32_t(wide[i + 1]) >= 0xdc00 &&
        uint32_t(wide[i + 1]) < 0xe000) {
      c = 0x10000 + ((c - 0xd800) << 10) + (uint32_t(wide[++i]) - 0xdc00);
    } else if ((c >= 0xd800 && c < 0xe000) || c > 0x10ffff) {
      c = 0xfffd;
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xc0 | c >> 6), out += char(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
      out += char(0xe0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3f)), out += char(0x80 | (c & 0x3f));
    } else {
      out += char(0xf0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3f)), out += char(0x80 | (c >> 6 & 0x3f));
      out += char(0x80 | (c & 0x3f));
    }
  }
  return out;
}

}  // namespace tkt
