#include "cli/command.h"
#include "cli/signals.h"
#include "deduce/explain.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--ops", true}, {"--passi", true}, {"--noti", true}};

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
  std::vector<KnownDigit> known;
  if (const std::optional<std::string_view> text = args.Value("--noti")) {
    std::optional<std::vector<KnownDigit>> given = ParseKnownDigits(*text);
    if (!given) return UsageError(io, kSpiega, "--noti vuole lettere e cifre diverse, come A=3,B=5");
    known = std::move(*given);
  }
  const std::optional<CellTexts> cells = CellsFrom(args, io, kSpiega, status);
  if (!cells) return status;

  OutputSink out(io.out);
  if (RefuseUnadmitted(*ops, out)) return kExitRefused;
  const SearchRunning searching;
  switch (Explain(*cells, *ops, io.stop, out, steps, known)) {
    case ExplainOutcome::kExplained:
    case ExplainOutcome::kWrongKnown:  // the wrong digit named is the answer
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
    "zifrel-cli spiega C1 C2 C3 C4 C5 C6 C7 C8 C9 [--ops OPS] [--passi N] [--noti A=3,B=5]",
    "      Spiega passo per passo come si risolve uno schema con una sola\n"
    "      soluzione, poi ne dà la soluzione e il livello (1 facile .. 5\n"
    "      diabolico). Celle e OPS come per risolvi. --passi N: solo i primi\n"
    "      N passi, come suggerimento, senza la soluzione. --noti A=3,B=5:\n"
    "      le cifre già trovate; i passi partono da lì, e una cifra sbagliata\n"
    "      è indicata con l'uguaglianza che non sarebbe verificata.\n",
    kOptions,
    Spiega,
};

}  // namespace zifrel::cli
