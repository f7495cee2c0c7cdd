#include "generate/graded_generation.h"

namespace zifrel {

LevelDraw GenerateSchemaOfLevel(SchemaGenerator& generator, SchemaDeduction& deduction, int max,
                                const std::optional<OpCodes>& fixedOps, int level, StopFlag& stop) {
  for (int draw = 0; draw < kLevelDraws; ++draw) {
    std::optional<GeneratedSchema> schema = generator.GenerateSchema(max, fixedOps, stop);
    if (!schema) return {SearchEnd::kStopped, {}};
    CellTexts cells;
    for (int k = 0; k < kCellCount; ++k) cells.Set(k, schema->cells[k]);
    const DeductionOutcome outcome = deduction.Deduce(cells, schema->ops, stop);
    if (outcome == DeductionOutcome::kStopped) return {SearchEnd::kStopped, {}};
    if (outcome == DeductionOutcome::kDeduced && deduction.Level() == level) {
      return {SearchEnd::kFound, std::move(*schema)};
    }
  }
  return {SearchEnd::kNone, {}};
}

}  // namespace zifrel
