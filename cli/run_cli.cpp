#include <array>
#include <ostream>

#include "cli/command.h"

namespace zifrel::cli {
namespace {

constexpr std::string_view kVersion = "zifrel-cli 2.0.0";

constexpr std::array<const Command*, 5> kCommands = {&kGenera, &kRisolvi, &kSpiega, &kLibero, &kParole};

void PrintHelp(std::ostream& out) {
  out << kVersion << ": crittogrammi numerici da riga di comando.\n\nUso:\n";
  for (const Command* command : kCommands) out << "  " << command->usage << "\n" << command->help;
  out << "  zifrel-cli --help | --version\n\n"
         "Stato d'uscita: 0 ricerca svolta (qualunque sia il numero di soluzioni),\n"
         "1 dati rifiutati, 2 uso errato, 130 interrotta con Ctrl-C.\n";
}

}  // namespace

bool OptionValue(Args args, std::size_t& i, std::string_view name, std::optional<std::string_view>& value) {
  const std::string_view arg = args[i];
  if (!arg.starts_with(name)) return false;
  if (arg.size() == name.size()) {
    value = ++i < args.size() ? std::optional(args[i]) : std::nullopt;
    return true;
  }
  if (arg[name.size()] != '=') return false;
  value = arg.substr(name.size() + 1);
  return true;
}

void StreamSink::AppendLine(std::string_view line) { out_ << line << '\n'; }

int UsageError(Io& io, const Command& command, std::string_view reason) {
  io.err << "zifrel-cli: " << reason << "; uso: " << command.usage << '\n';
  return kExitUsage;
}

int RunCli(Args args, Io& io) {
  if (args.empty()) {
    io.err << "zifrel-cli: manca il comando; prova 'zifrel-cli --help'\n";
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    PrintHelp(io.out);
    return kExitSearched;
  }
  if (args[0] == "--version") {
    io.out << kVersion << '\n';
    return kExitSearched;
  }
  for (const Command* command : kCommands) {
    if (args[0] == command->name) return command->run(args.subspan(1), io);
  }
  io.err << "zifrel-cli: comando sconosciuto '" << args[0] << "'; prova 'zifrel-cli --help'\n";
  return kExitUsage;
}

}  // namespace zifrel::cli
