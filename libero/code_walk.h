#pragma once

#include <array>
#include <cstdint>

#include "libero/relation_code.h"

namespace zifrel::libero {

// How a walk over a code ended: at its comparison; because the meaning
// asked to end it (it keeps its own reason); or on a code that is not one
// relation (too deep, an operator without its operands, no comparison).
enum class WalkEnd : std::uint8_t { kCompared, kHalted, kMalformed };

// The one walk over a relation's postfix code: the one decoding of its
// words and the one bound on its stack. What the walk computes comes from
// `meaning`, which holds values of type Meaning::Value and supplies:
//   Value Start()                                   a word begins
//   bool Append(Value& word, std::int32_t w)        a digit word (variable
//                                                   1..10 or constant 16..25)
//   bool Operate(Operator, bool exact, Value& a, const Value& b)
//                                                   a = a op b; `exact` for
//                                                   an exponent's operator in
//                                                   a last-digits reading
//   void Compare(Operator, const Value& a, const Value& b)
// A handler that returns false ends the walk. `stack` holds
// kStackCapacity values, the caller's, so that a wide Value need not live
// on the call stack.
template <class Meaning>
[[gnu::always_inline]] inline WalkEnd WalkCode(const std::int32_t* words, int length, Meaning& meaning,
                                               typename Meaning::Value* stack) {
  int top = -1;
  for (int i = 0; i < length; ++i) {
    const std::int32_t w = words[i];
    if (w == kStartWord) {
      if (top == kStackCapacity - 1) return WalkEnd::kMalformed;
      stack[++top] = meaning.Start();
      continue;
    }
    if (IsDigitWord(w)) {
      if (top < 0) return WalkEnd::kMalformed;
      if (!meaning.Append(stack[top], w)) return WalkEnd::kHalted;
      continue;
    }
    bool exact = false;
    const int index = OperatorIndexOf(w, exact);
    if (index < 0) continue;
    if (top < 1) return WalkEnd::kMalformed;
    const Operator op = static_cast<Operator>(index);
    --top;
    if (IsComparison(op)) {
      meaning.Compare(op, stack[top], stack[top + 1]);
      return WalkEnd::kCompared;
    }
    if (!meaning.Operate(op, exact, stack[top], stack[top + 1])) return WalkEnd::kHalted;
  }
  return WalkEnd::kMalformed;
}

// The same walk on a stack of its own, for values small enough to hold
// kStackCapacity of them on the call stack.
template <class Meaning>
[[gnu::always_inline]] inline WalkEnd WalkCode(const RelationCode& code, Meaning& meaning) {
  std::array<typename Meaning::Value, kStackCapacity> stack;
  return WalkCode(code.words.data(), code.length, meaning, stack.data());
}

}  // namespace zifrel::libero
