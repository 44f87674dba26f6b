#include "designer/model/file_commands.h"

#include "designer/model/another_clock.h"
#include "designer/model/export.h"
#include "designer/model/import.h"

namespace designer {

void BindFileCommands(DesignerForm& form, FilesPlatform& platform, std::function<void()> openMaker) {
  form.iniout.onClick = [&form, &platform] { iniout_Click(form, platform); };
  form.reini.onClick = [&form, &platform] { reini_Click(form, platform); };
  form.rgpedit.onClick = std::move(openMaker);
  form.another.onClick = [&form, &platform] { another_Click(form, platform); };
  form.startupCheck.onClick = [&form, &platform] { startupCheck_Click(form, platform); };
  // The Startup check shows the state of the clock named, as the page is shown and as the name changes.
  form.anotherName.onChange = [&form, &platform] { RefreshStartupCheck(form, platform); };
  form.MultiPage1.onChange = [&form, &platform] {
    form.MultiPage1_Change();
    if (form.Frame5.visible) RefreshStartupCheck(form, platform);
  };
}

}  // namespace designer
