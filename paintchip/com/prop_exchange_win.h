// The exchanges behind the persistence interfaces: a binary stream (each value 4 bytes,
// little-endian, in exchange order), a property bag (named values), the reset to defaults and a
// size count for GetSizeMax.
#pragma once

#include <ocidl.h>

#include <vector>

#include "paintchip/com/prop_exchange.h"

namespace tktcom {

// Loads from or saves into bytes; the caller moves them to and from the IStream in one piece, so a
// short stream is refused before any property changes.
class StreamExchange final : public PropExchange {
 public:
  StreamExchange(std::vector<BYTE>& bytes, Mode mode) : bytes_(bytes), mode_(mode) {}
  Mode GetMode() const override { return mode_; }
  void ExchangeVersion(std::uint32_t& version, std::uint32_t current) override;
  void ExchangeLong(const char* name, std::int32_t& value, std::optional<std::int32_t> def) override;
  void ExchangeBool(const char* name, bool& value, std::optional<bool> def) override;
  void ExchangeColor(const char* name, std::uint32_t& value, std::optional<std::uint32_t> def) override;

 private:
  bool Transfer(std::uint32_t& bits);
  std::vector<BYTE>& bytes_;
  size_t pos_ = 0;
  Mode mode_;
};

class BagExchange final : public PropExchange {
 public:
  BagExchange(IPropertyBag* bag, IErrorLog* log, Mode mode) : bag_(bag), log_(log), mode_(mode) {}
  Mode GetMode() const override { return mode_; }
  void ExchangeVersion(std::uint32_t& version, std::uint32_t current) override;
  void ExchangeLong(const char* name, std::int32_t& value, std::optional<std::int32_t> def) override;
  void ExchangeBool(const char* name, bool& value, std::optional<bool> def) override;
  void ExchangeColor(const char* name, std::uint32_t& value, std::optional<std::uint32_t> def) override;
  HRESULT Result() const { return Failed() ? error_ : S_OK; }

 private:
  bool Read(const char* name, VARIANT* out);  // false: missing
  void Write(const char* name, VARIANT& v);
  IPropertyBag* bag_;
  IErrorLog* log_;
  Mode mode_;
  HRESULT error_ = S_OK;
};

class ResetExchange final : public PropExchange {
 public:
  Mode GetMode() const override { return Mode::Reset; }
  void ExchangeVersion(std::uint32_t&, std::uint32_t) override {}
  void ExchangeLong(const char*, std::int32_t& value, std::optional<std::int32_t> def) override {
    if (def) value = *def;
  }
  void ExchangeBool(const char*, bool& value, std::optional<bool> def) override {
    if (def) value = *def;
  }
  void ExchangeColor(const char*, std::uint32_t& value, std::optional<std::uint32_t> def) override {
    if (def) value = *def;
  }
};

// Pretends to save and counts the stream bytes.
class SizeExchange final : public PropExchange {
 public:
  Mode GetMode() const override { return Mode::Save; }
  void ExchangeVersion(std::uint32_t&, std::uint32_t) override { bytes_ += 4; }
  void ExchangeLong(const char*, std::int32_t&, std::optional<std::int32_t>) override { bytes_ += 4; }
  void ExchangeBool(const char*, bool&, std::optional<bool>) override { bytes_ += 4; }
  void ExchangeColor(const char*, std::uint32_t&, std::optional<std::uint32_t>) override { bytes_ += 4; }
  ULONG Bytes() const { return bytes_; }

 private:
  ULONG bytes_ = 0;
};

}  // namespace tktcom
