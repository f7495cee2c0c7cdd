#pragma once

#include "core/stop_flag.h"
#include "deduce/deduction.h"
#include "generate/generator.h"

namespace zifrel {

// Some fixed operators make no Schema of some levels, or hardly any: after
// this many Schemas a search for a level gives up.
inline constexpr int kLevelDraws = 5000;

enum class LevelOutcome { kFound, kStopped, kNotFound };

struct LevelDraw {
  LevelOutcome outcome = LevelOutcome::kNotFound;
  GeneratedSchema schema;  // when found
};

// Genera for a chosen level: draws up to kLevelDraws Schemas until one has
// `level` (1..5), as the deduction grades it. The grading draws nothing from
// the random source, so a seed gives the same Schemas with or without it.
LevelDraw GenerateSchemaOfLevel(SchemaGenerator& generator, SchemaDeduction& deduction, int max,
                                const std::optional<OpCodes>& fixedOps, int level, StopFlag& stop);

}  // namespace zifrel
