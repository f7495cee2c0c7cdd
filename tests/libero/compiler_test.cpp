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
  CompileRelation(text, false, kFull, code, table);  // numbers every letter
  if (c.mode == kUnits) CompileRelation(text, true, kUnits, code, table);
  DigitValues digits = InitialDigitValues();
  for (int i = 0; c.digits[i] != 0; ++i) digits[table.NumberOf(static_cast<char>('A' + i))] = c.digits[i] - '0';
  EXPECT_EQ(EvaluateCode(code, c.mode == kUnits, digits), c.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvaluationTest,
    ::testing::Values(
        EvaluationCase{"an inexact division is false", "A:B=C", kFull, "723", false},
        EvaluationCase{"% is integer division", "A%B=C", kFull, "723", true},
        EvaluationCase{"a zero divisor makes : false", "A:B=C", kFull, "700", false},
        EvaluationCase{"a zero divisor makes % false", "A%B=C", kFull, "700", false},
        EvaluationCase{"an exponent above 20 is false", "A^BC=D", kFull, "1211", false},
        EvaluationCase{"an exponent of 20 is fine", "A^BC=D", kFull, "1201", true},
        EvaluationCase{"a negative exponent is false", "A^(B-C)=1", kFull, "112", false},
        EvaluationCase{"zero to the zero is one", "A^0=1", kFull, "0", true},
        EvaluationCase{"A+B*C is A+(B*C)", "A+B*C=7", kFull, "123", true},
        EvaluationCase{"A:B*C is (A:B)*C", "A:B*C=16", kFull, "824", true},
        EvaluationCase{"A-B-C is (A-B)-C", "A-B-C=2", kFull, "952", true},
        EvaluationCase{"A^B^C is (A^B)^C", "A^B^C=64", kFull, "232", true},
        EvaluationCase{"words mix letters and digits, leading zeros", "1AB=007+116", kFull, "23", true},
        EvaluationCase{"greater or equal", "A>=B", kFull, "33", true},
        EvaluationCase{"less or equal", "A<=B", kFull, "33", true},
        EvaluationCase{"different", "A<>B", kFull, "43", true},
        EvaluationCase{"units: 2 - 5 leaves 7", "AB-CD=E", kUnits, "12357", true},
        EvaluationCase{"units: only the units digits count", "AB+CD=EF", kUnits, "123406", true},
        EvaluationCase{"units: a wrong units digit", "AB+CD=EF", kUnits, "123407", false},
        EvaluationCase{"units: a power keeps its units digit", "A^B=C", kUnits, "377", true},
        EvaluationCase{"units: the exponent is exact", "A^(B^C)=43046721", kUnits, "324", true},
        EvaluationCase{"units: an exponent with - and +", "A^(B-C+D)=32", kUnits, "2137", true},
        EvaluationCase{": and % by -1 negate", "A:(B-C)+A%(B-C)+A+A=0", kFull, "512", true},
        // Values are exact: nothing wraps around in 64 bits or anywhere else.
        EvaluationCase{"2^63 by -1 is -2^63", "(2^20)^3*8:(A-B)+(2^20)^3*8=0", kFull, "01", true},
        EvaluationCase{"a square is never negative", "ABCDEFGHIJ*ABCDEFGHIJ<0", kFull, "9876543210", false},
        EvaluationCase{"a 20-digit word", "ABCDEFGHIJABCDEFGHIJ>ABCDEFGHIJ*ABCDEFGHIJ", kFull, "9876543210", true},
        EvaluationCase{"9^8000 passes the cap of 2^4096", "((A^20)^20)^20>B", kFull, "90", false},
        EvaluationCase{"1^8000 does not", "((A^20)^20)^20>B", kFull, "10", true},
        EvaluationCase{"a wide value may come back", "(2^20)^5*A-(2^20)^5*A+B=B", kFull, "31", true},
        EvaluationCase{"units of exact values", "(A-B)^20=1", kUnits, "45", true}));

}  // namespace
}  // namespace zifrel::libero
