#include "deduce/equation_search.h"

#include <bit>

namespace zifrel {

bool EquationSearch::Run(const DeductionPuzzle& puzzle, const std::array<DigitMask, kMaxSymbols>& masks,
                         const Request& request) {
  puzzle_ = &puzzle;
  masks_ = &masks;
  request_ = request;
  scope_ = &puzzle.scopes[request.equation][request.columns];
  nodesLeft_ = request.budget;
  usedDigits_ = 0;
  digits_.fill(-1);
  solutionCount_ = 0;
  supported_.fill(0);
  if (request.valueCell >= 0) values_.reset();
  return Assign(0);
}

bool EquationSearch::Assign(int index) {
  if (index == scope_->count) {
    Record();
    return true;
  }
  const int symbol = scope_->symbols[index];
  const bool last = index + 1 == scope_->count;
  for (unsigned rest = (*masks_)[symbol] & ~usedDigits_; rest != 0; rest &= rest - 1) {
    if (--nodesLeft_ < 0) return false;
    const int d = std::countr_zero(rest);
    digits_[symbol] = static_cast<std::int8_t>(d);
    if (request_.exact && last ? !Holds(0) : scope_->check[index] != 0 && !Holds(scope_->check[index])) continue;
    usedDigits_ |= 1u << d;
    const bool finished = Assign(index + 1);
    usedDigits_ &= ~(1u << d);
    if (!finished) return false;
  }
  digits_[symbol] = -1;
  return true;
}

// The equation on its last `columns` digits, or whole for 0.
bool EquationSearch::Holds(int columns) const {
  const SchemaEquation& eq = puzzle_->equations[request_.equation];
  const std::int32_t a = CellValue(puzzle_->cells[eq.first], digits_, columns);
  const std::int32_t b = CellValue(puzzle_->cells[eq.second], digits_, columns);
  const std::int32_t c = CellValue(puzzle_->cells[eq.result], digits_, columns);
  const std::int32_t left = eq.form == EquationForm::Sum ? a + b : a * b;
  return columns == 0 ? left == c : left % kPowersOfTen[columns] == c % kPowersOfTen[columns];
}

void EquationSearch::Record() {
  if (request_.valueCell >= 0) {
    const std::int32_t value = CellValue(puzzle_->cells[request_.valueCell], digits_);
    if (request_.allowedValues != nullptr && !request_.allowedValues->test(value)) return;
    values_.set(value);
  }
  if (solutionCount_ < kKept) solutions_[solutionCount_] = digits_;
  ++solutionCount_;
  for (int i = 0; i < scope_->count; ++i) {
    const int s = scope_->symbols[i];
    supported_[s] |= static_cast<DigitMask>(1u << digits_[s]);
  }
}

}  // namespace zifrel
