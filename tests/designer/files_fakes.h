// Stand-ins for the platform around the export, the import and the region file maker.
#pragma once

#include <cstdio>
#include <deque>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "designer/model/paths.h"
#include "designer/model/services.h"
#include "form_fakes.h"

namespace designer::testing {

struct ShownMessage {
  std::wstring text, title;
  unsigned style = 0;
};

// Records every box; answers come from the queue (OK when it is empty and the box only informs).
class LoggedMessages : public MessageService {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override {
    shown.push_back({text, title, style});
    if (answers.empty()) return OkOnly(text, style);
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> out;
    for (const auto& m : shown) out.push_back(m.text);
    return out;
  }
};

// File dialogs answer from a queue; colour and font dialogs, and a file dialog with no answer queued, fail
// the test (and are cancelled).
class SaveDialogs : public CommonDialogService {
 public:
  std::vector<FileRequest> requests;
  std::deque<std::optional<std::wstring>> answers;
  int unexpected = 0;
  std::optional<Color> ShowColor(Color, uint32_t) override { return UnexpectedDialog(unexpected, "colour dialog"); }
  std::optional<FontChoice> ShowFont(const std::optional<FontChoice>&, uint32_t) override {
    return UnexpectedDialog(unexpected, "font dialog");
  }
  std::optional<std::wstring> ShowSave(const FileRequest& r) override {
    requests.push_back(r);
    if (answers.empty()) return UnexpectedDialog(unexpected, "file dialog");
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

// "ANSI" here: ASCII as it is, other characters as DEL and four hex digits. Bytes above 0x7F are not
// text, and characters beyond the basic plane stand for those that code page 932 lacks.
class FakeFilesPlatform : public FilesPlatform {
 public:
  std::optional<std::wstring> desktop = L"C:\\Users\\hana\\Desktop";
  std::optional<std::wstring> startup = L"C:\\Users\\hana\\Startup";
  int32_t shortcutResult = 0;
  struct Link {
    std::wstring link, target, folder, arguments;
  };
  std::set<std::wstring> files;  // what FileExists finds: every link made, until removed
  std::vector<Link> links;
  bool outOfMemory = false;  // the conversions throw, as any allocation may

  std::optional<std::string> ToAnsi(const std::wstring& text) override {
    if (outOfMemory) throw std::bad_alloc();
    std::string out;
    for (wchar_t c : text) {
      if (uint32_t(c) >= 0x10000) return std::nullopt;
      char hex[8];
      std::snprintf(hex, sizeof hex, "\x7F%04X", unsigned(c));
      out += c < 0x80 ? std::string(1, char(c)) : std::string(hex);
    }
    return out;
  }
  std::optional<std::wstring> FromAnsi(const std::string& bytes) override {
    if (outOfMemory) throw std::bad_alloc();
    std::wstring out;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (uint8_t(bytes[i]) > 0x7F || (bytes[i] == '\x7F' && i + 4 >= bytes.size())) return std::nullopt;
      out += bytes[i] != '\x7F' ? wchar_t(bytes[i]) : wchar_t(std::stoul(bytes.substr(i + 1, 4), nullptr, 16));
      if (bytes[i] == '\x7F') i += 4;
    }
    return out;
  }
  std::optional<std::wstring> DesktopFolder() override { return desktop; }
  int32_t CreateShortcut(const std::wstring& link, const std::wstring& target, const std::wstring& folder,
                         const std::wstring& arguments) override {
    links.push_back({link, target, folder, arguments});
    if (shortcutResult == 0) files.insert(link);
    return shortcutResult;
  }
  std::optional<std::wstring> StartupFolder() override { return startup; }
  bool FileExists(const std::wstring& path) override { return files.count(path) > 0; }
  int32_t RemoveFile(const std::wstring& path) override {
    files.erase(path);
    return 0;
  }
};

// A loaded form whose messages and file dialogs are the ones above.
struct FilesFixture : FormFixture {
  explicit FilesFixture(const std::wstring& startFolder = L"C:\\CLOCK") : FormFixture(startFolder) {
    form.services.messages = &logged;
    form.services.dialogs = &saves;
  }
  LoggedMessages logged;
  SaveDialogs saves;
  FakeFilesPlatform platform;
};

}  // namespace designer::testing
