#include "deduce/explain.h"

#include <algorithm>
#include <memory>

#include "core/messages.h"
#include "core/paragraph.h"
#include "deduce/explanation_phrases.h"
#include "deduce/explanation_text.h"
#include "schema/risolvi.h"

namespace zifrel {
namespace {

enum class Part { kSteps, kHint, kLevel };

ExplainOutcome Outcome(DeductionOutcome deduced) {
  switch (deduced) {
    case DeductionOutcome::kDeduced:
      return ExplainOutcome::kExplained;
    case DeductionOutcome::kStopped:
      return ExplainOutcome::kStopped;
    case DeductionOutcome::kIncomplete:
      return ExplainOutcome::kIncomplete;
    case DeductionOutcome::kTooManySymbols:
      return ExplainOutcome::kTooManySymbols;
    default:
      return ExplainOutcome::kNotUnique;
  }
}

ExplainOutcome Run(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out, Part part, int maxSteps) {
  // The deduction keeps every step; it is made once per job, not on the stack.
  const auto deduction = std::make_unique<SchemaDeduction>();
  const ExplainOutcome outcome = Outcome(deduction->Deduce(cells, ops, stop));
  switch (outcome) {
    case ExplainOutcome::kStopped:
      out.AppendLine(msg::kSearchStopped);
      return outcome;
    case ExplainOutcome::kIncomplete:
      out.AppendLine(msg::kIncomplete);
      return outcome;
    case ExplainOutcome::kTooManySymbols:
      out.AppendLine(msg::kTooManySymbols);
      return outcome;
    case ExplainOutcome::kNotUnique: {
      // What Risolvi says of it, so the user sees why.
      SchemaSolver solver;
      RunRisolvi(solver, cells, ops, stop, out);
      if (stop.IsSet()) return ExplainOutcome::kStopped;
      out.AppendLine(phrase::kNotUnique);
      return outcome;
    }
    case ExplainOutcome::kExplained:
      break;
  }
  const int steps = deduction->StepCount();
  if (part == Part::kHint) {
    WriteSteps(*deduction, 0, 1, out);
    return outcome;
  }
  if (part == Part::kSteps) {
    const int shown = std::clamp(maxSteps, 0, steps);
    WriteSteps(*deduction, 0, shown, out);
    if (shown == steps) {
      AppendSolutionLines(out, deduction->Solver().Solution(0), ops);
    } else if (steps - shown == 1) {
      out.AppendLine(phrase::kOneMoreStep);
    } else {
      out.AppendLine(Fill(phrase::kMoreSteps, {std::to_string(steps - shown)}));
    }
  }
  out.AppendLine(LevelLine(deduction->Level()));
  return outcome;
}

}  // namespace

ExplainOutcome Explain(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out, int maxSteps) {
  return Run(cells, ops, stop, out, Part::kSteps, maxSteps);
}

ExplainOutcome Hint(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out) {
  return Run(cells, ops, stop, out, Part::kHint, 1);
}

ExplainOutcome WriteLevel(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out) {
  return Run(cells, ops, stop, out, Part::kLevel, 0);
}

Grading Grade(const CellTexts& cells, const OpCodes& ops, StopFlag& stop) {
  const auto deduction = std::make_unique<SchemaDeduction>();
  const ExplainOutcome outcome = Outcome(deduction->Deduce(cells, ops, stop));
  return {outcome, outcome == ExplainOutcome::kExplained ? deduction->Level() : 0};
}

}  // namespace zifrel
