#include "paintchip/com/prop_exchange_win.h"

#include <oleauto.h>

#include <string>

#include "paintchip/com/dispatch_util.h"

namespace tktcom {

void ExchangeFrameworkProps(PropExchange& px, FrameworkProps& props) {
  px.ExchangeLong("_ExtentX", props.extentX, std::nullopt);
  px.ExchangeLong("_ExtentY", props.extentY, std::nullopt);
  px.ExchangeBool("Enabled", props.enabled, true);
}

// --- stream ---

bool StreamExchange::Transfer(std::uint32_t& bits) {
  if (Failed()) return false;
  if (mode_ == Mode::Save) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<BYTE>(bits >> (8 * i)));
    return true;
  }
  if (bytes_.size() - pos_ < 4) {
    Fail();
    return false;
  }
  const BYTE* b = bytes_.data() + pos_;
  bits = b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  pos_ += 4;
  return true;
}

void StreamExchange::ExchangeVersion(std::uint32_t& version, std::uint32_t current) {
  std::uint32_t bits = current;
  if (Transfer(bits) && mode_ == Mode::Load) version = bits;
}

void StreamExchange::ExchangeLong(const char*, std::int32_t& value, std::optional<std::int32_t>) {
  auto bits = static_cast<std::uint32_t>(value);
  if (Transfer(bits) && mode_ == Mode::Load) value = static_cast<std::int32_t>(bits);
}

void StreamExchange::ExchangeBool(const char*, bool& value, std::optional<bool>) {
  std::uint32_t bits = value ? 1 : 0;
  if (Transfer(bits) && mode_ == Mode::Load) value = bits != 0;
}

void StreamExchange::ExchangeColor(const char*, std::uint32_t& value, std::optional<std::uint32_t>) {
  std::uint32_t bits = value;
  if (Transfer(bits) && mode_ == Mode::Load) value = bits;
}

// --- property bag ---

namespace {
std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + lstrlenA(ascii)); }
}  // namespace

bool BagExchange::Read(const char* name, VARIANT* out) {
  VariantInit(out);
  if (Failed()) return false;
  // A missing property is not an error: the caller applies its default.
  return SUCCEEDED(bag_->Read(Wide(name).c_str(), out, log_));
}

void BagExchange::Write(const char* name, VARIANT& v) {
  if (Failed()) return;
  const HRESULT hr = bag_->Write(Wide(name).c_str(), &v);
  if (FAILED(hr)) {
    error_ = hr;
    Fail();
  }
}

void BagExchange::ExchangeVersion(std::uint32_t& version, std::uint32_t current) {
  ExchangeColor("_Version", version, current);
  if (mode_ == Mode::Save) version = current;
}

void BagExchange::ExchangeLong(const char* name, std::int32_t& value, std::optional<std::int32_t> def) {
  VARIANT v;
  if (mode_ == Mode::Save) {
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    Write(name, v);
    return;
  }
  std::uint32_t bits = 0;
  if (Read(name, &v) && SUCCEEDED(VariantToBits32(v, &bits))) {
    value = static_cast<std::int32_t>(bits);
  } else if (def) {
    value = *def;
  }
  VariantClear(&v);
}

void BagExchange::ExchangeBool(const char* name, bool& value, std::optional<bool> def) {
  VARIANT v;
  if (mode_ == Mode::Save) {
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    Write(name, v);
    return;
  }
  bool b = false;
  if (Read(name, &v) && SUCCEEDED(VariantToBool(v, &b))) {
    value = b;
  } else if (def) {
    value = *def;
  }
  VariantClear(&v);
}

void BagExchange::ExchangeColor(const char* name, std::uint32_t& value, std::optional<std::uint32_t> def) {
  auto asLong = static_cast<std::int32_t>(value);
  std::optional<std::int32_t> longDef;
  if (def) longDef = static_cast<std::int32_t>(*def);
  ExchangeLong(name, asLong, longDef);
  value = static_cast<std::uint32_t>(asLong);
}

}  // namespace tktcom
