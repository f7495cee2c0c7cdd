#pragma once

#include <string>
#include <vector>

namespace zifrel::testing {

// zifrel-cli run as a real process, with its standard streams and signals
// set up the way a shell or a script might leave them.
struct Process {
  std::string program;            // zifrel-cli of the build when empty
  std::vector<std::string> args;  // after the program's name
  std::string input;              // standard input, from a file
  int inputRepeats = 1;           // the input this many times over: a large input from a short text

  enum class In { kText, kClosed, kDirectory, kSilentPipe };
  In in = In::kText;  // kSilentPipe: a pipe that brings the input, then nothing more, as a terminal waiting
  enum class Out { kPipe, kFull, kClosed, kBrokenPipe, kTerminal };
  Out out = Out::kPipe;  // kFull: /dev/full; kBrokenPipe: a pipe no one reads

  int signal = 0;  // sent this long after the start
  int signalAfterMs = 300;
  std::vector<int> ignored{};  // signals the parent ignores, as the process finds them
  int timeoutMs = 60000;
};

struct Finished {
  int status;  // the exit status, or 128 + the signal that killed it; -1 after the timeout
  std::string out;
  std::string err;
  int msAfterSignal = -1;  // from the signal to the end of the process and of its streams
};

Finished Run(const Process& process);

}  // namespace zifrel::testing
