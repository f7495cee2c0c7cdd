#include "cli/command.h"
#include "cli/signals.h"
#include "schema/risolvi.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--ops", true}};

int Risolvi(const ParsedArgs& args, Io& io) {
  int status = kExitUsage;
  const std::optional<OpCodes> ops = OpsFrom(args, io, kRisolvi, status);
  if (!ops) return status;
  const std::optional<CellTexts> cells = CellsFrom(args, io, kRisolvi, status);
  if (!cells) return status;

  OutputSink out(io.out);
  if (RefuseUnadmitted(*ops, out)) return kExitRefused;
  SchemaSolver solver;
  const SearchRunning searching;
  switch (RunRisolvi(solver, *cells, *ops, io.stop, out)) {
    case SolveOutcome::kSearched:
      return kExitSearched;
    case SolveOutcome::kStopped:
      return kExitInterrupted;
    default:
      return kExitRefused;
  }
}

}  // namespace

const Command kRisolvi = {
    "risolvi",
    "zifrel-cli risolvi C1 C2 C3 C4 C5 C6 C7 C8 C9 [--ops OPS]",
    "      Risolve uno schema: nove celle per righe (\"\" per una cella vuota),\n"
    "      al piu' 4 caratteri ciascuna; ogni carattere diverso e' una cifra.\n"
    "      OPS: sei operatori, le tre righe e poi le tre colonne, tra\n"
    "      * x X × (per), + (piu'), / : ÷ (diviso), - (meno). Predefinito ++++++.\n"
    "      Una cella che comincia con - va dopo --.\n",
    kOptions,
    Risolvi,
};

}  // namespace zifrel::cli
