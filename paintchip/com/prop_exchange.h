// A control's persistence is one routine that names its properties in order; an exchange object
// decides whether that routine loads, saves, resets or measures. Streams, property bags and the
// reset each implement this interface (prop_exchange_win.h).
#pragma once

#include <cstdint>
#include <optional>

namespace tktcom {

class PropExchange {
 public:
  enum class Mode { Load, Save, Reset };
  virtual ~PropExchange() = default;
  virtual Mode GetMode() const = 0;

  // Loading: `version` receives the stored version. Saving: `current` is written.
  virtual void ExchangeVersion(std::uint32_t& version, std::uint32_t current) = 0;
  // Loading a missing property or resetting: the default when there is one, else the value stays.
  virtual void ExchangeLong(const char* name, std::int32_t& value, std::optional<std::int32_t> def) = 0;
  virtual void ExchangeBool(const char* name, bool& value, std::optional<bool> def) = 0;
  virtual void ExchangeColor(const char* name, std::uint32_t& value, std::optional<std::uint32_t> def) = 0;

  // Set once an exchange could not read or write; later calls then do nothing.
  bool Failed() const { return failed_; }

 protected:
  void Fail() { failed_ = true; }

 private:
  bool failed_ = false;
};

// Kept by every control of the framework: its size (HIMETRIC) and the stock properties it uses.
struct FrameworkProps {
  std::int32_t extentX = 0;
  std::int32_t extentY = 0;
  bool enabled = true;
};

void ExchangeFrameworkProps(PropExchange& px, FrameworkProps& props);

}  // namespace tktcom
