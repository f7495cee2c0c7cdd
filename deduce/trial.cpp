#include "deduce/trial.h"

namespace zifrel {
namespace {

// The open letters, those with fewer digits left first, as a person tries
// "A is 3 or 7" before a letter with five digits.
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
  return order;
}

// The first equation that every letter settled still breaks, or -1. The
// techniques inside a trial read the last digits only up to the result's
// length, so a wrong digit can settle them all with a carry lost past the
// result (57 + 68 = 25).
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

void Record(std::vector<TrialLine>* lines, const DeductionStep& step, const CandidateState& before, int depth) {
  if (lines != nullptr) lines->push_back({step, before, depth});
}

}  // namespace

DeductionStep TrialStep(int symbol, int digit, int depth, int inside) {
  DeductionStep step;
  step.technique = Technique::kTrial;
  step.ruledOut[symbol] = static_cast<DigitMask>(1u << digit);
  step.trial = {static_cast<std::int8_t>(symbol), static_cast<std::int8_t>(digit), static_cast<std::uint8_t>(depth),
                static_cast<std::uint8_t>(inside)};
  return step;
}

SearchEnd TrialSearch::Find(const CandidateState& state, DeductionStep& step) {
  const DeductionPuzzle& puzzle = context_.puzzle;
  const TrialOrder order = OrderForTrials(puzzle, state);
  for (int grade = 0; grade <= puzzle.symbolCount; ++grade) {
    const int depth = grade == 0 ? 1 : grade;
    const int inside = grade == 0 ? kPlainTrialLevel : kDeepTrialLevel;
    for (int i = 0; i < order.count; ++i) {
      const int s = order.symbols[i];
      if (grade == 0 && DigitCount(state.masks[s]) > kPlainTrialDigits) break;
      for (unsigned rest = state.masks[s]; rest != 0; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        const SearchEnd end = Contradicts(state, s, d, depth, inside);
        if (end == SearchEnd::kStopped) return end;
        if (end == SearchEnd::kNone) continue;
        step = TrialStep(s, d, depth, inside);
        return SearchEnd::kFound;
      }
    }
  }
  return SearchEnd::kNone;
}

SearchEnd TrialSearch::Contradicts(const CandidateState& state, int symbol, int digit, int depth, int inside,
                                   std::vector<TrialLine>* lines, int lineDepth) {
  if (stop_.Poll()) return SearchEnd::kStopped;
  CandidateState assumed = state;
  RuleOut(context_.puzzle, assumed, symbol, state.masks[symbol] & static_cast<DigitMask>(~(1u << digit)));
  // A letter left with no digit by the assumption alone: the first line
  // says which (no technique step comes before it).
  if (!Settle(context_.puzzle, assumed)) {
    DeductionStep none;
    none.contradiction = Contradiction::kNoDigit;
    for (int s = 0; s < context_.puzzle.symbolCount; ++s) {
      if (assumed.masks[s] == 0) none.whySymbol = static_cast<std::int8_t>(s);
    }
    Record(lines, none, assumed, lineDepth);
    return SearchEnd::kFound;
  }
  SearchEnd end = Propagate(assumed, inside, lines, lineDepth);
  while (end == SearchEnd::kNone && depth > 1 && !Solved(context_.puzzle, assumed)) {
    bool progressed = false;
    end = RuleOutByInnerTrial(assumed, depth, inside, lines, lineDepth, progressed);
    if (end != SearchEnd::kNone || !progressed) break;
    end = Propagate(assumed, inside, lines, lineDepth);
  }
  const int broken =
      end == SearchEnd::kNone && Solved(context_.puzzle, assumed) ? BrokenEquation(context_.puzzle, assumed) : -1;
  if (broken < 0) return end;
  // Every letter settled, and an equation that does not hold: trying its
  // one way shows it.
  DeductionStep check;
  check.technique = Technique::kCombinations;
  check.equation = static_cast<std::int8_t>(broken);
  check.contradiction = Contradiction::kEquation;
  Record(lines, check, assumed, lineDepth);
  return SearchEnd::kFound;
}

SearchEnd TrialSearch::RuleOutByInnerTrial(CandidateState& state, int depth, int inside, std::vector<TrialLine>* lines,
                                           int lineDepth, bool& progressed) {
  const DeductionPuzzle& puzzle = context_.puzzle;
  const TrialOrder order = OrderForTrials(puzzle, state);
  for (int inner = 1; inner < depth; ++inner) {
    for (int i = 0; i < order.count; ++i) {
      const int s = order.symbols[i];
      for (unsigned rest = state.masks[s]; rest != 0; rest &= rest - 1) {
        const int d = std::countr_zero(rest);
        const SearchEnd end = Contradicts(state, s, d, inner, inside);
        if (end == SearchEnd::kStopped) return end;
        if (end == SearchEnd::kNone) continue;
        const DeductionStep step = TrialStep(s, d, inner, inside);
        if (lines != nullptr) {
          Record(lines, step, state, lineDepth);
          Contradicts(state, s, d, inner, inside, lines, lineDepth + 1);
        }
        if (!ApplyStep(puzzle, state, step)) return SearchEnd::kFound;
        progressed = true;
        return SearchEnd::kNone;
      }
    }
  }
  return SearchEnd::kNone;
}

// Follows the techniques until none applies (kNone) or one meets a
// contradiction (kFound).
SearchEnd TrialSearch::Propagate(CandidateState& state, int inside, std::vector<TrialLine>* lines, int lineDepth) {
  DeductionStep step;
  while (FindStep(context_, state, step, inside)) {
    Record(lines, step, state, lineDepth);
    if (step.contradiction != Contradiction::kNone || !ApplyStep(context_.puzzle, state, step)) {
      return SearchEnd::kFound;
    }
  }
  return SearchEnd::kNone;
}

}  // namespace zifrel
