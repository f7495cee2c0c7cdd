#pragma once

#include <string>

namespace zifrel::cli {

// Why a file cannot be read, or the output written, in a few Italian words:
// the system's own texts are English whatever the user speaks. The two
// differ where one errno means something else to a reader and to a writer
// (EBADF: an input that is not open, an output that was closed).
std::string ReadErrorReason(int error);
std::string WriteErrorReason(int error);

}  // namespace zifrel::cli
