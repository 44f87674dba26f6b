// Setting the computer's clock. Only the running clock program calls this; tests pass a fake setter.
#pragma once

#include "sntp_exchange.h"

namespace tkt {

// Turns on the system-time privilege of this process's token. False when the account does not hold it.
bool EnableSystemTimePrivilege();

// Sets the system clock (UTC). Tells a missing privilege apart from other failures.
ClockSetResult SetSystemClockUtc(const UtcDateTime& when);

}  // namespace tkt
