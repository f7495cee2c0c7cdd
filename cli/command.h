#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "cli/options.h"
#include "cli/output.h"
#include "core/stop_flag.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel::cli {

inline constexpr int kExitSearched = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitIo = 74;            // a read or a write failed (sysexits' EX_IOERR)
inline constexpr int kExitInterrupted = 130;  // Ctrl-C; SIGTERM gives 143

struct Io {
  int in;  // standard input's file descriptor
  Output& out;
  Output& err;
  StopFlag& stop;  // set by Ctrl-C or SIGTERM while a search runs
};

// A subcommand: its name, its usage line, a few lines of help, its options,
// and its body, which gets the arguments after its name taken apart and
// returns the exit status.
struct Command {
  std::string_view name;
  std::string_view usage;
  std::string_view help;
  std::span<const OptionSpec> options;
  int (*run)(const ParsedArgs& args, Io& io);
};

// Reports a usage error on one line of standard error; returns kExitUsage.
int UsageError(Io& io, const Command& command, std::string_view reason);

// The nine cells of a Schema from the command line, or a usage error.
std::optional<CellTexts> CellsFrom(const ParsedArgs& args, Io& io, const Command& command, int& status);
// The operators of --ops, all "+" without it, or a usage error.
std::optional<OpCodes> OpsFrom(const ParsedArgs& args, Io& io, const Command& command, int& status);

// How many a command makes: --count N (1 or more), 1 without it.
std::optional<long> CountFrom(const ParsedArgs& args, Io& io, const Command& command, int& status);
// Operators that admit no Schema get the window's refusal on `out`; true
// when they were refused.
bool RefuseUnadmitted(const OpCodes& ops, LineSink& out);

// The seed of a command that draws: that of --seed, or without it (or with
// 0) a fresh one from the system's entropy, so that two runs differ.
// --mostra-seme writes it on standard error, so that a run can be made again.
std::optional<std::int32_t> SeedFrom(const ParsedArgs& args, Io& io, const Command& command, int& status);

// The whole command line after the program name; returns the exit status.
int RunCli(Args args, Io& io);

extern const Command kGenera;
extern const Command kRisolvi;
extern const Command kSpiega;
extern const Command kLibero;
extern const Command kParole;

}  // namespace zifrel::cli
