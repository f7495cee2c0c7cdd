// The explanation texts, whole: one Schema for each technique at its level,
// trials written out, a hint, known digits right and wrong, and a Schema
// with several solutions. The expected texts are in explanations.golden,
// each after a line "== " and the row's name; they were read line by line
// and each step checked by hand. After a deliberate change of wording, run
// the test with ZIFREL_GOLDEN_UPDATE=1 to write the file anew, and read the
// difference before committing it.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "deduce/explain.h"
#include "tests/support/compact_schema.h"
#include "tests/support/golden_texts.h"

namespace zifrel {
namespace {

struct GoldenCase {
  const char* name;
  const char* cells;
  const char* ops;
  int steps = kAllSteps;
  const char* known = "";
};

constexpr GoldenCase kCases[] = {
    {"level 1: counting digits, the last digits, the leading digits folded in", "I GGF IIF / JF GF J / JI GG JCI",
     "x:x +::"},
    {"level 1: x × C0 = x0 gives C = 1", "A CA CJJ / G JB GB / J CAB CAJ", "xx+ -x+"},
    {"level 1: a digit only one of ten letters can take", "JE II EJB / HDD AD G / GHC EAF DEB", "+:+ ++x"},
    {"level 2: sizes from the digits still possible", "JG A IIC / IB GA G / CBG II CIA", "x-+ ++:"},
    {"level 2: letters that share as many digits", "I CBF CBI / EFG EF BG / ICF CB HBE", "+-- x:+"},
    {"level 3: every way an equation holds", "CGA GB AC / IB D GJ / CAC GA CCD", "::+ ++x"},
    {"level 3: a row and a column agree on their cell", "EAB I AJ / FCE FFH FC / FED FEC J", ":-- -+:"},
    {"level 4: a trial written out", "JIH GH EFH / CG G DG / JGG CH JAG", "-x+ +:+"},
    {"level 5: a trial with harder steps inside", "FCA FD B / JC FC AC / FJA D AB", ":+: +-+"},
    {"a hint of two steps", "GB JA DCA / H E J / GE GD GBA", "x:x -::", 2},
    {"known digits that are right: the next steps", "GB JA DCA / H E J / GE GD GBA", "x:x -::", 2, "G=1,A=0"},
    {"a known digit that is wrong", "GB JA DCA / H E J / GE GD GBA", "x:x -::", kAllSteps, "G=1,B=5"},
    {"several solutions", "B B C / B B C / C C E", "+++ +++"},
};

std::string Explained(const GoldenCase& c) {
  const testing::CompactSchema schema = testing::ParseCompact(c.cells, c.ops);
  StopFlag stop;
  LineCollector out;
  Explain(testing::ToCellTexts(schema.cells), schema.ops, stop, out, c.steps, *ParseKnownDigits(c.known));
  std::string text;
  for (const std::string& line : out.lines) text += line + "\n";
  return text;
}

TEST(ExplanationText, MatchesTheGoldenTexts) {
  std::vector<testing::GoldenCase> cases;
  for (std::size_t k = 0; k < std::size(kCases); ++k) cases.push_back({kCases[k].name, std::to_string(k)});
  testing::ExpectGoldenTexts(std::string(ZIFREL_TEST_DATA) + "/deduce/explanations.golden", cases,
                             [](const std::string& k) { return Explained(kCases[std::stoul(k)]); });
}

}  // namespace
}  // namespace zifrel
