// Dragging the clock window by its face: the pointer keeps its place on the face while the window follows it.
#pragma once

#include <optional>

namespace tkt {

// Button numbers as the mouse handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

struct DragPoint {
  int x = 0;
  int y = 0;
  bool operator==(const DragPoint&) const = default;
};

class WindowDrag {
 public:
  enum class Action { kNone, kStartDrag, kShowMenu };

  // pointer: relative to the window's top-left corner, in pixels.
  Action Form_MouseDown(int button, DragPoint pointer);
  // Returns the window's new top-left corner while dragging.
  std::optional<DragPoint> Form_MouseMove(DragPoint windowTopLeft, DragPoint pointer) const;
  void Form_MouseUp();

  bool Dragging() const { return dragging != 0; }
  // The face was made again at another scale (from and to in DPI): the grabbed point moves with it.
  void Rescale(int from, int to);
  // Where the face was grabbed, relative to the window's top-left corner.
  DragPoint Grabbed() const { return {dragStartX, dragStartY}; }

 private:
  short dragging = 0;
  int dragStartX = 0;
  int dragStartY = 0;
};

}  // namespace tkt
