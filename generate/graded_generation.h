#pragma once

#include "core/search_end.h"
#include "core/stop_flag.h"
#include "deduce/deduction.h"
#include "generate/generator.h"

namespace zifrel {

// Some fixed operators make no Schema of some levels, or hardly any: after
// this many Schemas a search for a level gives up. With × × × × × ×, whose
// Schemas take longest to draw (about 10 ms each), that is within 10 s;
// measured with BM_GenerateLevel in bench/deduction_bench.cpp.
inline constexpr int kLevelDraws = 1000;

struct LevelDraw {
  SearchEnd outcome = SearchEnd::kNone;
  GeneratedSchema schema;  // when found
};

// Genera for a chosen level: draws up to kLevelDraws Schemas until one has
// `level` (1..5), as the deduction grades it. The grading draws nothing from
// the random source, so a seed gives the same Schemas with or without it.
LevelDraw GenerateSchemaOfLevel(SchemaGenerator& generator, SchemaDeduction& deduction, int max,
                                const std::optional<OpCodes>& fixedOps, int level, StopFlag& stop);

}  // namespace zifrel
