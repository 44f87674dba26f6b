// tktdrive: a small Windows UI driver for end-to-end tests, run under Wine beside the program under test.
//
//   tktdrive SCRIPT [NAME=VALUE ...]
//
// Runs SCRIPT line by line; the first failing line ends it with exit code 1 (0 when every line passed).
// Programs it started and temporary folders it made are cleaned up at the end. Lines are commands with
// blank-separated arguments; "quoted arguments" may hold blanks and the escapes \" \\ \r \n \t (any other
// backslash stays as it is, so Windows paths need no doubling). ${NAME}
// anywhere is replaced by a variable: those given on the command line, set by commands, and
// ${DRIVER_PID}. Times are milliseconds; a DEADLINE argument is optional (default 20000). Every wait
// polls for its condition until the deadline. '#' starts a comment line. HWND values are hexadecimal.
//
// The commands are listed in their tables, with their arguments (tktdrive without arguments prints them):
// driver.cpp (variables, files, the registry, expect), window_commands.cpp (programs, windows, message
// boxes, controls), pixel_commands.cpp (pixels read from the screen, regions, the mouse).
#include <cstdio>
#include <fstream>
#include <sstream>

#include "driver.h"

namespace {
// Real pixels from every window at any display scale: per-monitor aware (v2, else v1) where the system has
// it, system aware elsewhere.
void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  const auto context = [](INT_PTR value) { return reinterpret_cast<HANDLE>(value); };
  if (set && (set(context(-4)) || set(context(-3)))) return;
  SetProcessDPIAware();
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  BecomeDpiAware();
  if (argc < 2) {
    tktdrive::Driver::PrintUsage();
    return 2;
  }
  std::ifstream f(std::filesystem::path(argv[1]), std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "tktdrive: cannot read %s\n", tktdrive::Utf8(argv[1]).c_str());
    return 2;
  }
  std::stringstream script;
  script << f.rdbuf();
  std::map<std::string, std::string> vars;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = tktdrive::Utf8(argv[i]);
    const size_t eq = arg.find('=');
    if (eq != std::string::npos) vars[arg.substr(0, eq)] = arg.substr(eq + 1);
  }
  tktdrive::Driver driver(std::move(vars));
  return driver.Run(script.str());
}
