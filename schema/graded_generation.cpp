#include "schema/graded_generation.h"

namespace zifrel {

std::optional<GeneratedSchema> GenerateSchemaOfLevel(SchemaGenerator& generator, SchemaDeduction& deduction, int max,
                                                     const std::optional<OpCodes>& fixedOps, int level,
                                                     StopFlag& stop) {
  while (true) {
    std::optional<GeneratedSchema> schema = generator.GenerateSchema(max, fixedOps, stop);
    if (!schema) return schema;
    CellTexts cells;
    for (int k = 0; k < kCellCount; ++k) cells.Set(k, schema->cells[k]);
    const DeductionOutcome outcome = deduction.Deduce(cells, schema->ops, stop);
    if (outcome == DeductionOutcome::kStopped) return std::nullopt;
    if (outcome == DeductionOutcome::kDeduced && deduction.Level() == level) return schema;
  }
}

}  // namespace zifrel
