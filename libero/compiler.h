#pragma once

#include <string_view>

#include "libero/relation_code.h"
#include "libero/variable_table.h"

namespace zifrel::libero {

// The longest text compiled: a relation of kMaxFormulaChars, or the
// equality a search reads its last digits from, which adds parentheses.
inline constexpr int kMaxCompiledChars = 3 * kMaxFormulaChars;

// Compiles a relation that passed CheckRelation into `dest`, numbering its
// letters in `table` in order of first appearance (after a reset unless
// `keepVariables`) and marking the leading ones.
void CompileRelation(std::u32string_view text, bool keepVariables, Reading mode, RelationCode& dest,
                     VariableTable& table);

// The reading of the last `lastChars` characters of every word outside an
// exponent (0: the full reading, 1: the units reading). Evaluated modulo
// 10^lastChars it is a necessary condition of the equality. Only an
// equality without ":" and "%" has such a reading; for any other relation
// the code is empty.
void CompileReading(std::u32string_view text, int lastChars, bool keepVariables, RelationCode& dest,
                    VariableTable& table);

// Compiles into `scratch` with a fresh numbering and returns how many
// distinct variables the code uses. An empty units code uses none.
int CountVariables(std::u32string_view text, Reading mode, RelationCode& scratch, VariableTable& table);

}  // namespace zifrel::libero
