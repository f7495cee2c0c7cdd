#include "schema/generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/line_sink.h"
#include "schema/letter_coding.h"
#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using Lines = std::vector<std::string>;
using testing::CodingFault;
using testing::GridFault;
using testing::RoundTripFault;

constexpr DigitLetterMap kWorkedMap = {0, 3, 7, 1, 10, 5, 2, 9, 4, 6, 8};  // 0→C 1→G 2→A ... 9→H
constexpr NumberGrid kWorkedGrid = {792, 4, 198, 88, 86, 2, 9, 90, 99};

Lines PublishedLines(const std::array<std::string, kCellCount>& cells, const OpCodes& ops) {
  CellStrings strings;
  for (int k = 0; k < kCellCount; ++k) strings[k] = cells[k];
  const auto lines = SchemaLines(strings, ops, " ");
  return {lines.begin(), lines.end()};
}

TEST(LetterCoding, TheWorkedGridPrintsAsFiveLines) {
  EXPECT_EQ(NumberToLetters(1234567890, kWorkedMap), "GAJEBIDFHC");
  std::array<std::string, kCellCount> cells;
  for (int k = 0; k < kCellCount; ++k) cells[k] = NumberToLetters(kWorkedGrid[k], kWorkedMap);
  EXPECT_EQ(cells, (std::array<std::string, kCellCount>{"DHA", "E", "GHF", "FF", "FI", "A", "H", "HC", "HH"}));
  EXPECT_EQ(PublishedLines(cells, *ParseOperators("÷-+÷+÷")), (Lines{
                                                                  "  DHA \u00F7    E =  GHF",
                                                                  "    \u00F7      +      \u00F7",
                                                                  "   FF -   FI =    A",
                                                                  "    =      =      =",
                                                                  "    H +   HC =   HH",
                                                              }));
}

class Generator : public ::testing::Test {
 protected:
  void Start(std::int32_t seed) {
    state.random.Seed(seed);
    BuildDivisorTable(state.divisorTable, state.random);
  }
  GeneratorState state;
  StopFlag stop;
};

TEST_F(Generator, SchemasFromSeveralSeedsSolveToTheirGrids) {
  for (std::int32_t seed = 1; seed <= 12; ++seed) {
    Start(seed);
    SchemaGenerator generator(state);
    for (int job = 0; job < 2; ++job) {
      const std::string context = "seed " + std::to_string(seed) + " job " + std::to_string(job + 1);
      const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, std::nullopt, stop);
      ASSERT_TRUE(schema.has_value()) << context;
      EXPECT_TRUE(IsAdmitted(schema->ops)) << context;
      EXPECT_EQ(GridFault(schema->grid, schema->ops, 999), "") << context;
      EXPECT_EQ(CodingFault(*schema, 999), "") << context;
      EXPECT_EQ(RoundTripFault(*schema), "") << context;
    }
  }
}

TEST_F(Generator, WithMaximum9999) {
  Start(1);
  SchemaGenerator generator(state);
  const std::optional<GeneratedSchema> schema = generator.GenerateSchema(9999, std::nullopt, stop);
  ASSERT_TRUE(schema.has_value());
  EXPECT_EQ(CodingFault(*schema, 9999), "");
  EXPECT_EQ(RoundTripFault(*schema), "");
}

TEST_F(Generator, FixedOperatorsArePublishedAsTheyWere) {
  Start(4);
  SchemaGenerator generator(state);
  for (const char* text : {"÷-+÷+÷", "xxxxxx", "------"}) {
    const OpCodes ops = *ParseOperators(text);
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, ops, stop);
    ASSERT_TRUE(schema.has_value()) << text;
    EXPECT_EQ(schema->ops, ops) << text;
    EXPECT_EQ(RoundTripFault(*schema), "") << text;
  }
}

TEST_F(Generator, AStoppedJobYieldsNoSchema) {
  Start(2);
  const GeneratorState fresh = state;
  int stopped = 0;
  for (long polls = 1; polls <= 400; polls += 3) {
    state = fresh;
    SchemaGenerator generator(state);
    stop.Reset();
    stop.RequestAfterPolls(polls);
    const std::optional<GeneratedSchema> schema = generator.GenerateSchema(999, std::nullopt, stop);
    EXPECT_EQ(schema.has_value(), !stop.IsSet()) << "stop at poll " << polls;
    stopped += stop.IsSet();
  }
  EXPECT_GT(stopped, 10);
}

}  // namespace
}  // namespace zifrel
