// Helpers for dispatch switches written by hand (ITypeInfo::Invoke cannot serve a dispinterface).
#pragma once

#include <oaidl.h>

#include <cstdint>

namespace tktcom {

// The 32 bits of a number as callers pass them: VBScript gives &H80000005 as a negative VT_I4,
// JScript gives large values as VT_R8, others VT_UI4; any of them may come VT_BYREF.
// DISP_E_OVERFLOW for a number out of range (VB's error 6), DISP_E_TYPEMISMATCH for what is no number.
HRESULT VariantToBits32(const VARIANT& v, std::uint32_t* out) noexcept;
HRESULT VariantToBool(const VARIANT& v, bool* out) noexcept;

// The one argument of a property put (positional, or named DISPID_PROPERTYPUT). Another named
// argument is DISP_E_PARAMNOTFOUND, with its index in *argErr.
HRESULT PutArgument(const DISPPARAMS* params, const VARIANT** arg, UINT* argErr) noexcept;
// A property get takes no arguments; the result may be absent when the caller discards it.
HRESULT CheckGet(const DISPPARAMS* params, UINT* argErr) noexcept;

}  // namespace tktcom
