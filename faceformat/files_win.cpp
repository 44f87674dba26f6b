#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>

#include "faceformat/files.h"
#include "faceformat/files_internal.h"

namespace faceformat {

namespace {

Error WinError(const char* what, DWORD code = GetLastError()) { return Error{what, -1, code}; }

// Owns a CreateFileW handle (faceformat stays below the Windows helpers); INVALID_HANDLE_VALUE is empty.
struct CloseFile {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, CloseFile>;
FileHandle Opened(HANDLE h) { return FileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

// A written file's close can fail too (the last data reaching the disk): that failure is reported.
bool Close(FileHandle& file) { return !file || CloseHandle(file.release()) != FALSE; }

std::wstring TempNameBeside(const std::filesystem::path& path, const wchar_t* extension) {
  static std::atomic<unsigned> counter{0};
  std::wstring name = path.filename().wstring();
  name = L"~" + name + L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter) + extension;
  return (path.parent_path() / name).wstring();
}

Result<std::string> ReadAll(const std::filesystem::path& path, unsigned long long maxBytes) {
  FileHandle file = Opened(CreateFileW(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return WinError("cannot open file");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return WinError("cannot read file");
  if (size.QuadPart < 0 || (unsigned long long)size.QuadPart > maxBytes) return Error{"file too large"};
  std::string out(size_t(size.QuadPart), '\0');
  size_t have = 0;
  while (have < out.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), out.data() + have, DWORD(out.size() - have), &got, nullptr))
      return WinError("cannot read file");
    if (got == 0) break;  // the file shrank
    have += got;
  }
  out.resize(have);
  return out;
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& path, unsigned long long maxBytes) {
  return detail::NoThrow([&] { return ReadAll(path, maxBytes); });
}

bool FileExists(const std::filesystem::path& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Status RemoveFile(const std::filesystem::path& path) {
  if (DeleteFileW(path.c_str())) return Success();
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return Success();
  return WinError("cannot remove file", code);
}

Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  const std::wstring target = path.wstring();
  const DWORD attrs = GetFileAttributesW(target.c_str());
  const bool exists = attrs != INVALID_FILE_ATTRIBUTES;
  // ReplaceFileW would keep a read-only file's attribute but not its content; refuse like a plain write does.
  if (exists && (attrs & FILE_ATTRIBUTE_READONLY)) return WinError("the file is read-only", ERROR_ACCESS_DENIED);
  if (exists && (attrs & FILE_ATTRIBUTE_DIRECTORY)) return WinError("the path is a folder", ERROR_ACCESS_DENIED);

  const std::wstring temp = TempNameBeside(path, L".tmp");
  if (!detail::AtomicWriteStepAllowed("create")) return Error{"cannot create a temporary file (injected)"};
  FileHandle file =
      Opened(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return WinError("cannot create a temporary file");
  struct Cleanup {
    FileHandle& file;
    const std::wstring& name;
    bool armed = true;
    ~Cleanup() {
      if (!armed) return;
      file.reset();
      DeleteFileW(name.c_str());
    }
  } cleanup{file, temp};

  if (!detail::AtomicWriteStepAllowed("write")) return Error{"cannot write the temporary file (injected)"};
  for (size_t done = 0; done < bytes.size();) {
    DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
      return WinError("cannot write the temporary file");
    done += wrote;
  }
  if (!detail::AtomicWriteStepAllowed("flush")) return Error{"cannot flush the temporary file (injected)"};
  if (!FlushFileBuffers(file.get())) return WinError("cannot flush the temporary file");
  if (!Close(file)) return WinError("cannot close the temporary file");

  if (!detail::AtomicWriteStepAllowed("replace")) return Error{"cannot replace the file (injected)"};
  if (exists) {
    // With a backup name a failed replace leaves the old file either in place or at `backup`, never only gone.
    // (Wine also leaves a stray temporary of its own behind when it is given none.)
    const std::wstring backup = TempNameBeside(path, L".bak");
    if (ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
      cleanup.armed = false;
      DeleteFileW(backup.c_str());
      return Success();
    }
    Status finished = detail::FinishFailedReplace(target, temp, backup, GetLastError());
    if (finished) cleanup.armed = false;
    return finished;
  }
  // No old file: a move puts the new one in place in one step.
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return WinError("cannot replace the file");
  cleanup.armed = false;
  return Success();
}

namespace detail {

Status FinishFailedReplace(const std::filesystem::path& target, const std::filesystem::path& temp,
                           const std::filesystem::path& backup, unsigned long error) {
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    DeleteFileW(backup.c_str());
    return WinError("cannot replace the file", error);
  }
  // The old file was moved to the backup (ERROR_UNABLE_TO_MOVE_REPLACEMENT, _2) or went away meanwhile: the new
  // one goes in place, else the old one back.
  if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(backup.c_str());
    return Success();
  }
  const DWORD moveError = GetLastError();
  MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  return WinError("cannot replace the file", error == ERROR_FILE_NOT_FOUND ? moveError : error);
}

}  // namespace detail

}  // namespace faceformat
