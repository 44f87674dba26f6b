#include "designer/model/export.h"

#include <cmath>
#include <new>
#include <system_error>

#include "designer/model/clock_options_page.h"
#include "designer/model/paths.h"

namespace designer {

std::wstring ExportDoneText(const std::wstring& settingsPath) {
  return L"Tocktide設定ファイルを\r" + settingsPath + L"　として作成しました。\r\r" +
         L"同じフォルダ内にある tkt.exe を実行すれば時計を表示できます。";
}

std::wstring ErrorNumberText(const ExportError& error) {
  return L"ｴﾗｰ番号 " + std::to_wstring(error.number) + L"tkt でｴﾗｰが発生しました。\r" + error.description;
}

namespace {

const ExportError kPathNotFound{76, L"パスが見つかりません。"};
const ExportError kPermissionDenied{70, L"書き込みできません。"};
const ExportError kDiskFull{61, L"ディスクの空き容量が不足しています。"};
// Anything the platform reports that fits none of the above: the generic I/O error.
const ExportError kWriteError{57, L"デバイス I/O エラーです。"};

}  // namespace

ExportError ExportErrorFromCode(long code) {
  const uint32_t bits = uint32_t(code);
  if ((bits & 0xFFFF0000u) == 0x80070000u) code = long(bits & 0xFFFF);  // HRESULT_FROM_WIN32
  switch (code) {
    case 2: case 3: case 123: case 161: case 267: return kPathNotFound;
    // Access denied, write-protected, sharing or lock violation, a mapped section, and the replace step
    // failing on a target that is held open or read-only.
    case 5: case 19: case 32: case 33: case 1175: case 1176: case 1177: case 1224: return kPermissionDenied;
    case 39: case 112: return kDiskFull;
    default: return kWriteError;
  }
}

ExportError ExportErrorFromWrite(const tkt::Error& error, const std::filesystem::path& target) {
  std::error_code ec;
  if (!std::filesystem::is_directory(target.parent_path(), ec)) return kPathNotFound;
  if (error.code != 0) return ExportErrorFromCode(long(error.code));
  if (std::filesystem::is_directory(target, ec)) return kPermissionDenied;
  auto perms = std::filesystem::status(target, ec).permissions();
  if (!ec && (perms & std::filesystem::perms::owner_write) == std::filesystem::perms::none) return kPermissionDenied;
  return kWriteError;
}

GatheredSettings GatherSettings(const DesignerForm& form, FilesPlatform& platform) {
  std::wstring region, bitmap;
  if (!form.Option1.value && !form.Option2.value) return {std::nullopt, kExportNoMode};
  if (form.Option1.value) {
    const int chosen = form.SelectedTemplate();
    if (chosen < 0) return {std::nullopt, kExportNoTemplate};
    // From the installation root, not the current folder that a file dialog may have moved.
    const std::wstring sample = form.baseDir + L"\\sample\\" + kTemplates[size_t(chosen)].name;
    region = sample + L".rgp";
    bitmap = sample + L".bmp";
  } else {
    if (form.PS_Text1.text.empty()) return {std::nullopt, kExportNoRegion};
    if (form.PS_Text2.text.empty()) return {std::nullopt, kExportNoPicture};
    // Written absolute, resolved as the clock would resolve them: from the folder of its tkt.ini.
    const std::wstring folder = FolderOf(form.settingsPath);
    region = AbsolutePath(folder, form.PS_Text1.text);
    bitmap = AbsolutePath(folder, form.PS_Text2.text);
  }

  faceformat::ClockSettings s;
  s.regionFilePath = platform.ToAnsi(region);
  s.faceBitmapPath = platform.ToAnsi(bitmap);
  if (!s.regionFilePath || !s.faceBitmapPath) return {std::nullopt, kExportNotAnsi};
  s.secondColor = form.clbox1.fillColor;
  s.secondLength = int16_t(form.HScroll1.value);
  s.secondWidth = int16_t(form.HScroll5.value);
  s.hourColor = form.clbox2.fillColor;
  s.hourLength = int16_t(form.HScroll2.value);
  s.hourWidth = int16_t(form.HScroll6.value);
  s.minuteColor = form.clbox3.fillColor;
  s.minuteLength = int16_t(form.HScroll3.value);
  s.minuteWidth = int16_t(form.HScroll7.value);
  s.centerDotColor = form.clbox4.fillColor;
  s.centerDotSize = int16_t(form.HScroll4.value);
  if (form.circleCheck.checked()) {
    s.frameColor = form.circleCheck.foreColor;
    s.frameSize = float(form.waku.width);
  }
  if (form.digicheck.checked()) {
    const FontLook& font = form.digitxt.font;
    s.digitalLeft = float(form.digitxt.left);
    s.digitalTop = float(form.digitxt.top);
    if (form.digistyle1.value) s.digitalStyle = "hm";
    if (form.digistyle2.value) s.digitalStyle = "hms";
    s.fontName = platform.ToAnsi(font.name);
    if (!s.fontName) return {std::nullopt, kExportNotAnsi};
    s.fontSize = std::round(font.size * 10000) / 10000;  // the file keeps four decimals
    s.fontBold = font.bold;
    s.fontItalic = font.italic;
    s.fontUnderline = font.underline;
    s.fontStrikethru = font.strikethru;
    s.digitalColor = form.digitxt.foreColor;
  }
  if (form.hatoCheck1.checked()) {
    s.cuckoo1Left = float(form.Image3.left);
    s.cuckoo1Top = float(form.Image3.top);
  }
  if (form.hatoCheck2.checked()) {
    s.cuckoo2Left = float(form.Image4.left);
    s.cuckoo2Top = float(form.Image4.top);
  }
  return {std::move(s), nullptr};
}

void ShowWriteFailure(MessageService& messages, const ExportError& error) {
  messages.Show(kWriteFailed, kWriteFailedTitle, kMbOk);
  messages.Show(ErrorNumberText(error), kErrorNumberTitle, kMbOk);
}

bool WriteClockFiles(DesignerForm& form, const faceformat::ClockSettings& settings,
                     const faceformat::ClockOptions& options, const std::wstring& settingsPath) {
  // The writers replace a file in one step, so a failure leaves the old one as it was.
  const std::filesystem::path target = PathFromText(settingsPath);
  tkt::Status written = faceformat::WriteSettingsFile(target, settings);
  if (!written) {
    ShowWriteFailure(*form.services.messages, ExportErrorFromWrite(written.error(), target));
    return false;
  }
  written = faceformat::WriteClockOptions(target, options);
  if (!written) {
    ShowWriteFailure(*form.services.messages, ExportErrorFromWrite(written.error(), faceformat::OptionsPathFor(target)));
    return false;
  }
  return true;
}

std::optional<GatheredClock> GatherClock(DesignerForm& form, FilesPlatform& platform) {
  MessageService& messages = *form.services.messages;
  GatheredSettings gathered = GatherSettings(form, platform);
  if (!gathered.settings) {
    messages.Show(gathered.message, form.appTitle, gathered.message == kExportNotAnsi ? kMbIconExclamation : kMbOk);
    return std::nullopt;
  }
  GatheredOptions options = GatherOptions(form);
  if (!options.options) {
    messages.Show(options.message, form.appTitle, kMbOk | kMbIconExclamation);
    return std::nullopt;
  }
  return GatheredClock{std::move(*gathered.settings), std::move(*options.options)};
}

void OfferShortcut(DesignerForm& form, FilesPlatform& platform, const std::wstring& linkName,
                   const std::wstring& arguments) {
  MessageService& messages = *form.services.messages;
  // Offered wherever the desktop is, not only at one fixed path.
  std::optional<std::wstring> desktop = platform.DesktopFolder();
  if (!desktop || desktop->empty()) return;
  if (messages.Show(kShortcutQuestion, kShortcutTitle, kShortcutQuestionStyle) != kIdYes) return;
  const std::wstring program = form.baseDir + L"\\program";
  const int32_t result =
      platform.CreateShortcut(*desktop + L"\\" + linkName, program + L"\\tkt.exe", program, arguments);
  if (result != 0) ShowWriteFailure(messages, ExportErrorFromCode(result));
}

namespace {

void ExportSettings(DesignerForm& form, FilesPlatform& platform) {
  const std::optional<GatheredClock> clock = GatherClock(form, platform);
  if (!clock || !WriteClockFiles(form, clock->settings, clock->options, form.settingsPath)) return;
  form.services.messages->Show(ExportDoneText(form.settingsPath), kExportDoneTitle, kMbOk);
  OfferShortcut(form, platform, kShortcutFile, L"");
}

}  // namespace

void iniout_Click(DesignerForm& form, FilesPlatform& platform) {
  try {
    ExportSettings(form, platform);
  } catch (const std::bad_alloc&) {
    ShowWriteFailure(*form.services.messages, kExportOutOfMemory);
  }
}

}  // namespace designer
