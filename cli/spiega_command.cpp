#include "cli/command.h"
#include "cli/signals.h"
#include "deduce/explain.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--ops", true}, {"--passi", true}};

int Spiega(const ParsedArgs& args, Io& io) {
  int status = kExitUsage;
  const std::optional<OpCodes> ops = OpsFrom(args, io, kSpiega, status);
  if (!ops) return status;
  int steps = kAllSteps;
  if (const std::optional<std::string_view> text = args.Value("--passi")) {
    const std::variant<int, std::string> given = ParsePositive<int>("--passi", *text);
    if (const std::string* reason = std::get_if<std::string>(&given)) return UsageError(io, kSpiega, *reason);
    steps = std::get<int>(given);
  }
  const std::optional<CellTexts> cells = CellsFrom(args, io, kSpiega, status);
  if (!cells) return status;

  OutputSink out(io.out);
  if (RefuseUnadmitted(*ops, out)) return kExitRefused;
  const SearchRunning searching;
  switch (Explain(*cells, *ops, io.stop, out, steps)) {
    case ExplainOutcome::kExplained:
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
    kOptions,
    Spiega,
};

}  // namespace zifrel::cli
