// Checks of the generator too long for the quick test run. Run:
//   build/release/tests/zifrel_long_checks
// Each failure names its seed or operator code, so it can be replayed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "generate/last_step.h"
#include "generate/random_operators.h"
#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::FirstLayouts;
using testing::SchemaFault;
using testing::SeedsFault;
using testing::ShortcutFault;
using testing::Started;

TEST(LongCheck, EverySchemaHasExactlyOneSolution999) { EXPECT_EQ(SeedsFault(1, 500, 3, 999), ""); }

TEST(LongCheck, EverySchemaHasExactlyOneSolution9999) { EXPECT_EQ(SeedsFault(1, 100, 3, 9999), ""); }

// The first Schema of a thousand seeds: many operator layouts, none common.
TEST(LongCheck, FirstSchemasSpreadOverTheLayouts) {
  const std::map<int, int> layouts = FirstLayouts(1, 1000);
  int most = 0;
  for (const auto& [code, count] : layouts) most = std::max(most, count);
  std::printf("seeds 1..1000: %zu layouts, the commonest %d times\n", layouts.size(), most);
  EXPECT_GE(layouts.size(), 300u);
  EXPECT_LE(most, 20);
}

// Random operators are uniform over the 1600 admitted combinations: a chi
// square test of 10,000 draws at the 1 % level. With 1599 degrees of freedom
// the bound is 1733 (Wilson and Hilferty's approximation).
TEST(LongCheck, RandomOperatorsAreUniformOverTheAdmittedCombinations) {
  constexpr int kDraws = 10'000;
  GeneratorState state = Started(5);
  std::map<int, int> counts;
  for (int i = 0; i < kDraws; ++i) ++counts[OpComboCode(DrawRandomOperators(state.random))];
  const double expected = kDraws / 1600.0;
  double chiSquare = 0;
  for (int code = 0; code < 4096; ++code) {
    if (!IsAdmittedCode(code)) continue;
    const double observed = counts.contains(code) ? counts[code] : 0;
    chiSquare += (observed - expected) * (observed - expected) / expected;
  }
  std::printf("chi square of 10,000 operator draws: %.1f\n", chiSquare);
  EXPECT_LT(chiSquare, 1733.0);
}

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
