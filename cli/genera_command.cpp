#include <unistd.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/sheet_output.h"
#include "cli/sheet_target.h"
#include "cli/signals.h"
#include "deduce/explanation_text.h"
#include "generate/generator.h"
#include "generate/graded_generation.h"

namespace zifrel::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"--max", true},   {"--ops", true},         {"--seed", true},
                                   {"--count", true}, {"--solution", false},   {"--livello", true},
                                   {"--pdf", true},   {"--mostra-seme", false}};

struct GeneraOptions {
  int max = 999;
  std::optional<OpCodes> ops;  // fixed, as "Fissate"
  long count = 1;
  bool solution = false;
  int level = 0;                   // 0: any
  std::optional<std::string> pdf;  // a printable sheet of the Schemas too
  bool pdfOnStdout = false;        // then it alone: the lines would spoil it
};

std::optional<GeneraOptions> Options(const ParsedArgs& args, Io& io, int& status) {
  GeneraOptions options;
  const auto refuse = [&](std::string_view reason) {
    status = UsageError(io, kGenera, reason);
    return std::nullopt;
  };
  if (!args.positional.empty()) return refuse("argomento inatteso " + std::string(args.positional[0]));
  if (const auto max = args.Value("--max")) {
    if (*max != "999" && *max != "9999") return refuse("--max vuole 999 o 9999");
    options.max = *max == "999" ? 999 : 9999;
  }
  if (args.Has("--ops")) {
    options.ops = OpsFrom(args, io, kGenera, status);
    if (!options.ops) return std::nullopt;
    // As in the window: the operators can be fixed only with maximum 999.
    if (options.max != 999) return refuse("--ops vale solo con --max 999");
  }
  const std::optional<long> count = CountFrom(args, io, kGenera, status);
  if (!count) return std::nullopt;
  options.count = *count;
  if (const auto level = args.Value("--livello")) {
    const std::optional<int> given = ParseInteger<int>(*level);
    if (!given || *given < 1 || *given > kLevelCount) return refuse("--livello vuole 1, 2, 3, 4 o 5");
    options.level = *given;
  }
  if (const auto pdf = args.Value("--pdf")) {
    if (pdf->empty()) return refuse("--pdf vuole il nome di un file");
    options.pdf = std::string(*pdf);
    options.pdfOnStdout = IsStandardOutput(*options.pdf);
    if (options.pdfOnStdout && ::isatty(STDOUT_FILENO) == 1) return refuse("--pdf non scrive un PDF su un terminale");
  }
  options.solution = args.Has("--solution");
  return options;
}

int Genera(const ParsedArgs& args, Io& io) {
  int status = kExitUsage;
  const std::optional<GeneraOptions> options = Options(args, io, status);
  if (!options) return status;
  const std::optional<std::int32_t> seed = SeedFrom(args, io, kGenera, status);
  if (!seed) return status;
  OutputSink printed(io.out);
  LineCollector unprinted;
  LineSink& out = options->pdfOnStdout ? static_cast<LineSink&>(unprinted) : printed;
  if (options->ops && RefuseUnadmitted(*options->ops, printed)) return kExitRefused;

  // The window's start-up, so that a seed gives the Schemas of the window's
  // first, second, ... Genera jobs.
  GeneratorState state;
  StartRandomSource(state, *seed);
  SchemaGenerator generator(state);
  const auto deduction = std::make_unique<SchemaDeduction>();
  std::vector<GeneratedSchema> sheet;
  for (long job = 0; job < options->count; ++job) {
    std::optional<GeneratedSchema> schema;
    {
      const SearchRunning searching;
      if (options->level == 0) {
        schema = generator.GenerateSchema(options->max, options->ops, io.stop);
      } else {
        LevelDraw draw =
            GenerateSchemaOfLevel(generator, *deduction, options->max, options->ops, options->level, io.stop);
        if (draw.outcome == SearchEnd::kNone) {
          io.err << "zifrel-cli: nessuno schema di livello " << options->level << " tra " << kLevelDraws
                 << " generati con questi operatori\n";
          return kExitRefused;
        }
        if (draw.outcome == SearchEnd::kFound) schema = std::move(draw.schema);
      }
    }
    if (!schema) return kExitInterrupted;  // what was written stays
    if (job > 0) out.AppendLine("");
    CellStrings cells;
    for (int k = 0; k < kCellCount; ++k) cells[k] = schema->cells[k];
    for (const std::string& line : SchemaLines(cells, schema->ops, " ")) out.AppendLine(line);
    if (options->solution) AppendSolutionLines(out, schema->grid, schema->ops);
    if (options->solution && options->level != 0) out.AppendLine(LevelLine(options->level));
    unprinted.lines.clear();
    if (io.out.Failed()) return kExitIo;  // no one reads what comes next
    if (options->pdf) sheet.push_back(*schema);
  }
  if (options->pdf) return WriteSheet(sheet, options->level, *seed, *options->pdf, io);
  return kExitSearched;
}

}  // namespace

const Command kGenera = {
    "genera",
    "zifrel-cli genera [--max 999|9999] [--ops OPS] [--seed N] [--count K] [--solution] [--livello N] "
    "[--pdf FILE] [--mostra-seme]",
    "      Genera schemi con una sola soluzione, in lettere da A a J.\n"
    "      --max: il numero piu' grande (999 predefinito). --ops fissa gli\n"
    "      operatori come \"Fissate\", solo con 999; senza, sono a caso.\n"
    "      --seed N: lo stesso seme da' gli stessi schemi, su ogni macchina;\n"
    "      senza (o con 0) ogni esecuzione ne prende uno nuovo.\n"
    "      --mostra-seme: scrive il seme usato sullo standard error.\n"
    "      --count K: K schemi di seguito, separati da una riga vuota.\n"
    "      --solution: dopo ogni schema, la sua soluzione in numeri.\n"
    "      --livello N: solo schemi del livello N, da 1 (facile) a 5\n"
    "      (diabolico); con --solution la soluzione è seguita dal livello.\n"
    "      Se nessuno di 1000 schemi è del livello N, rinuncia (stato 1).\n"
    "      --pdf FILE: scrive anche gli schemi in FILE, un foglio A4 da\n"
    "      stampare, sei per pagina, con le soluzioni nelle ultime pagine;\n"
    "      con - (o /dev/stdout) il PDF va sullo standard output, da solo.\n",
    kOptions,
    Genera,
};

}  // namespace zifrel::cli
