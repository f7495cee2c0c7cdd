#pragma once

#include <optional>

#include "core/stop_flag.h"
#include "schema/deduction.h"
#include "schema/generator.h"

namespace zifrel {

// Genera for a chosen level: draws Schemas until one has `level` (1..5), as
// the deduction grades it. The grading draws nothing from the random source,
// so a seed gives the same Schemas with or without it. Empty when stopped.
std::optional<GeneratedSchema> GenerateSchemaOfLevel(SchemaGenerator& generator, SchemaDeduction& deduction, int max,
                                                     const std::optional<OpCodes>& fixedOps, int level, StopFlag& stop);

}  // namespace zifrel
