#include "deduce/deduction.h"

#include <gtest/gtest.h>

#include <memory>

#include "schema/op_combo_table.h"
#include "tests/support/compact_schema.h"
#include "tests/support/explanation_checks.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::CompactSchema;
using testing::ParseCompact;

struct TechniqueCase {
  const char* behaviour;
  const char* cells;
  const char* ops;
  Technique technique;  // a step of it comes in the solution
  int level;
};

// Generated Schemas, each the shortest found that needs the row's
// technique, and no harder one.
TEST(Deduction, EachTechniqueAndTheLevelItGives) {
  for (const TechniqueCase& c : {
           TechniqueCase{"last digits after leading digits and lengths are facile", "FHD J JJ / CH C FH / FCD B DJ",
                         "-:: +--", Technique::kLastDigits, 1},
           TechniqueCase{"a digit only one of ten symbols can take", "IBD HB BH / D G IF / CIC HF AEJ", "-x+ x-x",
                         Technique::kOnlyPlace, 1},
           TechniqueCase{"symbols that share as many digits", "FI GF JHH / E G A / JED JHD EH",
                         "++- xx:", Technique::kDigitGroup, 1},
           TechniqueCase{"bounds from the digits still possible are medio", "DBC DDE B / EB DCE DGC / HE DC HEC",
                         "-+x --x", Technique::kRanges, 2},
           TechniqueCase{"every way an equation holds is difficile", "BDE C IIA / JA JB B / CBB JD CEI",
                         "x-+ ++:", Technique::kCombinations, 3},
           TechniqueCase{"a row and a column that agree on their cell", "HCB BA HIJ / DG H ID / G BD HBE", "-:x :++",
                         Technique::kTwoEquations, 3},
           TechniqueCase{"a trial is molto difficile", "CAA AD CGJ / J A D / JDD CJ JA", "+x: x::", Technique::kTrial,
                         4},
           TechniqueCase{"trials within a trial are diabolico", "JEI EEJ GBC / EBH C CBJ / J EEI FBI", "-xx :++",
                         Technique::kTrial, 5},
       }) {
    const CompactSchema schema = ParseCompact(c.cells, c.ops);
    const auto deduction = std::make_unique<SchemaDeduction>();
    StopFlag stop;
    ASSERT_EQ(deduction->Deduce(testing::ToCellTexts(schema.cells), schema.ops, stop), DeductionOutcome::kDeduced)
        << c.behaviour;
    bool used = false;
    for (int i = 0; i < deduction->StepCount(); ++i) used |= deduction->StepAt(i).technique == c.technique;
    EXPECT_TRUE(used) << c.behaviour;
    EXPECT_EQ(deduction->Level(), c.level) << c.behaviour;
  }
}

// Each failure names its seed, or its operators.
TEST(Deduction, GeneratedSchemasAreExplainedSoundly) {
  EXPECT_EQ(testing::SeedsFault(1, 100, 3, 999, testing::DeductionFault), "");
  EXPECT_EQ(testing::SeedsFault(1, 3, 1, 9999, testing::DeductionFault), "");
  GeneratorState state = testing::Started(5);
  SchemaGenerator generator(state);
  StopFlag stop;
  for (int code = 0; code < 4096; code += 37) {
    if (!IsAdmittedCode(code)) continue;
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, OpCodesOfCode(code), stop);
    ASSERT_TRUE(schema.has_value());
    EXPECT_EQ(testing::DeductionFault(*schema, 999), "") << "operators " << code;
  }
}

// The grading polls the stop flag at every step and every trial, not only
// in the solve that comes first.
TEST(Deduction, AStopEndsTheGrading) {
  const CompactSchema schema = ParseCompact("JEI EEJ GBC / EBH C CBJ / J EEI FBI", "-xx :++");
  const CellTexts cells = testing::ToCellTexts(schema.cells);
  const auto deduction = std::make_unique<SchemaDeduction>();
  SchemaSolver solver;
  const auto polls = [&](auto stoppedAt) {  // the polls of a run, found as the first stop it does not see
    long low = 1, high = 1L << 20;
    while (low < high) {
      const long mid = (low + high) / 2;
      if (stoppedAt(mid))
        low = mid + 1;
      else
        high = mid;
    }
    return low - 1;
  };
  const long solving = polls([&](long n) {
    StopFlag stop;
    stop.RequestAfterPolls(n);
    solver.SolveSchema(SolveMode::CountOnly, cells, schema.ops, stop);
    return stop.IsSet();
  });
  const long grading = polls([&](long n) {
    StopFlag stop;
    stop.RequestAfterPolls(n);
    return deduction->Deduce(cells, schema.ops, stop) == DeductionOutcome::kStopped;
  });
  StopFlag noStop;
  ASSERT_EQ(deduction->Deduce(cells, schema.ops, noStop), DeductionOutcome::kDeduced);
  EXPECT_GT(grading, solving + deduction->StepCount());
}

}  // namespace
}  // namespace zifrel
