#include "designer/model/clock_options_page.h"

#include <algorithm>
#include <string_view>

namespace designer {

namespace {

using faceformat::ChimeHours;

// Options files are UTF-8; the controls hold UTF-16 (or UTF-32 on the host).
std::string Utf8(const std::wstring& wide) {
  std::string out;
  for (size_t i = 0; i < wide.size(); ++i) {
    uint32_t c = uint32_t(wide[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && uint32_t(wide[i + 1]) >= 0xDC00 &&
        uint32_t(wide[i + 1]) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(wide[++i]) - 0xDC00);
    } else if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | c >> 6), out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3F)), out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3F)), out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Bad sequences become U+FFFD, as a value the clock would not use anyway.
std::wstring Wide(std::string_view utf8) {
  std::wstring out;
  for (size_t i = 0; i < utf8.size();) {
    const uint8_t b = uint8_t(utf8[i]);
    const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    uint32_t c = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
    bool ok = extra >= 0 && i + size_t(extra) < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const uint8_t n = uint8_t(utf8[i + size_t(k)]);
      ok = (n & 0xC0) == 0x80;
      c = c << 6 | (n & 0x3F);
    }
    if (!ok || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
      out += wchar_t(0xFFFD);
      ++i;
      continue;
    }
    i += size_t(extra) + 1;
    if (c >= 0x10000 && sizeof(wchar_t) == 2) {
      out += wchar_t(0xD800 + ((c - 0x10000) >> 10));
      out += wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += wchar_t(c);
    }
  }
  return out;
}

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
