#include "faceformat/settings.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <random>

namespace faceformat {
namespace {

const char kKaichuLine[] =
    "\"C:\\CLOCK\\sample\\kaichu.rgp\",\"C:\\CLOCK\\sample\\kaichu.bmp\",7303023,70,1,15724527,40,4,14671839,65,2,"
    "64,136,,,,,,,,,,,,,,,,\r\n";
const char kHatoLine[] =
    "\"C:\\CLOCK\\sample\\hato.rgp\",\"C:\\CLOCK\\sample\\hato.bmp\",16777215,35,1,9288892,15,3,13296096,30,2,128,"
    "100,,,1130,690,\"hm\",\"Times New Roman\",9.75,#TRUE#,#FALSE#,#FALSE#,#FALSE#,65535,,,,\r\n";

ClockSettings Hato() {
  ClockSettings s;
  s.regionFilePath = "C:\\CLOCK\\sample\\hato.rgp";
  s.faceBitmapPath = "C:\\CLOCK\\sample\\hato.bmp";
  s.secondColor = 16777215, s.secondLength = 35, s.secondWidth = 1;
  s.hourColor = 9288892, s.hourLength = 15, s.hourWidth = 3;
  s.minuteColor = 13296096, s.minuteLength = 30, s.minuteWidth = 2;
  s.centerDotColor = 128, s.centerDotSize = 100;
  s.digitalLeft = 1130, s.digitalTop = 690;
  s.digitalStyle = "hm", s.fontName = "Times New Roman", s.fontSize = 9.75;
  s.fontBold = true, s.fontItalic = false, s.fontUnderline = false, s.fontStrikethru = false;
  s.digitalColor = 65535;
  return s;
}

// The kaichu line with value `field` (1-based) replaced by `text`.
std::string KaichuWith(int field, const std::string& text) {
  std::string line = kKaichuLine;
  size_t start = 0;
  for (int i = 1; i < field; ++i) start = line.find(',', start) + 1;
  size_t end = line.find_first_of(",\r", start);
  return line.substr(0, start) + text + line.substr(end);
}

void ExpectFailsAt(const std::string& text, long long field) {
  auto r = ParseSettings(text);
  ASSERT_FALSE(r.ok()) << text;
  EXPECT_EQ(r.error().where, field) << text << ": " << r.error().what;
}

TEST(SettingsFormat, ExampleLinesComeOutByteForByteAndReadBack) {
  EXPECT_EQ(FormatSettings(KaichuTemplate("C:\\CLOCK")), kKaichuLine);
  EXPECT_EQ(FormatSettings(Hato()), kHatoLine);
  auto kaichu = ParseSettings(kKaichuLine);
  ASSERT_TRUE(kaichu.ok()) << kaichu.error().what;
  EXPECT_EQ(*kaichu, KaichuTemplate("C:\\CLOCK"));
  EXPECT_FALSE(kaichu->HasFrame() || kaichu->HasDigital() || kaichu->HasCuckoo1() || kaichu->HasCuckoo2());
  EXPECT_EQ(*ParseSettings(kHatoLine), Hato());
}

TEST(SettingsFormat, OptionalGroupsLeaveTheirSeparators) {
  ClockSettings s = KaichuTemplate("C:\\CLOCK");
  s.cuckoo1Left = 1590, s.cuckoo1Top = 1612.5;
  std::string line = FormatSettings(s);
  EXPECT_TRUE(line.ends_with(",,1590,1612.5,,\r\n")) << line;
  s.cuckoo1Left.reset(), s.cuckoo1Top.reset();
  s.frameColor = 255, s.frameSize = 2700;
  line = FormatSettings(s);
  EXPECT_TRUE(line.ends_with(",136,255,2700,,,,,,,,,,,,,,\r\n")) << line;
  EXPECT_EQ(*ParseSettings(line), s);
}

TEST(SettingsFormat, NumberForms) {
  // Singles: the shortest form of at most seven significant digits, no trailing point or zeros.
  const std::pair<float, const char*> singles[] = {{1590, "1590"},        {1612.5f, "1612.5"},   {0.1f, "0.1"},
                                                   {-0.0f, "0"},          {3.14159265f, "3.141593"},
                                                   {16777216, "16777220"}, {0.00001f, "0.00001"},
                                                   {-1e20f, "-100000000000000000000"}};
  for (auto [v, text] : singles) EXPECT_EQ(FormatSingle(v), text);
  // Font sizes: at most four decimals.
  const std::pair<double, const char*> sizes[] = {{12, "12"}, {9.75, "9.75"}, {0.0001, "0.0001"}, {72.12344, "72.1234"}};
  for (auto [v, text] : sizes) EXPECT_EQ(FormatFontSize(v), text);
}

TEST(SettingsFormat, PointStaysAPointWhateverTheLocale) {
  struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
  const char* cOld = std::setlocale(LC_NUMERIC, nullptr);
  std::string savedC = cOld ? cOld : "C";
  bool haveCommaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  ClockSettings s = Hato();
  std::string line = FormatSettings(s);
  auto back = ParseSettings(line);
  std::setlocale(LC_NUMERIC, savedC.c_str());
  std::locale::global(old);
  EXPECT_EQ(line, kHatoLine) << "comma locale available: " << haveCommaLocale;
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back->fontSize, 9.75);
}

TEST(SettingsFormat, RandomRecordsRoundTrip) {
  std::mt19937 rng(7);
  auto maybe = [&](auto value) -> std::optional<decltype(value)> {
    if (rng() % 4 == 0) return std::nullopt;
    return value;
  };
  auto color = [&] { return int32_t(rng() % 16777216); };
  auto i16 = [&] { return int16_t(int(rng() % 65536) - 32768); };
  // At most seven significant digits, the precision of the file.
  auto single = [&] { return float(int(rng() % 199999) - 99999) / float(1 << (rng() % 3)); };
  for (int i = 0; i < 2000; ++i) {
    ClockSettings s;
    s.regionFilePath = maybe(std::string("C:\\a b\\r,") + char('0' + i % 10) + ".rgp");
    s.faceBitmapPath = maybe(std::string("\x95\x5C\x8E\xA6.bmp"));
    s.secondColor = maybe(color()), s.secondLength = maybe(i16()), s.secondWidth = maybe(i16());
    s.hourColor = maybe(color()), s.hourLength = maybe(i16()), s.hourWidth = maybe(i16());
    s.minuteColor = maybe(color()), s.minuteLength = maybe(i16()), s.minuteWidth = maybe(i16());
    s.centerDotColor = maybe(color()), s.centerDotSize = maybe(i16()), s.frameColor = maybe(color());
    s.frameSize = maybe(single()), s.digitalLeft = maybe(single()), s.digitalTop = maybe(single());
    s.digitalStyle = maybe(std::string(rng() % 2 ? "hm" : "hms")), s.fontName = maybe(std::string("IPAGothic"));
    s.fontSize = maybe(double(int(rng() % 2000000) - 1000000) / 10000.0);
    s.fontBold = maybe(bool(rng() % 2)), s.fontItalic = maybe(bool(rng() % 2));
    s.fontUnderline = maybe(bool(rng() % 2)), s.fontStrikethru = maybe(bool(rng() % 2));
    s.digitalColor = maybe(color());
    s.cuckoo1Left = maybe(single()), s.cuckoo1Top = maybe(single());
    s.cuckoo2Left = maybe(single()), s.cuckoo2Top = maybe(single());
    std::string line = FormatSettings(s);
    auto back = ParseSettings(line);
    ASSERT_TRUE(back.ok()) << line << ": " << back.error().what;
    ASSERT_EQ(*back, s) << line;
  }
}

// Found by fuzzing: just under the smallest normal single, seven digits of 1.00000036e-38 ("1e-38") read back
// as 9.99999935e-39, which was then written as "...9999999". Singles near the top of the subnormal range, and
// the shortest forms where they are shorter than a rounding to seven digits.
TEST(SettingsFormat, SubnormalAndShortestSinglesSettleAfterOneWrite) {
  auto settles = [](uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    ClockSettings s = KaichuTemplate("C:");
    s.cuckoo2Left = 0, s.cuckoo2Top = f;
    const std::string once = FormatSettings(s);
    auto parsed = ParseSettings(once);
    return parsed.ok() && FormatSettings(*parsed) == once;
  };
  EXPECT_EQ(FormatSingle(1.00000036e-38f), "0.00000000000000000000000000000000000001");
  EXPECT_EQ(FormatSingle(9.99999935e-39f), "0.00000000000000000000000000000000000001");
  for (uint32_t bits = 0x006CE000; bits < 0x006CE800; ++bits) ASSERT_TRUE(settles(bits)) << bits;
  for (uint32_t bits = 0x007FFC00; bits < 0x00800400; ++bits) ASSERT_TRUE(settles(bits)) << bits;
  // Shortest "9.56423e12" names this single as well as the seven-digit "9.564231e12" does.
  EXPECT_EQ(FormatSingle(std::bit_cast<float>(0x550B2D89u)), "9564230000000");
}

TEST(SettingsFormat, AnsiBytesRoundTripUnchanged) {
  // 表示 and ソ in code page 932: their second bytes are 0x5C, the backslash.
  const std::string path = "C:\\\x8E\x9E\x8C\x76\\\x95\x5C\x8E\xA6\x83\x5C\\face.bmp";
  ClockSettings s = Hato();
  s.faceBitmapPath = path;
  s.fontName = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ Ｐゴシック
  std::string line = FormatSettings(s);
  EXPECT_NE(line.find("\"" + path + "\""), std::string::npos);
  auto back = ParseSettings(line);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back, s);
}

TEST(SettingsRead, FewerThan29ValuesFail) {
  std::string line = kKaichuLine;
  for (int missing = 1; missing <= 4; ++missing) {
    std::string shorter = line;
    shorter.erase(shorter.find(",\r\n") - size_t(missing) + 1, size_t(missing));  // 28 down to 25 values
    ExpectFailsAt(shorter, 30 - missing);
  }
  ExpectFailsAt("", 1);
  ExpectFailsAt("\r\n", 2);
  ExpectFailsAt("\"a.rgp\",\"a.bmp\",1,2", 5);
}

TEST(SettingsRead, WrongKindRangeOrQuotingFails) {
  const std::pair<int, const char*> cases[] = {
      {3, "\"red\""}, {3, "red"}, {3, "#TRUE#"}, {3, "16777216"},  // colours: numbers within 24 bits
      {6, "-1"},      {4, "32768"}, {5, "-32769"}, {13, "32767.5"}, // 16-bit whole numbers
      {15, "1e39"},   {16, "nan"},  {17, "inf"},   {26, "0x10"}, {27, "1.2.3"},  // singles
      {20, "\"12\""}, {21, "1"},    {22, "\"#TRUE#\""}, {18, "#FALSE#"},           // booleans only #TRUE# / #FALSE#
      {2, "\"a.bmp\"x"}, {19, "Times\"New\""}};
  for (auto [field, text] : cases) ExpectFailsAt(KaichuWith(field, text), field);
  ExpectFailsAt("\"C:\\never closed,1,2,3\r\n", 1);
}

TEST(SettingsRead, LimitsOfEachKindAreAccepted) {
  EXPECT_EQ(ParseSettings(KaichuWith(3, "16777215"))->secondColor, 16777215);
  EXPECT_EQ(ParseSettings(KaichuWith(4, "-32768"))->secondLength, -32768);
  EXPECT_EQ(ParseSettings(KaichuWith(7, "+40.0"))->hourLength, 40);
  EXPECT_EQ(ParseSettings(KaichuWith(15, "-1.5E+3"))->frameSize, -1500.0f);
  EXPECT_EQ(FormatFontSize(*ParseSettings(KaichuWith(20, "9.12346"))->fontSize), "9.1235");  // four decimals kept
}

// The clock and the import both read through here: a fraction in a whole-number field is taken as the
// platform's conversion takes it, to the nearest whole number and a half to the even one.
TEST(SettingsRead, FractionsInWholeNumberFieldsRoundHalfToEven) {
  const struct {
    int field;
    const char* text;
    std::optional<long long> value;  // none: refused
  } cases[] = {
      {4, "70.5", 70},      {4, "71.5", 72},       {7, "-70.5", -70},    {13, "2.4999", 2},
      {10, "32766.5", 32766}, {11, "32767.5", {}}, {3, "0.5", 0},        {25, "16777214.5", 16777214},
      {12, "16777215.5", {}}, {9, "-0.6", {}},
  };
  for (const auto& c : cases) {
    const std::string line = KaichuWith(c.field, c.text);
    auto r = ParseSettings(line);
    if (!c.value) {
      ExpectFailsAt(line, c.field);
      continue;
    }
    ASSERT_TRUE(r.ok()) << c.text << ": " << r.error().what;
    std::optional<long long> read;
    switch (c.field) {
      case 3: read = r->secondColor; break;
      case 4: read = r->secondLength; break;
      case 7: read = r->hourLength; break;
      case 10: read = r->minuteLength; break;
      case 13: read = r->centerDotSize; break;
      case 25: read = r->digitalColor; break;
    }
    EXPECT_EQ(read, c.value) << "field " << c.field << " " << c.text;
  }
}

// Lengths and positions (fields 15 to 17, 26 to 29) within the pixels a window can reach on any screen
// (32767 at 15 twips per pixel), in the reader both programs use and in the writer.
TEST(SettingsRead, TwipsBeyondAnyScreenAreRefused) {
  for (int field : {15, 16, 17, 26, 27, 28, 29}) {
    for (const char* text : {"491505", "-491505"}) EXPECT_TRUE(ParseSettings(KaichuWith(field, text)).ok()) << field;
    for (const char* text : {"491506", "-1e30"}) ExpectFailsAt(KaichuWith(field, text), field);
  }
  ClockSettings s = Hato();
  s.digitalTop = 491506;
  EXPECT_EQ(CheckSettingsWritable(s).error().where, 17);
}

// Found by fuzzing: "375212741322.683228" read as one size and, written and read again, as another one step
// higher; a double cannot hold four decimals of sizes that large.
TEST(SettingsRead, FontSizesReadWriteAndReadAgainUnchangedOrAreRefused) {
  for (const char* text : {"999999999.9999", "-999999999.9999", "123456789.0001", "536870911.99995", "0.00005"}) {
    auto once = ParseSettings(KaichuWith(20, text));
    ASSERT_TRUE(once.ok()) << text;
    auto twice = ParseSettings(FormatSettings(*once));
    ASSERT_TRUE(twice.ok()) << text;
    EXPECT_EQ(*twice->fontSize, *once->fontSize) << text;
  }
  EXPECT_EQ(ParseSettings(KaichuWith(20, "375212741322.683228")).error().where, 20);
  EXPECT_EQ(ParseSettings(KaichuWith(20, "1000000000")).error().where, 20);
  ClockSettings s = Hato();
  s.fontSize = 1e9;
  EXPECT_EQ(CheckSettingsWritable(s).error().where, 20);
}

TEST(SettingsRead, HandEditedLayoutsReadTheSame) {
  const ClockSettings hato = Hato();
  std::string across = kHatoLine;
  for (char& c : across) {
    if (c == ',') c = '\n';
  }
  EXPECT_EQ(*ParseSettings(across), hato);  // one value a line, Unix line ends

  std::string crlf;
  for (char c : std::string(kHatoLine)) crlf += c == ',' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(*ParseSettings(crlf), hato);

  std::string spaced;
  for (char c : std::string(kHatoLine)) spaced += c == ',' ? std::string(" \t, ") : std::string(1, c);
  auto r = ParseSettings(spaced);
  ASSERT_TRUE(r.ok()) << r.error().what;
  EXPECT_EQ(*r, hato);

  std::string noEnd = kKaichuLine;
  noEnd.resize(noEnd.size() - 2);  // no CR LF after the last (empty) value
  EXPECT_EQ(*ParseSettings(noEnd), KaichuTemplate("C:\\CLOCK"));

  EXPECT_EQ(*ParseSettings(std::string(kKaichuLine) + "garbage after the record\r\n"), KaichuTemplate("C:\\CLOCK"));
}

TEST(SettingsRead, EmptyTextCountsAsAbsent) {
  auto r = ParseSettings(KaichuWith(18, "\"\""));
  ASSERT_TRUE(r.ok());
  EXPECT_FALSE(r->digitalStyle.has_value());
  // The clock's presence fields: "" is absent, so the group is off. Other number fields refuse it.
  std::string line = kKaichuLine;
  line.replace(line.find(",136,") + 5, std::string::npos, "255,\"\",\"\",,,,,,,,,,\"\",,\"\",\r\n");  // 14 to 29
  r = ParseSettings(line);
  ASSERT_TRUE(r.ok()) << r.error().what;
  EXPECT_FALSE(r->HasFrame() || r->HasDigital() || r->HasCuckoo1() || r->HasCuckoo2());
  EXPECT_EQ(r->frameColor, 255);
  for (int field : {3, 4, 17, 20, 21, 27, 29}) ExpectFailsAt(KaichuWith(field, "\"\""), field);
  r = ParseSettings(KaichuWith(1, "unquoted path.rgp"));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->regionFilePath, "unquoted path.rgp");
}

TEST(SettingsWrite, RefusesWhatTheFileCannotCarry) {
  ClockSettings s = Hato();
  s.fontName = "Say \"hi\"";
  EXPECT_EQ(CheckSettingsWritable(s).error().where, 19);
  EXPECT_NE(FormatSettings(s).find(",\"Say hi\","), std::string::npos);  // written as well as it can be
  s = Hato();
  s.digitalColor = 16777216;
  EXPECT_EQ(CheckSettingsWritable(s).error().where, 25);
  s = Hato();
  s.cuckoo2Top = std::numeric_limits<float>::infinity();
  EXPECT_EQ(CheckSettingsWritable(s).error().where, 29);
  s = Hato();
  s.fontSize = 1e13;
  EXPECT_EQ(CheckSettingsWritable(s).error().where, 20);
  EXPECT_TRUE(CheckSettingsWritable(Hato()).ok());
}

}  // namespace
}  // namespace faceformat
