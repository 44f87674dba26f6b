// tktdrive commands for the clock's popup menu, its dragging and its modal windows.
//
//   menucaptions HWND "A|B|..."    the open popup menu HWND shows exactly these items: Wine keeps a menu's
//                                  items inside its own process, so the driver closes the menu after taking
//                                  its picture, shows a menu of the expected captions in its place and
//                                  compares the two pixel for pixel (and, as a check of the method, makes
//                                  sure a menu with one character changed does not compare equal)
//   waitcapture HWND [DEADLINE]    waits until HWND has captured the mouse. Input is routed when it is sent,
//                                  so moves sent before a drag has begun go to whatever lies under the pointer
//   waitrect HWND LEFT TOP [DEADLINE]  waits until the window's top-left corner is at LEFT, TOP
//   waitcount HWND L T R B RRGGBB TOL OP N [DEADLINE]  waits until the number of pixels that countcolor
//                                  counts is OP N (OP one of == >= <=)
//   enabled VAR HWND               VAR = 1 when the window takes input, 0 when it is disabled
//   waitenabled HWND [DEADLINE]    waits until the window takes input again
//   defaultbutton VAR DIALOG       VAR = the text of the button Enter presses (ampersands removed)
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tktdrive {

struct CommandResult {
  bool handled = false;  // false: not one of these commands
  std::string failure;   // empty when the command passed
};

CommandResult ExecuteMenuCommand(const std::vector<std::string>& args, std::map<std::string, std::string>& vars);

}  // namespace tktdrive
