// Checks of the generator too long for the quick test run. Run:
//   build/release/tests/zifrel_long_checks
// Each failure names its seed or operator code, so it can be replayed.
#include <gtest/gtest.h>

#include "schema/last_step.h"
#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::SchemaFault;
using testing::SeedsFault;
using testing::ShortcutFault;
using testing::Started;

TEST(LongCheck, EverySchemaHasExactlyOneSolution999) { EXPECT_EQ(SeedsFault(1, 500, 3, 999), ""); }

TEST(LongCheck, EverySchemaHasExactlyOneSolution9999) { EXPECT_EQ(SeedsFault(1, 100, 3, 9999), ""); }

TEST(LongCheck, EveryAdmittedCombinationGivesASchema) {
  GeneratorState state = Started(77);
  SchemaGenerator generator(state);
  StopFlag stop;
  int combinations = 0;
  for (int code = 0; code < 4096; ++code) {
    if (!IsAdmittedCode(code)) continue;
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, OpCodesOfCode(code), stop);
    ASSERT_TRUE(schema.has_value()) << "code " << code;
    EXPECT_EQ(schema->ops, OpCodesOfCode(code));
    EXPECT_EQ(SchemaFault(*schema, 999), "") << "code " << code;
    ++combinations;
  }
  EXPECT_EQ(combinations, 1600);
}

// The computed last step against the plain walk through the value order, on
// every admitted combination, twice each.
TEST(LongCheck, TheComputedLastStepFindsTheGridsOfTheWalk) {
  GeneratorState state = Started(31);
  for (int code = 0; code < 4096; ++code) {
    if (!IsAdmittedCode(code)) continue;
    for (int attempt = 0; attempt < 2; ++attempt) {
      EXPECT_EQ(ShortcutFault(state.random, state.divisorTable, OpCodesOfCode(code)), "") << "code " << code;
    }
  }
}

}  // namespace
}  // namespace zifrel
