#include "controls.h"

#include <algorithm>

namespace designer {

void OptionButton::SetValue(bool selected) {
  if (selected == value) return;
  value = selected;
  if (!selected) return;
  if (group) {
    for (OptionButton* other : group->members) {
      if (other != this) other->value = false;
    }
  }
  if (onClick) onClick();
}

bool ScrollBar::SetValue(int newValue) {
  if (newValue < min || newValue > max) return false;
  if (newValue == value) return true;
  value = newValue;
  if (onChange) onChange();
  return true;
}

void ScrollBar::ScrollBy(int delta) {
  if (!enabled || !Shown()) return;
  SetValue(std::clamp(value + delta, min, max));
}

bool ComboBox::SetListIndex(int index) {
  if (index < 0 || size_t(index) >= items.size()) return false;
  if (index == listIndex) return true;
  listIndex = index;
  if (onClick) onClick();
  return true;
}

bool MultiPage::SetValue(int index) {
  if (index < 0 || size_t(index) >= pages.size()) return false;
  if (index == value) return true;
  value = index;
  if (onChange) onChange();
  return true;
}

}  // namespace designer
