#include "libero/compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utf8.h"
#include "libero/evaluator.h"
#include "libero/relation_check.h"

namespace zifrel::libero {
namespace {

using Words = std::vector<std::int32_t>;

struct Compiled {
  Words words;
  std::string letters;  // by number
  std::string leading;  // the marked letters, by number
};

Compiled Compile(const std::string& typed, Reading mode) {
  std::u32string text = DecodeUtf8(typed);
  EXPECT_EQ(CheckRelation(text), kCheckOk) << typed;
  RelationCode code;
  VariableTable table;
  CompileRelation(text, false, mode, code, table);
  Compiled c{{code.words.begin(), code.words.begin() + code.length}, "", ""};
  for (int v = 1; v <= table.Count(); ++v) {
    c.letters += table.LetterOf(v);
    if (table.Leading(v)) c.leading += table.LetterOf(v);
  }
  return c;
}

struct CompileCase {
  const char* typed;
  Reading mode;
  Words words;
  const char* letters;
  const char* leading;
};

void PrintTo(const CompileCase& c, std::ostream* os) {
  *os << c.typed << (c.mode == Reading::Units ? " (units)" : " (full)");
}

class CompileTest : public ::testing::TestWithParam<CompileCase> {};

TEST_P(CompileTest, WritesTheCodeWordsAndNumbersTheLetters) {
  const CompileCase& c = GetParam();
  const Compiled compiled = Compile(c.typed, c.mode);
  EXPECT_EQ(compiled.words, c.words);
  EXPECT_EQ(compiled.letters, c.letters);
  EXPECT_EQ(compiled.leading, c.leading);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompileTest,
    ::testing::Values(
        CompileCase{"gatto+gatto=cane+cane+cane", Reading::Full,
                    {0, 1, 2, 3, 3, 4, 0, 1, 2, 3, 3, 4, 32, 0, 5, 2, 6, 7, 0, 5, 2, 6, 7, 32, 0, 5, 2, 6, 7, 32, 38},
                    "GATOCNE", "GC"},
        // G and C have no number yet when their words are emitted, so no mark.
        CompileCase{"gatto+gatto=cane+cane+cane", Reading::Units, {0, 1, 0, 1, 32, 0, 2, 0, 2, 32, 0, 2, 32, 38},
                    "OE", ""},
        // The exponent 3 is read in full; M is the first and last of its word.
        CompileCase{"(AGH+MM)^3=D+E+F+G+AB", Reading::Units,
                    {0, 1, 0, 2, 32, 0, 19, 36, 0, 3, 0, 4, 32, 0, 5, 32, 0, 6, 32, 0, 7, 32, 38}, "HMDEFGB", "M"},
        // An operator inside an exponent is computed exactly (word 48 + index).
        CompileCase{"A^(B^C)=43046721", Reading::Units, {0, 1, 0, 2, 0, 3, 52, 36, 0, 17, 38}, "ABC", ""},
        CompileCase{"A^(B-C+D)=32", Reading::Units, {0, 1, 0, 2, 0, 3, 49, 0, 4, 48, 36, 0, 18, 38}, "ABCD", ""},
        CompileCase{"A^B^C=D", Reading::Full, {0, 1, 0, 2, 36, 0, 3, 36, 0, 4, 38}, "ABCD", ""},
        CompileCase{"A%B<C", Reading::Full, {0, 1, 0, 2, 37, 0, 3, 39}, "ABC", ""},
        CompileCase{"1AB>=007", Reading::Full, {0, 17, 1, 2, 0, 16, 16, 23, 41}, "AB", ""},
        CompileCase{"((A+B)*C)<>D", Reading::Full, {0, 1, 0, 2, 32, 0, 3, 34, 0, 4, 43}, "ABCD", ""},
        CompileCase{"A+B<C", Reading::Units, {}, "", ""},
        CompileCase{"A:B=C", Reading::Units, {}, "", ""},
        CompileCase{"A%B=C", Reading::Units, {}, "", ""}));

TEST(CountVariables, CountsTheVariablesOfAReading) {
  RelationCode scratch;
  VariableTable table;
  EXPECT_EQ(CountVariables(U"GATTO+GATTO=CANE+CANE+CANE", Reading::Full, scratch, table), 7);
  EXPECT_EQ(CountVariables(U"GATTO+GATTO=CANE+CANE+CANE", Reading::Units, scratch, table), 2);
  EXPECT_EQ(CountVariables(U"(AGH+MM)^3=D+E+F+G+AB", Reading::Units, scratch, table), 7);
  EXPECT_EQ(CountVariables(U"A+B<C", Reading::Units, scratch, table), 0);
}

// Digits by letter, for the relation's own numbering.
bool Holds(const std::string& typed, Reading mode, const std::string& digitsByLetter) {
  std::u32string text = DecodeUtf8(typed);
  EXPECT_EQ(CheckRelation(text), kCheckOk) << typed;
  RelationCode code;
  VariableTable table;
  CompileRelation(text, false, Reading::Full, code, table);  // numbers every letter
  if (mode == Reading::Units) CompileRelation(text, true, Reading::Units, code, table);
  DigitValues digits = InitialDigitValues();
  for (std::size_t i = 0; i < digitsByLetter.size(); ++i) {
    if (const int v = table.NumberOf(static_cast<char>('A' + i)); v != 0) digits[v] = digitsByLetter[i] - '0';
  }
  return EvaluateCode(code, mode == Reading::Units, digits);
}

struct EvaluationCase {
  const char* behaviour;
  const char* typed;
  Reading mode;
  const char* digits;  // A, B, C, ... in order
  bool holds;
};

void PrintTo(const EvaluationCase& c, std::ostream* os) { *os << c.behaviour << ": " << c.typed; }

class EvaluationTest : public ::testing::TestWithParam<EvaluationCase> {};

TEST_P(EvaluationTest, TellsWhetherTheRelationHolds) {
  const EvaluationCase& c = GetParam();
  EXPECT_EQ(Holds(c.typed, c.mode, c.digits), c.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvaluationTest,
    ::testing::Values(
        EvaluationCase{"an inexact division is false", "A:B=C", Reading::Full, "723", false},
        EvaluationCase{"% is integer division", "A%B=C", Reading::Full, "723", true},
        EvaluationCase{"a zero divisor makes : false", "A:B=C", Reading::Full, "700", false},
        EvaluationCase{"a zero divisor makes % false", "A%B=C", Reading::Full, "700", false},
        EvaluationCase{"an exponent above 20 is false", "A^BC=D", Reading::Full, "1210", false},
        EvaluationCase{"an exponent of 20 is fine", "A^BC=D", Reading::Full, "1201", true},
        EvaluationCase{"a negative exponent is false", "A^(B-C)=1", Reading::Full, "112", false},
        EvaluationCase{"zero to the zero is one", "A^0=1", Reading::Full, "0", true},
        EvaluationCase{"A+B*C is A+(B*C)", "A+B*C=7", Reading::Full, "123", true},
        EvaluationCase{"A:B*C is (A:B)*C", "A:B*C=16", Reading::Full, "824", true},
        EvaluationCase{"A-B-C is (A-B)-C", "A-B-C=2", Reading::Full, "952", true},
        EvaluationCase{"A-B-C is not A-(B-C)", "A-B-C=6", Reading::Full, "952", false},
        EvaluationCase{"A^B^C is (A^B)^C", "A^B^C=64", Reading::Full, "232", true},
        EvaluationCase{"words mix letters and digits", "1AB=123", Reading::Full, "23", true},
        EvaluationCase{"a leading zero constant", "007=A", Reading::Full, "7", true},
        EvaluationCase{"greater or equal", "A>=B", Reading::Full, "33", true},
        EvaluationCase{"less or equal", "A<=B", Reading::Full, "43", false},
        EvaluationCase{"different", "A<>B", Reading::Full, "43", true},
        EvaluationCase{"units: 2 - 5 leaves 7", "AB-CD=E", Reading::Units, "12357", true},
        EvaluationCase{"units: only the units digits count", "AB+CD=EF", Reading::Units, "123406", true},
        EvaluationCase{"units: a wrong units digit", "AB+CD=EF", Reading::Units, "123407", false},
        EvaluationCase{"units: a power keeps its units digit", "A^B=C", Reading::Units, "377", true},
        EvaluationCase{"units: the exponent is exact", "A^(B^C)=43046721", Reading::Units, "324", true},
        EvaluationCase{"units: an exponent with - and +", "A^(B-C+D)=32", Reading::Units, "2137", true},
        EvaluationCase{"the smallest value divided by -1", "(2^20)^3*8:(A-B)=(2^20)^3*8", Reading::Full, "01", true},
        EvaluationCase{"the smallest value % -1", "(2^20)^3*8%(A-B)=(2^20)^3*8", Reading::Full, "01", true}));

TEST(EvaluateCode, AnEmptyCodeIsFalse) {
  EXPECT_FALSE(EvaluateCode(RelationCode{}, false, InitialDigitValues()));
  EXPECT_FALSE(EvaluateCode(RelationCode{}, true, InitialDigitValues()));
}

TEST(IntPower, WrapsAroundLikeEveryProduct) {
  struct Case {
    int e;
    std::int64_t x, power;
  };
  for (const Case& c :
       {Case{0, 0, 1}, Case{1, -7, -7}, Case{2, 9, 81}, Case{5, 3, 243}, Case{20, 2, 1048576}, Case{20, -1, 1},
        Case{19, -2, -524288}, Case{20, 8, 1152921504606846976}, Case{20, 9, -6289078614652622815}}) {
    EXPECT_EQ(IntPower(c.e, c.x), c.power) << c.x << "^" << c.e;
  }
}

}  // namespace
}  // namespace zifrel::libero
