#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "core/line_sink.h"
#include "core/stop_flag.h"

namespace zifrel::cli {

inline constexpr int kExitSearched = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

struct Io {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  StopFlag& stop;  // set by Ctrl-C
};

using Args = std::span<const std::string_view>;

// A subcommand: its name, its usage line, a few lines of help, and its body,
// which gets the arguments after its name and returns the exit status.
struct Command {
  std::string_view name;
  std::string_view usage;
  std::string_view help;
  int (*run)(Args args, Io& io);
};

// Reports a usage error on one line of standard error; returns kExitUsage.
int UsageError(Io& io, const Command& command, std::string_view reason);

// Writes each line to standard output as it comes.
class StreamSink final : public LineSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void AppendLine(std::string_view line) override;

 private:
  std::ostream& out_;
};

// The whole command line after the program name; returns the exit status.
int RunCli(Args args, Io& io);

extern const Command kGenera;
extern const Command kRisolvi;
extern const Command kLibero;
extern const Command kSpiega;

}  // namespace zifrel::cli
