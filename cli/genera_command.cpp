#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "core/messages.h"
#include "schema/explanation_text.h"
#include "schema/generator.h"
#include "schema/graded_generation.h"
#include "schema/op_combo_table.h"

namespace zifrel::cli {
namespace {

struct GeneraOptions {
  int max = 999;
  std::optional<OpCodes> ops;
  std::int32_t seed = 0;  // 0: from the clock
  long count = 1;
  bool solution = false;
  int level = 0;  // 0: any
};

int Genera(Args args, Io& io) {
  GeneraOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    std::optional<std::string_view> value;
    if (arg == "--help") {
      io.out << kGenera.usage << '\n' << kGenera.help;
      return kExitSearched;
    } else if (arg == "--solution") {
      options.solution = true;
    } else if (OptionValue(args, i, "--max", value)) {
      if (value != "999" && value != "9999") return UsageError(io, kGenera, "--max vuole 999 o 9999");
      options.max = *value == "999" ? 999 : 9999;
    } else if (OptionValue(args, i, "--ops", value)) {
      options.ops = value ? ParseOperators(*value) : std::nullopt;
      if (!options.ops) return UsageError(io, kGenera, "--ops vuole sei operatori tra * x X × + / : ÷ -");
    } else if (OptionValue(args, i, "--seed", value)) {
      const std::optional<std::int32_t> seed = value ? ParseInteger<std::int32_t>(*value) : std::nullopt;
      if (!seed) return UsageError(io, kGenera, "--seed vuole un intero tra -2147483648 e 2147483647");
      options.seed = *seed;
    } else if (OptionValue(args, i, "--count", value)) {
      const std::optional<long> count = value ? ParseInteger<long>(*value) : std::nullopt;
      if (!count || *count < 1) return UsageError(io, kGenera, "--count vuole un intero da 1 in su");
      options.count = *count;
    } else if (OptionValue(args, i, "--livello", value)) {
      const std::optional<int> level = value ? ParseInteger<int>(*value) : std::nullopt;
      if (!level || *level < 1 || *level > kLevelCount)
        return UsageError(io, kGenera, "--livello vuole 1, 2, 3, 4 o 5");
      options.level = *level;
    } else if (arg.starts_with("-")) {
      return UsageError(io, kGenera, "opzione sconosciuta " + std::string(arg));
    } else {
      return UsageError(io, kGenera, "argomento inatteso " + std::string(arg));
    }
  }
  // As in the window: the operators can be fixed only with maximum 999.
  if (options.ops && options.max != 999) return UsageError(io, kGenera, "--ops vale solo con --max 999");

  StreamSink out(io.out);
  if (options.ops && !IsAdmitted(*options.ops)) {
    out.AppendLine(msg::kNoPossibleSolution);
    return kExitRefused;
  }

  // The window's start-up sequence, so that a seed gives the Schemas of the
  // window's first, second, ... Genera jobs.
  GeneratorState state;
  state.random.Seed(options.seed);
  BuildDivisorTable(state.divisorTable, state.random);
  SchemaGenerator generator(state);
  const auto deduction = std::make_unique<SchemaDeduction>();
  for (long job = 0; job < options.count; ++job) {
    const std::optional<GeneratedSchema> schema =
        options.level == 0
            ? generator.GenerateSchema(options.max, options.ops, io.stop)
            : GenerateSchemaOfLevel(generator, *deduction, options.max, options.ops, options.level, io.stop);
    if (!schema) return kExitInterrupted;  // what was printed stays
    if (job > 0) out.AppendLine("");
    CellStrings cells;
    for (int k = 0; k < kCellCount; ++k) cells[k] = schema->cells[k];
    for (const std::string& line : SchemaLines(cells, schema->ops, " ")) out.AppendLine(line);
    if (options.solution) AppendSolutionLines(out, schema->grid, schema->ops);
    if (options.solution && options.level != 0) out.AppendLine(LevelLine(options.level));
    io.out.flush();
  }
  return kExitSearched;
}

}  // namespace

const Command kGenera = {
    "genera",
    "zifrel-cli genera [--max 999|9999] [--ops OPS] [--seed N] [--count K] [--solution] [--livello N]",
    "      Genera schemi con una sola soluzione, in lettere da A a J.\n"
    "      --max: il numero piu' grande (999 predefinito). --ops fissa gli\n"
    "      operatori come \"Fissate\", solo con 999; senza, sono a caso.\n"
    "      --seed N: lo stesso seme da' gli stessi schemi (0: dall'orologio).\n"
    "      --count K: K schemi di seguito, separati da una riga vuota.\n"
    "      --solution: dopo ogni schema, la sua soluzione in numeri.\n"
    "      --livello N: solo schemi del livello N, da 1 (facile) a 5\n"
    "      (diabolico); con --solution la soluzione e' seguita dal livello.\n",
    Genera,
};

}  // namespace zifrel::cli
