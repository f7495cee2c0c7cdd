#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "cli/command.h"
#include "cli/error_reasons.h"
#include "cli/relation_input.h"
#include "cli/signals.h"
#include "deduce/explain.h"
#include "parole/word_explanation.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--ops", true}, {"--passi", true}, {"--noti", true}, {"--libero", false}};

// One relation between words, read as libero reads its relations.
int SpiegaLibero(const ParsedArgs& args, Io& io) {
  if (args.positional.size() > 1) return UsageError(io, kSpiega, "un solo file");
  if (args.Has("--ops") || args.Has("--passi") || args.Has("--noti")) {
    return UsageError(io, kSpiega, "--libero non vuole --ops, --passi né --noti");
  }
  const std::string_view file = args.positional.empty() ? "-" : args.positional[0];
  const std::optional<std::vector<std::string>> lines = ReadRelationFile(file, io);
  if (!lines) return kExitIo;
  OutputSink out(io.out);
  const SearchRunning searching;
  switch (parole::ExplainWordRelation(*lines, io.stop, out)) {
    case parole::WordExplainOutcome::kExplained:
      return kExitSearched;
    case parole::WordExplainOutcome::kStopped:
      return kExitInterrupted;
    default:
      return kExitRefused;
  }
}

int Spiega(const ParsedArgs& args, Io& io) {
  if (args.Has("--libero")) return SpiegaLibero(args, io);
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
    "zifrel-cli spiega C1 C2 C3 C4 C5 C6 C7 C8 C9 [--ops OPS] [--passi N] [--noti A=3,B=5] | spiega --libero [FILE]",
    "      Spiega passo per passo come si risolve uno schema con una sola\n"
    "      soluzione, poi ne dà la soluzione e il livello (1 facile .. 5\n"
    "      diabolico). Celle e OPS come per risolvi. --passi N: solo i primi\n"
    "      N passi, come suggerimento, senza la soluzione. --noti A=3,B=5:\n"
    "      le cifre già trovate; i passi partono da lì, e una cifra sbagliata\n"
    "      è indicata con l'uguaglianza che non sarebbe verificata.\n"
    "      --libero: spiega invece, colonna per colonna, una somma o una\n"
    "      differenza di parole con una sola soluzione, letta da FILE o\n"
    "      dallo standard input.\n",
    kOptions,
    Spiega,
};

}  // namespace zifrel::cli
