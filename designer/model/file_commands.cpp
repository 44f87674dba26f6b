#include "designer/model/file_commands.h"

#include "designer/model/export.h"
#include "designer/model/import.h"

namespace designer {

void BindFileCommands(DesignerForm& form, FilesPlatform& platform, std::function<void()> openMaker) {
  form.iniout.onClick = [&form, &platform] { iniout_Click(form, platform); };
  form.reini.onClick = [&form, &platform] { reini_Click(form, platform); };
  form.rgpedit.onClick = std::move(openMaker);
}

}  // namespace designer
