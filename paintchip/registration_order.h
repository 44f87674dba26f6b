// The order of a module's self-registration: its classes whole or not at all, then what only adds to them
// (component categories), which cannot leave a class half-written.
#pragma once

#include <functional>
#include <vector>

namespace paintchip {

// A step answers a negative number when it failed (an HRESULT on Windows), else zero or more.
using RegStep = std::function<long()>;

struct ClassRegistration {
  RegStep write;   // the class's own entries
  RegStep remove;  // deletes them; entries that are not there count as deleted
};

// Writes the classes in order. When one fails, every class written so far and that one are removed again and
// its error is answered, and the additions are not tried. Otherwise the additions are made and their answer
// is the answer.
long RegisterClasses(const std::vector<ClassRegistration>& classes, const RegStep& addExtras);

// Removes every class whatever the others answer, then the additions; answers the first failure.
long UnregisterClasses(const std::vector<ClassRegistration>& classes, const RegStep& removeExtras);

}  // namespace paintchip
