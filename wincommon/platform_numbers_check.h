// The portable copies of the platform's numbers, checked against windows.h.
#pragma once

#include <windows.h>

#include "base/platform_numbers.h"

static_assert(tkt::kMbOk == MB_OK);
static_assert(tkt::kMbYesNo == MB_YESNO);
static_assert(tkt::kMbTypeMask == MB_TYPEMASK);
static_assert(tkt::kMbIconExclamation == MB_ICONEXCLAMATION);
static_assert(tkt::kMbDefButton2 == MB_DEFBUTTON2);
static_assert(tkt::kIdOk == IDOK);
static_assert(tkt::kIdCancel == IDCANCEL);
static_assert(tkt::kIdYes == IDYES);
static_assert(tkt::kIdNo == IDNO);
