#include "schema/operators.h"

#include <gtest/gtest.h>

#include "schema/op_combo_table.h"

namespace zifrel {
namespace {

TEST(Operators, ParseSixCharactersOfTheAcceptedSets) {
  EXPECT_EQ(ParseOperators("*xX\u00D7+-"), (OpCodes{0, 0, 0, 0, 1, 3}));
  EXPECT_EQ(ParseOperators("/:\u00F7+++"), (OpCodes{2, 2, 2, 1, 1, 1}));
  for (const char* bad : {"", "+++++", "+++++++", "++++ +", "++++=+", "+++++\xC3"}) {
    EXPECT_FALSE(ParseOperators(bad).has_value()) << bad;
  }
}

TEST(Operators, ButtonsCycleBackInFourClicks) {
  EXPECT_EQ(NextOperator(kPlus), kDivide);
  EXPECT_EQ(NextOperator(kDivide), kMinus);
  EXPECT_EQ(NextOperator(kMinus), kMultiply);
  EXPECT_EQ(NextOperator(kMultiply), kPlus);
}

TEST(OpComboTable, AdmitsSixteenHundredCombinations) {
  int admitted = 0;
  for (int code = 0; code < 4096; ++code) admitted += IsAdmittedCode(code);
  EXPECT_EQ(admitted, 1600);
}

TEST(OpComboTable, ATransposedSchemaHasTheSameVerdict) {
  for (int code = 0; code < 4096; ++code) {
    const OpCodes ops = OpCodesOfCode(code);
    const OpCodes transposed = {ops[3], ops[4], ops[5], ops[0], ops[1], ops[2]};
    EXPECT_EQ(IsAdmitted(ops), IsAdmitted(transposed)) << "code " << code;
  }
}

TEST(OpComboTable, KnownVerdicts) {
  for (OpCode op : {kMultiply, kPlus, kDivide, kMinus}) {
    EXPECT_TRUE(IsAdmitted({op, op, op, op, op, op})) << "uniform " << int{op};
  }
  EXPECT_EQ(OpComboCode(kAllPlus), 1365);
  EXPECT_TRUE(IsAdmittedCode(1365));
  EXPECT_FALSE(IsAdmittedCode(1344));  // + + + over × × ×
  EXPECT_TRUE(IsAdmittedCode(0));
  EXPECT_TRUE(IsAdmittedCode(4095));
  EXPECT_TRUE(IsAdmitted({kMultiply, kMultiply, kPlus, kMultiply, kMultiply, kDivide}));
}

TEST(OpComboTable, EightOfEachFamilyAreAdmitted) {
  int plusMinus = 0, timesDivide = 0;
  for (int code = 0; code < 4096; ++code) {
    const OpCodes ops = OpCodesOfCode(code);
    bool onlyPlusMinus = true, onlyTimesDivide = true;
    for (OpCode op : ops) {
      onlyPlusMinus &= (op & 1) == 1;
      onlyTimesDivide &= (op & 1) == 0;
    }
    plusMinus += onlyPlusMinus && IsAdmittedCode(code);
    timesDivide += onlyTimesDivide && IsAdmittedCode(code);
  }
  EXPECT_EQ(plusMinus, 8);
  EXPECT_EQ(timesDivide, 8);
}

}  // namespace
}  // namespace zifrel
