// The designer's controls without a window: each holds what the window shows (caption, place, state)
// and runs its handler when its value changes, also when code sets it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/font_look.h"
#include "faceformat/image.h"

namespace designer {

// Packed red + 256 green + 65536 blue, as in the settings file and COLORREF.
using Color = int32_t;
constexpr Color RgbColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }
inline constexpr Color kBlack = 0;
inline constexpr Color kOlive = RgbColor(128, 128, 0);

using FontLook = tkt::BasicFontLook<wchar_t>;

using Handler = std::function<void()>;

// What a control is, so the window layer can tell kinds apart without asking the type system.
enum class ControlKind {
  Container, CommandButton, CheckBox, OptionButton, ScrollBar, TextBox, Label, Shape, LineShape, ImageBox,
  PictureBox, MultiPage, Timer, ComboBox
};

// Properties every control has. Places and sizes are twips inside the control's container.
struct Control {
  explicit Control(std::wstring controlName, Control* parent = nullptr)
      : name(std::move(controlName)), container(parent) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  static constexpr ControlKind kKind = ControlKind::Container;
  virtual ControlKind Kind() const { return kKind; }

  std::wstring name;
  Control* container;  // hiding a container hides what it holds
  std::wstring caption;
  std::wstring tip;
  bool visible = true;
  bool enabled = true;
  double left = 0, top = 0, width = 0, height = 0;
  Color foreColor = kBlack;

  // Visible itself and inside visible containers.
  bool Shown() const { return visible && (!container || container->Shown()); }
  void Move(double newLeft, double newTop) { left = newLeft, top = newTop; }
  void Place(double newLeft, double newTop, double newWidth, double newHeight) {
    left = newLeft, top = newTop, width = newWidth, height = newHeight;
  }
};

// The base of each kind of control, which names its kind.
template <ControlKind K>
struct ControlOf : Control {
  using Control::Control;
  static constexpr ControlKind kKind = K;
  ControlKind Kind() const override { return K; }
};

struct CommandButton : ControlOf<ControlKind::CommandButton> {
  using ControlOf::ControlOf;
  Handler onClick;
  // The user's click: a disabled or hidden button takes none.
  void Click() {
    if (enabled && Shown() && onClick) onClick();
  }
};

struct CheckBox : ControlOf<ControlKind::CheckBox> {
  using ControlOf::ControlOf;
  int value = 0;  // 0 clear, 1 set
  Handler onClick;
  bool checked() const { return value != 0; }
  // Runs the click handler only when the state changes.
  void SetValue(int newValue) {
    if (newValue == value) return;
    value = newValue;
    if (onClick) onClick();
  }
  void Click() {
    if (enabled && Shown()) SetValue(value ? 0 : 1);
  }
};

struct OptionButton;
struct OptionGroup {
  std::vector<OptionButton*> members;
};

// Selecting one option of a group clears the others silently; the handler runs for the one selected.
struct OptionButton : ControlOf<ControlKind::OptionButton> {
  using ControlOf::ControlOf;
  bool value = false;
  OptionGroup* group = nullptr;
  Handler onClick;
  void SetValue(bool selected);
  void Click() {
    if (enabled && Shown()) SetValue(true);
  }
};

// A horizontal scroll bar with a 16-bit value.
struct ScrollBar : ControlOf<ControlKind::ScrollBar> {
  ScrollBar(std::wstring controlName, Control* parent, int minValue, int maxValue, int small, int large, int start)
      : ControlOf(std::move(controlName), parent), min(minValue), max(maxValue), smallChange(small),
        largeChange(large), value(start) {}
  int min, max, smallChange, largeChange, value;
  Handler onChange;
  // A value outside the range is refused and changes nothing; the handler runs only on a change.
  bool SetValue(int newValue);
  // The user's scrolling: moves by delta and stops at the ends.
  void ScrollBy(int delta);
};

struct TextBox : ControlOf<ControlKind::TextBox> {
  using ControlOf::ControlOf;
  std::wstring text;
  Color backColor = RgbColor(255, 255, 255);
  Handler onChange;
  // The user's typing or code: the handler runs only on a change.
  void SetText(std::wstring newText) {
    if (newText == text) return;
    text = std::move(newText);
    if (onChange) onChange();
  }
};

// A drop-down list of entries, one of them chosen.
struct ComboBox : ControlOf<ControlKind::ComboBox> {
  using ControlOf::ControlOf;
  std::vector<std::wstring> items;
  int listIndex = -1;  // -1: none chosen
  Handler onClick;
  // An index outside the list is refused and changes nothing; the handler runs only on a change.
  bool SetListIndex(int index);
};

struct Label : ControlOf<ControlKind::Label> {
  using ControlOf::ControlOf;
  FontLook font;  // only the preview's read-out has a font of its own
};

enum class ShapeKind { Rectangle, Circle };

struct Shape : ControlOf<ControlKind::Shape> {
  Shape(std::wstring controlName, Control* parent, ShapeKind shapeKind)
      : ControlOf(std::move(controlName), parent), kind(shapeKind) {}
  ShapeKind kind;
  Color fillColor = RgbColor(255, 255, 255);
  bool filled = false;
  Color borderColor = kBlack;
  int borderWidth = 1;  // pixels
};

// A hand of the preview: the fixed end (x1, y1) at the centre, the tip moved by the tick.
struct LineShape : ControlOf<ControlKind::LineShape> {
  using ControlOf::ControlOf;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Color borderColor = kBlack;
  int borderWidth = 1;  // pixels
};

// A picture shown at its place; `resource` names the artwork the window layer draws.
struct ImageBox : ControlOf<ControlKind::ImageBox> {
  using ControlOf::ControlOf;
  std::string resource;
};

struct PictureBox : ControlOf<ControlKind::PictureBox> {
  using ControlOf::ControlOf;
  std::shared_ptr<const faceformat::Image> picture;  // null: no picture
  std::wstring pictureFile;                           // the file the picture came from
};

// The control as its own kind, or null when it is of another kind.
template <class T>
T* As(Control& c) {
  return c.Kind() == T::kKind ? static_cast<T*>(&c) : nullptr;
}
template <class T>
const T* As(const Control& c) {
  return c.Kind() == T::kKind ? static_cast<const T*>(&c) : nullptr;
}

struct Page {
  std::wstring caption;
  std::wstring tip;
};

struct MultiPage : ControlOf<ControlKind::MultiPage> {
  using ControlOf::ControlOf;
  std::vector<Page> pages;
  int value = 0;  // index of the selected page
  Handler onChange;
  bool SetValue(int index);
  const std::wstring& SelectedCaption() const { return pages[size_t(value)].caption; }
};

struct Timer : ControlOf<ControlKind::Timer> {
  using ControlOf::ControlOf;
  int interval = 0;  // ms
};

}  // namespace designer
