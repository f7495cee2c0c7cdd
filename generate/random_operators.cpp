#include "generate/random_operators.h"

#include "schema/op_combo_table.h"

namespace zifrel {

OpCodes DrawRandomOperators(SubtractiveRng& rng) {
  OpCodes ops;
  do {
    for (OpCode& op : ops) op = static_cast<OpCode>(rng.Below(4));
  } while (!IsAdmitted(ops));
  return ops;
}

}  // namespace zifrel
