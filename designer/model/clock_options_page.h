// The options page as a clock's options file, and the names a clock's own files may take.
#pragma once

#include <optional>
#include <string>

#include "designer/model/form.h"
#include "faceformat/clock_options.h"

namespace designer {

inline constexpr wchar_t kBadQuietHours[] = L"鳴らさない時間は「22:00」のように 時:分 で入力して下さい。";

// The page's options; a message instead when the quiet hours cannot be read.
struct GatheredOptions {
  std::optional<faceformat::ClockOptions> options;
  const wchar_t* message = nullptr;
};
GatheredOptions GatherOptions(const DesignerForm& form);
// Sets the page's controls from options read from a file, each through its handler.
void ApplyOptions(DesignerForm& form, const faceformat::ClockOptions& options);

inline constexpr wchar_t kNameEmpty[] = L"時計のﾌｧｲﾙ名を入力して下さい。";
inline constexpr wchar_t kNameBadCharacter[] = L"ﾌｧｲﾙ名に次の文字は使えません。\r\\ / : * ? \" < > |";
inline constexpr wchar_t kNameBadEnd[] = L"ﾌｧｲﾙ名の最後に「.」や空白は使えません。";
inline constexpr wchar_t kNameReserved[] = L"この名前はﾌｧｲﾙ名に使えません。別の名前にして下さい。";
inline constexpr wchar_t kNameTooLong[] = L"ﾌｧｲﾙ名が長すぎます。もっと短い名前にして下さい。";
inline constexpr size_t kMaxClockName = 64;

// Why `name` cannot name a clock's files, program\<name>.ini and <name>-options.ini; null when it can.
const wchar_t* ClockNameProblem(const std::wstring& name);

}  // namespace designer
