#pragma once

#include "schema/operators.h"

namespace zifrel {

// The operators o1..o6 as a base-4 number, o1 most significant: 0..4095.
constexpr int OpComboCode(const OpCodes& ops) {
  int code = 0;
  for (OpCode op : ops) code = code * 4 + (op & 3);
  return code;
}

// The operators of a code 0..4095.
constexpr OpCodes OpCodesOfCode(int code) {
  OpCodes ops{};
  for (int i = kOperatorCount - 1; i >= 0; --i, code /= 4) ops[i] = static_cast<OpCode>(code % 4);
  return ops;
}

// Whether a Schema can be built at all with these operators. 1600 of the 4096
// combinations are admitted; the table is constant data, see op_combo_table.cpp.
bool IsAdmitted(const OpCodes& ops);
bool IsAdmittedCode(int code);

}  // namespace zifrel
