#pragma once

#include <array>
#include <cstdint>

#include "libero/relation_check.h"

namespace zifrel::libero {

// A compiled relation: a flat postfix code of 32-bit words.
//   0          start a number: push 0
//   1..10      append the digit of variable w: top = top * 10 + digit
//   16..25     append the constant digit w - 16
//   32..43     an operator, 32 + its index in kOperatorChars
//   48..59     the same operator computed exactly, whatever the reading: it
//              stands inside an exponent of a last-digits reading
//   other      skipped
// A 200-character relation needs at most 300 words.
inline constexpr int kCodeCapacity = 500;
// Values an evaluation of a code holds at once, at most.
inline constexpr int kStackCapacity = 200;

inline constexpr std::int32_t kStartWord = 0;
inline constexpr std::int32_t kFirstConstantWord = 16;  // the digit 0
inline constexpr std::int32_t kFirstOperatorWord = 32;
inline constexpr std::int32_t kFirstExactOperatorWord = 48;

// Libero's operators, by their index in kOperatorChars: an operator's code
// word is 32 + its index. The arithmetic ones come first, then the
// comparisons.
enum class Operator : std::int8_t {
  kPlus,
  kMinus,
  kTimes,
  kDivide,  // ":" exact division
  kPower,
  kQuotient,  // "%" integer division
  kEqual,
  kLess,
  kGreater,
  kGreaterEqual,
  kLessEqual,
  kDifferent,
};
inline constexpr int kLastOperatorIndex = static_cast<int>(Operator::kDifferent);
inline constexpr int kOperatorCount = kLastOperatorIndex + 1;

inline bool IsDigitWord(std::int32_t word) { return word > kStartWord && word < kFirstOperatorWord; }
inline bool IsVariableWord(std::int32_t word) { return word >= 1 && word <= kMaxVariables; }
inline bool IsComparison(Operator op) { return op >= Operator::kEqual; }

// The one decoding of operator words: the operator's index, or -1 for a
// word that is none. `exact` tells a word computed exactly inside an
// exponent of a reading. Only the code walk calls it.
inline int OperatorIndexOf(std::int32_t word, bool& exact) {
  exact = word >= kFirstExactOperatorWord;
  if (word >= kFirstOperatorWord && word <= kFirstOperatorWord + kLastOperatorIndex) return word - kFirstOperatorWord;
  if (word >= kFirstExactOperatorWord && word <= kFirstExactOperatorWord + kLastOperatorIndex) {
    return word - kFirstExactOperatorWord;
  }
  return -1;
}

struct RelationCode {
  std::array<std::int32_t, kCodeCapacity> words{};
  int length = 0;

  void Append(std::int32_t word) {
    if (length < kCodeCapacity) words[length++] = word;
  }
};

// How a relation is read. Full: every word is the number it spells. Units:
// every word outside an exponent is cut to its last character and the
// arithmetic keeps only the units digit; such a code needs only the last
// letters of the words, so a search can test it early.
enum class Reading { kFull, kUnits };

}  // namespace zifrel::libero
