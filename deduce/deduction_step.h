#pragma once

#include <array>
#include <cstdint>

#include "deduce/deduction_puzzle.h"

namespace zifrel {

// The techniques, easiest first: the deduction always takes a step of the
// easiest technique that has one. TechniqueLevel says which level each
// belongs to.
enum class Technique : std::uint8_t {
  kLeadingDigits,  // a number of two or more digits does not start with 0
  kLengths,        // counting the digits, one letter at a time fixed
  kLastDigits,     // the last one, two, ... digits of an equation
  kIdentity,       // x × 1 = x, x + 0 = x, x × C0 = x0
  kOnlyPlace,      // with ten letters, a digit left to one letter only
  kRanges,         // the bounds of the digits still possible, one letter fixed
  kDigitGroup,     // two, three or four letters share as many digits
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
  kTooFewDigits,  // the letters of `group` have fewer digits than letters
  kSharedCell,    // the pair's equations give the shared cell no common value
};

inline constexpr int kShownValues = 4;     // values of a shared cell kept for the text
inline constexpr int kShownSolutions = 3;  // ways an equation holds, kept for the text

// Lengths and ranges: a letter of the equation fixed at a digit makes one
// side too large (clause 0: a op b at least `made`, the result at most
// `result`) or too small (clause 1: a op b at most `made`, the result at
// least `result`). `digit` is the digit the text shows; `digits` all that
// the clause rules out.
struct BoundClause {
  std::int8_t digit = -1;
  DigitMask digits = 0;
  std::int32_t first = 0, second = 0, made = 0, result = 0;
};
struct RangeDetail {
  std::int8_t symbol = -1;
  std::array<BoundClause, 2> clauses{};
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

// Identities: x × C = x gives C = 1 (`zeros` letters at 0 end both C… and
// the result), x + C = x gives C = 0.
struct IdentityDetail {
  std::int8_t operand = -1;  // the cell that is x
  std::int8_t factor = -1;   // the cell that is C, C0, C00
  std::uint8_t zeros = 0;
};

// A trial: the digit assumed, how deep trials nest inside it and the level
// of the techniques that follow the assumption.
struct TrialDetail {
  std::int8_t symbol = -1;
  std::int8_t digit = -1;
  std::uint8_t depth = 0;
  std::uint8_t inside = 1;
};

// One step: a technique applied to one equation (or to the digits), and
// the digits it rules out. A letter left with one digit is settled: its
// digit is then ruled out for every other letter, and so on, as the step
// that says "C = 7" implies.
struct Step {
  Technique technique = Technique::kLeadingDigits;
  std::int8_t equation = -1;  // -1: the step concerns the digits only
  std::int8_t pair = -1;      // two equations
  std::uint8_t columns = 0;   // last digits: how many
  std::uint8_t open = 0;      // last digits: the letters in them still open
  std::int8_t symbol = -1;    // only place
  SymbolMask group = 0;       // digit group: its letters
  DigitMask groupDigits = 0;  // digit group: its digits
  std::array<DigitMask, kMaxSymbols> ruledOut{};
  Contradiction contradiction = Contradiction::kNone;
  std::int8_t whySymbol = -1;  // kNoDigit
  RangeDetail range;
  SearchDetail search;
  IdentityDetail identity;
  TrialDetail trial;
};

// The level a step's technique belongs to: 1 facile .. 5 diabolico.
int StepLevel(const Step& step);

}  // namespace zifrel
