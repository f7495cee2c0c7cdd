// The deduction over thousands of generated Schemas: 3,000 at 999 and 450 at
// 9999 with random operators, and one at 999 for each of the 1,600 admitted
// operator combinations, each explanation read line by line by the
// independent reader of tests/support/step_checker.h. Each failure names
// its seed or operators.
#include <gtest/gtest.h>

#include "schema/op_combo_table.h"
#include "tests/support/explanation_checks.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::DeductionFault;

TEST(LongCheck, EveryDeductionIsSound999) { EXPECT_EQ(testing::SeedsFault(1, 1000, 3, 999, DeductionFault), ""); }

TEST(LongCheck, EveryDeductionIsSound9999) { EXPECT_EQ(testing::SeedsFault(1, 150, 3, 9999, DeductionFault), ""); }

TEST(LongCheck, EveryDeductionIsSoundWithFixedOperators) {
  GeneratorState state = testing::Started(78);
  SchemaGenerator generator(state);
  StopFlag stop;
  for (int code = 0; code < 4096; ++code) {
    if (!IsAdmittedCode(code)) continue;
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, OpCodesOfCode(code), stop);
    ASSERT_TRUE(schema.has_value()) << "code " << code;
    EXPECT_EQ(DeductionFault(*schema, 999), "") << "code " << code;
  }
}

}  // namespace
}  // namespace zifrel
