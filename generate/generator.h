#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/stop_flag.h"
#include "generate/divisor_table.h"
#include "generate/grid_search.h"
#include "generate/subtractive_rng.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"
#include "schema/schema_lines.h"
#include "schema/solver.h"

namespace zifrel {

// The generator's process-wide state: the random source and the divisor
// table drawn from it. Seeded and built once, at start-up; every job after
// that draws on, so the seed alone fixes every Schema of the run.
struct GeneratorState {
  SubtractiveRng random;
  DivisorTable divisorTable;
};

// The start-up of the random source: seeded (0 takes the seed from the
// clock), then the divisor table drawn from it, in that order. The order
// fixes every later draw, so a seed reproduces every Schema of a run only
// when every front end starts the source here.
void StartRandomSource(GeneratorState& state, std::int32_t seed);

// A Schema with exactly one solution, coded in the letters A..J.
struct GeneratedSchema {
  std::array<std::string, kCellCount> cells;  // the letter texts, c1..c9
  OpCodes ops;
  NumberGrid grid;  // its one solution: the answer key
};

// What one job spent: attempts, and the grids that reached the uniqueness test.
struct GenerationCounts {
  long attempts = 0;
  long uniquenessTests = 0;
};

// The Genera job without its window: repeat attempts until a grid's digit
// puzzle has exactly one solution, then code the digits as letters. The
// working storage is allocated once, when the generator is made.
class SchemaGenerator {
 public:
  explicit SchemaGenerator(GeneratorState& state);

  // `fixedOps` empty: every attempt draws its own admitted operators.
  // Empty when the search was stopped: a uniqueness count that a stop cut
  // short is no count, so a stopped job yields no Schema. A stop that comes
  // after the last count has finished is too late to change the outcome.
  std::optional<GeneratedSchema> GenerateSchema(int max, const std::optional<OpCodes>& fixedOps, StopFlag& stop);

  const GenerationCounts& Counts() const { return counts_; }

 private:
  GeneratorState& state_;
  GridSearch search_;
  SchemaSolver solver_;
  CellTexts cells_;
  GenerationCounts counts_;
};

}  // namespace zifrel
