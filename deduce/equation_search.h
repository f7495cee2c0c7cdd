#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "deduce/deduction_puzzle.h"

namespace zifrel {

// The values 0..9999 a cell may take.
using CellValueSet = std::bitset<10000>;

// Tries every way one equation can hold with the digits its symbols may
// still be: distinct symbols get distinct digits. It works on the equation's
// last `columns` digits, or on the whole equation (`exact`), column by column
// from the units, and gives up after `budget` digits tried. The techniques
// bound it by the letters still open instead, and give it no real budget.
// Allocates nothing.
class EquationSearch {
 public:
  struct Request {
    int equation = 0;
    int columns = 0;  // last digits; with `exact`, all of them
    bool exact = false;
    long budget = 0;
    int valueCell = -1;                           // collect this cell's values
    const CellValueSet* allowedValues = nullptr;  // only ways with valueCell among these
  };

  // False when the budget ran out before every way was tried.
  bool Run(const DeductionPuzzle& puzzle, const std::array<DigitMask, kMaxSymbols>& masks, const Request& request);

  int SolutionCount() const { return solutionCount_; }
  DigitMask Supported(int symbol) const { return supported_[symbol]; }
  const SymbolDigits& Solution(int i) const { return solutions_[i]; }
  int KeptSolutions() const { return solutionCount_ < kKept ? solutionCount_ : kKept; }
  const CellValueSet& Values() const { return values_; }

 private:
  static constexpr int kKept = 3;
  bool Assign(int index);
  bool Holds(int columns) const;
  void Record();

  const DeductionPuzzle* puzzle_ = nullptr;
  const std::array<DigitMask, kMaxSymbols>* masks_ = nullptr;
  const EquationScope* scope_ = nullptr;
  Request request_;
  long nodesLeft_ = 0;
  unsigned usedDigits_ = 0;
  SymbolDigits digits_{};
  int solutionCount_ = 0;
  std::array<DigitMask, kMaxSymbols> supported_{};
  std::array<SymbolDigits, kKept> solutions_{};
  CellValueSet values_;
};

}  // namespace zifrel
