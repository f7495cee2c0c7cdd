#include "deduce/trial.h"

namespace zifrel {
namespace {

// A trial follows the techniques that alone make a Schema easy (leading
// digits, lengths, last digits, different digits): the chain to the
// contradiction is then one a reader can check. With the ranges and the
// combinations too, one trial nearly always suffices and nested trials, the
// mark of the hardest Schemas, would almost never be needed.
constexpr Technique kTrialTechniques = Technique::kDigitGroup;

// The symbols a trial may assume a digit for: those with the fewest digits
// left, as a person tries "A is 3 or 7" rather than a symbol with five
// digits. Any open symbol would do for finding a contradiction in the end;
// trying them all at one level before nesting would make nested trials, the
// mark of the hardest Schemas, almost never needed.
struct TrialOrder {
  int count = 0;
  std::array<std::int8_t, kMaxSymbols> symbols{};
};

TrialOrder OrderForTrials(const DeductionPuzzle& puzzle, const CandidateState& state) {
  TrialOrder order;
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (!(state.settled & (1u << s))) order.symbols[order.count++] = static_cast<std::int8_t>(s);
  }
  // An insertion sort: stable, and unlike std::stable_sort it never asks
  // for a buffer.
  for (int i = 1; i < order.count; ++i) {
    const std::int8_t s = order.symbols[i];
    int j = i;
    for (; j > 0 && DigitCount(state.masks[order.symbols[j - 1]]) > DigitCount(state.masks[s]); --j) {
      order.symbols[j] = order.symbols[j - 1];
    }
    order.symbols[j] = s;
  }
  if (order.count == 0) return order;
  const int fewest = DigitCount(state.masks[order.symbols[0]]);
  int count = 1;
  while (count < order.count && DigitCount(state.masks[order.symbols[count]]) == fewest) ++count;
  order.count = count;
  return order;
}

// The first equation that every symbol settled still breaks, or -1. A
// trial's techniques read lengths and last digits only, so a wrong digit can
// settle them all with a carry lost past the result (57 + 68 = 25).
int BrokenEquation(const DeductionPuzzle& puzzle, const CandidateState& state) {
  SymbolDigits digits;
  digits.fill(-1);
  for (int s = 0; s < puzzle.symbolCount; ++s) digits[s] = static_cast<std::int8_t>(LowestDigit(state.masks[s]));
  for (int e = 0; e < kOperatorCount; ++e) {
    const SchemaEquation& equation = puzzle.equations[e];
    const std::int64_t a = CellValue(puzzle.cells[equation.first], digits);
    const std::int64_t b = CellValue(puzzle.cells[equation.second], digits);
    const std::int64_t made = equation.form == EquationForm::Product ? a * b : a + b;
    if (made != CellValue(puzzle.cells[equation.result], digits)) return e;
  }
  return -1;
}

void NoteContradiction(const DeductionPuzzle& puzzle, const CandidateState& state, const Step& step,
                       TrialDetail* detail) {
  if (detail == nullptr) return;
  detail->why = step.contradiction;
  detail->whyEquation = step.equation;
  detail->whyPair = step.pair;
  detail->whyGroup = step.group;
  if (step.contradiction == Contradiction::kNone) {  // a symbol was left with no digit
    detail->why = Contradiction::kNoDigit;
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      if (state.masks[s] == 0) detail->whySymbol = static_cast<std::int8_t>(s);
    }
  }
}

// Applies a step; notes in the detail the digits it settles.
bool ApplyNoting(const DeductionPuzzle& puzzle, CandidateState& state, const Step& step, TrialDetail* detail) {
  const SymbolMask before = state.settled;
  const bool holds = ApplyStep(puzzle, state, step);
  if (detail == nullptr || !holds) return holds;
  for (unsigned fresh = state.settled & ~before; fresh != 0; fresh &= fresh - 1) {
    const int s = std::countr_zero(fresh);
    if (detail->chainLength < kChainLength) {
      detail->chainSymbols[detail->chainLength] = static_cast<std::int8_t>(s);
      detail->chainDigits[detail->chainLength] = static_cast<std::int8_t>(LowestDigit(state.masks[s]));
    }
    ++detail->chainLength;
  }
  return true;
}

}  // namespace

TrialEnd TrialSearch::Find(const CandidateState& state, Step& step) {
  const DeductionPuzzle& puzzle = context_.puzzle;
  const TrialOrder order = OrderForTrials(puzzle, state);
  for (int depth = 1; depth <= puzzle.symbolCount; ++depth) {
    for (int i = 0; i < order.count; ++i) {
      const int s = order.symbols[i];
      for (unsigned rest = state.masks[s]; rest != 0; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        TrialDetail detail;
        const TrialEnd end = Contradicts(state, s, d, depth, &detail);
        if (end == TrialEnd::kStopped) return end;
        if (end == TrialEnd::kNone) continue;
        step = Step{};
        step.technique = Technique::kTrial;
        step.ruledOut[s] = static_cast<DigitMask>(1u << d);
        step.trial = detail;
        step.trial.symbol = static_cast<std::int8_t>(s);
        step.trial.digit = static_cast<std::int8_t>(d);
        step.trial.depth = static_cast<std::uint8_t>(depth);
        return TrialEnd::kFound;
      }
    }
  }
  return TrialEnd::kNone;
}

// kFound: assuming `digit` for `symbol` leads to a contradiction.
TrialEnd TrialSearch::Contradicts(const CandidateState& state, int symbol, int digit, int depth, TrialDetail* detail) {
  if (stop_.Poll()) return TrialEnd::kStopped;
  CandidateState assumed = state;
  Step assume;
  assume.symbol = static_cast<std::int8_t>(symbol);
  assume.ruledOut[symbol] = state.masks[symbol] & static_cast<DigitMask>(~(1u << digit));
  if (!ApplyNoting(context_.puzzle, assumed, assume, detail)) {
    NoteContradiction(context_.puzzle, assumed, assume, detail);
    return TrialEnd::kFound;
  }
  if (detail != nullptr) detail->chainLength = 0;  // the assumption itself is not a consequence
  TrialEnd end = Propagate(assumed, detail);
  while (end == TrialEnd::kNone && depth > 1 && !Solved(context_.puzzle, assumed)) {
    bool progressed = false;
    end = RuleOutByInnerTrial(assumed, depth, detail, progressed);
    if (end != TrialEnd::kNone || !progressed) break;
    end = Propagate(assumed, detail);
  }
  const int broken =
      end == TrialEnd::kNone && Solved(context_.puzzle, assumed) ? BrokenEquation(context_.puzzle, assumed) : -1;
  if (broken < 0) return end;
  if (detail != nullptr) {
    detail->why = Contradiction::kEquation;
    detail->whyEquation = static_cast<std::int8_t>(broken);
  }
  return TrialEnd::kFound;
}

TrialEnd TrialSearch::RuleOutByInnerTrial(CandidateState& state, int depth, TrialDetail* detail, bool& progressed) {
  const DeductionPuzzle& puzzle = context_.puzzle;
  const TrialOrder order = OrderForTrials(puzzle, state);
  for (int inner = 1; inner < depth; ++inner) {
    for (int i = 0; i < order.count; ++i) {
      const int s = order.symbols[i];
      for (unsigned rest = state.masks[s]; rest != 0; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        const TrialEnd end = Contradicts(state, s, d, inner, nullptr);
        if (end == TrialEnd::kStopped) return end;
        if (end == TrialEnd::kNone) continue;
        if (detail != nullptr) ++detail->innerTrials;
        Step step;
        step.ruledOut[s] = static_cast<DigitMask>(1u << d);
        if (!ApplyNoting(puzzle, state, step, detail)) {
          NoteContradiction(puzzle, state, step, detail);
          return TrialEnd::kFound;
        }
        progressed = true;
        return TrialEnd::kNone;
      }
    }
  }
  return TrialEnd::kNone;
}

// Follows the techniques until none applies (kNone) or one meets a
// contradiction (kFound).
TrialEnd TrialSearch::Propagate(CandidateState& state, TrialDetail* detail) {
  Step step;
  while (FindStep(context_, state, step, kTrialTechniques)) {
    if (step.contradiction != Contradiction::kNone || !ApplyNoting(context_.puzzle, state, step, detail)) {
      NoteContradiction(context_.puzzle, state, step, detail);
      return TrialEnd::kFound;
    }
  }
  return TrialEnd::kNone;
}

}  // namespace zifrel
