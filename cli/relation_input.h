#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace zifrel::cli {

// Reads `fd` to its end, a piece at a time, handing each piece to `take`
// until it returns false. A read that a signal interrupts is taken up again:
// a signal that must end the program ends it in its handler. Returns 0, or
// the errno of a read that failed.
int ReadInPieces(int fd, const std::function<bool(std::string_view)>& take);

// The formula lines of a Libero job, read from a file descriptor with a
// fixed bound on memory, whatever the input. Lines are split at line feeds,
// a carriage return that ends one is dropped, and so is a byte-order mark at
// the start. Lines too short to be relations are left out, as the job drops
// them; reading ends as soon as the job's outcome can no longer change: at
// a line longer than a relation may be, or at one relation more than a job
// takes. Either is kept, for the job to report.
struct LinesRead {
  std::vector<std::string> lines;
  int error = 0;  // the errno of a read that failed
};
LinesRead ReadRelationLines(int fd);

// The formula lines of FILE, or of standard input for "-"; nothing, with the
// reason written on standard error, when it cannot be opened or read.
// Opening or reading may wait (a FIFO, a terminal): a signal meanwhile ends
// the program at once.
std::optional<std::vector<std::string>> ReadRelationFile(std::string_view file, Io& io);

}  // namespace zifrel::cli
