#include <array>
#include <random>
#include <string>
#include <variant>

#include "cli/command.h"
#include "core/messages.h"
#include "core/utf8.h"
#include "core/version.h"
#include "schema/op_combo_table.h"

namespace zifrel::cli {
namespace {

constexpr std::string_view kVersion = "zifrel-cli " ZIFREL_VERSION;

constexpr std::array<const Command*, 5> kCommands = {&kGenera, &kRisolvi, &kSpiega, &kLibero, &kParole};

void PrintHelp(Output& out) {
  out << kVersion << ": crittogrammi numerici da riga di comando.\n\nUso:\n";
  for (const Command* command : kCommands) out << "  " << command->usage << "\n" << command->help;
  out << "  zifrel-cli --help | --version\n"
         "  Ogni comando accetta -h o --help.\n\n"
         "Stato d'uscita: 0 ricerca svolta (per risolvi e libero qualunque sia il\n"
         "numero di soluzioni), 1 dati rifiutati (per spiega anche uno schema senza\n"
         "una sola soluzione), 2 uso errato, 74 lettura o scrittura non riuscita,\n"
         "130 interrotta con Ctrl-C, 143 terminata con SIGTERM.\n";
}

int RunCommand(const Command& command, Args args, Io& io) {
  const std::variant<ParsedArgs, std::string> parsed = ParseArgs(args, command.options);
  if (const std::string* error = std::get_if<std::string>(&parsed)) return UsageError(io, command, *error);
  const ParsedArgs& taken = std::get<ParsedArgs>(parsed);
  if (!taken.help) return command.run(taken, io);
  io.out << command.usage << '\n' << command.help;
  return kExitSearched;
}

}  // namespace

int UsageError(Io& io, const Command& command, std::string_view reason) {
  io.err << "zifrel-cli: " << reason << "; uso: " << command.usage << '\n';
  return kExitUsage;
}

std::optional<CellTexts> CellsFrom(const ParsedArgs& args, Io& io, const Command& command, int& status) {
  if (args.positional.size() != kCellCount) {
    status = UsageError(io, command, "servono 9 celle, ne sono arrivate " + std::to_string(args.positional.size()));
    return std::nullopt;
  }
  CellTexts cells;
  for (int k = 0; k < kCellCount; ++k) {
    if (!cells.Set(k, args.positional[k])) {
      status = UsageError(io, command, "la cella " + std::to_string(k + 1) + " ha piu' di 4 caratteri");
      return std::nullopt;
    }
  }
  return cells;
}

std::optional<OpCodes> OpsFrom(const ParsedArgs& args, Io& io, const Command& command, int& status) {
  const std::optional<std::string_view> text = args.Value("--ops");
  if (!text) return kAllPlus;
  const std::optional<OpCodes> ops = ParseOperators(*text);
  if (!ops) status = UsageError(io, command, "--ops vuole sei operatori tra * x X × + / : ÷ -");
  return ops;
}

std::optional<long> CountFrom(const ParsedArgs& args, Io& io, const Command& command, int& status) {
  const std::optional<std::string_view> text = args.Value("--count");
  if (!text) return 1;
  const std::variant<long, std::string> count = ParsePositive<long>("--count", *text);
  if (const long* n = std::get_if<long>(&count)) return *n;
  status = UsageError(io, command, std::get<std::string>(count));
  return std::nullopt;
}

bool RefuseUnadmitted(const OpCodes& ops, LineSink& out) {
  if (IsAdmitted(ops)) return false;
  out.AppendLine(msg::kNoPossibleSolution);
  return true;
}

std::optional<std::int32_t> SeedFrom(const ParsedArgs& args, Io& io, const Command& command, int& status) {
  std::int32_t seed = 0;
  if (const std::optional<std::string_view> text = args.Value("--seed")) {
    const std::optional<std::int32_t> given = ParseInteger<std::int32_t>(*text);
    if (!given) {
      status = UsageError(io, command, "--seed vuole un intero tra -2147483648 e 2147483647");
      return std::nullopt;
    }
    seed = *given;
  }
  std::random_device entropy;
  while (seed == 0) seed = static_cast<std::int32_t>(entropy());  // 0 would take it from the clock
  if (args.Has("--mostra-seme")) io.err << "zifrel-cli: seme " << seed << '\n';
  return seed;
}

int RunCli(Args args, Io& io) {
  if (args.empty()) {
    io.err << "zifrel-cli: manca il comando; prova 'zifrel-cli --help'\n";
    return kExitUsage;
  }
  const std::string_view first = args[0];
  if (first == "--help" || first == "-h" || first == "--version") {
    if (args.size() > 1) {
      io.err << "zifrel-cli: " << first << " va dato da solo; prova 'zifrel-cli --help'\n";
      return kExitUsage;
    }
    if (first == "--version") {
      io.out << kVersion << '\n';
    } else {
      PrintHelp(io.out);
    }
    return kExitSearched;
  }
  for (const Command* command : kCommands) {
    if (first == command->name) return RunCommand(*command, args.subspan(1), io);
  }
  io.err << "zifrel-cli: comando sconosciuto '" << first << "'; prova 'zifrel-cli --help'\n";
  return kExitUsage;
}

}  // namespace zifrel::cli
