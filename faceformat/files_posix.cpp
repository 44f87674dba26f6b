#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "faceformat/files.h"
#include "faceformat/files_internal.h"

namespace faceformat {

namespace {

Error SysError(const char* what) { return Error{std::string(what) + ": " + std::strerror(errno)}; }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

Result<std::string> ReadAll(const std::filesystem::path& path, unsigned long long maxBytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return SysError("cannot open file");
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return SysError("cannot read file");
  if (!S_ISREG(st.st_mode)) return Error{"not a regular file"};
  if ((unsigned long long)st.st_size > maxBytes) return Error{"file too large"};
  std::string out;
  out.resize(size_t(st.st_size));
  size_t have = 0;
  for (;;) {
    if (have == out.size()) out.resize(out.size() + 4096);  // the file may have grown
    ssize_t n = ::read(fd.get(), out.data() + have, out.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      return SysError("cannot read file");
    }
    if (n == 0) break;
    have += size_t(n);
    if (have > maxBytes) return Error{"file too large"};
  }
  out.resize(have);
  return out;
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& path, unsigned long long maxBytes) {
  return detail::NoThrow([&] { return ReadAll(path, maxBytes); });
}

bool FileExists(const std::filesystem::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

Status RemoveFile(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Success();
  return SysError("cannot remove file");
}

Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path dir = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  // A read-only file stays as it is, as on Windows (the mode bits, since root may write anything).
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Error{"the file is read-only"};
  if (exists && !S_ISREG(old.st_mode)) return Error{"not a regular file"};

  std::string tmpl = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  if (!detail::AtomicWriteStepAllowed("create")) return Error{"cannot create a temporary file (injected)"};
  Fd fd(::mkstemp(tmpl.data()));
  if (fd.get() < 0) return SysError("cannot create a temporary file");
  struct Cleanup {
    const std::string& name;
    bool armed = true;
    ~Cleanup() {
      if (armed) ::unlink(name.c_str());
    }
  } cleanup{tmpl};

  mode_t mode = exists ? (old.st_mode & 07777) : 0666;
  if (!exists) {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd.get(), mode);

  if (!detail::AtomicWriteStepAllowed("write")) return Error{"cannot write the temporary file (injected)"};
  for (size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return SysError("cannot write the temporary file");
    }
    done += size_t(n);
  }
  if (!detail::AtomicWriteStepAllowed("flush")) return Error{"cannot flush the temporary file (injected)"};
  if (::fsync(fd.get()) != 0) return SysError("cannot flush the temporary file");
  if (::close(fd.release()) != 0) return SysError("cannot close the temporary file");

  if (!detail::AtomicWriteStepAllowed("replace")) return Error{"cannot replace the file (injected)"};
  if (::rename(tmpl.c_str(), path.c_str()) != 0) return SysError("cannot replace the file");
  cleanup.armed = false;
  // Make the rename itself durable; a failure here no longer matters for the content.
  Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() >= 0) ::fsync(dirFd.get());
  return Success();
}

}  // namespace faceformat
