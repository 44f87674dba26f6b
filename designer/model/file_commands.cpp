#include "designer/model/file_commands.h"

#include "designer/model/export.h"
#include "designer/model/import.h"

namespace designer {

std::filesystem::path PathFromText(const std::wstring& text) {
#ifdef _WIN32
  return std::filesystem::path(text);
#else
  std::wstring p = text;
  for (wchar_t& c : p) {
    if (c == L'\\') c = L'/';
  }
  return std::filesystem::path(p);
#endif
}

void BindFileCommands(DesignerForm& form, FilesPlatform& platform, std::function<void()> openMaker) {
  form.iniout.onClick = [&form, &platform] { iniout_Click(form, platform); };
  form.reini.onClick = [&form, &platform] { reini_Click(form, platform); };
  form.rgpedit.onClick = std::move(openMaker);
}

}  // namespace designer
