// The COM layer's interface pointer is the one the Windows programs share.
#pragma once

#include "wincommon/com.h"

namespace tktcom {

using tkt::ComPtr;

}  // namespace tktcom
