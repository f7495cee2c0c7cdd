#include <charconv>
#include <ostream>
#include <vector>

#include "cli/command.h"
#include "core/messages.h"
#include "core/utf8.h"
#include "schema/explain.h"
#include "schema/op_combo_table.h"

namespace zifrel::cli {
namespace {

int Spiega(Args args, Io& io) {
  std::vector<std::string_view> cells;
  OpCodes ops = kAllPlus;
  int steps = kAllSteps;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || !arg.starts_with("--")) {
      cells.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;  // what follows is cells, even when it begins with "--"
    } else if (arg == "--help") {
      io.out << kSpiega.usage << '\n' << kSpiega.help;
      return kExitSearched;
    } else if (arg == "--ops" || arg.starts_with("--ops=")) {
      const std::string_view text = arg == "--ops" ? (++i < args.size() ? args[i] : "") : arg.substr(6);
      const std::optional<OpCodes> parsed = ParseOperators(text);
      if (!parsed) return UsageError(io, kSpiega, "--ops vuole sei operatori tra * x X × + / : ÷ -");
      ops = *parsed;
    } else if (arg == "--passi" || arg.starts_with("--passi=")) {
      const std::string_view text = arg == "--passi" ? (++i < args.size() ? args[i] : "") : arg.substr(8);
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
      if (error != std::errc() || end != text.data() + text.size() || steps < 1) {
        return UsageError(io, kSpiega, "--passi vuole un intero da 1 in su");
      }
    } else {
      return UsageError(io, kSpiega, "opzione sconosciuta " + std::string(arg));
    }
  }
  if (cells.size() != kCellCount) return UsageError(io, kSpiega, "servono 9 celle");
  CellTexts texts;
  for (int k = 0; k < kCellCount; ++k) {
    if (CodePointCount(cells[k]) > kCellMaxChars) {
      return UsageError(io, kSpiega, "la cella " + std::to_string(k + 1) + " ha piu' di 4 caratteri");
    }
    texts.Set(k, cells[k]);
  }

  StreamSink out(io.out);
  if (!IsAdmitted(ops)) {  // as the window refuses them
    out.AppendLine(msg::kNoPossibleSolution);
    return kExitRefused;
  }
  switch (Explain(texts, ops, io.stop, out, steps)) {
    case ExplainOutcome::kExplained:
    case ExplainOutcome::kNotUnique:
      return kExitSearched;
    case ExplainOutcome::kStopped:
      return kExitInterrupted;
    default:
      return kExitRefused;
  }
}

}  // namespace

const Command kSpiega = {
    "spiega",
    "zifrel-cli spiega C1 C2 C3 C4 C5 C6 C7 C8 C9 [--ops OPS] [--passi N]",
    "      Spiega passo per passo come si risolve uno schema con una sola\n"
    "      soluzione, poi ne da' la soluzione e il livello (1 facile .. 5\n"
    "      diabolico). Celle e OPS come per risolvi. --passi N: solo i primi\n"
    "      N passi, come suggerimento, senza la soluzione.\n",
    Spiega,
};

}  // namespace zifrel::cli
