#include "tests/support/schema_checks.h"

#include <map>

#include "core/line_sink.h"
#include "schema/risolvi.h"

namespace zifrel::testing {

std::string GridFault(const NumberGrid& x, const OpCodes& ops, int max) {
  for (int e = 0; e < kOperatorCount; ++e) {
    const auto [i, j, k] = kEquationCells[e];
    const int a = x[i], b = x[j], c = x[k];
    const bool holds = ops[e] == kMultiply ? a * b == c
                       : ops[e] == kPlus   ? a + b == c
                       : ops[e] == kDivide ? c * b == a
                                           : c + b == a;
    if (!holds) return "equation " + std::to_string(e + 1) + " fails";
  }
  bool large = false;
  for (int k = 0; k < kCellCount; ++k) {
    if (x[k] < 1 || x[k] > max) return "cell " + std::to_string(k + 1) + " out of range";
    for (int j = 0; j < k; ++j) {
      if (x[j] == x[k]) return "cells " + std::to_string(j + 1) + " and " + std::to_string(k + 1) + " equal";
    }
    large |= x[k] > max / 10;
  }
  return large ? "" : "no number above max div 10";
}

std::string CodingFault(const GeneratedSchema& schema, int max) {
  std::map<char, char> letterOf, digitOf;
  for (int k = 0; k < kCellCount; ++k) {
    const std::string digits = std::to_string(schema.grid[k]);
    const std::string& letters = schema.cells[k];
    if (letters.size() != digits.size()) return "cell " + std::to_string(k + 1) + " has another length";
    if (letters.size() > (max == 999 ? 3u : 4u)) return "cell " + std::to_string(k + 1) + " is too long";
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (letters[i] < 'A' || letters[i] > 'J') return std::string("letter ") + letters[i];
      if (letterOf.emplace(digits[i], letters[i]).first->second != letters[i]) return "a digit with two letters";
      if (digitOf.emplace(letters[i], digits[i]).first->second != digits[i]) return "a letter for two digits";
    }
  }
  return "";
}

std::string RoundTripFault(const GeneratedSchema& schema) {
  CellTexts cells;
  for (int k = 0; k < kCellCount; ++k) cells.Set(k, schema.cells[k]);
  SchemaSolver solver;
  StopFlag noStop;
  LineCollector report, expected;
  RunRisolvi(solver, cells, schema.ops, noStop, report);
  expected.AppendLine("Una sola soluzione:");
  AppendSolutionLines(expected, schema.grid, schema.ops);
  if (report.lines == expected.lines) return "";
  std::string fault = "solving it reports:";
  for (const std::string& line : report.lines) fault += "\n" + line;
  return fault;
}

}  // namespace zifrel::testing
