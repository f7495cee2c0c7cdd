#include "schema/operators.h"

#include "core/utf8.h"

namespace zifrel {

std::optional<OpCode> ParseOperator(char32_t c) {
  for (const OperatorInfo& op : kOperatorTable) {
    if (op.accepted.find(c) != std::u32string_view::npos) return op.code;
  }
  return std::nullopt;
}

std::optional<OpCodes> ParseOperators(std::string_view utf8) {
  OpCodes ops{};
  int count = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<OpCode> op = ParseOperator(NextCodePoint(utf8, pos));
    if (!op || count == kOperatorCount) return std::nullopt;
    ops[count++] = *op;
  }
  if (count != kOperatorCount) return std::nullopt;
  return ops;
}

}  // namespace zifrel
