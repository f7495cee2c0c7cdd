#include "generate/generator.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "generate/letter_coding.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

TEST(LetterCoding, TheWorkedGridPrintsAsFiveLines) {
  constexpr DigitLetterMap kMap = {0, 3, 7, 1, 10, 5, 2, 9, 4, 6, 8};  // 0→C 1→G 2→A ... 9→H
  constexpr NumberGrid kGrid = {792, 4, 198, 88, 86, 2, 9, 90, 99};
  EXPECT_EQ(NumberToLetters(1234567890, kMap), "GAJEBIDFHC");
  std::array<std::string, kCellCount> cells;
  CellStrings views;
  for (int k = 0; k < kCellCount; ++k) views[k] = cells[k] = NumberToLetters(kGrid[k], kMap);
  EXPECT_EQ(cells, (std::array<std::string, kCellCount>{"DHA", "E", "GHF", "FF", "FI", "A", "H", "HC", "HH"}));
  EXPECT_EQ(
      SchemaLines(views, ParseOperators("÷-+÷+÷").value(), " "),
      (std::array<std::string, kSchemaLineCount>{"  DHA \u00F7    E =  GHF", "    \u00F7      +      \u00F7",
                                                 "   FF -   FI =    A", "    =      =      =", "    H +   HC =   HH"}));
}

TEST(Generator, SchemasFromSeveralSeedsSolveToTheirGrids) {
  EXPECT_EQ(testing::SeedsFault(1, 12, 2, 999), "");
  EXPECT_EQ(testing::SeedsFault(1, 1, 1, 9999), "");
}

// Operators drawn from the low digits of the generator once gave only four
// layouts over any number of seeds.
TEST(Generator, FirstSchemasOfManySeedsHaveManyOperatorLayouts) {
  const std::map<int, int> layouts = testing::FirstLayouts(1, 200);
  EXPECT_GE(layouts.size(), 150u);
  for (const auto& [code, count] : layouts) EXPECT_LE(count, 4) << "layout " << code;
}

TEST(Generator, AStoppedJobYieldsNoSchema) {
  const GeneratorState fresh = testing::Started(2);
  int stopped = 0;
  for (long polls = 1; polls <= 400; polls += 3) {
    GeneratorState state = fresh;
    SchemaGenerator generator(state);
    StopFlag stop;
    stop.RequestAfterPolls(polls);
    const bool generated = generator.GenerateSchema(999, std::nullopt, stop).has_value();
    EXPECT_EQ(generated, !stop.IsSet()) << "stop at poll " << polls;
    stopped += stop.IsSet();
  }
  EXPECT_GT(stopped, 10);
}

}  // namespace
}  // namespace zifrel
