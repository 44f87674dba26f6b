// Helpers for dispatch switches written by hand (ITypeInfo::Invoke cannot serve a dispinterface).
#pragma once

#include <oaidl.h>

#include <cstdint>

namespace tktcom {

// The 32 bits of a number as callers pass them: VBScript gives &H80000005 as a negative VT_I4,
// JScript gives large values as VT_R8, others VT_UI4.
HRESULT VariantToBits32(const VARIANT& v, std::uint32_t* out) noexcept;
HRESULT VariantToBool(const VARIANT& v, bool* out) noexcept;

// The one argument of a property put (positional, or named DISPID_PROPERTYPUT).
HRESULT PutArgument(const DISPPARAMS* params, const VARIANT** arg) noexcept;
// A property get takes no arguments; the result may be absent when the caller discards it.
HRESULT CheckGet(const DISPPARAMS* params) noexcept;

}  // namespace tktcom
