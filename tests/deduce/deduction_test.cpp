#include "deduce/deduction.h"

#include <gtest/gtest.h>

#include <memory>

#include "deduce/techniques.h"
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

// Generated Schemas, each the shortest found whose explanation needs the
// row's technique at the row's level, and nothing harder.
TEST(Deduction, EachTechniqueAndTheLevelItGives) {
  for (const TechniqueCase& c : {
           TechniqueCase{"counting digits with one letter fixed is facile", "I GGF IIF / JF GF J / JI GG JCI",
                         "x:x +::", Technique::kLengths, 1},
           TechniqueCase{"x × C0 = x0 is facile", "A CA CJJ / G JB GB / J CAB CAJ", "xx+ -x+", Technique::kIdentity, 1},
           TechniqueCase{"a digit only one of ten letters can take", "JE II EJB / HDD AD G / GHC EAF DEB", "+:+ ++x",
                         Technique::kOnlyPlace, 1},
           TechniqueCase{"bounds from the digits still possible are medio", "JG A IIC / IB GA G / CBG II CIA",
                         "x-+ ++:", Technique::kRanges, 2},
           TechniqueCase{"letters that share as many digits", "I CBF CBI / EFG EF BG / ICF CB HBE", "+-- x:+",
                         Technique::kDigitGroup, 2},
           TechniqueCase{"the last digits with three letters open are difficile", "JDB FB DJB / DB J DJ / JBB JB EB",
                         "++: -::", Technique::kLastDigits, 3},
           TechniqueCase{"every way an equation holds is difficile", "CGA GB AC / IB D GJ / CAC GA CCD", "::+ ++x",
                         Technique::kCombinations, 3},
           TechniqueCase{"a row and a column that agree on their cell", "EAB I AJ / FCE FFH FC / FED FEC J",
                         ":-- -+:", Technique::kTwoEquations, 3},
           TechniqueCase{"a plain trial is molto difficile", "JIH GH EFH / CG G DG / JGG CH JAG", "-x+ +:+",
                         Technique::kTrial, 4},
           TechniqueCase{"a trial that needs more is diabolico", "FCA FD B / JC FC AC / FJA D AB", ":+: +-+",
                         Technique::kTrial, 5},
       }) {
    const CompactSchema schema = ParseCompact(c.cells, c.ops);
    const auto deduction = std::make_unique<SchemaDeduction>();
    StopFlag stop;
    ASSERT_EQ(deduction->Deduce(testing::ToCellTexts(schema.cells), schema.ops, stop), DeductionOutcome::kDeduced)
        << c.behaviour;
    bool used = false;
    for (int i = 0; i < deduction->StepCount(); ++i) {
      const Step& step = deduction->StepAt(i);
      used |= step.technique == c.technique && StepLevel(step) == c.level;
    }
    EXPECT_TRUE(used) << c.behaviour;
    EXPECT_EQ(deduction->Level(), c.level) << c.behaviour;
  }
}

// The level is proved both ways: the techniques up to it solve the Schema,
// those below it stop short. (Trials are levels 4 and 5: below 4 nothing
// but FindStep runs.)
TEST(Deduction, TheLevelIsTheEasiestThatSolves) {
  GeneratorState state = testing::Started(11);
  SchemaGenerator generator(state);
  StopFlag stop;
  const auto deduction = std::make_unique<SchemaDeduction>();
  for (int n = 0; n < 60; ++n) {
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, std::nullopt, stop);
    ASSERT_TRUE(schema.has_value());
    ASSERT_EQ(deduction->Deduce(testing::ToCellTexts(schema->cells), schema->ops, stop), DeductionOutcome::kDeduced);
    const int level = deduction->Level();
    const auto solves = [&](int upTo) {
      EquationSearch search;
      DeductionContext context{deduction->Puzzle(), search};
      CandidateState state = deduction->Start();
      Step step;
      while (!Solved(deduction->Puzzle(), state) && FindStep(context, state, step, upTo)) {
        ApplyStep(deduction->Puzzle(), state, step);
      }
      return Solved(deduction->Puzzle(), state);
    };
    if (level <= 3) {
      EXPECT_TRUE(solves(level)) << "Schema " << n << " of seed 11";
    }
    if (level >= 2) {
      EXPECT_FALSE(solves(std::min(level - 1, 3))) << "Schema " << n << " of seed 11";
    }
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
  const CompactSchema schema = ParseCompact("FCA FD B / JC FC AC / FJA D AB", ":+: +-+");
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
