// Checks of the generator too long for the quick test run. Run:
//   build/release/tests/zifrel_long_checks
// Each failure names its seed or operators, so it can be replayed.
#include <gtest/gtest.h>

#include <string>

#include "schema/generator.h"
#include "schema/last_step.h"
#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::CodingFault;
using testing::GridFault;
using testing::RoundTripFault;

std::string Glyphs(const OpCodes& ops) {
  std::string text;
  for (OpCode op : ops) text += OperatorGlyph(op);
  return text;
}

void ExpectSound(const GeneratedSchema& schema, int max, const std::string& context) {
  EXPECT_EQ(GridFault(schema.grid, schema.ops, max), "") << context;
  EXPECT_EQ(CodingFault(schema, max), "") << context;
  EXPECT_EQ(RoundTripFault(schema), "") << context;
}

// Seed, start-up, then consecutive jobs, as the window and zifrel-cli run them.
void CheckSeeds(int firstSeed, int lastSeed, int jobs, int max) {
  for (int seed = firstSeed; seed <= lastSeed; ++seed) {
    GeneratorState state;
    state.random.Seed(seed);
    BuildDivisorTable(state.divisorTable, state.random);
    SchemaGenerator generator(state);
    StopFlag stop;
    for (int job = 1; job <= jobs; ++job) {
      const std::string context = "seed " + std::to_string(seed) + ", job " + std::to_string(job);
      const std::optional<GeneratedSchema> schema = generator.GenerateSchema(max, std::nullopt, stop);
      ASSERT_TRUE(schema.has_value()) << context;
      EXPECT_TRUE(IsAdmitted(schema->ops)) << context;
      ExpectSound(*schema, max, context);
    }
  }
}

TEST(LongCheck, EverySchemaHasExactlyOneSolution999) { CheckSeeds(1, 500, 3, 999); }

TEST(LongCheck, EverySchemaHasExactlyOneSolution9999) { CheckSeeds(1, 100, 3, 9999); }

TEST(LongCheck, EveryAdmittedCombinationGivesASchema) {
  GeneratorState state;
  state.random.Seed(77);
  BuildDivisorTable(state.divisorTable, state.random);
  SchemaGenerator generator(state);
  StopFlag stop;
  int combinations = 0;
  for (int code = 0; code < 4096; ++code) {
    if (!IsAdmittedCode(code)) continue;
    const OpCodes ops = OpCodesOfCode(code);
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, ops, stop);
    ASSERT_TRUE(schema.has_value()) << Glyphs(ops);
    EXPECT_EQ(schema->ops, ops);
    ExpectSound(*schema, 999, Glyphs(ops));
    ++combinations;
  }
  EXPECT_EQ(combinations, 1600);
}

// The computed last step against the plain walk through the value order, on
// every admitted combination whose plan allows it, twice each.
TEST(LongCheck, TheComputedLastStepFindsTheGridsOfTheWalk) {
  SubtractiveRng rng;
  rng.Seed(31);
  DivisorTable table;
  table.Build(rng);
  StopFlag stop;
  GridSearch solved(table), walked(table);
  walked.SetWalkLastStep(true);
  for (int code = 0; code < 4096; ++code) {
    const OpCodes ops = OpCodesOfCode(code);
    const GenPlan plan = BuildPlan(ops);
    if (!IsAdmittedCode(code) || !LastStepIsLinear(plan)) continue;
    for (int attempt = 0; attempt < 2; ++attempt) {
      SubtractiveRng twin = rng;
      solved.DrawValueOrders(rng, 999);
      walked.DrawValueOrders(twin, 999);
      solved.SetPlan(plan);
      walked.SetPlan(plan);
      const bool found = solved.SearchGrid(stop);
      ASSERT_EQ(found, walked.SearchGrid(stop)) << Glyphs(ops);
      EXPECT_EQ(solved.Grid(), walked.Grid()) << Glyphs(ops);
    }
  }
}

}  // namespace
}  // namespace zifrel
