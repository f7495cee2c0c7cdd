// The word relation generator over the whole Italian list: 1,400 relations,
// 200 of each built-in shape, each read back through the Libero job. Each
// failure names its seed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

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

}  // namespace
}  // namespace zifrel
