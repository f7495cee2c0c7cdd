#pragma once

#include <string>
#include <string_view>

#include "core/stop_flag.h"

namespace zifrel::cli {

// True when `file`, the FILE of --pdf, is standard output: "-", or a name of
// the file standard output already is (/dev/stdout, say). The PDF then has
// standard output to itself.
bool IsStandardOutput(const std::string& file);

// Where a sheet is written. A device, a FIFO or a pipe is written into, as
// it is; a regular file, or one that is yet to be, is written whole or not
// at all: the PDF goes to a new file beside it, renamed over it only once
// every byte is on the disk. Nothing is written before Open, which is
// called only when the PDF is there to write.
class SheetTarget {
 public:
  explicit SheetTarget(std::string file) : file_(std::move(file)) {}
  ~SheetTarget() { Discard(); }
  SheetTarget(const SheetTarget&) = delete;
  SheetTarget& operator=(const SheetTarget&) = delete;

  // Each returns false with the errno in Error() on failure, or with Error()
  // 0 when a signal to stop came while it waited (on a FIFO without a
  // reader, a pipe that is full). Commit is the last: after it the file is
  // there, and Discard does nothing.
  bool Open(const StopFlag& stop);
  bool Write(std::string_view bytes, const StopFlag& stop);
  bool Commit();
  // Leaves no trace of a sheet not committed.
  void Discard();

  int Error() const { return error_; }
  // The name to give in a message: the file as the user wrote it.
  std::string Name() const;

 private:
  bool Fail();

  std::string file_;
  std::string temporary_;  // the new file renamed over the target; empty when written into
  std::string renamedTo_;  // the target with its links followed
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace zifrel::cli
