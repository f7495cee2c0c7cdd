#include "deduce/explanation_text.h"

#include <bit>
#include <vector>

#include "core/paragraph.h"
#include "core/utf8.h"
#include "deduce/candidate_state.h"
#include "deduce/explanation_phrases.h"

namespace zifrel {
namespace {

using namespace phrase;

// "e" before a word that starts with e, as Italian writes it: "B ed E".
std::string_view And(std::string_view next) {
  return next.starts_with('e') || next.starts_with('E') ? kAndBeforeE : kAnd;
}

// "a, b e c", with `conjunction` between the last two items (a comma when
// empty); "and" takes the form the last item asks for.
std::string JoinList(const std::vector<std::string>& items, std::string_view conjunction) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const bool last = i + 1 == items.size();
    if (i > 0 && (!last || conjunction.empty())) text.append(kListComma);
    if (i > 0 && last && !conjunction.empty()) {
      text.append(" ").append(conjunction == kAnd ? And(items[i]) : conjunction).append(" ");
    }
    text.append(items[i]);
  }
  return text;
}

void AddList(Paragraph& p, const std::vector<std::string>& items, std::string_view conjunction, std::string_view end) {
  p.AddList(items, conjunction == kAnd && !items.empty() ? And(items.back()) : conjunction, end);
}

std::string Number(std::int32_t value) { return std::to_string(value); }

std::vector<std::string> DigitNames(DigitMask digits) {
  std::vector<std::string> names;
  for (unsigned rest = digits; rest != 0; rest &= rest - 1) names.push_back(Number(std::countr_zero(rest)));
  return names;
}

// Writes the steps of one Schema: names its symbols, cells and equations.
class StepWriter {
 public:
  explicit StepWriter(const DeductionPuzzle& puzzle) : puzzle_(puzzle) {}

  void Write(const Step& step, const CandidateState& after, int number, LineSink& out) const;

 private:
  std::string Symbol(int s) const;
  std::vector<std::string> SymbolNames(SymbolMask symbols) const;
  std::string Symbols(SymbolMask symbols) const { return JoinList(SymbolNames(symbols), kAnd); }
  std::string Digits(DigitMask digits, std::string_view conjunction) const {
    return JoinList(DigitNames(digits), conjunction);
  }
  std::string Cell(int cell, int lastDigits = 0) const;
  std::string Equation(int e) const;
  std::string ReadAs(int e, int lastDigits) const;
  std::string Name(int e) const;
  std::string Named(int e) const;
  std::string WrittenSolution(int e, const SymbolDigits& digits) const;
  void Conclusion(Paragraph& p, const Step& step, const CandidateState& after) const;
  std::string Bound(const Step& step, bool upper) const;
  void Why(Paragraph& p, const TrialDetail& trial) const;

  void Head(Paragraph& p, int e, bool readAs) const;
  void Ranges(Paragraph& p, const Step& step) const;
  void TwoEquations(Paragraph& p, const Step& step) const;
  void Trial(Paragraph& p, const Step& step, const CandidateState& after) const;

  const DeductionPuzzle& puzzle_;
};

std::string StepWriter::Symbol(int s) const {
  std::string name;
  AppendUtf8(name, puzzle_.symbolChars[s]);
  // A symbol that is itself a digit is quoted, so "'3' = 4" reads as it should.
  const bool digit = puzzle_.symbolChars[s] >= U'0' && puzzle_.symbolChars[s] <= U'9';
  return digit ? Fill(kDigitSymbol, {name}) : name;
}

std::vector<std::string> StepWriter::SymbolNames(SymbolMask symbols) const {
  std::vector<std::string> names;
  for (unsigned rest = symbols; rest != 0; rest &= rest - 1) names.push_back(Symbol(std::countr_zero(rest)));
  return names;
}

// The cell as written, or its last `lastDigits` characters.
std::string StepWriter::Cell(int cell, int lastDigits) const {
  const PuzzleCell& c = puzzle_.cells[cell];
  std::string text;
  for (int i = lastDigits == 0 ? 0 : std::max(0, c.length - lastDigits); i < c.length; ++i) {
    AppendUtf8(text, puzzle_.symbolChars[c.symbols[i]]);
  }
  return text;
}

std::string StepWriter::Equation(int e) const {
  const auto [a, b, r] = kEquationCells[e];
  return Cell(a) + " " + std::string(OperatorGlyph(puzzle_.ops[e])) + " " + Cell(b) + " = " + Cell(r);
}

// The equation as the techniques read it: a ÷ b = c as c × b = a, a - b = c
// as c + b = a; on its last digits, or whole for 0.
std::string StepWriter::ReadAs(int e, int lastDigits) const {
  const SchemaEquation& eq = puzzle_.equations[e];
  const OpCode op = eq.form == EquationForm::Sum ? kPlus : kMultiply;
  return Cell(eq.first, lastDigits) + " " + std::string(OperatorGlyph(op)) + " " + Cell(eq.second, lastDigits);
}

std::string StepWriter::Name(int e) const { return Fill(e < 3 ? kRow : kColumn, {Number(e % 3 + 1)}); }

std::string StepWriter::Named(int e) const { return Fill(kEquationNamed, {Name(e), Equation(e)}); }

std::string StepWriter::WrittenSolution(int e, const SymbolDigits& digits) const {
  const auto [a, b, r] = kEquationCells[e];
  const auto value = [&](int cell) { return Number(CellValue(puzzle_.cells[cell], digits)); };
  return value(a) + " " + std::string(OperatorGlyph(puzzle_.ops[e])) + " " + value(b) + " = " + value(r);
}

// What the step rules out: "quindi C = 7 e D = 1; A non può essere 2 né
// 4; E e F non possono essere 0." Symbols left with one digit are named
// with it.
void StepWriter::Conclusion(Paragraph& p, const Step& step, const CandidateState& after) const {
  std::vector<std::string> fixed;
  DigitMask fixedDigits = 0;
  for (int s = 0; s < puzzle_.symbolCount; ++s) {
    if ((step.ruledOut[s] != 0 || s == step.symbol) && DigitCount(after.masks[s]) == 1) {
      fixed.push_back(Fill(kIs, {Symbol(s), Number(LowestDigit(after.masks[s]))}));
      fixedDigits |= after.masks[s];
    }
  }
  // "E = 0" says that no other symbol is 0: that is not repeated.
  std::vector<std::pair<DigitMask, SymbolMask>> groups;
  for (int s = 0; s < puzzle_.symbolCount; ++s) {
    const DigitMask digits = step.ruledOut[s] & static_cast<DigitMask>(~fixedDigits);
    if (digits == 0 || DigitCount(after.masks[s]) == 1) continue;
    auto group = groups.begin();
    while (group != groups.end() && group->first != digits) ++group;
    if (group == groups.end()) group = groups.insert(groups.end(), {digits, 0});
    group->second |= static_cast<SymbolMask>(1u << s);
  }
  p.Add(kSo);
  AddList(p, fixed, kAnd, groups.empty() ? kSentenceEnd : kClauseEnd);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const auto [digits, symbols] = groups[i];
    AddList(p, SymbolNames(symbols), kAnd, "");
    p.Add(std::popcount(static_cast<unsigned>(symbols)) > 1 ? kAreNot : kIsNot);
    AddList(p, DigitNames(digits), kNor, i + 1 == groups.size() ? kSentenceEnd : kClauseEnd);
  }
}

void StepWriter::Head(Paragraph& p, int e, bool readAs) const {
  const SchemaEquation& eq = puzzle_.equations[e];
  if (readAs && (puzzle_.ops[e] == kDivide || puzzle_.ops[e] == kMinus)) {
    p.Add(kEquationHeadReadAs, {Name(e), Equation(e), ReadAs(e, 0) + " = " + Cell(eq.result)});
  } else {
    p.Add(kEquationHead, {Name(e), Equation(e)});
  }
}

// "999 + 99 = 1098", or "999 ÷ 12 (cioè al più 83)" for a quotient that is
// not whole: the number bounded is.
std::string StepWriter::Bound(const Step& step, bool upper) const {
  const SchemaEquation& eq = puzzle_.equations[step.equation];
  const bool result = step.range.cell == eq.result;
  const OpCode op = eq.form == EquationForm::Sum ? (result ? kPlus : kMinus) : (result ? kMultiply : kDivide);
  const auto& operands = upper ? step.range.highOperands : step.range.lowOperands;
  const std::int32_t value = upper ? step.range.high : step.range.low;
  const std::string formula = Number(operands[0]) + " " + std::string(OperatorGlyph(op)) + " " + Number(operands[1]);
  const bool rounded = op == kDivide && operands[0] % operands[1] != 0;
  return Fill(!rounded ? kBound : upper ? kBoundRoundedDown : kBoundRoundedUp, {formula, Number(value)});
}

void StepWriter::Ranges(Paragraph& p, const Step& step) const {
  const SchemaEquation& eq = puzzle_.equations[step.equation];
  const int target = step.range.cell;
  // The target from the other two: the result from the operands, an
  // operand from the result and the other operand.
  const bool result = target == eq.result;
  const int other = target == eq.first ? eq.second : eq.first;
  const OpCode op = eq.form == EquationForm::Sum ? (result ? kPlus : kMinus) : (result ? kMultiply : kDivide);
  const std::string formula = result ? Cell(eq.first) + " " + std::string(OperatorGlyph(op)) + " " + Cell(eq.second)
                                     : Cell(eq.result) + " " + std::string(OperatorGlyph(op)) + " " + Cell(other);
  Head(p, step.equation, false);
  p.Add(step.technique == Technique::kLengths ? kLengths : kRanges);
  if (step.range.upper && step.range.lower) {
    p.Add(kBetween, {Cell(target), formula, Bound(step, false), Bound(step, true)});
  } else {
    p.Add(step.range.upper ? kAtMost : kAtLeast, {Cell(target), formula, Bound(step, step.range.upper)});
  }
}

void StepWriter::TwoEquations(Paragraph& p, const Step& step) const {
  const int row = PairRow(step.pair), column = PairColumn(step.pair);
  const std::string shared = Cell(PairCell(step.pair));
  const auto values = [&](int i) {
    std::vector<std::string> items;
    const int shown = std::min(step.search.valueCount[i], kShownValues);
    for (int v = 0; v < shown; ++v) items.push_back(Number(step.search.values[i][v]));
    return items;
  };
  p.Add(kPairHead, {Named(row), Named(column), shared});
  for (int i = 0; i < 2; ++i) {
    const std::string name = Name(i == 0 ? row : column);
    if (step.search.valueCount[i] <= kShownValues) {
      p.Add(kPairValues, {kPairFor[i], name, shared});
      AddList(p, values(i), kOr, kSemicolon);
    } else {
      const std::string first = JoinList(values(i), "");
      p.Add(kPairManyValues, {kPairFor[i], name, shared, Number(step.search.valueCount[i]), first});
    }
  }
  if (step.search.valueCount[2] <= kShownValues) {
    p.Add(kPairCommon);
    AddList(p, values(2), kOr, kComma);
  } else {
    p.Add(kPairManyCommon, {Number(step.search.valueCount[2])});
  }
}

void StepWriter::Why(Paragraph& p, const TrialDetail& trial) const {
  switch (trial.why) {
    case Contradiction::kEquation:
      p.Add(kWhyEquation, {Named(trial.whyEquation)});
      break;
    case Contradiction::kTooFewDigits:
      p.Add(kWhyTooFewDigits, {Symbols(trial.whyGroup)});
      break;
    case Contradiction::kSharedCell:
      p.Add(kWhySharedCell,
            {Name(PairRow(trial.whyPair)), Name(PairColumn(trial.whyPair)), Cell(PairCell(trial.whyPair))});
      break;
    default:
      p.Add(kWhyNoDigit, {Symbol(trial.whySymbol)});
  }
}

void StepWriter::Trial(Paragraph& p, const Step& step, const CandidateState& after) const {
  const TrialDetail& trial = step.trial;
  const std::string symbol = Symbol(trial.symbol);
  const std::string digit = Number(trial.digit);
  if (trial.depth > 1) {
    p.Add(trial.innerTrials == 1 ? kNestedTrialOne : kNestedTrial,
          {Number(trial.depth), symbol, digit, Number(trial.innerTrials)});
  } else {
    p.Add(kTrial, {symbol, digit});
    if (trial.chainLength > 0) {
      // A long chain is cut after a few digits, never by one digit only.
      const int shown = trial.chainLength <= kChainLength ? trial.chainLength : kChainLength - 2;
      std::vector<std::string> chain;
      for (int i = 0; i < shown; ++i) {
        chain.push_back(Fill(kIs, {Symbol(trial.chainSymbols[i]), Number(trial.chainDigits[i])}));
      }
      p.Add(trial.chainLength == 1 ? kChainOne : kChainMany);
      if (shown == trial.chainLength) {
        AddList(p, chain, kAnd, kComma);
      } else {
        p.AddList(chain, "", "");
        p.Add(kChainMore, {Number(trial.chainLength - shown)});
      }
      p.Add(kChainEnd);
    }
  }
  Why(p, trial);
  const DigitMask left = after.masks[trial.symbol];
  if (DigitCount(left) == 1) {
    p.Add(kTrialConclusionSoIs, {symbol, digit, Fill(kIs, {symbol, Number(LowestDigit(left))})});
  } else {
    p.Add(kTrialConclusion, {symbol, digit});
  }
}

void StepWriter::Write(const Step& step, const CandidateState& after, int number, LineSink& out) const {
  Paragraph p;
  switch (step.technique) {
    case Technique::kLeadingDigits:
      p.Add(kLeadingDigits);
      break;
    case Technique::kLengths:
    case Technique::kRanges:
      Ranges(p, step);
      break;
    case Technique::kOnlyDigit:
      p.Add(kOnlyDigit, {Symbol(step.symbol)});
      break;
    case Technique::kOnlyPlace:
      p.Add(kOnlyPlace, {Digits(step.groupDigits, kAnd), Symbol(step.symbol)});
      break;
    case Technique::kLastDigits: {
      const SchemaEquation& eq = puzzle_.equations[step.equation];
      Head(p, step.equation, true);
      p.Add(kLastDigits[step.columns]);
      p.Add(kMustEndWith, {ReadAs(step.equation, step.columns), Cell(eq.result, step.columns)});
      break;
    }
    case Technique::kDigitGroup: {
      const bool outside = [&] {
        for (int s = 0; s < puzzle_.symbolCount; ++s) {
          if (step.ruledOut[s] != 0 && !(step.group & (1u << s))) return true;
        }
        return false;
      }();
      if (outside) {
        p.Add(kGroup, {Symbols(step.group), Digits(step.groupDigits, kOr)});
      } else {
        p.Add(kHiddenGroup, {Digits(step.groupDigits, kAnd), Symbols(step.group)});
      }
      break;
    }
    case Technique::kCombinations: {
      Head(p, step.equation, false);
      if (step.search.solutionCount <= kShownSolutions) {
        std::vector<std::string> ways;
        for (int i = 0; i < step.search.solutionCount; ++i) {
          ways.push_back(WrittenSolution(step.equation, step.search.solutions[i]));
        }
        p.Add(kCombinationsOnly);
        AddList(p, ways, kAnd, kComma);
      } else {
        p.Add(kCombinationsCount, {Number(step.search.solutionCount)});
      }
      break;
    }
    case Technique::kTwoEquations:
      TwoEquations(p, step);
      break;
    case Technique::kTrial:
      Trial(p, step, after);
      break;
  }
  if (step.technique != Technique::kTrial) Conclusion(p, step, after);
  p.Write(out, Number(number) + ". ", kExplanationWidth);
}

}  // namespace

void WriteSteps(const SchemaDeduction& deduction, int first, int count, LineSink& out) {
  const DeductionPuzzle& puzzle = deduction.Puzzle();
  const StepWriter writer(puzzle);
  if (first == 0 && count > 0 && puzzle.leadingZeros) {
    Paragraph note;
    note.Add(kLeadingZerosNote);
    note.Write(out, "", kExplanationWidth);
  }
  CandidateState state = StartState(puzzle);
  for (int i = 0; i < first + count && i < deduction.StepCount(); ++i) {
    ApplyStep(puzzle, state, deduction.StepAt(i));
    if (i >= first) writer.Write(deduction.StepAt(i), state, i + 1, out);
  }
}

std::string LevelLine(int level) { return Fill(kLevelLine, {Number(level), kLevelNames[level - 1]}); }

}  // namespace zifrel
