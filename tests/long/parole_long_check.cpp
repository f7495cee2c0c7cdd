// The word relation generator over the whole Italian list: 1,400 relations,
// 200 of each built-in shape, each read back through the Libero job; and
// 1,200 relations explained. Each failure names its seed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "parole/plain_lexicon.h"
#include "tests/support/relation_checks.h"

namespace zifrel {
namespace {

TEST(LongCheck, EveryWordRelationHasExactlyOneSolution) {
  std::ifstream in{std::string(parole::kItalianWordList)};
  ASSERT_TRUE(in) << parole::kItalianWordList << ": the package witalian installs it";
  const parole::WordList italian = parole::WordList::Read(in);
  std::int32_t seed = 100;
  for (const std::string_view pattern : parole::kShapes) {
    parole::GeneratorOptions options;
    options.shapes = {*parole::ParseShape(pattern)};
    for (int run = 0; run < 4; ++run) EXPECT_EQ(testing::GeneratedRelationsFault(italian, options, ++seed, 50), "");
  }
}

// 1,200 relations of every built-in shape, from the plain words, each
// explained and checked against the Libero search.
TEST(LongCheck, EveryWordRelationIsExplainedToItsSolution) {
  const parole::WordList plain = parole::ReadPlainItalianWords();
  ASSERT_FALSE(plain.Words().empty());
  for (std::int32_t seed = 300; seed < 306; ++seed) {
    parole::RelationGenerator generator(plain, {}, seed);
    StopFlag stop;
    for (int k = 0; k < 200; ++k) {
      const parole::GeneratedRelation relation = generator.Next(stop);
      ASSERT_EQ(relation.end, SearchEnd::kFound) << "seed " << seed;
      EXPECT_EQ(testing::WordExplanationFault(relation.text), "") << "seed " << seed << ", relation " << k;
    }
  }
}

}  // namespace
}  // namespace zifrel
