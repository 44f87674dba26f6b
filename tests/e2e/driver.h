// tktdrive's interpreter: the script's variables, the programs it started, the temporary folders it made,
// and the table of commands that the script's lines name.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "harness.h"

namespace tktdrive {

struct Failure {
  std::string what;
};

// A script line's words after ${NAME} expansion, the command's name first.
using Args = std::vector<std::string>;

class Driver;
class OwnWindow;

struct Command {
  const char* name;
  size_t arguments;   // at least this many after the name; a deadline may follow where the usage says so
  const char* usage;  // the arguments and what it does, for the listing
  void (*run)(Driver&, const Args&);
};

// The commands of each file: variables, files and the registry; programs and windows; pixels and the pointer.
std::span<const Command> ScriptCommands();
std::span<const Command> WindowCommands();
std::span<const Command> PixelCommands();

// Script texts are UTF-8; the system's are UTF-16.
inline std::wstring Wide(const std::string& s) { return harness::Widen(s); }
inline std::string Utf8(const std::wstring& w) { return harness::Narrow(w); }

long long Number(const std::string& s);
// The optional DEADLINE argument at `index`: 20 seconds when it is left out.
std::chrono::milliseconds Deadline(const Args& a, size_t index);
// Window handles are written as hexadecimal numbers.
HWND Handle(const std::string& s);
std::string Hex(HWND w);

class Driver {
 public:
  explicit Driver(std::map<std::string, std::string> vars);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Runs the script line by line: 0 when every line passed, 1 at the first that failed.
  int Run(const std::string& script);
  static void PrintUsage();

  void Set(const std::string& name, std::string value) { vars_[name] = std::move(value); }
  void Start(const std::string& name, const std::string& exe, const std::string& folder,
             const std::string& arguments = {});
  harness::Process& Program(const std::string& name);
  // A new empty folder, removed at the end.
  std::filesystem::path MakeTempFolder();
  // A window of the driver's own, brought to the front; closed by CloseOwnWindow or at the end.
  HWND MakeOwnWindow();
  void CloseOwnWindow(HWND window);

 private:
  Args Split(const std::string& line) const;
  std::string Expand(const std::string& word) const;
  void Execute(const Args& a);

  std::map<std::string, std::string> vars_;
  std::map<std::string, harness::Process> programs_;
  std::vector<std::filesystem::path> temps_;
  std::vector<std::unique_ptr<OwnWindow>> ownWindows_;
};

}  // namespace tktdrive
