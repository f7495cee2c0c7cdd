#include <unistd.h>

#include <string_view>
#include <vector>

#include "cli/command.h"
#include "cli/error_reasons.h"
#include "cli/signals.h"

int main(int argc, char** argv) {
  using namespace zifrel::cli;
  zifrel::StopFlag stop;
  InstallSignalHandlers(stop);
  Output out(STDOUT_FILENO, ::isatty(STDOUT_FILENO) == 1, stop);
  Output err(STDERR_FILENO, ::isatty(STDERR_FILENO) == 1, stop);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  Io io{STDIN_FILENO, out, err, stop};

  int status = RunCli(args, io);
  out.Flush();
  // A signal that came as a search ended still tells how the run ended.
  if (const int signalled = SignalStatus(); signalled != 0) return signalled;  // 130 after Ctrl-C, 143 after SIGTERM
  if (out.Failed()) {
    err << "zifrel-cli: non riesco a scrivere: " << WriteErrorReason(out.Error()) << '\n';
    status = kExitIo;
  }
  err.Flush();
  // A message lost on standard error (the seed of --mostra-seme, say) is a failure too.
  if (err.Failed() && status == kExitSearched) status = kExitIo;
  return status;
}
