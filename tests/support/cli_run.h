#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace zifrel::testing {

// One zifrel-cli run, in process: what it printed and its exit status.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// `stopAfterPolls`: when Ctrl-C arrives: 0 never, n at the search's n-th
// step, -1 before the command begins.
inline CliRun RunCommandLine(const std::vector<std::string_view>& args, const std::string& input = "",
                             long stopAfterPolls = 0) {
  std::istringstream in(input);
  std::ostringstream out, err;
  StopFlag stop;
  if (stopAfterPolls > 0) stop.RequestAfterPolls(stopAfterPolls);
  if (stopAfterPolls < 0) stop.Request();
  cli::Io io{in, out, err, stop};
  const int status = cli::RunCli(args, io);
  return {status, out.str(), err.str()};
}

}  // namespace zifrel::testing
