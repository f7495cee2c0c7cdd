#include "cli/sheet_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace zifrel::cli {
namespace {

// The permissions a file created here gets: those open(2) would give it.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool IsStandardOutput(const std::string& file) {
  if (file == "-") return true;
  struct stat target {};
  struct stat out {};
  return ::stat(file.c_str(), &target) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 && target.st_dev == out.st_dev &&
         target.st_ino == out.st_ino;
}

std::string SheetTarget::Name() const { return file_ == "-" ? "lo standard output" : file_; }

bool SheetTarget::Open(const StopFlag& stop) {
  if (IsStandardOutput(file_)) {
    fd_ = STDOUT_FILENO;
    return true;
  }
  struct stat existing {};
  mode_t mode = 0;
  if (::stat(file_.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) {
      errno = EISDIR;
      return Fail();
    }
    if (!S_ISREG(existing.st_mode)) {
      // A device, a FIFO, a pipe or a socket takes the bytes as they come; a
      // FIFO's open waits for a reader.
      while ((fd_ = ::open(file_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC)) < 0) {
        if (errno != EINTR) return Fail();
        if (stop.IsSet()) return false;
      }
      return true;
    }
    // The file is replaced, not written into: refuse what writing into it
    // would be refused, and keep its permissions. Its links are followed,
    // so that a link stays a link.
    if (::access(file_.c_str(), W_OK) != 0) return Fail();
    char resolved[PATH_MAX];
    if (::realpath(file_.c_str(), resolved) == nullptr) return Fail();
    renamedTo_ = resolved;
    mode = existing.st_mode & 07777;
  } else if (errno == ENOENT) {
    renamedTo_ = file_;
    mode = NewFileMode();
  } else {
    return Fail();
  }
  const std::filesystem::path target(renamedTo_);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string hidden = target.filename().string();
  hidden.insert(0, 1, '.');
  hidden.append(".XXXXXX");
  std::string pattern = (folder / hidden).string();
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return Fail();
  temporary_ = pattern;
  if (::fchmod(fd_, mode) != 0) return Fail();
  return true;
}

bool SheetTarget::Write(std::string_view bytes, const StopFlag& stop) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (errno != EINTR) {
      return Fail();
    } else if (stop.IsSet()) {
      Discard();
      return false;
    }
  }
  return true;
}

bool SheetTarget::Commit() {
  if (temporary_.empty()) {
    // Standard output stays open for what comes after; a close that a
    // signal interrupts has closed the file all the same.
    if (fd_ != STDOUT_FILENO && ::close(fd_) != 0 && errno != EINTR) {
      fd_ = -1;
      return Fail();
    }
    fd_ = -1;
    return true;
  }
  // A disk that fills up may say so only when the bytes are flushed, or at
  // the close.
  if (::fsync(fd_) != 0) return Fail();
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0 && errno != EINTR) return Fail();
  if (::rename(temporary_.c_str(), renamedTo_.c_str()) != 0) return Fail();
  temporary_.clear();
  return true;
}

void SheetTarget::Discard() {
  if (fd_ >= 0 && fd_ != STDOUT_FILENO) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool SheetTarget::Fail() {
  error_ = errno;
  Discard();
  return false;
}

}  // namespace zifrel::cli
