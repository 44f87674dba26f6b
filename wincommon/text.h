// The file boundary: texts on disk are bytes in the ANSI code page, the UI is UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tkt {

// Lenient: what the other side cannot hold becomes a look-alike or the default character.
inline std::wstring ToWide(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), wide.data(), n);
  return wide;
}

inline std::string FromWide(std::wstring_view wide, UINT codePage) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

inline std::wstring AnsiToWide(std::string_view ansi) { return ToWide(ansi, CP_ACP); }
inline std::string WideToAnsi(std::wstring_view wide) { return FromWide(wide, CP_ACP); }

// Exact: nothing when a byte sequence is invalid in the code page.
inline std::optional<std::wstring> ExactAnsiToWide(std::string_view ansi) {
  if (ansi.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), int(ansi.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), int(ansi.size()), wide.data(), n);
  return wide;
}

// Exact: nothing when a character is missing from the code page, rather than a look-alike or '?'.
inline std::optional<std::string> ExactWideToAnsi(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr, 0,
                                    nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string ansi(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), ansi.data(), n, nullptr,
                      &usedDefault);
  if (usedDefault) return std::nullopt;
  return ansi;
}

}  // namespace tkt
