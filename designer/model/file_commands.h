// The designer's file commands: the export (iniout), the import (reini) and opening the region file
// maker (rgpedit), bound to the form's buttons.
#pragma once

#include <functional>

#include "designer/model/form.h"
#include "designer/model/services.h"

namespace designer {

// Hooks iniout, reini and rgpedit to their handlers. `openMaker` shows the maker and hides the form's window.
void BindFileCommands(DesignerForm& form, FilesPlatform& platform, std::function<void()> openMaker);

}  // namespace designer
