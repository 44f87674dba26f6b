// Fakes shared by the menu form's tests, native and Windows-side: scripted message boxes and server replies.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "sntp_exchange.h"

namespace tkt::testing {

// Boxes answered from a script. While a box is "open" its action runs (events arrive then); `clockEnabled`,
// when set, records whether the clock took input under each box.
class ScriptedBoxes : public MessageService {
 public:
  struct Shown {
    std::wstring text, title;
    unsigned style;
    bool clockEnabled;
  };
  struct Answer {
    int button;
    std::function<void()> whileOpen;
  };

  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override {
    shown.push_back({text, title, style, clockEnabled ? clockEnabled() : true});
    if (script.empty()) {
      ADD_FAILURE() << "unexpected box";
      return kIdOk;
    }
    Answer answer = std::move(script.front());
    script.pop_front();
    if (answer.whileOpen) answer.whileOpen();
    return answer.button;
  }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> texts;
    for (const Shown& s : shown) texts.push_back(s.text);
    return texts;
  }

  std::deque<Answer> script;
  std::vector<Shown> shown;
  std::function<bool()> clockEnabled;
};

// A server's reply with this transmit time; `first` holds leap indicator, version and mode.
inline std::vector<uint8_t> ServerReply(uint32_t seconds, uint32_t fraction = 0, uint8_t first = 0x0C) {
  std::vector<uint8_t> bytes(48, 0);
  bytes[0] = first;
  bytes[1] = 1;
  for (int i = 0; i < 4; ++i) {
    bytes[40 + i] = static_cast<uint8_t>(seconds >> (24 - 8 * i));
    bytes[44 + i] = static_cast<uint8_t>(fraction >> (24 - 8 * i));
  }
  return bytes;
}

}  // namespace tkt::testing
