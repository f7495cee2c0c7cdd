#include "generate/generator.h"

#include "generate/letter_coding.h"
#include "generate/random_operators.h"
#include "schema/op_combo_table.h"

namespace zifrel {

void StartRandomSource(GeneratorState& state, std::int32_t seed) {
  state.random.Seed(seed);
  state.divisorTable.Build(state.random);
}

SchemaGenerator::SchemaGenerator(GeneratorState& state) : state_(state), search_(state.divisorTable) {}

std::optional<GeneratedSchema> SchemaGenerator::GenerateSchema(int max, const std::optional<OpCodes>& fixedOps,
                                                               StopFlag& stop) {
  counts_ = {};
  OpCodes ops = fixedOps.value_or(OpCodes{});
  for (bool found = false; !found;) {
    if (stop.Poll()) return std::nullopt;
    ++counts_.attempts;
    // The draws of an attempt come in this order: value orders, operators.
    search_.DrawValueOrders(state_.random, max);
    if (!fixedOps) ops = DrawRandomOperators(state_.random);
    search_.SetPlan(BuildPlan(ops));
    const SearchEnd grid = search_.SearchGrid(stop);
    if (grid == SearchEnd::kStopped) return std::nullopt;
    if (grid == SearchEnd::kNone) continue;

    // Uniqueness is tested on the digits themselves, each digit one symbol;
    // coding them as letters later only renames the symbols. A count cut
    // short by a stop is not a count: nothing is published.
    ++counts_.uniquenessTests;
    for (int k = 0; k < kCellCount; ++k) cells_.SetNumber(k, search_.Grid()[k]);
    if (solver_.SolveSchema(SolveMode::CountOnly, cells_, ops, stop) == SolveOutcome::kStopped) return std::nullopt;
    found = solver_.SolutionCount() == 1;
  }

  GeneratedSchema schema{{}, ops, search_.Grid()};
  const DigitLetterMap map = DrawDigitLetterMap(state_.random);
  for (int k = 0; k < kCellCount; ++k) schema.cells[k] = NumberToLetters(schema.grid[k], map);
  return schema;
}

}  // namespace zifrel
