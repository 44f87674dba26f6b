// A value or an error that says what went wrong and where. Nothing that returns one throws.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tkt {

struct Error {
  std::string what;   // short English description, for logs and tests
  long long where = -1;  // byte offset, field number or record number, as the function documents; -1 unknown
  unsigned long code = 0;  // the Windows error code (GetLastError) when the system reported one; 0 none
};

template <class T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<0>(v_); }
  T& value() & { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }
  const Error& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

struct Ok {};
using Status = Result<Ok>;
inline Status Success() { return Ok{}; }

}  // namespace tkt
