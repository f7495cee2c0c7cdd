#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "deduce/deduction_puzzle.h"
#include "deduce/deduction_step.h"

namespace zifrel {

// The techniques that look at equations remember which ones they have seen
// since their symbols last lost a digit, so a step does not repeat work the
// step before it already did.
enum Family { kLengthsFamily, kLastDigitsFamily, kRangesFamily, kCombinationsFamily, kPairFamily, kFamilyCount };

// What the deduction knows: the digits each symbol may still be. A settled
// symbol has one digit, and no other symbol has it.
struct CandidateState {
  std::array<DigitMask, kMaxSymbols> masks{};
  SymbolMask settled = 0;
  // Bit e: equation e to look at; for the last digits bit 4e + k - 1, its
  // last k digits; for two equations bit p, pair p.
  std::array<std::uint32_t, kFamilyCount> unseen{};
};

inline int DigitCount(DigitMask mask) { return std::popcount(static_cast<unsigned>(mask)); }
inline int LowestDigit(DigitMask mask) { return std::countr_zero(static_cast<unsigned>(mask)); }
inline int HighestDigit(DigitMask mask) { return 31 - std::countl_zero(static_cast<unsigned>(mask)); }

// Every symbol may be any digit; every equation is still to be looked at.
CandidateState StartState(const DeductionPuzzle& puzzle);

// Rules out digits of one symbol and marks its equations to be seen again.
void RuleOut(const DeductionPuzzle& puzzle, CandidateState& state, int symbol, DigitMask digits);

// Applies a step: rules out its digits, then settles every letter left with
// one digit (Settle). False when a letter is left with none.
bool ApplyStep(const DeductionPuzzle& puzzle, CandidateState& state, const Step& step);

// Settles each letter with one digit left, taking that digit from the
// others, until none is left to settle. False when a letter has no digit.
bool Settle(const DeductionPuzzle& puzzle, CandidateState& state);

inline SymbolMask AllSymbols(const DeductionPuzzle& puzzle) {
  return static_cast<SymbolMask>((1u << puzzle.symbolCount) - 1);
}

inline bool Solved(const DeductionPuzzle& puzzle, const CandidateState& state) {
  return state.settled == AllSymbols(puzzle);
}

}  // namespace zifrel
