#include "paintchip/com/dispatch_util.h"

#include <oleauto.h>

namespace tktcom {
namespace {

// The value itself: VBScript passes variables by reference, possibly a variant within a variant.
class Dereferenced {
 public:
  explicit Dereferenced(const VARIANT& v) {
    VariantInit(&value_);
    const VARIANT* p = &v;
    while (V_VT(p) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(p)) p = V_VARIANTREF(p);
    hr_ = VariantCopyInd(&value_, const_cast<VARIANT*>(p));
  }
  ~Dereferenced() { VariantClear(&value_); }
  Dereferenced(const Dereferenced&) = delete;
  Dereferenced& operator=(const Dereferenced&) = delete;
  HRESULT Result() const { return hr_; }
  VARIANT* get() { return &value_; }

 private:
  VARIANT value_;
  HRESULT hr_;
};

}  // namespace

HRESULT VariantToBits32(const VARIANT& v, std::uint32_t* out) noexcept {
  Dereferenced in(v);
  if (FAILED(in.Result())) return DISP_E_TYPEMISMATCH;
  VARIANT tmp;
  VariantInit(&tmp);
  HRESULT hr = VariantChangeType(&tmp, in.get(), 0, VT_UI4);
  if (SUCCEEDED(hr)) {
    *out = V_UI4(&tmp);
    return S_OK;
  }
  hr = VariantChangeType(&tmp, in.get(), 0, VT_I4);
  if (SUCCEEDED(hr)) {
    *out = static_cast<std::uint32_t>(V_I4(&tmp));
    return S_OK;
  }
  VariantClear(&tmp);
  return hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
}

HRESULT VariantToBool(const VARIANT& v, bool* out) noexcept {
  Dereferenced in(v);
  if (FAILED(in.Result())) return DISP_E_TYPEMISMATCH;
  VARIANT tmp;
  VariantInit(&tmp);
  const HRESULT hr = VariantChangeType(&tmp, in.get(), 0, VT_BOOL);
  if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
  *out = V_BOOL(&tmp) != VARIANT_FALSE;
  return S_OK;
}

namespace {
// Named arguments come first in rgvarg, so a bad one's index there is its index in the names.
HRESULT CheckNamed(const DISPPARAMS* params, DISPID allowed, UINT* argErr) {
  for (UINT i = 0; params && i < params->cNamedArgs; ++i) {
    if (!params->rgdispidNamedArgs || params->rgdispidNamedArgs[i] != allowed) {
      if (argErr) *argErr = i;
      return DISP_E_PARAMNOTFOUND;
    }
  }
  return S_OK;
}
}  // namespace

HRESULT PutArgument(const DISPPARAMS* params, const VARIANT** arg, UINT* argErr) noexcept {
  const HRESULT hr = CheckNamed(params, DISPID_PROPERTYPUT, argErr);
  if (FAILED(hr)) return hr;
  if (!params || params->cArgs != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
  *arg = &params->rgvarg[0];
  return S_OK;
}

HRESULT CheckGet(const DISPPARAMS* params, UINT* argErr) noexcept {
  // No name is valid for a get.
  const HRESULT hr = CheckNamed(params, DISPID_UNKNOWN, argErr);
  if (FAILED(hr)) return hr;
  if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  return S_OK;
}

}  // namespace tktcom
