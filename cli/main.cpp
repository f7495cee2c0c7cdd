#include <csignal>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace {

zifrel::StopFlag stopFlag;

// Ctrl-C stops the search as Stop does in the window; the job then ends and
// reports the stop as the window does.
extern "C" void OnInterrupt(int) { stopFlag.Request(); }

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGINT, OnInterrupt);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  zifrel::cli::Io io{std::cin, std::cout, std::cerr, stopFlag};
  const int status = zifrel::cli::RunCli(args, io);
  std::cout.flush();
  return status;
}
