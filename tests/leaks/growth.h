// What a process holds of the system: GDI objects, USER objects and private bytes, measured the same way
// before and after a long run so that anything that grows with use shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tkt::growth {

struct Usage {
  long gdiObjects = 0;
  long userObjects = 0;
  int64_t privateBytes = 0;
};

// GetGuiResources and PROCESS_MEMORY_COUNTERS_EX::PrivateUsage where the system has them. Wine 8 has neither
// (a stub that returns 0, and 0); there the process's own handle tables are counted (GDI objects; windows and
// menus of this process) and its committed private pages are added up.
Usage Measure();

// The figures of one check, printed for the record.
struct Growth {
  Usage before, after;
  long gdi() const { return after.gdiObjects - before.gdiObjects; }
  long user() const { return after.userObjects - before.userObjects; }
  int64_t bytes() const { return after.privateBytes - before.privateBytes; }
};

// Runs `round` once `warmUp` times (first-use caches, fonts, lazily made objects settle), measures, runs it
// `rounds` times, and measures again. Prints the figures under `name`.
Growth Run(const std::string& name, int warmUp, int rounds, const std::function<void(int)>& round);

// A small fixed allowance: what the system itself may keep (caches of the font mapper, the heap's own
// bookkeeping), far below one object or a few bytes per round.
inline constexpr long kGdiAllowance = 8;
inline constexpr long kUserAllowance = 4;
inline constexpr int64_t kPrivateBytesAllowance = 1 << 20;

// Dispatches every queued message but timers (the tests drive the timers themselves).
void PumpMessages();

// Presses OK in every message box this thread opens, as soon as it is active.
class AnswerMessageBoxes {
 public:
  AnswerMessageBoxes();
  ~AnswerMessageBoxes();
  AnswerMessageBoxes(const AnswerMessageBoxes&) = delete;
  AnswerMessageBoxes& operator=(const AnswerMessageBoxes&) = delete;
  static int answered();

 private:
  HHOOK hook_;
};

}  // namespace tkt::growth
