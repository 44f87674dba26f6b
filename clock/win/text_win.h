// The file boundary: settings texts are bytes in the ANSI code page, the UI is UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tkt {

std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

}  // namespace tkt
