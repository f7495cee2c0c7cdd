#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "schema/cell_texts.h"
#include "schema/equations.h"
#include "schema/operators.h"
#include "schema/schema_lines.h"

namespace zifrel {

enum class SolveMode { Report = 0, CountOnly = 2 };

// How a solve ended: its search ran to the end,
// was stopped, or the cells were refused before any search.
enum class SolveOutcome {
  kSearched,
  kStopped,
  kIncomplete,      // a cell is empty
  kTooManySymbols,  // more than ten distinct characters
};

inline constexpr int kMaxSymbols = 10;
// The first ten solutions in number order are kept; past ten, the search
// looks only where a solution could still come before the tenth.
inline constexpr int kMaxStoredSolutions = 10;

// Solves a Schema whose cells hold codes: every distinct character stands for
// one digit, different characters for different digits. One solver serves
// any number of solves and allocates nothing per solve.
class SchemaSolver {
 public:
  // In Report mode, after a search, what it found (or that it was stopped)
  // is written to `report`.
  SolveOutcome SolveSchema(SolveMode mode, const CellTexts& cells, const OpCodes& ops, StopFlag& stop,
                           LineSink* report = nullptr);

  int SolutionCount() const { return solutionCount_; }
  const NumberGrid& Solution(int i) const { return solutionStore_[i]; }

 private:
  // A necessary condition for one equation: its last `digits` digits agree,
  // or (digits 0) it holds whole. A sum is linear in the digits, so it is
  // tested as a weighted sum that must be 0 (or a multiple of 10^digits);
  // symbols that cancel out do not weigh in, and the check does not wait for
  // them. A product is tested by computing it.
  struct Check {
    std::uint8_t equation = 0;
    std::uint8_t digits = 0;
    bool linear = false;
    std::uint8_t termCount = 0;
    std::array<std::int8_t, kMaxSymbols> termSymbol{};
    std::array<std::int16_t, kMaxSymbols> termWeight{};  // |weight| < 3 × 1111
    unsigned symbols = 0;                                // bit s: the check needs the digit of symbol s
  };
  static constexpr int kMaxChecks = kOperatorCount * 4;
  using Digits = std::array<std::int8_t, kMaxSymbols + 1>;  // by symbol number, 1..n

  bool NumberSymbols(const CellTexts& cells);
  void BuildChecks(int equation, Check* checks) const;
  void OrderSymbols();
  unsigned LinearDigits(const Check& check, int symbol) const;
  bool ProductHolds(const Check& check) const;
  bool AssignSymbol(int position, unsigned freeDigits);
  bool CanBeatTenth() const;
  std::int32_t CellValue(int cell, int digits) const;
  void RecordSolution();
  void WriteReport(LineSink& out, const OpCodes& ops, bool stopped) const;

  StopFlag* stop_ = nullptr;
  std::array<SchemaEquation, kOperatorCount> equations_{};
  std::array<std::array<std::int8_t, kCellMaxChars>, kCellCount> cellSymbols_{};
  std::array<std::uint8_t, kCellCount> cellLength_{};
  int symbolCount_ = 0;

  // The search gives the symbols digits in `order_`, not in number order.
  // The checks of position p, run once the symbol there has its digit:
  // checks_[checkStart_[p] .. checkStart_[p + 1]) index `candidates_`, the
  // sums first, up to productStart_[p].
  std::array<std::int8_t, kMaxSymbols> order_{};
  std::array<Check, kMaxChecks> candidates_{};  // equation e's at 4e .. 4e + 3
  std::array<std::uint8_t, kMaxChecks> checks_{};
  std::array<std::uint8_t, kMaxSymbols + 1> checkStart_{};
  std::array<std::uint8_t, kMaxSymbols> productStart_{};
  std::array<int, kMaxSymbols + 1> symbolDigits_{};

  // The solutions first in number order, each with its digits, sorted.
  int solutionCount_ = 0;
  std::array<NumberGrid, kMaxStoredSolutions> solutionStore_{};
  std::array<Digits, kMaxStoredSolutions> solutionDigits_{};
};

}  // namespace zifrel
