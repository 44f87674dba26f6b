// Stand-ins for the platform around the export, the import and the region file maker.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "designer/file_commands.h"
#include "form_fakes.h"

namespace designer::testing {

struct ShownMessage {
  std::wstring text, title;
  unsigned style = 0;
};

// Records every box; answers come from the queue (OK when it is empty).
class LoggedMessages : public MessageService {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override {
    shown.push_back({text, title, style});
    if (answers.empty()) return 1;
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

// File dialogs answer from a queue (cancel when empty); colour and font dialogs must not appear.
class SaveDialogs : public CommonDialogService {
 public:
  std::vector<FileRequest> requests;
  std::deque<std::optional<std::wstring>> answers;
  int unexpected = 0;
  std::optional<Color> ShowColor(Color, uint32_t) override { return ++unexpected, std::nullopt; }
  std::optional<FontChoice> ShowFont(const std::optional<FontChoice>&, uint32_t) override {
    return ++unexpected, std::nullopt;
  }
  std::optional<std::wstring> ShowSave(const FileRequest& r) override {
    requests.push_back(r);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

// "ANSI" here is UTF-8 without the characters beyond the basic plane, which stand for those that
// code page 932 lacks.
class FakeFilesPlatform : public FilesPlatform {
 public:
  std::optional<std::wstring> desktop = L"C:\\Users\\hana\\Desktop";
  int32_t shortcutResult = 0;
  struct Link {
    std::wstring link, target, folder;
  };
  std::vector<Link> links;

  std::optional<std::string> ToAnsi(const std::wstring& text) override {
    std::string out;
    for (wchar_t wc : text) {
      const uint32_t c = uint32_t(wc);
      if (c >= 0x10000) return std::nullopt;
      if (c < 0x80) {
        out += char(c);
      } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
      } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
      }
    }
    return out;
  }
  std::optional<std::wstring> FromAnsi(const std::string& bytes) override {
    std::wstring out;
    for (size_t i = 0; i < bytes.size();) {
      const uint8_t b = uint8_t(bytes[i]);
      int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : -1;
      if (extra < 0 || i + size_t(extra) >= bytes.size() + (extra == 0 ? 1 : 0)) return std::nullopt;
      uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : (b & 0x0F);
      for (int k = 1; k <= extra; ++k) {
        const uint8_t n = uint8_t(bytes[i + size_t(k)]);
        if ((n & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (n & 0x3F);
      }
      out += wchar_t(c);
      i += size_t(extra) + 1;
    }
    return out;
  }
  std::optional<std::wstring> DesktopFolder() override { return desktop; }
  int32_t CreateShortcut(const std::wstring& link, const std::wstring& target, const std::wstring& folder) override {
    links.push_back({link, target, folder});
    return shortcutResult;
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
