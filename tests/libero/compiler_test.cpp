#include "libero/compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/utf8.h"
#include "libero/evaluator.h"
#include "libero/relation_check.h"

namespace zifrel::libero {
namespace {

using enum Reading;

std::u32string Checked(const std::string& typed) {
  std::u32string text = DecodeUtf8(typed);
  EXPECT_EQ(CheckRelation(text), kCheckOk) << typed;
  return text;
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
  const std::u32string text = Checked(c.typed);
  RelationCode code;
  VariableTable table;
  CompileRelation(text, false, Full, code, table);  // numbers every letter
  if (c.mode == Units) CompileRelation(text, true, Units, code, table);
  DigitValues digits = InitialDigitValues();
  for (int i = 0; c.digits[i] != 0; ++i) digits[table.NumberOf(static_cast<char>('A' + i))] = c.digits[i] - '0';
  EXPECT_EQ(EvaluateCode(code, c.mode == Units, digits), c.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvaluationTest,
    ::testing::Values(
        EvaluationCase{"an inexact division is false", "A:B=C", Full, "723", false},
        EvaluationCase{"% is integer division", "A%B=C", Full, "723", true},
        EvaluationCase{"a zero divisor makes : false", "A:B=C", Full, "700", false},
        EvaluationCase{"a zero divisor makes % false", "A%B=C", Full, "700", false},
        EvaluationCase{"an exponent above 20 is false", "A^BC=D", Full, "1211", false},
        EvaluationCase{"an exponent of 20 is fine", "A^BC=D", Full, "1201", true},
        EvaluationCase{"a negative exponent is false", "A^(B-C)=1", Full, "112", false},
        EvaluationCase{"zero to the zero is one", "A^0=1", Full, "0", true},
        EvaluationCase{"A+B*C is A+(B*C)", "A+B*C=7", Full, "123", true},
        EvaluationCase{"A:B*C is (A:B)*C", "A:B*C=16", Full, "824", true},
        EvaluationCase{"A-B-C is (A-B)-C", "A-B-C=2", Full, "952", true},
        EvaluationCase{"A^B^C is (A^B)^C", "A^B^C=64", Full, "232", true},
        EvaluationCase{"words mix letters and digits, leading zeros", "1AB=007+116", Full, "23", true},
        EvaluationCase{"greater or equal", "A>=B", Full, "33", true},
        EvaluationCase{"less or equal", "A<=B", Full, "33", true},
        EvaluationCase{"different", "A<>B", Full, "43", true},
        EvaluationCase{"units: 2 - 5 leaves 7", "AB-CD=E", Units, "12357", true},
        EvaluationCase{"units: only the units digits count", "AB+CD=EF", Units, "123406", true},
        EvaluationCase{"units: a wrong units digit", "AB+CD=EF", Units, "123407", false},
        EvaluationCase{"units: a power keeps its units digit", "A^B=C", Units, "377", true},
        EvaluationCase{"units: the exponent is exact", "A^(B^C)=43046721", Units, "324", true},
        EvaluationCase{"units: an exponent with - and +", "A^(B-C+D)=32", Units, "2137", true},
        EvaluationCase{": and % by -1 negate", "A:(B-C)+A%(B-C)+A+A=0", Full, "512", true},
        // Values are exact: nothing wraps around in 64 bits or anywhere else.
        EvaluationCase{"2^63 by -1 is -2^63", "(2^20)^3*8:(A-B)+(2^20)^3*8=0", Full, "01", true},
        EvaluationCase{"a square is never negative", "ABCDEFGHIJ*ABCDEFGHIJ<0", Full, "9876543210", false},
        EvaluationCase{"a 20-digit word", "ABCDEFGHIJABCDEFGHIJ>ABCDEFGHIJ*ABCDEFGHIJ", Full, "9876543210", true},
        EvaluationCase{"9^8000 passes the cap of 2^4096", "((A^20)^20)^20>B", Full, "90", false},
        EvaluationCase{"1^8000 does not", "((A^20)^20)^20>B", Full, "10", true},
        EvaluationCase{"a wide value may come back", "(2^20)^5*A-(2^20)^5*A+B=B", Full, "31", true},
        EvaluationCase{"units of exact values", "(A-B)^20=1", Units, "45", true}));

}  // namespace
}  // namespace zifrel::libero
