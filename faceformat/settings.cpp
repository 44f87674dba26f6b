#include "faceformat/settings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <concepts>
#include <limits>
#include <type_traits>

#include "faceformat/files.h"
#include "faceformat/files_internal.h"

namespace faceformat {

namespace {

// The font size is a fixed-point number with four decimals (1/10000 point steps), held in a double. Below
// 1e9 a double is fine-grained enough (under 1e-3 of a step) that size * 10000 always rounds back to its
// step, so a size reads, writes and reads again unchanged; near 1e12 it was not.
constexpr double kFontSizeLimit = 1e9;
constexpr long long kColorMax = 0xFFFFFF;

// --- Writing ---

void Append(std::string& out, const std::optional<std::string>& v) {
  if (!v) return;
  out += '"';
  for (char c : *v) {
    if (c != '"') out += c;  // a quote cannot be written; CheckSettingsWritable refuses such records
  }
  out += '"';
}

template <std::integral Int>
void Append(std::string& out, const std::optional<Int>& v) {
  if (!v) return;
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(*v));
  out.append(buf, r.ptr);
}

void Append(std::string& out, const std::optional<bool>& v) {
  if (v) out += *v ? "#TRUE#" : "#FALSE#";
}

void Append(std::string& out, const std::optional<float>& v) {
  if (!v || !std::isfinite(*v)) return;
  out += FormatSingle(*v);
}

void Append(std::string& out, const std::optional<double>& v) {
  if (!v || !std::isfinite(*v) || std::fabs(*v) >= kFontSizeLimit) return;
  out += FormatFontSize(*v);
}

// --- Reading ---

enum class Kind { kAbsent, kText, kBool, kBare };

struct Token {
  Kind kind = Kind::kAbsent;
  std::string_view text;  // kText: between the quotes; kBare: the trimmed run
  bool flag = false;      // kBool
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

class ValueReader {
 public:
  explicit ValueReader(std::string_view s) : s_(s) {}

  // Reads one value. Fails when the text ends where a value should start, or on a broken quoted value.
  Result<Token> Next(int field) {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
    if (pos_ >= s_.size()) {
      // "a,<end>" still holds an empty last value; after a line end or at the start nothing is left.
      if (afterComma_) {
        afterComma_ = false;
        return Token{};
      }
      return Error{"the file ends before value " + std::to_string(field), field};
    }
    Token t;
    if (s_[pos_] == '"') {
      size_t close = s_.find('"', pos_ + 1);
      if (close == std::string_view::npos) return Error{"a quoted value is never closed", field};
      t.kind = Kind::kText;
      t.text = s_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
      while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
      if (pos_ < s_.size() && s_[pos_] != ',' && !IsLineEnd(s_[pos_]))
        return Error{"text follows a quoted value", field};
    } else {
      size_t start = pos_;
      while (pos_ < s_.size() && s_[pos_] != ',' && !IsLineEnd(s_[pos_])) ++pos_;
      std::string_view run = s_.substr(start, pos_ - start);
      while (!run.empty() && IsBlank(run.back())) run.remove_suffix(1);
      if (run.find('"') != std::string_view::npos) return Error{"a quote inside an unquoted value", field};
      if (run.empty()) {
        t.kind = Kind::kAbsent;
      } else if (run == "#TRUE#" || run == "#FALSE#") {
        t.kind = Kind::kBool;
        t.flag = run == "#TRUE#";
      } else {
        t.kind = Kind::kBare;
        t.text = run;
      }
    }
    SkipSeparator();
    return t;
  }

 private:
  void SkipSeparator() {
    afterComma_ = false;
    if (pos_ >= s_.size()) return;
    if (s_[pos_] == ',') {
      ++pos_;
      afterComma_ = true;
    } else if (s_[pos_] == '\r') {
      ++pos_;
      if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
    } else if (s_[pos_] == '\n') {
      ++pos_;
    }
  }

  std::string_view s_;
  size_t pos_ = 0;
  bool afterComma_ = false;
};

// A decimal number: optional sign, digits with an optional point, optional exponent. No hex, inf or nan.
bool IsDecimalNumber(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// from_chars takes no leading '+' and "-.5"/".5" are fine for it; the sign is handled here.
template <class Real>
bool ParseReal(std::string_view s, Real& out) {
  if (!IsDecimalNumber(s)) return false;
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  Real v{};
  auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
  out = negative ? -v : v;
  return true;
}

class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : reader_(bytes) {}

  Status Text(std::optional<std::string>& out) {
    auto t = Take();
    if (!t) return t.error();
    switch (t->kind) {
      case Kind::kAbsent: out.reset(); break;
      case Kind::kBool: return Wrong("a yes/no value where text belongs");
      case Kind::kText:
      case Kind::kBare:
        if (t->text.empty()) out.reset();
        else out = std::string(t->text);
        break;
    }
    return Success();
  }

  template <class Int>
  Status Integer(std::optional<Int>& out, long long lo, long long hi) {
    auto t = Take();
    if (!t) return t.error();
    if (t->kind == Kind::kAbsent) {
      out.reset();
      return Success();
    }
    double v = 0;
    if (t->kind != Kind::kBare || !ParseReal(t->text, v)) return Wrong("not a number");
    v = std::nearbyint(v);  // as the platform converts a real: to the nearest, a half to the even one
    if (v < double(lo) || v > double(hi)) return Wrong("number out of range");
    out = static_cast<Int>(v);
    return Success();
  }

  // Twips. `emptyTextIsAbsent`: a presence field, where "" reads as absent.
  Status Single(std::optional<float>& out, bool emptyTextIsAbsent) {
    auto t = Take();
    if (!t) return t.error();
    if (t->kind == Kind::kAbsent || (emptyTextIsAbsent && t->kind == Kind::kText && t->text.empty())) {
      out.reset();
      return Success();
    }
    float v = 0;
    if (t->kind != Kind::kBare || !ParseReal(t->text, v) || std::fabs(v) > kMaxTwips)
      return Wrong("not a number or out of range");
    out = v;
    return Success();
  }

  Status FontSize(std::optional<double>& out) {
    auto t = Take();
    if (!t) return t.error();
    if (t->kind == Kind::kAbsent) {
      out.reset();
      return Success();
    }
    double v = 0;
    if (t->kind != Kind::kBare || !ParseReal(t->text, v)) return Wrong("not a number");
    if (std::fabs(v) >= kFontSizeLimit) return Wrong("number out of range");
    out = std::nearbyint(v * 10000.0) / 10000.0;
    return Success();
  }

  Status Boolean(std::optional<bool>& out) {
    auto t = Take();
    if (!t) return t.error();
    if (t->kind == Kind::kAbsent) {
      out.reset();
      return Success();
    }
    if (t->kind != Kind::kBool) return Wrong("not #TRUE# or #FALSE#");
    out = t->flag;
    return Success();
  }

  // The value of the next field, by the kind of its member.
  Status Read(std::optional<std::string>& out, bool) { return Text(out); }
  Status Read(std::optional<int32_t>& out, bool) { return Integer(out, 0, kColorMax); }
  Status Read(std::optional<int16_t>& out, bool) {
    return Integer(out, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
  }
  Status Read(std::optional<float>& out, bool presence) { return Single(out, presence); }
  Status Read(std::optional<double>& out, bool) { return FontSize(out); }
  Status Read(std::optional<bool>& out, bool) { return Boolean(out); }

 private:
  Result<Token> Take() { return reader_.Next(++field_); }
  Error Wrong(const char* what) const { return Error{std::string(what) + " in value " + std::to_string(field_), field_}; }

  ValueReader reader_;
  int field_ = 0;
};

}  // namespace

std::string FormatSingle(float v) {
  if (v == 0) return "0";  // also -0
  // The shortest form that reads back as this very single, when it has at most seven significant digits;
  // else seven significant digits of the exact value. (Rounding alone to seven digits is the same for normal
  // numbers, but a subnormal can read back as a neighbour whose own rounding differs, so the next write
  // would change the text.) Either way written out without an exponent.
  char buf[48];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string_view sci(buf, size_t(r.ptr - buf));  // [-]d[.ddd]e[+-]xx
  if (sci.find('e') - (sci[0] == '-') - (sci.find('.') != std::string_view::npos) > 7) {
    r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 6);
    sci = std::string_view(buf, size_t(r.ptr - buf));
  }
  bool negative = sci[0] == '-';
  if (negative) sci.remove_prefix(1);
  size_t e = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  std::string digits;
  digits += sci[0];
  if (e > 2) digits.append(sci.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  // Value = 0.d1d2d3... x 10^(exponent + 1).
  int pointPos = exponent + 1;
  std::string out;
  if (negative) out += '-';
  if (pointPos <= 0) {
    out += "0.";
    out.append(size_t(-pointPos), '0');
    out += digits;
  } else if (size_t(pointPos) >= digits.size()) {
    out += digits;
    out.append(size_t(pointPos) - digits.size(), '0');
  } else {
    out.append(digits, 0, size_t(pointPos));
    out += '.';
    out.append(digits, size_t(pointPos));
  }
  return out;
}

std::string FormatFontSize(double v) {
  long long steps = std::llround(v * 10000.0);
  std::string out;
  if (steps < 0) {
    out += '-';
    steps = -steps;
  }
  out += std::to_string(steps / 10000);
  long long frac = steps % 10000;
  if (frac != 0) {
    char buf[5] = {char('0' + frac / 1000), char('0' + frac / 100 % 10), char('0' + frac / 10 % 10),
                   char('0' + frac % 10), 0};
    std::string f(buf);
    while (f.back() == '0') f.pop_back();
    out += '.';
    out += f;
  }
  return out;
}

namespace {

// Calls visit(member, number, presence) for each field in the file's order.
template <class Visit>
constexpr void ForEachNumberedField(Visit&& visit) {
  int number = 0;
  ClockSettings::ForEachField([&]<class Member, class... Presence>(Member member, Presence...) {
    constexpr bool presence = sizeof...(Presence) > 0;
    static_assert(!presence || std::is_same_v<Member, std::optional<float> ClockSettings::*>,
                  "only a single field can be one of the presence tests");
    visit(member, ++number, presence);
  });
}

Status Check(const std::optional<std::string>& v, int number) {
  if (v && v->find('"') != std::string::npos) return Error{"a text value cannot hold a double quote", number};
  return Success();
}
Status Check(const std::optional<int32_t>& v, int number) {
  if (v && (*v < 0 || *v > kColorMax)) return Error{"a colour outside 0..16777215", number};
  return Success();
}
Status Check(const std::optional<float>& v, int number) {
  if (v && !(std::fabs(*v) <= kMaxTwips)) return Error{"a number that is not finite or beyond the screen", number};
  return Success();
}
Status Check(const std::optional<double>& v, int number) {
  if (v && !(std::fabs(*v) < kFontSizeLimit)) return Error{"a font size out of range", number};
  return Success();
}

// The fields holding a T, in order; the first that the file cannot carry.
template <class T>
Status CheckFieldsOf(const ClockSettings& s) {
  Status result = Success();
  ForEachNumberedField([&](auto member, int number, bool) {
    if constexpr (std::is_same_v<decltype(member), std::optional<T> ClockSettings::*>) {
      if (result) result = Check(s.*member, number);
    }
  });
  return result;
}

Result<ClockSettings> Parse(std::string_view bytes) {
  ClockSettings s;
  FieldReader r(bytes);
  Status result = Success();
  ForEachNumberedField([&](auto member, int, bool presence) {
    if (result) result = r.Read(s.*member, presence);
  });
  if (!result) return result.error();
  return s;
}

}  // namespace

std::string FormatSettings(const ClockSettings& s) {
  std::string o;
  o.reserve(256);
  ForEachNumberedField([&](auto member, int number, bool) {
    if (number > 1) o += ',';
    Append(o, s.*member);
  });
  o += "\r\n";
  return o;
}

Status CheckSettingsWritable(const ClockSettings& s) {
  // Kind by kind, so that a record with several faults names the same field as it always did.
  for (auto check : {&CheckFieldsOf<std::string>, &CheckFieldsOf<int32_t>, &CheckFieldsOf<float>,
                     &CheckFieldsOf<double>}) {
    if (auto ok = check(s); !ok) return ok;
  }
  return Success();
}

Result<ClockSettings> ParseSettings(std::string_view bytes) {
  return detail::NoThrow([&] { return Parse(bytes); }, 0);
}

Result<ClockSettings> ReadSettingsFile(const std::filesystem::path& path) {
  return detail::NoThrow([&]() -> Result<ClockSettings> {
    auto bytes = ReadWholeFile(path, kMaxSettingsFileBytes);
    if (!bytes) return Error{bytes.error().what, 0};
    return Parse(*bytes);
  }, 0);
}

Status WriteSettingsFile(const std::filesystem::path& path, const ClockSettings& s) {
  if (auto ok = CheckSettingsWritable(s); !ok) return ok;
  return detail::NoThrow([&] { return WriteFileAtomic(path, FormatSettings(s)); });
}

ClockSettings KaichuTemplate(const std::string& root) {
  ClockSettings s;
  s.regionFilePath = root + "\\sample\\kaichu.rgp";
  s.faceBitmapPath = root + "\\sample\\kaichu.bmp";
  s.secondColor = 7303023;
  s.secondLength = 70;
  s.secondWidth = 1;
  s.hourColor = 15724527;
  s.hourLength = 40;
  s.hourWidth = 4;
  s.minuteColor = 14671839;
  s.minuteLength = 65;
  s.minuteWidth = 2;
  s.centerDotColor = 64;
  s.centerDotSize = 136;
  return s;
}

}  // namespace faceformat
