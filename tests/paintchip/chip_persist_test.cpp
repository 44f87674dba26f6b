// The order and defaults of what a PaintChip stores.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "paintchip/chip_persist.h"

namespace paintchip {
namespace {

// Remembers names in order; loads from a map of stored values.
class RecordingExchange : public PropExchange {
 public:
  explicit RecordingExchange(Mode mode) : mode_(mode) {}
  Mode GetMode() const override { return mode_; }
  void ExchangeVersion(std::uint32_t& version, std::uint32_t current) override {
    Visit("_Version", version, current, std::optional<std::int64_t>(current));
  }
  void ExchangeLong(const char* name, std::int32_t& v, std::optional<std::int32_t> def) override {
    std::int64_t x = v;
    Visit(name, x, v, def ? std::optional<std::int64_t>(*def) : std::nullopt);
    v = static_cast<std::int32_t>(x);
  }
  void ExchangeBool(const char* name, bool& v, std::optional<bool> def) override {
    std::int64_t x = v;
    Visit(name, x, v, def ? std::optional<std::int64_t>(*def) : std::nullopt);
    v = x != 0;
  }
  void ExchangeColor(const char* name, std::uint32_t& v, std::optional<std::uint32_t> def) override {
    std::int64_t x = v;
    Visit(name, x, v, def ? std::optional<std::int64_t>(*def) : std::nullopt);
    v = static_cast<std::uint32_t>(x);
  }

  std::vector<std::string> names;
  std::map<std::string, std::int64_t> stored;

 private:
  template <class T>
  void Visit(const char* name, T& value, std::int64_t toSave, std::optional<std::int64_t> def) {
    names.push_back(name);
    if (mode_ == Mode::Save) {
      stored[name] = toSave;
    } else if (mode_ == Mode::Load && stored.count(name)) {
      value = static_cast<T>(stored[name]);
    } else if (def) {
      value = static_cast<T>(*def);
    }
  }
  Mode mode_;
};

TEST(ChipPersist, SavesVersionThenFrameworkPropertiesThenColour) {
  RecordingExchange px(PropExchange::Mode::Save);
  FrameworkProps fw{2117, 529, false};
  std::uint32_t color = 0x00FF8040;
  DoChipPropExchange(px, fw, color);
  EXPECT_EQ(px.names, (std::vector<std::string>{"_Version", "_ExtentX", "_ExtentY", "Enabled", "Color"}));
  EXPECT_EQ(px.stored["_Version"], 0x00010000);
  EXPECT_EQ(px.stored["_ExtentX"], 2117);
  EXPECT_EQ(px.stored["Enabled"], 0);
  EXPECT_EQ(px.stored["Color"], 0x00FF8040);
}

TEST(ChipPersist, LoadingWithoutColourKeepsTheColourButDefaultsEnabled) {
  RecordingExchange px(PropExchange::Mode::Load);
  px.stored["_Version"] = 0x00010000;
  FrameworkProps fw{100, 200, false};
  std::uint32_t color = 0x00123456;
  DoChipPropExchange(px, fw, color);
  EXPECT_EQ(color, 0x00123456u);  // "Color" has no default
  EXPECT_TRUE(fw.enabled);         // "Enabled" defaults to true
  EXPECT_EQ(fw.extentX, 100);      // the extent has no default either
}

TEST(ChipPersist, DataOfAnotherVersionLoadsAndIsSavedBackAsOnePointZero) {
  RecordingExchange load(PropExchange::Mode::Load);
  load.stored = {{"_Version", 0x00020003}, {"Color", 0xFF}, {"Enabled", 1}};
  FrameworkProps fw;
  std::uint32_t color = 0;
  DoChipPropExchange(load, fw, color);
  EXPECT_EQ(color, 0xFFu);

  RecordingExchange save(PropExchange::Mode::Save);
  DoChipPropExchange(save, fw, color);
  EXPECT_EQ(save.stored["_Version"], 0x00010000);
}

TEST(ChipPersist, ResetRestoresDefaultsOnly) {
  RecordingExchange px(PropExchange::Mode::Reset);
  FrameworkProps fw{5, 6, false};
  std::uint32_t color = 0x00ABCDEF;
  DoChipPropExchange(px, fw, color);
  EXPECT_TRUE(fw.enabled);
  EXPECT_EQ(color, 0x00ABCDEFu);
  EXPECT_EQ(fw.extentX, 5);
}

}  // namespace
}  // namespace paintchip
