#include "designer/model/another_clock.h"

#include <filesystem>
#include <new>
#include <optional>

#include "designer/model/clock_options_page.h"
#include "designer/model/export.h"
#include "designer/model/paths.h"
#include "faceformat/files.h"

namespace designer {

std::wstring AnotherExistsQuestion(const std::wstring& name) {
  return L"時計「" + name + L"」はもうあります。\r上書きしますか？";
}

std::wstring AnotherDoneText(const std::wstring& settingsPath) {
  return L"もう一つの時計の設定ファイルを\r" + settingsPath + L"　として作成しました。";
}

namespace {

std::wstring ProgramFolder(const DesignerForm& form) { return form.baseDir + L"\\program"; }

bool Exists(const std::wstring& path) { return faceformat::FileExists(PathFromText(path)); }

void MakeAnotherClock(DesignerForm& form, FilesPlatform& platform) {
  MessageService& messages = *form.services.messages;
  const std::wstring name = form.anotherName.text;
  const std::wstring settingsPath = ProgramFolder(form) + L"\\" + name + L".ini";
  const wchar_t* problem = ClockNameProblem(name);
  if (!problem && settingsPath.size() + 8 >= kMaxPath) problem = kNameTooLong;  // 8: "-options"
  if (problem) {
    messages.Show(problem, form.appTitle, kMbOk | kMbIconExclamation);
    return;
  }
  const std::optional<GatheredClock> clock = GatherClock(form, platform);
  if (!clock) return;
  const std::wstring optionsPath = ProgramFolder(form) + L"\\" + name + L"-options.ini";
  if ((Exists(settingsPath) || Exists(optionsPath)) &&
      messages.Show(AnotherExistsQuestion(name), kShortcutTitle, kShortcutQuestionStyle) != kIdYes)
    return;
  if (!WriteClockFiles(form, clock->settings, clock->options, settingsPath)) return;
  messages.Show(AnotherDoneText(settingsPath), kExportDoneTitle, kMbOk);
  OfferShortcut(form, platform, name + L".lnk", L"\"" + name + L".ini\"");
  RefreshStartupCheck(form, platform);
}

struct StartupLink {
  std::wstring link, arguments;
};

// Nothing when there is no Startup folder or the name is no clock's.
std::optional<StartupLink> StartupLinkOf(const DesignerForm& form, FilesPlatform& platform) {
  const std::wstring& name = form.anotherName.text;
  if (!name.empty() && ClockNameProblem(name)) return std::nullopt;
  std::optional<std::wstring> folder = platform.StartupFolder();
  if (!folder || folder->empty()) return std::nullopt;
  // The default clock's link is the one the installer makes.
  if (name.empty()) return StartupLink{*folder + L"\\" + kShortcutFile, L""};
  return StartupLink{*folder + L"\\" + name + L".lnk", L"\"" + name + L".ini\""};
}

}  // namespace

void another_Click(DesignerForm& form, FilesPlatform& platform) {
  try {
    MakeAnotherClock(form, platform);
  } catch (const std::bad_alloc&) {
    ShowWriteFailure(*form.services.messages, kExportOutOfMemory);
  }
}

void RefreshStartupCheck(DesignerForm& form, FilesPlatform& platform) {
  const std::optional<StartupLink> link = StartupLinkOf(form, platform);
  form.startupCheck.value = link && platform.FileExists(link->link) ? 1 : 0;
}

void startupCheck_Click(DesignerForm& form, FilesPlatform& platform) {
  MessageService& messages = *form.services.messages;
  const bool wanted = form.startupCheck.checked();
  const std::wstring& name = form.anotherName.text;
  const wchar_t* problem = name.empty() ? nullptr : ClockNameProblem(name);
  if (!problem && !name.empty() && !Exists(ProgramFolder(form) + L"\\" + name + L".ini")) problem = kNoSuchClock;
  if (problem) {
    messages.Show(problem, form.appTitle, kMbOk | kMbIconExclamation);
    form.startupCheck.value = wanted ? 0 : 1;
    return;
  }
  const std::optional<StartupLink> link = StartupLinkOf(form, platform);
  const std::wstring program = ProgramFolder(form);
  const int32_t result = !link    ? 3  // no Startup folder: the path is not found
                         : wanted ? platform.CreateShortcut(link->link, program + L"\\tkt.exe", program, link->arguments)
                                  : platform.RemoveFile(link->link);
  if (result != 0) {
    ShowWriteFailure(messages, ExportErrorFromCode(result));
    form.startupCheck.value = wanted ? 0 : 1;
  }
}

}  // namespace designer
