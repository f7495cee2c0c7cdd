#include "schema/solver.h"

#include <algorithm>
#include <string>

#include "core/messages.h"

namespace zifrel {
namespace {

constexpr std::array<std::int32_t, 4> kPowersOfTen = {1, 10, 100, 1000};

// The order in which the unit pass visits the equations: row 1, column 1,
// row 2, column 2, row 3, column 3, so that every equation's units digits get
// the lowest symbol numbers and its unit test applies as early as it can.
constexpr std::array<int, kOperatorCount> kUnitPassOrder = {0, 3, 1, 4, 2, 5};

}  // namespace

int SchemaSolver::SolveSchema(SolveMode mode, const CellTexts& cells, const OpCodes& ops,
                              StopFlag& stop, LineSink* report) {
  solutionCount_ = 0;
  for (int e = 0; e < kOperatorCount; ++e) equations_[e] = NormaliseEquation(e, ops[e]);
  for (int k = 0; k < kCellCount; ++k) {
    if (cells.Text(k).empty()) return kSolveIncomplete;
  }
  if (!NumberSymbols(cells)) return kSolveTooManySymbols;

  for (int e = 0; e < kOperatorCount; ++e) {
    const SchemaEquation& eq = equations_[e];
    const auto unit = [this](int cell) { return int{cellSymbols_[cell][cellLength_[cell] - 1]}; };
    unitCheck_[e] = {eq.form, unit(eq.first), unit(eq.second), unit(eq.result)};
    unitThreshold_[e] = std::max({unitCheck_[e].first, unitCheck_[e].second, unitCheck_[e].result});
  }
  PlanChecks();

  stop_ = &stop;
  AssignSymbol(1, 0x3FF);
  stop_ = nullptr;

  if (mode == SolveMode::Report && report != nullptr) WriteReport(*report, ops, stop);
  return kSolveSearched;
}

// Numbers the distinct characters 1, 2, ...: first the last character of
// every cell, equation by equation in the unit-pass order, then every other
// character in cell order, left to right. False when there are more than ten.
bool SchemaSolver::NumberSymbols(const CellTexts& cells) {
  std::array<char32_t, kMaxSymbols> known{};
  int count = 0;
  const auto number = [&](char32_t c) -> int {
    for (int i = 0; i < count; ++i) {
      if (known[i] == c) return i + 1;
    }
    if (count == kMaxSymbols) return 0;  // an eleventh character
    known[count] = c;
    return ++count;
  };

  for (int e : kUnitPassOrder) {
    for (int cell : kEquationCells[e]) {
      if (number(cells.Text(cell).back()) == 0) return false;
    }
  }
  for (int cell = 0; cell < kCellCount; ++cell) {
    const std::u32string_view text = cells.Text(cell);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int symbol = number(text[i]);
      if (symbol == 0) return false;
      cellSymbols_[cell][i] = static_cast<std::int8_t>(symbol);
    }
    cellLength_[cell] = static_cast<std::uint8_t>(text.size());
  }
  symbolCount_ = count;
  return true;
}

// Schedules every equation's checks at the symbol that completes them: the
// whole equation once all its symbols have digits, and before that the
// agreement of its last one, two or three digits. Each is a necessary
// condition for the equation, so the search loses no solution and finds the
// same ones in the same order; it only stops sooner in a dead branch.
void SchemaSolver::PlanChecks() {
  std::array<std::array<std::uint8_t, kMaxSymbols + 2>, kOperatorCount> digitsAt{};  // 0: none
  std::array<int, kOperatorCount> wholeAt{};
  for (int e = 0; e < kOperatorCount; ++e) {
    const SchemaEquation& eq = equations_[e];
    const auto lastSymbols = [this](int cell, int digits) {
      const int length = cellLength_[cell];
      int highest = 0;
      for (int i = std::max(0, length - digits); i < length; ++i) highest = std::max(highest, int{cellSymbols_[cell][i]});
      return highest;
    };
    const auto completedAt = [&](int digits) {
      return std::max({lastSymbols(eq.first, digits), lastSymbols(eq.second, digits), lastSymbols(eq.result, digits)});
    };
    wholeAt[e] = completedAt(kCellCapacity);
    for (int digits = 1; digits <= 3; ++digits) {
      const int level = completedAt(digits);
      if (level < wholeAt[e]) digitsAt[e][level] = static_cast<std::uint8_t>(digits);
    }
  }

  int count = 0;
  for (int k = 1; k <= symbolCount_ + 1; ++k) {
    checkStart_[k] = static_cast<std::uint8_t>(count);
    if (k > symbolCount_) break;
    for (int e = 0; e < kOperatorCount; ++e) {
      if (digitsAt[e][k] != 0) checks_[count++] = {static_cast<std::uint8_t>(e), digitsAt[e][k]};
      if (wholeAt[e] == k) checks_[count++] = {static_cast<std::uint8_t>(e), 0};
    }
  }
}

// Gives symbol k each free digit in ascending order; true means stop: the
// user asked for it, or the tenth solution was recorded.
bool SchemaSolver::AssignSymbol(int k, unsigned freeDigits) {
  if (stop_->Poll()) return true;
  if (k > symbolCount_) return RecordSolution();
  for (int d = 0; d <= 9; ++d) {
    if ((freeDigits & (1u << d)) == 0) continue;
    symbolDigits_[k] = d;
    if (ChecksPass(k) && AssignSymbol(k + 1, freeDigits & ~(1u << d))) return true;
  }
  return false;
}

bool SchemaSolver::ChecksPass(int k) const {
  for (int i = checkStart_[k]; i < checkStart_[k + 1]; ++i) {
    const Check check = checks_[i];
    const SchemaEquation& eq = equations_[check.equation];
    const std::int32_t a = CellValue(eq.first, check.digits);
    const std::int32_t b = CellValue(eq.second, check.digits);
    const std::int32_t r = CellValue(eq.result, check.digits);
    std::int32_t x = eq.form == EquationForm::Product ? a * b : a + b;
    if (check.digits != 0) x %= kPowersOfTen[check.digits];
    if (x != r) return false;
  }
  return true;
}

// The value of the cell's last `digits` digits, or of the whole cell for 0.
// A leading zero is allowed: a cell may stand for 07.
std::int32_t SchemaSolver::CellValue(int cell, int digits) const {
  const int length = cellLength_[cell];
  const int start = digits == 0 ? 0 : std::max(0, length - digits);
  std::int32_t value = 0;
  for (int i = start; i < length; ++i) value = value * 10 + symbolDigits_[cellSymbols_[cell][i]];
  return value;
}

bool SchemaSolver::RecordSolution() {
  NumberGrid& grid = solutionStore_[solutionCount_];
  for (int cell = 0; cell < kCellCount; ++cell) grid[cell] = CellValue(cell, 0);
  return ++solutionCount_ == kMaxStoredSolutions;
}

void SchemaSolver::WriteReport(LineSink& out, const OpCodes& ops, const StopFlag& stop) const {
  if (stop.IsSet()) {
    out.AppendLine(msg::kSearchStopped);  // what was found before the stop is not listed
    return;
  }
  if (solutionCount_ == 0) {
    out.AppendLine(msg::kNoSolution);
    return;
  }
  if (solutionCount_ == 1) {
    out.AppendLine(msg::kOneSolution);
  } else if (solutionCount_ < kMaxStoredSolutions) {
    out.AppendLine(std::to_string(solutionCount_) + std::string(msg::kSomeSolutionsSuffix));
  } else {
    out.AppendLine(msg::kTenOrMoreSolutions);
  }
  for (int i = 0; i < solutionCount_; ++i) AppendSolutionLines(out, solutionStore_[i], ops);
}

}  // namespace zifrel
