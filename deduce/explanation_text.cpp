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

std::string Glyph(OpCode op) { return std::string(OperatorGlyph(op)); }

// Writes the lines of one Schema's plan: names its letters, cells and
// equations.
class StepWriter {
 public:
  StepWriter(const DeductionPuzzle& puzzle, SymbolMask leadingSymbols, std::size_t width = kExplanationWidth)
      : puzzle_(puzzle), leadingSymbols_(leadingSymbols), width_(width) {}

  void Write(const PlannedLine& line, std::string_view lead, LineSink& out) const;

  std::string Symbol(int s) const;
  std::string Named(int e) const { return Fill(kEquationNamed, {Name(e), Equation(e)}); }

 private:
  std::vector<std::string> SymbolNames(SymbolMask symbols) const;
  std::string Symbols(SymbolMask symbols) const { return JoinList(SymbolNames(symbols), kAnd); }
  std::string Digits(DigitMask digits, std::string_view conjunction) const {
    return JoinList(DigitNames(digits), conjunction);
  }
  std::string Cell(int cell, int lastDigits = 0) const;
  std::string Equation(int e) const;
  std::string ReadAs(int e, int lastDigits) const;
  std::string Name(int e) const { return Fill(e < 3 ? kRow : kColumn, {Number(e % 3 + 1)}); }
  std::string WrittenSolution(int e, const SymbolDigits& digits) const;
  void Conclusion(Paragraph& p, const PlannedLine& line) const;
  // The first letter with no digit left.
  int EmptyLetter(const CandidateState& state) const {
    for (int s = 0; s < puzzle_.symbolCount; ++s) {
      if (state.masks[s] == 0) return s;
    }
    return 0;
  }

  void Head(Paragraph& p, int e, bool readAs) const;
  void Bounds(Paragraph& p, const DeductionStep& step) const;
  void Identity(Paragraph& p, const PlannedLine& line) const;
  void TwoEquations(Paragraph& p, const DeductionStep& step) const;

  const DeductionPuzzle& puzzle_;
  SymbolMask leadingSymbols_;
  std::size_t width_;
};

std::string StepWriter::Symbol(int s) const {
  std::string name;
  AppendUtf8(name, puzzle_.symbolChars[s]);
  // A letter that is itself a digit is quoted, so "'3' = 4" reads as it should.
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
  for (int i = LastDigitsStart(c.length, lastDigits); i < c.length; ++i) {
    AppendUtf8(text, puzzle_.symbolChars[c.symbols[i]]);
  }
  return text;
}

std::string StepWriter::Equation(int e) const {
  const auto [a, b, r] = kEquationCells[e];
  return Cell(a) + " " + Glyph(puzzle_.ops[e]) + " " + Cell(b) + " = " + Cell(r);
}

// The equation as the techniques read it: a ÷ b = c as c × b = a, a - b = c
// as c + b = a; its left side, on its last digits, or whole for 0.
std::string StepWriter::ReadAs(int e, int lastDigits) const {
  const SchemaEquation& eq = puzzle_.equations[e];
  const OpCode op = eq.form == EquationForm::Sum ? kPlus : kMultiply;
  return Cell(eq.first, lastDigits) + " " + Glyph(op) + " " + Cell(eq.second, lastDigits);
}

std::string StepWriter::WrittenSolution(int e, const SymbolDigits& digits) const {
  const auto [a, b, r] = kEquationCells[e];
  const auto value = [&](int cell) { return Number(CellValue(puzzle_.cells[cell], digits)); };
  return value(a) + " " + Glyph(puzzle_.ops[e]) + " " + value(b) + " = " + value(r);
}

// What the step rules out: "quindi C = 7 e D = 1; A non può essere 2 né
// 4; E e F non possono essere 0." Letters left with one digit are named
// with it; those the step leaves one digit only through them follow.
void StepWriter::Conclusion(Paragraph& p, const PlannedLine& line) const {
  const DeductionStep& step = line.step;
  std::vector<std::string> fixed, then;
  DigitMask fixedDigits = 0;
  for (int s = 0; s < puzzle_.symbolCount; ++s) {
    if (DigitCount(line.after.masks[s]) != 1 || DigitCount(line.before.masks[s]) == 1) continue;
    const std::string is = Fill(kIs, {Symbol(s), Number(LowestDigit(line.after.masks[s]))});
    if (step.ruledOut[s] != 0) {
      fixed.push_back(is);
      fixedDigits |= line.after.masks[s];
    } else {
      then.push_back(is);
    }
  }
  // "E = 0" says that no other letter is 0: that is not repeated.
  std::vector<std::pair<DigitMask, SymbolMask>> groups;
  for (int s = 0; s < puzzle_.symbolCount; ++s) {
    const DigitMask digits = step.ruledOut[s] & line.before.masks[s] & static_cast<DigitMask>(~fixedDigits);
    if (digits == 0 || DigitCount(line.after.masks[s]) == 1) continue;
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
  if (!then.empty()) {
    p.Add(kThenLeft[then.size() > 1]);
    AddList(p, then, kAnd, kSentenceEnd);
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

// "se G fosse 2, GE × GD sarebbe almeno 20 × 20 = 400, ma GBA è al più
// 299 (e lo stesso con 3 e 4)".
void StepWriter::Bounds(Paragraph& p, const DeductionStep& step) const {
  const SchemaEquation& eq = puzzle_.equations[step.equation];
  const int s = step.range.symbol;
  const bool inResult = [&] {
    const PuzzleCell& c = puzzle_.cells[eq.result];
    for (int i = 0; i < c.length; ++i) {
      if (c.symbols[i] == s) return true;
    }
    return false;
  }();
  const std::string op = Glyph(eq.form == EquationForm::Sum ? kPlus : kMultiply);
  p.Add(step.technique == Technique::kLengths ? kLengths : kRanges);
  const bool both = step.range.clauses[0].digits != 0 && step.range.clauses[1].digits != 0;
  for (int k = 0; k < 2; ++k) {
    const BoundClause& c = step.range.clauses[k];
    if (c.digits == 0) continue;
    const std::string_view end = both && k == 0 ? kSemicolon : kComma;
    p.Add(kIfWere, {Symbol(s), Number(c.digit)});
    p.Add(k == 0 ? kWouldBeAtLeast : kWouldBeAtMost,
          {ReadAs(step.equation, 0), Number(c.first) + " " + op + " " + Number(c.second), Number(c.made)});
    const std::string_view but =
        k == 0 ? (inResult ? kButWouldBeAtMost : kButIsAtMost) : (inResult ? kButWouldBeAtLeast : kButIsAtLeast);
    const DigitMask others = static_cast<DigitMask>(c.digits & ~(1u << c.digit));
    p.Add(but, {Cell(eq.result), Number(c.result), others != 0 ? "" : end});
    if (others != 0) {
      p.Add(kLikewise);
      AddList(p, DigitNames(others), kAnd, std::string(")") + std::string(end));
    }
  }
}

void StepWriter::Identity(Paragraph& p, const PlannedLine& line) const {
  const DeductionStep& step = line.step;
  const IdentityDetail& id = step.identity;
  const SchemaEquation& eq = puzzle_.equations[step.equation];
  const std::string x = Cell(id.operand);
  p.Add(kIdentityHead);
  if (eq.form == EquationForm::Sum) {
    p.Add(kPlusSame);
    return;
  }
  if (id.zeros == 0) {
    p.Add(kTimesSame, {x});
    return;
  }
  const PuzzleCell& f = puzzle_.cells[id.factor];
  std::vector<std::string> zeros;
  SymbolMask seen = 0;
  for (int i = 1; i < f.length; ++i) {
    if (seen & (1u << f.symbols[i])) continue;
    seen |= static_cast<SymbolMask>(1u << f.symbols[i]);
    zeros.push_back(Fill(kIs, {Symbol(f.symbols[i]), "0"}));
  }
  p.Add(kZerosKnown, {JoinList(zeros, kAnd)});
  p.Add(kTimesTen, {x, Symbol(f.symbols[0]), x, x});
}

void StepWriter::TwoEquations(Paragraph& p, const DeductionStep& step) const {
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
      p.Add(kPairManyValues, {kPairFor[i], name, shared, JoinList(values(i), "")});
    }
  }
  if (step.contradiction == Contradiction::kSharedCell) return;
  if (step.search.valueCount[2] <= kShownValues) {
    p.Add(kPairCommon);
    AddList(p, values(2), kOr, kComma);
  } else {
    p.Add(kPairManyCommon, {JoinList(values(2), "")});
  }
}

void StepWriter::Write(const PlannedLine& line, std::string_view lead, LineSink& out) const {
  const DeductionStep& step = line.step;
  Paragraph p;
  if (line.closing) {
    const int s = step.trial.symbol;
    const DigitMask left = line.after.masks[s];
    if (DigitCount(left) == 1 && line.holds) {
      p.Add(kTrialConclusionSoIs,
            {Symbol(s), Number(step.trial.digit), Fill(kIs, {Symbol(s), Number(LowestDigit(left))})});
    } else {
      p.Add(kTrialConclusion, {Symbol(s), Number(step.trial.digit)});
    }
    std::vector<std::string> then;
    for (int t = 0; t < puzzle_.symbolCount; ++t) {
      if (t != s && DigitCount(line.after.masks[t]) == 1 && DigitCount(line.before.masks[t]) != 1) {
        then.push_back(Fill(kIs, {Symbol(t), Number(LowestDigit(line.after.masks[t]))}));
      }
    }
    if (!then.empty()) {
      p.Add(kThenLeft[then.size() > 1]);
      AddList(p, then, kAnd, kSentenceEnd);
    }
    if (!line.holds) p.Add(kThenNoDigit, {Symbol(EmptyLetter(line.after))});
    p.Write(out, lead, width_);
    return;
  }
  if (line.step.technique == Technique::kLeadingDigits && step.contradiction == Contradiction::kNoDigit) {
    p.Add(kWhyNoDigit, {Symbol(step.whySymbol >= 0 ? step.whySymbol : 0)});
    p.Write(out, lead, width_);
    return;
  }
  const bool onEquation = step.equation >= 0 && step.technique != Technique::kTwoEquations;
  if (onEquation) {
    const bool readAs = step.technique != Technique::kCombinations;
    Head(p, step.equation, readAs);
  }
  if (line.leadingNote && leadingSymbols_ != 0) {
    p.Add(std::popcount(static_cast<unsigned>(leadingSymbols_)) > 1 ? kLeadingDigitsMany : kLeadingDigitsOne,
          {Symbols(leadingSymbols_)});
  }
  switch (step.technique) {
    case Technique::kLeadingDigits:
      break;
    case Technique::kLengths:
    case Technique::kRanges:
      Bounds(p, step);
      break;
    case Technique::kOnlyPlace:
      if (step.contradiction == Contradiction::kNone) {
        p.Add(kOnlyPlace, {Digits(step.groupDigits, kAnd), Symbol(step.symbol)});
      }
      break;
    case Technique::kLastDigits: {
      const SchemaEquation& eq = puzzle_.equations[step.equation];
      p.Add(kLastDigits[step.columns]);
      p.Add(kMustEndWith, {ReadAs(step.equation, step.columns), Cell(eq.result, step.columns)});
      break;
    }
    case Technique::kIdentity:
      Identity(p, line);
      break;
    case Technique::kDigitGroup: {
      if (step.contradiction != Contradiction::kNone) break;
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
      const SymbolMask open = puzzle_.equationSymbols[step.equation] & static_cast<SymbolMask>(~line.before.settled);
      if (open == 0) {
        // Every letter settled (inside a trial): the equation with its digits.
        SymbolDigits digits;
        digits.fill(0);
        for (int s = 0; s < puzzle_.symbolCount; ++s) {
          digits[s] = static_cast<std::int8_t>(LowestDigit(line.before.masks[s]));
        }
        const SchemaEquation& eq = puzzle_.equations[step.equation];
        const auto v = [&](int cell) { return Number(CellValue(puzzle_.cells[cell], digits)); };
        p.Add(kSettledCheck, {v(eq.first) + " " + Glyph(eq.form == EquationForm::Sum ? kPlus : kMultiply) + " " +
                              v(eq.second) + " = " + v(eq.result)});
        break;
      }
      p.Add(kCombinations, {Symbols(open)});
      if (step.contradiction != Contradiction::kNone) break;
      if (step.search.solutionCount <= kShownSolutions) {
        std::vector<std::string> ways;
        for (int i = 0; i < step.search.solutionCount; ++i) {
          ways.push_back(WrittenSolution(step.equation, step.search.solutions[i]));
        }
        p.Add(kCombinationsOnly);
        AddList(p, ways, kAnd, kComma);
      } else {
        p.Add(kCombinationsNever);
      }
      break;
    }
    case Technique::kTwoEquations:
      TwoEquations(p, step);
      break;
    case Technique::kTrial: {
      // The digit assumed is taken from the others, which may leave them
      // one digit each: the reader is told which.
      const int s = step.trial.symbol;
      CandidateState assumed = line.before;
      RuleOut(puzzle_, assumed, s, line.before.masks[s] & static_cast<DigitMask>(~(1u << step.trial.digit)));
      Settle(puzzle_, assumed);
      std::vector<std::string> left;
      for (int t = 0; t < puzzle_.symbolCount; ++t) {
        if (t != s && DigitCount(assumed.masks[t]) == 1 && DigitCount(line.before.masks[t]) != 1) {
          left.push_back(Fill(kIs, {Symbol(t), Number(LowestDigit(assumed.masks[t]))}));
        }
      }
      if (left.empty()) {
        p.Add(kTrial, {Symbol(s), Number(step.trial.digit)});
      } else {
        p.Add(kTrialThen, {Symbol(s), Number(step.trial.digit)});
        p.Add(kTrialLeft[left.size() > 1]);
        AddList(p, left, kAnd, ":");
      }
      p.Write(out, lead, width_);
      return;
    }
  }
  switch (step.contradiction) {
    case Contradiction::kNone:
      Conclusion(p, line);
      if (!line.holds) p.Add(kThenNoDigit, {Symbol(EmptyLetter(line.after))});
      break;
    case Contradiction::kEquation:
      p.Add(kWhyEquation, {step.technique == Technique::kCombinations ? Named(step.equation) : Name(step.equation)});
      break;
    case Contradiction::kTooFewDigits:
      if (step.technique == Technique::kOnlyPlace) {
        p.Add(kOnlyPlace, {Digits(step.groupDigits, kAnd), Symbols(step.group)});
      }
      p.Add(kWhyTooFewDigits, {Symbols(step.group)});
      break;
    case Contradiction::kSharedCell:
      p.Add(kWhySharedCell, {Name(PairRow(step.pair)), Name(PairColumn(step.pair)), Cell(PairCell(step.pair))});
      break;
    case Contradiction::kNoDigit:
      p.Add(kWhyNoDigit, {Symbol(step.whySymbol)});
      break;
  }
  p.Write(out, lead, width_);
}

}  // namespace

void WritePlan(const DeductionPuzzle& puzzle, const ExplanationPlan& plan, int first, int count, LineSink& out,
               std::size_t width) {
  const StepWriter writer(puzzle, plan.leadingSymbols, width);
  if (first == 0 && count > 0 && puzzle.leadingZeros) {
    Paragraph note;
    note.Add(kLeadingZerosNote);
    note.Write(out, "", width);
  }
  int number = 0;
  std::string base;
  for (const PlannedLine& line : plan.lines) {
    if (line.depth == 0 && !line.closing) {
      ++number;
      base = std::string(Number(number).size() + 2, ' ');
    }
    if (number <= first) continue;
    if (number > first + count) break;
    std::string lead;
    if (line.depth == 0 && !line.closing) {
      lead = Number(number) + ". ";
    } else if (line.closing) {
      lead = base + std::string(2 * line.depth, ' ');
    } else {
      lead = base + std::string(2 * (line.depth - 1), ' ') + std::string(kSubLine);
    }
    writer.Write(line, lead, out);
  }
}

std::string NamedEquation(const DeductionPuzzle& puzzle, int equation) { return StepWriter(puzzle, 0).Named(equation); }

std::string LetterName(const DeductionPuzzle& puzzle, int symbol) { return StepWriter(puzzle, 0).Symbol(symbol); }

}  // namespace zifrel
