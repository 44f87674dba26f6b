// What the form asks of the platform: the common dialogs, message boxes, the current folder, files and
// picture loading. The window layer implements these; tests script them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "base/message_service.h"
#include "base/platform_numbers.h"

namespace designer {

using tkt::kIdNo;
using tkt::kIdOk;
using tkt::kIdYes;
using tkt::kMbDefButton2;
using tkt::kMbIconExclamation;
using tkt::kMbOk;
using tkt::kMbTypeMask;
using tkt::kMbYesNo;
using tkt::MessageService;

// Flags as the common dialog control numbers them (the same bits as the Win32 structures).
inline constexpr uint32_t kColorStartFromGiven = 1;          // CC_RGBINIT
inline constexpr uint32_t kFontScreenAndPrinter = 3;         // CF_BOTH
inline constexpr uint32_t kFontEffects = 256;                // CF_EFFECTS: colour, underline, strikethrough
inline constexpr uint32_t kFileOverwritePrompt = 2;          // OFN_OVERWRITEPROMPT
inline constexpr uint32_t kFileHideReadOnly = 4;             // OFN_HIDEREADONLY
inline constexpr uint32_t kFilePathMustExist = 2048;         // OFN_PATHMUSTEXIST

struct FontChoice {
  FontLook font;
  Color color = kBlack;
  bool operator==(const FontChoice&) const = default;
};

struct FileRequest {
  std::wstring title;
  std::wstring filter;  // "description|pattern"
  uint32_t flags = 0;
};

// Each call shows one modal dialog; nothing returned means the user cancelled.
class CommonDialogService {
 public:
  virtual ~CommonDialogService() = default;
  virtual std::optional<Color> ShowColor(Color initial, uint32_t flags) = 0;
  // `last` is what the dialog held after its previous use (nothing before the first).
  virtual std::optional<FontChoice> ShowFont(const std::optional<FontChoice>& last, uint32_t flags) = 0;
  // The save form; the full path chosen.
  virtual std::optional<std::wstring> ShowSave(const FileRequest& request) = 0;
};

// The process's current folder, as a Windows path.
class FolderService {
 public:
  virtual ~FolderService() = default;
  virtual std::wstring CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::wstring& path) = 0;
};

// Opening a document with the program the system associates with it, and ending the program.
class ShellService {
 public:
  virtual ~ShellService() = default;
  // False when the file is missing or nothing could open it.
  virtual bool OpenDocument(const std::wstring& path) = 0;
  // At once: no unloading, no questions.
  virtual void EndProgram() = 0;
};

// What the file commands need beyond the form's own services.
class FilesPlatform {
 public:
  virtual ~FilesPlatform() = default;
  // Settings files hold text in the ANSI code page. Nothing when a character has no form there
  // (ToAnsi) or the bytes are not valid text (FromAnsi).
  virtual std::optional<std::string> ToAnsi(const std::wstring& text) = 0;
  virtual std::optional<std::wstring> FromAnsi(const std::string& bytes) = 0;
  // The user's desktop folder, or nothing when there is none.
  virtual std::optional<std::wstring> DesktopFolder() = 0;
  // 0 on success, else the platform's error code (an HRESULT on Windows).
  virtual int32_t CreateShortcut(const std::wstring& link, const std::wstring& target,
                                 const std::wstring& workingFolder, const std::wstring& arguments) = 0;
  // The folder whose shortcuts start with the user's session, or nothing when there is none.
  virtual std::optional<std::wstring> StartupFolder() = 0;
  virtual bool FileExists(const std::wstring& path) = 0;
  // 0 when the file is gone (also when it never was), else the platform's error code.
  virtual int32_t RemoveFile(const std::wstring& path) = 0;
};

// The time zones the system knows, for the options page's list.
struct ZoneChoice {
  std::wstring key;      // what an options file names
  std::wstring display;  // what the list shows
};
class ZoneService {
 public:
  virtual ~ZoneService() = default;
  // West to east, as the system lists them.
  virtual std::vector<ZoneChoice> Zones() = 0;
};

class PictureService {
 public:
  virtual ~PictureService() = default;
  // Null when the file is missing or not a picture we can read.
  virtual std::shared_ptr<const faceformat::Image> Load(const std::wstring& path) = 0;
};

}  // namespace designer
