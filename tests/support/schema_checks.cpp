#include "tests/support/schema_checks.h"

#include "core/line_sink.h"
#include "schema/op_combo_table.h"
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

std::string SchemaFault(const GeneratedSchema& schema, int max) {
  if (!IsAdmitted(schema.ops)) return "operators not admitted";
  if (std::string fault = GridFault(schema.grid, schema.ops, max); !fault.empty()) return fault;
  // The solve below holds each letter to one digit and different letters to
  // different digits. It cannot see a letter beyond J, nor a first letter that
  // codes 0, since it allows leading zeros.
  for (int k = 0; k < kCellCount; ++k) {
    const std::string& letters = schema.cells[k];
    if (letters.size() != std::to_string(schema.grid[k]).size() ||
        letters.find_first_not_of("ABCDEFGHIJ") != std::string::npos) {
      return "cell " + std::to_string(k + 1) + " does not code its number";
    }
  }
  const CellTexts cells = CellTextsOf(schema.cells);
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

GeneratorState Started(std::int32_t seed) {
  GeneratorState state;
  StartRandomSource(state, seed);
  return state;
}

std::map<int, int> FirstLayouts(int firstSeed, int lastSeed) {
  std::map<int, int> counts;
  StopFlag stop;
  for (int seed = firstSeed; seed <= lastSeed; ++seed) {
    GeneratorState state = Started(seed);
    SchemaGenerator generator(state);
    ++counts[OpComboCode(generator.GenerateSchema(999, std::nullopt, stop).value().ops)];
  }
  return counts;
}

std::string SeedsFault(int firstSeed, int lastSeed, int jobs, int max, SchemaCheck check) {
  StopFlag stop;
  for (int seed = firstSeed; seed <= lastSeed; ++seed) {
    GeneratorState state = Started(seed);
    SchemaGenerator generator(state);
    for (int job = 1; job <= jobs; ++job) {
      const std::optional<GeneratedSchema> schema = generator.GenerateSchema(max, std::nullopt, stop);
      const std::string fault = schema ? check(*schema, max) : "no Schema";
      if (!fault.empty()) return "seed " + std::to_string(seed) + ", job " + std::to_string(job) + ": " + fault;
    }
  }
  return "";
}

std::string ShortcutFault(SubtractiveRng& rng, const DivisorTable& table, const OpCodes& ops) {
  StopFlag stop;
  GridSearch solved(table), walked(table);
  walked.SetWalkLastStep(true);
  SubtractiveRng twin = rng;
  solved.DrawValueOrders(rng, 999);
  walked.DrawValueOrders(twin, 999);
  solved.SetPlan(BuildPlan(ops));
  walked.SetPlan(BuildPlan(ops));
  const bool found = solved.SearchGrid(stop) == SearchEnd::kFound;
  if (found != (walked.SearchGrid(stop) == SearchEnd::kFound))
    return found ? "only the shortcut finds a grid" : "only the walk finds a grid";
  return solved.Grid() == walked.Grid() ? "" : "the two find different grids";
}

}  // namespace zifrel::testing
