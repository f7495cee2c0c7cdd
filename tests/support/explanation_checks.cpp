#include "tests/support/explanation_checks.h"

#include <map>
#include <memory>

#include "core/utf8.h"
#include "deduce/candidate_state.h"
#include "deduce/explain.h"
#include "deduce/explanation_plan.h"
#include "deduce/explanation_text.h"
#include "tests/support/step_checker.h"

namespace zifrel::testing {

std::string DeductionFault(const GeneratedSchema& schema, int) {
  CellTexts cells;
  std::map<char32_t, int> truth;  // each letter's digit, read off the grid
  for (int k = 0; k < kCellCount; ++k) {
    cells.Set(k, schema.cells[k]);
    const std::string digits = std::to_string(schema.grid[k]);
    for (std::size_t i = 0; i < digits.size(); ++i) truth[static_cast<char32_t>(schema.cells[k][i])] = digits[i] - '0';
  }
  StopFlag noStop;
  const auto deduction = std::make_unique<SchemaDeduction>();
  if (deduction->Deduce(cells, schema.ops, noStop) != DeductionOutcome::kDeduced) return "not deduced";
  const DeductionPuzzle& puzzle = deduction->Puzzle();
  CandidateState state = StartState(puzzle);
  for (int i = 0; i < deduction->StepCount(); ++i) {
    const Step& step = deduction->StepAt(i);
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      if (step.ruledOut[s] & (1u << truth[puzzle.symbolChars[s]])) {
        return "step " + std::to_string(i + 1) + " rules out the digit of " + EncodeUtf8({&puzzle.symbolChars[s], 1});
      }
    }
    ApplyStep(puzzle, state, step);
  }
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (state.masks[s] != 1u << truth[puzzle.symbolChars[s]]) return "the steps do not end at the grid";
  }
  if (deduction->Level() < 1 || deduction->Level() > kLevelCount) return "level " + std::to_string(deduction->Level());
  ExplanationPlan plan;
  if (!PlanExplanation(*deduction, noStop, plan)) return "the plan stopped";
  if (const std::string fault = CheckExplanation(schema.cells, schema.ops, puzzle, plan); !fault.empty()) {
    return "explanation: " + fault;
  }

  LineCollector text, tail;
  Explain(cells, schema.ops, noStop, text);
  AppendSolutionLines(tail, schema.grid, schema.ops);
  tail.AppendLine(LevelLine(deduction->Level()));
  for (const std::string& line : text.lines) {
    if (CodePointCount(line) > 78) return "a line too long: " + line;
    if (line.find(" ,") != std::string::npos) return "a phrase left empty: " + line;
  }
  if (text.lines.size() <= tail.lines.size() || !text.lines[0].starts_with("1. ") ||
      !std::equal(tail.lines.begin(), tail.lines.end(), text.lines.end() - tail.lines.size())) {
    return "the explanation does not end with the grid and the level";
  }
  return "";
}

}  // namespace zifrel::testing
