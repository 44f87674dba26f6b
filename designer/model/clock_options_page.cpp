#include "designer/model/clock_options_page.h"

#include <algorithm>
#include <string_view>

#include "base/utf8.h"

namespace designer {

namespace {

using faceformat::ChimeHours;

std::string Utf8(const std::wstring& wide) { return tkt::EncodeUtf8(wide); }
// The options were checked when read: what reaches here is well-formed.
std::wstring Wide(std::string_view utf8) { return tkt::DecodeUtf8(utf8).value_or(std::wstring()); }

std::wstring Upper(std::wstring s) {
  for (wchar_t& c : s) {
    if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
  }
  return s;
}

}  // namespace

GatheredOptions GatherOptions(const DesignerForm& f) {
  faceformat::ClockOptions o;
  o.timeZone = Utf8(f.SelectedZone());
  o.name = Utf8(f.clockName.text);
  o.chime = f.chimeHour.value ? ChimeHours::Hour : f.chimeOff.value ? ChimeHours::Off : ChimeHours::HalfHour;
  if (f.quietCheck.checked()) {
    const std::optional<int> from = faceformat::ParseTimeOfDay(Utf8(f.quietFrom.text));
    const std::optional<int> to = faceformat::ParseTimeOfDay(Utf8(f.quietTo.text));
    if (!from || !to) return {std::nullopt, kBadQuietHours};
    o.quiet = faceformat::QuietHours{*from, *to};
  }
  o.opacity = f.opacityScroll.value;
  o.fadeOnHover = f.fadeCheck.checked();
  return {o, nullptr};
}

void ApplyOptions(DesignerForm& f, const faceformat::ClockOptions& o) {
  f.SelectZone(Wide(o.timeZone));
  f.clockName.SetText(Wide(o.name));
  OptionButton& chime = o.chime == ChimeHours::Hour ? f.chimeHour : o.chime == ChimeHours::Off ? f.chimeOff
                                                                                             : f.chimeHalfHour;
  chime.SetValue(true);
  if (o.quiet) {
    f.quietFrom.SetText(Wide(faceformat::FormatTimeOfDay(o.quiet->from)));
    f.quietTo.SetText(Wide(faceformat::FormatTimeOfDay(o.quiet->to)));
  }
  f.quietCheck.SetValue(o.quiet ? 1 : 0);
  f.opacityScroll.SetValue(std::clamp(o.opacity, f.opacityScroll.min, f.opacityScroll.max));
  f.fadeCheck.SetValue(o.fadeOnHover ? 1 : 0);
}

const wchar_t* ClockNameProblem(const std::wstring& name) {
  if (name.empty()) return kNameEmpty;
  if (name.size() > kMaxClockName) return kNameTooLong;
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
      return kNameBadCharacter;
  }
  if (name.back() == L'.' || name.back() == L' ') return kNameBadEnd;
  // A device name stays a device whatever follows its first dot.
  std::wstring base = Upper(name.substr(0, name.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  static const std::wstring_view kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
  bool reserved = std::find(std::begin(kDevices), std::end(kDevices), base) != std::end(kDevices);
  if (base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) && base[3] >= L'1' && base[3] <= L'9')
    reserved = true;
  // tkt.ini is the default clock's; "x-options" would take another clock's options file.
  const std::wstring upper = Upper(name);
  if (upper == L"TKT" || upper.ends_with(L"-OPTIONS")) reserved = true;
  return reserved ? kNameReserved : nullptr;
}

}  // namespace designer
