#pragma once

#include <array>
#include <cstdint>

#include "deduce/deduction_puzzle.h"

namespace zifrel {

// The techniques, easiest first: the deduction always takes a step of the
// easiest technique that has one.
enum class Technique : std::uint8_t {
  kLeadingDigits,  // a number of two or more digits does not start with 0
  kLengths,        // the lengths of the numbers bound them
  kOnlyDigit,      // a symbol has one digit left
  kOnlyPlace,      // with ten symbols, a digit left to one symbol only
  kLastDigits,     // the last one, two, ... digits of an equation
  kDigitGroup,     // two, three or four symbols share as many digits
  kRanges,         // the bounds of two numbers bound the third
  kCombinations,   // every way an equation can hold, tried
  kTwoEquations,   // a row and a column agree on the cell they share
  kTrial,          // a digit assumed leads to a contradiction
};
inline constexpr int kTechniqueCount = 10;

// Why a step found that the state cannot hold (only inside a trial).
enum class Contradiction : std::uint8_t {
  kNone,
  kEquation,      // `equation` cannot hold
  kNoDigit,       // `symbol` has no digit left
  kTooFewDigits,  // the symbols of `group` have fewer digits than symbols
  kSharedCell,    // the pair's equations give the shared cell no common value
};

inline constexpr int kShownValues = 4;     // values of a shared cell kept for the text
inline constexpr int kShownSolutions = 3;  // ways an equation holds, kept for the text
inline constexpr int kChainLength = 8;     // digits a trial settles, kept for the text

// Ranges: the bound the equation puts on one of its numbers. The operands
// are the two values the bound is computed from, in the order of the
// formula that gives the number from the other two.
struct RangeDetail {
  std::int8_t cell = -1;
  bool upper = false;  // the upper bound rules something out
  bool lower = false;
  std::int32_t high = 0, low = 0;
  std::array<std::int32_t, 2> highOperands{}, lowOperands{};
};

// Combinations and two equations: how many ways the equation holds, the
// first few, and for two equations the shared cell's values under each
// equation and under both.
struct SearchDetail {
  int solutionCount = 0;
  std::array<SymbolDigits, kShownSolutions> solutions{};
  std::array<int, 3> valueCount{};  // row, column, common
  std::array<std::array<std::int32_t, kShownValues>, 3> values{};
};

// A trial: the digit assumed, how deep trials nest inside it, the digits it
// settles on the way and the contradiction it meets.
struct TrialDetail {
  std::int8_t symbol = -1;
  std::int8_t digit = -1;
  std::uint8_t depth = 0;
  int innerTrials = 0;
  int chainLength = 0;
  std::array<std::int8_t, kChainLength> chainSymbols{};
  std::array<std::int8_t, kChainLength> chainDigits{};
  Contradiction why = Contradiction::kNone;
  std::int8_t whyEquation = -1;
  std::int8_t whySymbol = -1;
  std::int8_t whyPair = -1;
  SymbolMask whyGroup = 0;
};

// One step: a technique applied to one equation (or to the digits), and
// the digits it rules out. A symbol left with one digit by the step is
// settled: its digit is then ruled out for every other symbol, as the step
// that says "C = 7" implies.
struct Step {
  Technique technique = Technique::kLeadingDigits;
  std::int8_t equation = -1;  // -1: the step concerns the digits only
  std::int8_t pair = -1;      // two equations
  std::uint8_t columns = 0;   // last digits: how many
  std::int8_t symbol = -1;    // only digit, only place
  SymbolMask group = 0;       // digit group: its symbols
  DigitMask groupDigits = 0;  // digit group: its digits
  std::array<DigitMask, kMaxSymbols> ruledOut{};
  Contradiction contradiction = Contradiction::kNone;
  RangeDetail range;
  SearchDetail search;
  TrialDetail trial;
};

}  // namespace zifrel
