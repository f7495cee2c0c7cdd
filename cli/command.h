#pragma once

#include <charconv>
#include <iosfwd>
#include <optional>
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

// The whole of `text` as an integer of type Int, if it is one.
template <class Int>
std::optional<Int> ParseInteger(std::string_view text) {
  Int value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Takes the value of an option given as "--name value" or "--name=value",
// moving `i` past it. False when `args[i]` is not that option; an option
// given last without its value gets none.
bool OptionValue(Args args, std::size_t& i, std::string_view name, std::optional<std::string_view>& value);

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
extern const Command kParole;
extern const Command kSpiega;

}  // namespace zifrel::cli
