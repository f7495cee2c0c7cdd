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

TEST(OpComboTable, AdmitsSixteenHundredCombinationsAndNotPlusOverTimes) {
  int admitted = 0;
  for (int code = 0; code < 4096; ++code) admitted += IsAdmittedCode(code);
  EXPECT_EQ(admitted, 1600);
  EXPECT_FALSE(IsAdmitted(ParseOperators("+++xxx").value()));
}

TEST(OpComboTable, ATransposedSchemaHasTheSameVerdict) {
  for (int code = 0; code < 4096; ++code) {
    const OpCodes ops = OpCodesOfCode(code);
    const OpCodes transposed = {ops[3], ops[4], ops[5], ops[0], ops[1], ops[2]};
    EXPECT_EQ(IsAdmitted(ops), IsAdmitted(transposed)) << "code " << code;
  }
}

}  // namespace
}  // namespace zifrel
