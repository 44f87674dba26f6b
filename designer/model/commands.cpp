// The main window's own commands: the exit button, the help key and the pictures beside the options.
#include "form.h"
#include "texts.h"

namespace designer {

void DesignerForm::append_Click() {
  if (services.shell) services.shell->EndProgram();
}

void DesignerForm::OpenHelp() {
  if (services.shell && services.shell->OpenDocument(helpFile)) return;
  services.messages->Show(std::wstring(text::kHelpMissing) + L"\r\n" + helpFile, appTitle,
                          kMbOk | kMbIconExclamation);
}

// A picture chooses its option, as a click on the option's caption would.
bool DesignerForm::Picture_Click(const Control& picture) {
  const std::pair<const ImageBox*, OptionButton*> pairs[] = {
      {&Image1, &Option1},       {&Image2, &Option2},       {&sampleThumb3, &Option3},
      {&sampleThumb4, &Option4}, {&sampleThumb5, &Option5}, {&sampleThumb6, &Option6}};
  for (const auto& [image, option] : pairs) {
    if (&picture != image) continue;
    option->Click();
    return true;
  }
  return false;
}

}  // namespace designer
