#include "schema/solver.h"

#include <algorithm>
#include <bit>
#include <string>

#include "core/digit_mask.h"
#include "core/messages.h"

namespace zifrel {
namespace {

// Bits set in a mask of symbols 1..10.
constexpr auto kBitCount = [] {
  std::array<std::uint8_t, 1 << (kMaxSymbols + 1)> count{};
  for (std::size_t mask = 1; mask < count.size(); ++mask) count[mask] = count[mask >> 1] + (mask & 1);
  return count;
}();

// kUnitsDigits[w][r]: the digits d with r + w × d ending in 0.
constexpr auto kUnitsDigits = [] {
  std::array<std::array<std::uint16_t, 10>, 10> digits{};
  for (int w = 0; w < 10; ++w) {
    for (int r = 0; r < 10; ++r) {
      for (int d = 0; d <= 9; ++d) {
        if ((r + w * d) % 10 == 0) digits[w][r] |= 1u << d;
      }
    }
  }
  return digits;
}();

// The order in which the unit pass visits the equations: row 1, column 1,
// row 2, column 2, row 3, column 3. The numbering fixes the order in which
// solutions are listed: by the digit of symbol 1, then of symbol 2, ...
constexpr std::array<int, kOperatorCount> kUnitPassOrder = {0, 3, 1, 4, 2, 5};

}  // namespace

SolveOutcome SchemaSolver::SolveSchema(SolveMode mode, const CellTexts& cells, const OpCodes& ops, StopFlag& stop,
                                       LineSink* report) {
  solutionCount_ = 0;
  for (int e = 0; e < kOperatorCount; ++e) equations_[e] = NormaliseEquation(e, ops[e]);
  for (int k = 0; k < kCellCount; ++k) {
    if (cells.Text(k).empty()) return SolveOutcome::kIncomplete;
  }
  if (!NumberSymbols(cells)) return SolveOutcome::kTooManySymbols;
  OrderSymbols();

  symbolDigits_.fill(-1);
  stop_ = &stop;
  const bool stopped = AssignSymbol(0, kAllDigits);
  stop_ = nullptr;

  if (mode == SolveMode::Report && report != nullptr) WriteReport(*report, ops, stopped);
  return stopped ? SolveOutcome::kStopped : SolveOutcome::kSearched;
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

// The four checks of an equation: whole (index 0) and its last one, two and
// three digits. A sum's weight for a symbol is what its digit adds to
// first + second - result; modulo 10^j only the last j places count, so the
// residue weights are the whole weights taken modulo 10^j.
void SchemaSolver::BuildChecks(int equation, Check* checks) const {
  const SchemaEquation& eq = equations_[equation];
  std::array<std::int32_t, kMaxSymbols + 1> weight{};
  std::array<unsigned, 4> symbols{};  // by digits; index 0 collects all places
  const auto add = [&](int cell, int sign) {
    const int length = cellLength_[cell];
    std::int32_t place = 1;
    for (int i = length - 1, fromRight = 1; i >= 0; --i, ++fromRight, place *= 10) {
      const int symbol = cellSymbols_[cell][i];
      weight[symbol] += sign * place;
      for (int digits = std::min(fromRight, 4); digits <= 3; ++digits) symbols[digits] |= 1u << symbol;
      symbols[0] |= 1u << symbol;
    }
  };
  add(eq.first, 1);
  add(eq.second, 1);
  add(eq.result, -1);

  for (int digits = 0; digits <= 3; ++digits) {
    Check& check = checks[digits];
    check = Check{};
    check.equation = static_cast<std::uint8_t>(equation);
    check.digits = static_cast<std::uint8_t>(digits);
    check.linear = eq.form == EquationForm::Sum;
    if (!check.linear) {
      check.symbols = symbols[digits];
      continue;
    }
    const std::int32_t modulus = kPowersOfTen[digits];
    for (unsigned rest = symbols[0]; rest != 0; rest &= rest - 1) {
      const int s = std::countr_zero(rest);
      // Residue weights brought into 0..modulus-1, so sums stay non-negative.
      const std::int32_t w = digits == 0 ? weight[s] : ((weight[s] % modulus) + modulus) % modulus;
      if (w == 0) continue;
      check.termSymbol[check.termCount] = static_cast<std::int8_t>(s);
      check.termWeight[check.termCount++] = static_cast<std::int16_t>(w);
      check.symbols |= 1u << s;
    }
  }
}

// Plans the search. The symbols are given digits in the order that completes
// checks soonest: each time, the symbols still missing from the check that
// misses the fewest (and, of those, knows the most). That order finds the
// solutions in another order than the number order, so they are kept sorted
// (see RecordSolution): the result is the same set, the same first ten, the
// same count.
void SchemaSolver::OrderSymbols() {
  for (int e = 0; e < kOperatorCount; ++e) BuildChecks(e, &candidates_[e * 4]);

  unsigned placed = 0;
  int count = 0;
  std::array<int, kMaxSymbols + 1> position{};
  const unsigned all = ((1u << (symbolCount_ + 1)) - 1) & ~1u;
  while (count < symbolCount_) {
    unsigned next = all & ~placed;  // symbols no check needs come last
    int fewest = kMaxSymbols + 1;
    int mostKnown = -1;
    for (const Check& check : candidates_) {
      const unsigned missing = check.symbols & ~placed;
      const int size = kBitCount[missing];
      const int known = kBitCount[check.symbols & placed];
      if (size > 0 && (size < fewest || (size == fewest && known > mostKnown))) {
        fewest = size, mostKnown = known, next = missing;
      }
    }
    for (unsigned rest = next; rest != 0; rest &= rest - 1) {
      const int s = std::countr_zero(rest);
      position[s] = count;
      order_[count++] = static_cast<std::int8_t>(s);
    }
    placed |= next;
  }

  // Each check runs where its last symbol gets a digit. Of an equation's
  // checks that complete together only the strongest is kept: the whole
  // equation, else the widest residue.
  constexpr std::uint8_t kNone = 0xFF;
  std::array<std::array<std::uint8_t, kMaxSymbols>, kOperatorCount> chosen;
  for (auto& row : chosen) row.fill(kNone);
  const auto strength = [](const Check& c) { return c.digits == 0 ? 4 : c.digits; };
  for (int i = 0; i < kMaxChecks; ++i) {
    const Check& check = candidates_[i];
    if (check.symbols == 0) continue;  // it holds whatever the digits
    int at = 0;
    for (unsigned rest = check.symbols; rest != 0; rest &= rest - 1)
      at = std::max(at, position[std::countr_zero(rest)]);
    std::uint8_t& slot = chosen[check.equation][at];
    if (slot == kNone || strength(check) > strength(candidates_[slot])) slot = static_cast<std::uint8_t>(i);
  }
  int checks = 0;
  for (int p = 0; p < symbolCount_; ++p) {
    checkStart_[p] = static_cast<std::uint8_t>(checks);
    for (bool linear : {true, false}) {
      if (!linear) productStart_[p] = static_cast<std::uint8_t>(checks);
      for (int e = 0; e < kOperatorCount; ++e) {
        const std::uint8_t i = chosen[e][p];
        if (i != kNone && candidates_[i].linear == linear) checks_[checks++] = i;
      }
    }
  }
  checkStart_[symbolCount_] = static_cast<std::uint8_t>(checks);
}

// Gives the symbol at `position` each digit that is free and passes the
// checks, in ascending order; true means the user asked to stop.
bool SchemaSolver::AssignSymbol(int position, unsigned freeDigits) {
  if (stop_->Poll()) return true;
  if (position == symbolCount_) {
    RecordSolution();
    return false;
  }
  if (solutionCount_ == kMaxStoredSolutions && !CanBeatTenth()) return false;

  const int symbol = order_[position];
  unsigned digits = freeDigits;
  for (int i = checkStart_[position]; i < productStart_[position] && digits != 0; ++i) {
    digits &= LinearDigits(candidates_[checks_[i]], symbol);
  }
  for (; digits != 0; digits &= digits - 1) {
    const int d = std::countr_zero(digits);
    symbolDigits_[symbol] = d;
    bool holds = true;
    for (int i = productStart_[position]; i < checkStart_[position + 1] && holds; ++i) {
      holds = ProductHolds(candidates_[checks_[i]]);
    }
    if (holds && AssignSymbol(position + 1, freeDigits & ~(1u << d))) return true;
  }
  symbolDigits_[symbol] = -1;
  return false;
}

// The digits of `symbol` that satisfy a sum check, every other symbol of it
// having its digit already: the sum is rest + weight × digit.
unsigned SchemaSolver::LinearDigits(const Check& check, int symbol) const {
  std::int32_t rest = 0;
  std::int32_t weight = 0;
  for (int t = 0; t < check.termCount; ++t) {
    if (check.termSymbol[t] == symbol) {
      weight = check.termWeight[t];
    } else {
      rest += check.termWeight[t] * symbolDigits_[check.termSymbol[t]];
    }
  }
  if (weight == 0) return 0;  // not reached: a check runs where its own symbol gets a digit
  switch (check.digits) {
    case 0:  // one digit at most can make the sum exactly 0
      if (rest % weight != 0) return 0;
      return -rest / weight >= 0 && -rest / weight <= 9 ? 1u << (-rest / weight) : 0;
    case 1:
      return kUnitsDigits[weight][rest % 10];
    default: {
      unsigned digits = 0;
      const std::int32_t modulus = kPowersOfTen[check.digits];
      for (int d = 0; d <= 9; ++d) {
        if ((rest + weight * d) % modulus == 0) digits |= 1u << d;
      }
      return digits;
    }
  }
}

bool SchemaSolver::ProductHolds(const Check& check) const {
  const SchemaEquation& eq = equations_[check.equation];
  const std::int32_t product = CellValue(eq.first, check.digits) * CellValue(eq.second, check.digits);
  const std::int32_t result = CellValue(eq.result, check.digits);
  return check.digits == 0 ? product == result : product % kPowersOfTen[check.digits] == result;
}

// With ten solutions kept, a branch is worth searching only while it may
// still hold a solution that comes before the tenth in number order.
bool SchemaSolver::CanBeatTenth() const {
  const Digits& tenth = solutionDigits_[kMaxStoredSolutions - 1];
  for (int s = 1; s <= symbolCount_; ++s) {
    const int d = symbolDigits_[s];
    if (d < 0 || d < tenth[s]) return true;  // undecided, or already before it
    if (d > tenth[s]) return false;
  }
  return false;
}

// The value of the cell's last `digits` digits, or of the whole cell for 0.
// A leading zero is allowed: a cell may stand for 07.
std::int32_t SchemaSolver::CellValue(int cell, int digits) const {
  const int length = cellLength_[cell];
  const int start = LastDigitsStart(length, digits);
  std::int32_t value = 0;
  for (int i = start; i < length; ++i) value = value * 10 + symbolDigits_[cellSymbols_[cell][i]];
  return value;
}

// Keeps the first ten solutions in number order (digit of symbol 1, then of
// symbol 2, ...), which is the order a search in number order finds them.
void SchemaSolver::RecordSolution() {
  Digits digits{};
  for (int s = 1; s <= symbolCount_; ++s) digits[s] = static_cast<std::int8_t>(symbolDigits_[s]);
  int at = solutionCount_;
  while (at > 0 && digits < solutionDigits_[at - 1]) --at;
  if (at == kMaxStoredSolutions) return;
  const int last = std::min(solutionCount_, kMaxStoredSolutions - 1);
  for (int i = last; i > at; --i) {
    solutionDigits_[i] = solutionDigits_[i - 1];
    solutionStore_[i] = solutionStore_[i - 1];
  }
  solutionDigits_[at] = digits;
  for (int cell = 0; cell < kCellCount; ++cell) solutionStore_[at][cell] = CellValue(cell, 0);
  solutionCount_ = std::min(solutionCount_ + 1, kMaxStoredSolutions);
}

void SchemaSolver::WriteReport(LineSink& out, const OpCodes& ops, bool stopped) const {
  if (stopped) {
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
