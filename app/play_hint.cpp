#include "app/play_hint.h"

#include <memory>

#include "app/play_phrases.h"
#include "core/messages.h"
#include "core/paragraph.h"
#include "core/utf8.h"
#include "deduce/deduction.h"
#include "deduce/explanation_phrases.h"
#include "deduce/explanation_text.h"

namespace zifrel {
namespace {

// Enough to try every way any one equation holds with a digit or two
// fixed; a Schema of four-digit numbers needs far fewer.
constexpr long kRefutationBudget = 2'000'000;

std::string EquationName(int e) { return Fill(e < 3 ? phrase::kRow : phrase::kColumn, {std::to_string(e % 3 + 1)}); }

// The player's digits on the deduction's symbols; -1 for a letter still empty.
SymbolDigits GivenDigits(const DeductionPuzzle& puzzle, const std::vector<KnownDigit>& known) {
  SymbolDigits given;
  given.fill(-1);
  for (const KnownDigit& k : known) {
    const std::u32string letter = DecodeUtf8(k.letter);
    for (int s = 0; s < puzzle.symbolCount && s < kMaxSymbols; ++s) {
      if (letter.size() == 1 && puzzle.symbolChars[s] == letter[0]) given[s] = static_cast<std::int8_t>(k.digit);
    }
  }
  return given;
}

bool Leading(const DeductionPuzzle& puzzle, int s) {
  return !puzzle.leadingZeros && (puzzle.leadingSymbols >> s & 1) != 0;
}

// The equation that cannot hold with the wrong digit of `wrong` and the
// right digits given, every other letter free; -1 when each of them can.
int BrokenEquation(const DeductionPuzzle& puzzle, const SymbolDigits& given, const SymbolDigits& answer, int wrong,
                   EquationSearch& search) {
  std::array<DigitMask, kMaxSymbols> masks{};
  DigitMask used = 0;
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (given[s] >= 0 && (s == wrong || given[s] == answer[s])) used |= static_cast<DigitMask>(1u << given[s]);
  }
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (given[s] >= 0 && (s == wrong || given[s] == answer[s])) {
      masks[s] = static_cast<DigitMask>(1u << given[s]);
    } else {
      masks[s] = static_cast<DigitMask>(kAnyDigit & ~used & (Leading(puzzle, s) ? ~1u : ~0u));
    }
  }
  for (int e = 0; e < kOperatorCount; ++e) {
    if ((puzzle.symbolEquations[wrong] >> e & 1) == 0) continue;
    const EquationSearch::Request request{e, EquationLength(puzzle, e), true, kRefutationBudget};
    if (search.Run(puzzle, masks, request) && search.SolutionCount() == 0) return e;
  }
  return -1;
}

std::string SymbolText(const DeductionPuzzle& puzzle, int s) {
  std::string text;
  AppendUtf8(text, puzzle.symbolChars[s]);
  return text;
}

}  // namespace

// For now the next step is read off the whole deduction: the first of its
// steps that rules out a digit of a letter still empty. Every step before
// it concerns only letters whose digits the player has right, so the step
// follows from what the player knows.
PlayHint HintFromKnownDigits(const std::array<std::string, kCellCount>& cells, const OpCodes& ops,
                             const std::vector<KnownDigit>& known, StopFlag& stop) {
  const auto deduction = std::make_unique<SchemaDeduction>();
  switch (deduction->Deduce(CellTextsOf(cells), ops, stop)) {
    case DeductionOutcome::kDeduced:
      break;
    case DeductionOutcome::kStopped:
      return {HintOutcome::kStopped, {}};
    case DeductionOutcome::kIncomplete:
      return {HintOutcome::kRefused, {std::string(msg::kIncomplete)}};
    case DeductionOutcome::kTooManySymbols:
      return {HintOutcome::kRefused, {std::string(msg::kTooManySymbols)}};
    default:
      return {HintOutcome::kRefused, {std::string(phrase::kNotUnique)}};
  }
  const DeductionPuzzle& puzzle = deduction->Puzzle();
  const SymbolDigits answer = DigitsOfGrid(puzzle, deduction->Solver().Solution(0));
  const SymbolDigits given = GivenDigits(puzzle, known);

  // A wrong digit first: the one an equation shows wrong, else the first.
  int firstWrong = -1;
  const auto search = std::make_unique<EquationSearch>();
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (given[s] < 0 || given[s] == answer[s]) continue;
    if (stop.Poll()) return {HintOutcome::kStopped, {}};
    const std::string symbol = SymbolText(puzzle, s);
    const std::string digit = std::to_string(given[s]);
    if (given[s] == 0 && Leading(puzzle, s)) return {HintOutcome::kHint, {Fill(play::kLeadingZero, {symbol})}};
    const int e = BrokenEquation(puzzle, given, answer, s, *search);
    if (e >= 0) return {HintOutcome::kHint, {Fill(play::kWrongBreaks, {symbol, digit, EquationName(e)})}};
    if (firstWrong < 0) firstWrong = s;
  }
  if (firstWrong >= 0) {
    return {HintOutcome::kHint,
            {Fill(play::kWrongDigit, {SymbolText(puzzle, firstWrong), std::to_string(given[firstWrong])})}};
  }

  for (int i = 0; i < deduction->StepCount(); ++i) {
    const Step& step = deduction->StepAt(i);
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      if (given[s] >= 0 || step.ruledOut[s] == 0) continue;
      LineCollector lines;
      WriteSteps(*deduction, i, 1, lines);
      return {HintOutcome::kHint, std::move(lines.lines)};
    }
  }
  return {HintOutcome::kHint, {std::string(play::kAllGivenRight)}};
}

}  // namespace zifrel
