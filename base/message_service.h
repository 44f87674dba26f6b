// A modal message box, as the portable models of both programs ask the platform for one.
#pragma once

#include <string>

namespace tkt {

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Style and answer as the platform numbers them (platform_numbers.h). Modal: events, the clock's socket
  // among them, keep arriving while it is open. The designer shows its own title for an empty one.
  virtual int Show(const std::wstring& text, const std::wstring& title, unsigned style) = 0;
};

}  // namespace tkt
