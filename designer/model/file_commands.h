// The designer's file commands: the export (iniout), the import (reini), opening the region file maker
// (rgpedit), and the options page's other clock and Startup shortcut, bound to the form's controls.
#pragma once

#include <functional>

#include "designer/model/form.h"
#include "designer/model/services.h"

namespace designer {

// Hooks iniout, reini, rgpedit, another and startupCheck to their handlers. `openMaker` shows the maker and hides the form's window.
void BindFileCommands(DesignerForm& form, FilesPlatform& platform, std::function<void()> openMaker);

}  // namespace designer
