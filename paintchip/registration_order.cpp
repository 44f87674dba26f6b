#include "paintchip/registration_order.h"

namespace paintchip {

long RegisterClasses(const std::vector<ClassRegistration>& classes, const RegStep& addExtras) {
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const long result = classes[i].write();
    if (result < 0) {
      for (std::size_t j = i + 1; j-- > 0;) classes[j].remove();
      return result;
    }
  }
  return addExtras();
}

long UnregisterClasses(const std::vector<ClassRegistration>& classes, const RegStep& removeExtras) {
  long first = 0;
  for (const ClassRegistration& c : classes) {
    const long result = c.remove();
    if (result < 0 && first >= 0) first = result;
  }
  const long extras = removeExtras();
  return first < 0 ? first : extras;
}

}  // namespace paintchip
