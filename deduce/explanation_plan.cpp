#include "deduce/explanation_plan.h"

#include "deduce/trial.h"

namespace zifrel {
namespace {

using Kept = std::vector<char>;

class Planner {
 public:
  Planner(SchemaDeduction& deduction, StopFlag& stop)
      : puzzle_(deduction.Puzzle()), context_{deduction.Puzzle(), deduction.Search()}, trials_(context_, stop) {}

  bool Stopped() const { return stopped_; }

  // Whether `step` follows in `state`; `again`, when given, the step taken
  // again there.
  bool Follows(const CandidateState& state, const DeductionStep& step, DeductionStep* again) {
    if (step.technique != Technique::kTrial) return StepFollows(context_, state, step, again);
    const SearchEnd end =
        trials_.Contradicts(state, step.trial.symbol, step.trial.digit, step.trial.depth, step.trial.inside);
    stopped_ |= end == SearchEnd::kStopped;
    if (again != nullptr) *again = step;
    return end == SearchEnd::kFound;
  }

  // Replays the kept steps from `first` on, from `state`: true when each
  // follows and they reach the goal (a contradiction, or the solution).
  bool Replays(CandidateState state, const std::vector<DeductionStep>& steps, const Kept& kept, std::size_t first,
               bool toContradiction) {
    for (std::size_t i = first; i < steps.size(); ++i) {
      if (!kept[i]) continue;
      if (!Follows(state, steps[i], nullptr)) return false;
      if (steps[i].contradiction != Contradiction::kNone || !ApplyStep(puzzle_, state, steps[i])) {
        return toContradiction;
      }
    }
    return !toContradiction && Solved(puzzle_, state);
  }

  // Leaves out, from the last to the first, each step the others reach the
  // goal without. Once one is kept it stays needed: leaving out more only
  // leaves more digits open.
  Kept Prune(const CandidateState& start, const std::vector<DeductionStep>& steps, bool toContradiction) {
    Kept kept(steps.size(), 1);
    std::vector<CandidateState> before(steps.size(), start);
    CandidateState state = start;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      before[i] = state;
      ApplyStep(puzzle_, state, steps[i]);
    }
    for (std::size_t i = steps.size(); i-- > 0 && !stopped_;) {
      kept[i] = 0;
      if (!Replays(before[i], steps, kept, i + 1, toContradiction)) kept[i] = 1;
    }
    return kept;
  }

  // The kept steps as lines, each taken again in the state the kept steps
  // before it leave; trials written out after their line.
  void Emit(CandidateState state, const std::vector<DeductionStep>& steps, const Kept& kept, int depth, int noteAt,
            ExplanationPlan& plan) {
    for (std::size_t i = 0; i < steps.size() && !stopped_; ++i) {
      if (!kept[i]) continue;
      PlannedLine line;
      line.depth = depth;
      line.before = state;
      line.leadingNote = static_cast<int>(i) == noteAt;
      if (!Follows(state, steps[i], &line.step)) line.step = steps[i];  // not reached: the replay held
      line.after = state;
      line.holds = line.step.contradiction == Contradiction::kNone && ApplyStep(puzzle_, line.after, line.step);
      state = line.after;
      plan.lines.push_back(line);
      if (depth == 0) ++plan.numbered;
      if (line.step.technique == Technique::kTrial) {
        const TrialDetail& t = line.step.trial;
        WriteTrial(line.before, t, depth + 1, plan);
        PlannedLine closing = line;
        closing.closing = true;
        closing.leadingNote = false;
        plan.lines.push_back(closing);
      }
      if (!line.holds) return;
    }
  }

  void WriteTrial(const CandidateState& before, const TrialDetail& trial, int lineDepth, ExplanationPlan& plan) {
    const int symbol = trial.symbol, digit = trial.digit;
    std::vector<TrialLine> record;
    if (trials_.Contradicts(before, symbol, digit, trial.depth, trial.inside, &record, lineDepth) ==
        SearchEnd::kStopped) {
      stopped_ = true;
      return;
    }
    CandidateState assumed = before;
    RuleOut(puzzle_, assumed, symbol, before.masks[symbol] & static_cast<DigitMask>(~(1u << digit)));
    if (!Settle(puzzle_, assumed) || record.empty()) {
      // The assumption alone leaves a letter no digit: its one line says so.
      PlannedLine line;
      if (!record.empty()) line.step = record.front().step;
      line.step.contradiction = Contradiction::kNoDigit;
      line.before = line.after = assumed;
      line.depth = lineDepth;
      line.holds = false;
      plan.lines.push_back(line);
      return;
    }
    std::vector<DeductionStep> steps;
    for (const TrialLine& l : record) {
      if (l.depth == lineDepth) steps.push_back(l.step);
    }
    const Kept kept = Prune(assumed, steps, true);
    Emit(assumed, steps, kept, lineDepth, -1, plan);
  }

  const DeductionPuzzle& puzzle_;
  DeductionContext context_;
  TrialSearch trials_;
  bool stopped_ = false;
};

std::vector<DeductionStep> StepsOf(const SchemaDeduction& deduction) {
  std::vector<DeductionStep> steps;
  for (int i = 0; i < deduction.StepCount(); ++i) steps.push_back(deduction.StepAt(i));
  return steps;
}

}  // namespace

bool PlanExplanation(SchemaDeduction& deduction, StopFlag& stop, ExplanationPlan& plan) {
  plan = ExplanationPlan{};
  Planner planner(deduction, stop);
  const DeductionPuzzle& puzzle = deduction.Puzzle();
  const std::vector<DeductionStep> steps = StepsOf(deduction);
  Kept kept = planner.Prune(deduction.Start(), steps, false);
  CandidateState start = deduction.Start();
  int noteAt = -1;
  if (!steps.empty() && kept[0] && steps[0].technique == Technique::kLeadingDigits) {
    // The rule is said in the first step that does not follow without it,
    // or settles fewer letters without it.
    kept[0] = 0;
    CandidateState with = start, without = start;
    ApplyStep(puzzle, with, steps[0]);
    for (std::size_t i = 1; i < steps.size() && noteAt < 0; ++i) {
      if (!kept[i]) continue;
      const bool follows = planner.Follows(without, steps[i], nullptr);
      ApplyStep(puzzle, with, steps[i]);
      ApplyStep(puzzle, without, steps[i]);
      if (!follows || with.settled != without.settled) noteAt = static_cast<int>(i);
    }
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      if (steps[0].ruledOut[s] & start.masks[s]) plan.leadingSymbols |= static_cast<SymbolMask>(1u << s);
    }
    ApplyStep(puzzle, start, steps[0]);
  }
  planner.Emit(start, steps, kept, 0, noteAt, plan);
  return !planner.Stopped();
}

StepsNeeded MeasureSteps(SchemaDeduction& deduction, StopFlag& stop) {
  Planner planner(deduction, stop);
  const std::vector<DeductionStep> steps = StepsOf(deduction);
  Kept kept = planner.Prune(deduction.Start(), steps, false);
  StepsNeeded needed;
  needed.steps = static_cast<int>(steps.size());
  Kept all(steps.size(), 1);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    all[i] = 0;
    if (planner.Replays(deduction.Start(), steps, all, 0, false)) ++needed.deletableBefore;
    all[i] = 1;
  }
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (!kept[i]) continue;
    ++needed.kept;
    kept[i] = 0;
    if (planner.Replays(deduction.Start(), steps, kept, 0, false)) ++needed.deletable;
    kept[i] = 1;
  }
  return needed;
}

}  // namespace zifrel
