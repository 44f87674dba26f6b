// Scripted stand-ins for the platform around the designer form.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "designer/model/form.h"

namespace designer::testing {

// A dialog the test queued no answer for fails the test; it is counted and cancelled.
inline std::nullopt_t UnexpectedDialog(int& unexpected, const char* what) {
  ++unexpected;
  ADD_FAILURE() << "unexpected " << what;
  return std::nullopt;
}

// Answers queued by the test.
class ScriptedDialogs : public CommonDialogService {
 public:
  std::deque<std::optional<Color>> colorAnswers;
  std::deque<std::optional<FontChoice>> fontAnswers;
  std::vector<std::pair<Color, uint32_t>> colorCalls;
  std::vector<std::pair<std::optional<FontChoice>, uint32_t>> fontCalls;
  int unexpected = 0;

  std::optional<Color> ShowColor(Color initial, uint32_t flags) override {
    colorCalls.emplace_back(initial, flags);
    if (colorAnswers.empty()) return UnexpectedDialog(unexpected, "colour dialog");
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
  }
  std::optional<FontChoice> ShowFont(const std::optional<FontChoice>& last, uint32_t flags) override {
    fontCalls.emplace_back(last, flags);
    if (fontAnswers.empty()) return UnexpectedDialog(unexpected, "font dialog");
    auto answer = fontAnswers.front();
    fontAnswers.pop_front();
    return answer;
  }
  std::optional<std::wstring> ShowSave(const FileRequest&) override {
    return UnexpectedDialog(unexpected, "file dialog");
  }
};

// A current folder that ChangeDirectory("../") moves one level up, as the file system would.
class FakeFolders : public FolderService {
 public:
  explicit FakeFolders(std::wstring start) : current(std::move(start)) {}
  std::wstring current;
  std::vector<std::wstring> changes;
  std::wstring CurrentDirectory() override { return current; }
  bool ChangeDirectory(const std::wstring& path) override {
    changes.push_back(path);
    if (path != L"../") {
      ADD_FAILURE() << "unexpected change of folder";
      return false;
    }
    size_t cut = current.find_last_of(L'\\');
    if (cut == std::wstring::npos) return false;
    current = current.substr(0, cut);
    if (current.size() == 2 && current[1] == L':') current += L'\\';  // "C:" is the drive's current folder
    return true;
  }
};

// Pictures that exist are the paths registered by the test.
class FakePictures : public PictureService {
 public:
  std::map<std::wstring, std::shared_ptr<const faceformat::Image>> files;
  std::vector<std::wstring> loads;
  void Add(const std::wstring& path, int w = 180, int h = 180) {
    files[path] = std::make_shared<faceformat::Image>(w, h, 0x00336699);
  }
  bool outOfMemory = false;  // a picture too large to hold
  std::shared_ptr<const faceformat::Image> Load(const std::wstring& path) override {
    loads.push_back(path);
    if (outOfMemory) throw std::bad_alloc();
    auto it = files.find(path);
    return it == files.end() ? nullptr : it->second;
  }
};

// OK to a box that only informs; a box that asks (its buttons are more than OK) with no answer queued fails
// the test.
inline int OkOnly(const std::wstring& text, unsigned style) {
  if ((style & kMbTypeMask) != kMbOk) ADD_FAILURE() << "unexpected question " << ::testing::PrintToString(text);
  return kIdOk;
}

class RecordedMessages : public MessageService {
 public:
  std::vector<std::wstring> shown;
  int Show(const std::wstring& text, const std::wstring&, unsigned style) override {
    shown.push_back(text);
    return OkOnly(text, style);
  }
};

// Documents that open are the paths added by the test; ending the program is only counted.
class FakeShell : public ShellService {
 public:
  std::set<std::wstring> documents;
  std::vector<std::wstring> opened;
  int ends = 0;
  bool OpenDocument(const std::wstring& path) override {
    opened.push_back(path);
    return documents.count(path) > 0;
  }
  void EndProgram() override { ++ends; }
};

// Two zones, west to east.
class FakeZones : public ZoneService {
 public:
  std::vector<ZoneChoice> Zones() override {
    return {{L"GMT Standard Time", L"(UTC+00:00) London"}, {L"Tokyo Standard Time", L"(UTC+09:00) Tokyo"}};
  }
};

// A loaded form, started in `startFolder`.
struct FormFixture {
  explicit FormFixture(const std::wstring& startFolder = L"C:\\CLOCK")
      : folders(startFolder), form(Services{&dialogs, &messages, &folders, &pictures, &shell, &zones}) {
    form.Form_Load();
  }
  ScriptedDialogs dialogs;
  RecordedMessages messages;
  FakeFolders folders;
  FakePictures pictures;
  FakeShell shell;
  FakeZones zones;
  DesignerForm form;

  void GoToPage(int index) { form.MultiPage1.SetValue(index); }
  void ChooseTemplate(int index) {
    form.Option1.Click();
    OptionButton* options[] = {&form.Option3, &form.Option4, &form.Option5, &form.Option6};
    options[index]->Click();
  }
};

}  // namespace designer::testing
