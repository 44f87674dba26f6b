// The interpreter (lines, quoting, ${NAME}, the command table) and the commands on variables, files and
// the registry.
#include "driver.h"

#include <algorithm>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "own_window.h"
#include "wincommon/com.h"
#include "wincommon/handle.h"

namespace tktdrive {

namespace {

void Print(const std::string& s) {
  std::fwrite(s.data(), 1, s.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::array<std::span<const Command>, 3> Tables() { return {ScriptCommands(), WindowCommands(), PixelCommands()}; }

const Command* Find(const std::string& name) {
  for (const auto& table : Tables())
    for (const Command& c : table)
      if (name == c.name) return &c;
  return nullptr;
}

bool IsNumber(const std::string& s) {
  if (s.empty()) return false;
  char* end = nullptr;
  std::strtod(s.c_str(), &end);
  return *end == '\0';
}

void Expect(const std::string& x, const std::string& op, const std::string& y) {
  bool ok;
  if (op == "contains") ok = x.find(y) != std::string::npos;
  else if (op == "!contains") ok = x.find(y) == std::string::npos;
  else if (IsNumber(x) && IsNumber(y)) {
    const double a = std::strtod(x.c_str(), nullptr), b = std::strtod(y.c_str(), nullptr);
    ok = op == "==" ? a == b : op == "!=" ? a != b : op == "<" ? a < b : op == "<=" ? a <= b : op == ">" ? a > b
       : op == ">=" ? a >= b : throw Failure{"unknown operator " + op};
  } else if (op == "==") ok = x == y;
  else if (op == "!=") ok = x != y;
  else throw Failure{"cannot compare texts with " + op};
  if (!ok) throw Failure{"expected \"" + x + "\" " + op + " \"" + y + "\""};
}

void Calc(Driver& d, const Args& a) {
  const long long x = Number(a[2]), y = Number(a[4]);
  const std::string& op = a[3];
  if (op == "/" && y == 0) throw Failure{"division by zero"};
  d.Set(a[1], std::to_string(op == "+" ? x + y : op == "-" ? x - y : op == "*" ? x * y : op == "/" ? x / y
                             : throw Failure{"unknown operator " + op}));
}

void CopyTree(Driver&, const Args& a) {
  std::error_code ec;
  using std::filesystem::copy_options;
  std::filesystem::copy(Wide(a[1]), Wide(a[2]), copy_options::recursive | copy_options::overwrite_existing, ec);
  if (ec) throw Failure{"copy failed: " + ec.message()};
}

void WriteFile(Driver&, const Args& a) {
  std::ofstream f(std::filesystem::path(Wide(a[1])), std::ios::binary | std::ios::trunc);
  f << harness::Narrow(Wide(a[2]), CP_ACP);
  if (!f) throw Failure{"cannot write " + a[1]};
}

void ReadFile(Driver& d, const Args& a) {
  std::ifstream f(std::filesystem::path(Wide(a[2])), std::ios::binary);
  if (!f) throw Failure{"cannot read " + a[2]};
  std::ostringstream bytes;
  bytes << f.rdbuf();
  d.Set(a[1], Utf8(harness::Widen(bytes.str(), CP_ACP)));
}

// "PARENT\NAME*": every key under PARENT whose name starts with NAME.
void RegDeleteLike(const std::wstring& pattern) {
  const size_t slash = pattern.rfind(L'\\');
  const std::wstring parent = pattern.substr(0, slash), prefix = pattern.substr(slash + 1, pattern.size() - slash - 2);
  tkt::RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, parent.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  std::vector<std::wstring> names;
  wchar_t name[256];
  for (DWORD i = 0, n = 256; RegEnumKeyExW(key.get(), i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, n = 256)
    if (std::wstring_view(name, n).starts_with(prefix)) names.emplace_back(name, n);
  for (const std::wstring& n : names) RegDeleteTreeW(key.get(), n.c_str()), RegDeleteKeyW(key.get(), n.c_str());
}

void RegDelete(Driver&, const Args& a) {
  if (a[1].ends_with('*')) return RegDeleteLike(Wide(a[1]));
  const LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, Wide(a[1]).c_str());
  if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) RegDeleteKeyW(HKEY_CURRENT_USER, Wide(a[1]).c_str());
  else throw Failure{"cannot delete the key"};
}

// COM for as long as one command needs it.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

void Folder(Driver& d, const Args& a) {
  const KNOWNFOLDERID* id = a[2] == "desktop" ? &FOLDERID_Desktop : a[2] == "startup" ? &FOLDERID_Startup : nullptr;
  if (!id) throw Failure{"no folder " + a[2]};
  ComScope com;
  tkt::CoTaskMem<wchar_t> path;
  if (FAILED(SHGetKnownFolderPath(*id, 0, nullptr, path.put())) || !path) throw Failure{"the shell names no " + a[2]};
  d.Set(a[1], Utf8(path.get()));
}

// Waits until the link can be read: a program under test may still be writing it.
void Shortcut(Driver& d, const Args& a) {
  ComScope com;
  tkt::ComPtr<IShellLinkW> link;
  tkt::ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())))
    throw Failure{"no shell links"};
  const std::wstring path = Wide(a[2]);
  if (!harness::WaitUntil([&] { return SUCCEEDED(file->Load(path.c_str(), STGM_READ)); }, Deadline(a, 3)))
    throw Failure{"cannot read the shortcut " + a[2]};
  wchar_t target[MAX_PATH] = {}, args[1024] = {}, dir[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) || FAILED(link->GetArguments(args, 1024)) ||
      FAILED(link->GetWorkingDirectory(dir, MAX_PATH)))
    throw Failure{"cannot read the shortcut " + a[2]};
  d.Set(a[1] + ".target", Utf8(target));
  d.Set(a[1] + ".args", Utf8(args));
  d.Set(a[1] + ".dir", Utf8(dir));
}

void WaitFile(Driver&, const Args& a) {
  const bool want = Number(a[2]) != 0;
  const std::filesystem::path path(Wide(a[1]));
  std::error_code ec;
  if (!harness::WaitUntil([&] { return std::filesystem::exists(path, ec) == want; }, Deadline(a, 3)))
    throw Failure{a[1] + (want ? " is not there" : " is still there")};
}

const Command kScriptCommands[] = {
    {"set", 2, "NAME VALUE: NAME = VALUE", [](Driver& d, const Args& a) { d.Set(a[1], a[2]); }},
    {"calc", 4, "NAME A OP B: NAME = A OP B for integers, OP one of + - * /", Calc},
    {"tempdir", 1, "NAME: makes an empty temporary folder, NAME = its path (removed at the end)",
     [](Driver& d, const Args& a) { d.Set(a[1], Utf8(d.MakeTempFolder().wstring())); }},
    {"copytree", 2, "FROM TO: copies a folder recursively", CopyTree},
    {"writefile", 2, "PATH TEXT: writes TEXT in the ANSI code page (so \"\\r\\n\" for line ends)", WriteFile},
    {"deletefile", 1, "PATH: removes a file if it exists",
     [](Driver&, const Args& a) {
       std::error_code ec;
       std::filesystem::remove(std::filesystem::path(Wide(a[1])), ec);
     }},
    {"readfile", 2, "VAR PATH: VAR = the file's text, read in the ANSI code page", ReadFile},
    {"waitfile", 2, "PATH 0|1 [DEADLINE]: waits until the file is gone (0) or there (1)", WaitFile},
    {"folder", 2, "VAR desktop|startup: VAR = the user's desktop or Startup folder", Folder},
    {"shortcut", 2, "VAR PATH [DEADLINE]: reads a shell link once it can be read: VAR.target, VAR.args, VAR.dir", Shortcut},
    {"regdelete", 1, "KEY: removes the key under HKCU and everything below it; a missing key is fine; KEY ending in * "
     "removes every key whose name starts so", RegDelete},
    {"expect", 3, "A OP B: OP one of == != < <= > >= (numbers when both are), contains, !contains",
     [](Driver&, const Args& a) { Expect(a[1], a[2], a[3]); }},
};

}  // namespace

std::span<const Command> ScriptCommands() { return kScriptCommands; }

long long Number(const std::string& s) {
  try {
    size_t used = 0;
    const long long v = std::stoll(s, &used, 0);
    if (used == s.size()) return v;
  } catch (...) {
  }
  throw Failure{"not a number: " + s};
}

std::chrono::milliseconds Deadline(const Args& a, size_t index) {
  return std::chrono::milliseconds(index < a.size() ? Number(a[index]) : 20000);
}

HWND Handle(const std::string& s) { return reinterpret_cast<HWND>(std::stoull(s, nullptr, 16)); }

std::string Hex(HWND w) {
  char t[32];
  std::snprintf(t, sizeof t, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)));
  return t;
}

Driver::Driver(std::map<std::string, std::string> vars) : vars_(std::move(vars)) {
  vars_["DRIVER_PID"] = std::to_string(GetCurrentProcessId());
}

Driver::~Driver() {
  ownWindows_.clear();
  programs_.clear();  // ends what still runs before its folders go
  for (const auto& dir : temps_) {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
}

HWND Driver::MakeOwnWindow() {
  ownWindows_.push_back(std::make_unique<OwnWindow>());
  if (!ownWindows_.back()->get()) throw Failure{"cannot make a window"};
  return ownWindows_.back()->get();
}

void Driver::CloseOwnWindow(HWND window) {
  std::erase_if(ownWindows_, [&](const auto& own) { return own->get() == window; });
}

int Driver::Run(const std::string& script) {
  std::istringstream in(script);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      const Args args = Split(line);
      if (args.empty() || args[0][0] == '#') continue;
      Print("> " + line);
      Execute(args);
    } catch (const Failure& f) {
      Print("FAIL line " + std::to_string(number) + ": " + line + "\n     " + f.what);
      return 1;
    }
  }
  Print("PASS");
  return 0;
}

void Driver::PrintUsage() {
  std::fputs("usage: tktdrive SCRIPT [NAME=VALUE ...]\ncommands:\n", stderr);
  for (const auto& table : Tables())
    for (const Command& c : table) std::fprintf(stderr, "  %s %s\n", c.name, c.usage);
}

void Driver::Execute(const Args& a) {
  const Command* c = Find(a[0]);
  if (!c) throw Failure{"unknown command " + a[0]};
  if (a.size() < c->arguments + 1)
    throw Failure{"needs " + std::to_string(c->arguments) + " arguments: " + c->name + " " + c->usage};
  c->run(*this, a);
}

Args Driver::Split(const std::string& line) const {
  Args out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      ++i;
      while (i < line.size() && line[i] != '"') {
        const char e = i + 1 < line.size() ? line[i + 1] : '\0';
        if (line[i] == '\\' && (e == '"' || e == '\\' || e == 'r' || e == 'n' || e == 't')) {
          word += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
          ++i;
        } else {
          word += line[i];
        }
        ++i;
      }
      if (i >= line.size()) throw Failure{"unterminated quote"};
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') word += line[i++];
    }
    out.push_back(Expand(word));
  }
  return out;
}

std::string Driver::Expand(const std::string& word) const {
  std::string out;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '$' && i + 1 < word.size() && word[i + 1] == '{') {
      const size_t end = word.find('}', i);
      if (end == std::string::npos) throw Failure{"unterminated ${"};
      const std::string name = word.substr(i + 2, end - i - 2);
      auto it = vars_.find(name);
      if (it == vars_.end()) throw Failure{"no variable " + name};
      out += it->second;
      i = end;
    } else {
      out += word[i];
    }
  }
  return out;
}

void Driver::Start(const std::string& name, const std::string& exe, const std::string& folder,
                   const std::string& arguments) {
  std::wstring command = harness::Quoted(Wide(exe));
  if (!arguments.empty()) command += L" " + Wide(arguments);
  harness::Process p(command, Wide(folder), Wide(exe).c_str());
  if (!p.started()) throw Failure{"cannot start " + exe + " (error " + std::to_string(p.error()) + ")"};
  Set(name + ".pid", std::to_string(p.id()));
  programs_[name] = std::move(p);
}

harness::Process& Driver::Program(const std::string& name) {
  auto it = programs_.find(name);
  if (it == programs_.end()) throw Failure{"no program " + name};
  return it->second;
}

std::filesystem::path Driver::MakeTempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  for (int i = 0;; ++i) {
    const auto dir = std::filesystem::path(base) /
                     (L"tktdrive-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(i));
    std::error_code ec;
    if (std::filesystem::create_directories(dir, ec)) {
      temps_.push_back(dir);
      return dir;
    }
    if (i > 1000) throw Failure{"cannot make a temporary folder"};
  }
}

}  // namespace tktdrive
