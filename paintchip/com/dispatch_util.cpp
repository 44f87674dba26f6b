#include "paintchip/com/dispatch_util.h"

#include <oleauto.h>

namespace tktcom {

HRESULT VariantToBits32(const VARIANT& v, std::uint32_t* out) noexcept {
  VARIANT tmp;
  VariantInit(&tmp);
  HRESULT hr = VariantChangeType(&tmp, const_cast<VARIANT*>(&v), 0, VT_UI4);
  if (SUCCEEDED(hr)) {
    *out = V_UI4(&tmp);
    return S_OK;
  }
  hr = VariantChangeType(&tmp, const_cast<VARIANT*>(&v), 0, VT_I4);
  if (SUCCEEDED(hr)) {
    *out = static_cast<std::uint32_t>(V_I4(&tmp));
    return S_OK;
  }
  VariantClear(&tmp);
  return DISP_E_TYPEMISMATCH;
}

HRESULT VariantToBool(const VARIANT& v, bool* out) noexcept {
  VARIANT tmp;
  VariantInit(&tmp);
  if (FAILED(VariantChangeType(&tmp, const_cast<VARIANT*>(&v), 0, VT_BOOL))) return DISP_E_TYPEMISMATCH;
  *out = V_BOOL(&tmp) != VARIANT_FALSE;
  return S_OK;
}

HRESULT PutArgument(const DISPPARAMS* params, const VARIANT** arg) noexcept {
  if (!params || params->cArgs != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
  if (params->cNamedArgs > 1 ||
      (params->cNamedArgs == 1 && (!params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))) {
    return DISP_E_PARAMNOTFOUND;
  }
  *arg = &params->rgvarg[0];
  return S_OK;
}

HRESULT CheckGet(const DISPPARAMS* params) noexcept {
  if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  return S_OK;
}

}  // namespace tktcom
