#pragma once

#include "core/stop_flag.h"

namespace zifrel::cli {

// Ctrl-C (SIGINT) and SIGTERM. While a search runs they ask it to stop, as
// Stop does in the window: the command writes what was found and ends with
// 128 + the signal's number. At any other moment, waiting on input or on a
// write, they end the program at once with that status. A signal that the
// parent set to be ignored stays ignored; SIGPIPE keeps its default action.
void InstallSignalHandlers(StopFlag& stop);

// 128 + the number of the signal that arrived, or 0.
int SignalStatus();

// While one lives, a signal stops the search instead of ending the program.
class SearchRunning {
 public:
  SearchRunning();
  ~SearchRunning();
  SearchRunning(const SearchRunning&) = delete;
  SearchRunning& operator=(const SearchRunning&) = delete;
};

}  // namespace zifrel::cli
