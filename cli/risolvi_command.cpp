#include <ostream>
#include <vector>

#include "cli/command.h"
#include "core/messages.h"
#include "core/utf8.h"
#include "schema/op_combo_table.h"
#include "schema/risolvi.h"

namespace zifrel::cli {
namespace {

int Risolvi(Args args, Io& io) {
  std::vector<std::string_view> cells;
  OpCodes ops = kAllPlus;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || !arg.starts_with("--")) {
      cells.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;  // what follows is cells, even when it begins with "--"
    } else if (arg == "--help") {
      io.out << kRisolvi.usage << '\n' << kRisolvi.help;
      return kExitSearched;
    } else if (arg == "--ops" || arg.starts_with("--ops=")) {
      std::string_view text;
      if (arg == "--ops") {
        if (++i == args.size()) return UsageError(io, kRisolvi, "--ops vuole sei operatori");
        text = args[i];
      } else {
        text = arg.substr(6);
      }
      const std::optional<OpCodes> parsed = ParseOperators(text);
      if (!parsed) return UsageError(io, kRisolvi, "--ops vuole sei operatori tra * x X × + / : ÷ -");
      ops = *parsed;
    } else {
      return UsageError(io, kRisolvi, "opzione sconosciuta " + std::string(arg));
    }
  }
  if (cells.size() != kCellCount) return UsageError(io, kRisolvi, "servono 9 celle");
  CellTexts texts;
  for (int k = 0; k < kCellCount; ++k) {
    if (CodePointCount(cells[k]) > kCellMaxChars) {
      return UsageError(io, kRisolvi, "la cella " + std::to_string(k + 1) + " ha piu' di 4 caratteri");
    }
    texts.Set(k, cells[k]);
  }

  StreamSink out(io.out);
  if (!IsAdmitted(ops)) {  // as the window refuses them
    out.AppendLine(msg::kNoPossibleSolution);
    return kExitRefused;
  }
  SchemaSolver solver;
  switch (RunRisolvi(solver, texts, ops, io.stop, out)) {
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
    "      * x X × (per), + (piu'), / : ÷ (diviso), - (meno). Predefinito ++++++.\n",
    Risolvi,
};

}  // namespace zifrel::cli
