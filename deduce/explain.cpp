#include "deduce/explain.h"

#include <algorithm>
#include <memory>

#include "core/messages.h"
#include "core/paragraph.h"
#include "core/utf8.h"
#include "deduce/candidate_state.h"
#include "deduce/explanation_phrases.h"
#include "deduce/explanation_plan.h"
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
    case DeductionOutcome::kWrongKnown:
      return ExplainOutcome::kWrongKnown;
    default:
      return ExplainOutcome::kNotUnique;
  }
}

int SymbolOf(const DeductionPuzzle& puzzle, char32_t letter) {
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (puzzle.symbolChars[s] == letter) return s;
  }
  return -1;
}

// The line for the first known digit that is wrong: the equation that
// digit alone (with the right known ones) cannot satisfy, found by trying
// every way each equation holds; the solution is not given away.
void WriteWrongKnown(SchemaDeduction& deduction, std::span<const KnownDigit> known, LineSink& out) {
  const DeductionPuzzle& puzzle = deduction.Puzzle();
  const SymbolDigits truth = DigitsOfGrid(puzzle, deduction.Solver().Solution(0));
  CandidateState right = StartState(puzzle);
  for (const KnownDigit& k : known) {
    const int s = SymbolOf(puzzle, k.letter);
    if (s < 0) {
      std::string letter;
      AppendUtf8(letter, k.letter);
      out.AppendLine(Fill(phrase::kUnknownLetter, {letter}));
      return;
    }
    if (truth[s] == k.digit) RuleOut(puzzle, right, s, static_cast<DigitMask>(kAnyDigit & ~(1u << k.digit)));
  }
  for (const KnownDigit& k : known) {
    const int s = SymbolOf(puzzle, k.letter);
    if (truth[s] == k.digit) continue;
    CandidateState state = right;
    RuleOut(puzzle, state, s, static_cast<DigitMask>(kAnyDigit & ~(1u << k.digit)));
    const bool settles = Settle(puzzle, state);
    const std::string letter = LetterName(puzzle, s), digit = std::to_string(k.digit);
    for (int e = 0; e < kOperatorCount && settles; ++e) {
      deduction.Search().Run(puzzle, state.masks, {e, EquationLength(puzzle, e), true, 1L << 40});
      if (deduction.Search().SolutionCount() == 0) {
        Paragraph p;
        p.Add(phrase::kWrongKnownEquation, {letter, digit, NamedEquation(puzzle, e)});
        p.Write(out, "", kExplanationWidth);
        return;
      }
    }
    out.AppendLine(Fill(phrase::kWrongKnown, {letter, digit}));
    return;
  }
}

ExplainOutcome Run(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out, Part part, int maxSteps,
                   std::span<const KnownDigit> known) {
  // The deduction keeps every step; it is made once per job, not on the stack.
  const auto deduction = std::make_unique<SchemaDeduction>();
  ExplainOutcome outcome = Outcome(deduction->Deduce(cells, ops, stop));
  const int level = deduction->Level();
  if (outcome == ExplainOutcome::kExplained && !known.empty()) {
    outcome = Outcome(deduction->Deduce(cells, ops, stop, known));
  }
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
    case ExplainOutcome::kWrongKnown:
      WriteWrongKnown(*deduction, known, out);
      return outcome;
    case ExplainOutcome::kExplained:
      break;
  }
  if (part != Part::kLevel) {
    ExplanationPlan plan;
    if (!PlanExplanation(*deduction, stop, plan)) {
      out.AppendLine(msg::kSearchStopped);
      return ExplainOutcome::kStopped;
    }
    const int steps = plan.numbered;
    const int shown = std::clamp(part == Part::kHint ? 1 : maxSteps, 0, steps);
    WritePlan(deduction->Puzzle(), plan, 0, shown, out);
    if (steps == 0) {
      out.AppendLine(phrase::kKnownSolved);
    } else if (part == Part::kHint) {
      return outcome;
    } else if (shown == steps) {
      AppendSolutionLines(out, deduction->Solver().Solution(0), ops);
    } else if (steps - shown == 1) {
      out.AppendLine(phrase::kOneMoreStep);
    } else {
      out.AppendLine(Fill(phrase::kMoreSteps, {std::to_string(steps - shown)}));
    }
  }
  out.AppendLine(LevelLine(level));
  return outcome;
}

}  // namespace

ExplainOutcome Explain(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out, int maxSteps,
                       std::span<const KnownDigit> known) {
  return Run(cells, ops, stop, out, Part::kSteps, maxSteps, known);
}

ExplainOutcome Hint(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out,
                    std::span<const KnownDigit> known) {
  return Run(cells, ops, stop, out, Part::kHint, 1, known);
}

ExplainOutcome WriteLevel(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out) {
  return Run(cells, ops, stop, out, Part::kLevel, 0, {});
}

std::optional<std::vector<KnownDigit>> ParseKnownDigits(std::string_view text) {
  std::vector<KnownDigit> known;
  const std::u32string items = DecodeUtf8(text);
  if (items.find_first_not_of(U' ') == std::u32string::npos) return known;  // none known
  unsigned digits = 0;
  std::size_t at = 0;
  while (at <= items.size()) {
    std::size_t end = items.find(U',', at);
    if (end == std::u32string::npos) end = items.size();
    std::u32string item = items.substr(at, end - at);
    std::erase(item, U' ');
    if (item.size() != 3 || item[1] != U'=' || item[2] < U'0' || item[2] > U'9') return std::nullopt;
    const KnownDigit k{item[0], static_cast<int>(item[2] - U'0')};
    for (const KnownDigit& other : known) {
      if (other.letter == k.letter) return std::nullopt;
    }
    if (digits & (1u << k.digit)) return std::nullopt;
    digits |= 1u << k.digit;
    known.push_back(k);
    at = end + 1;
  }
  return known;
}

Grading Grade(const CellTexts& cells, const OpCodes& ops, StopFlag& stop) {
  const auto deduction = std::make_unique<SchemaDeduction>();
  const ExplainOutcome outcome = Outcome(deduction->Deduce(cells, ops, stop));
  return {outcome, outcome == ExplainOutcome::kExplained ? deduction->Level() : 0};
}

}  // namespace zifrel
