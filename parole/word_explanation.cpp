#include "parole/word_explanation.h"

#include <atomic>
#include <bit>
#include <vector>

#include "core/messages.h"
#include "core/paragraph.h"
#include "libero/libero_job.h"
#include "parole/word_phrases.h"

namespace zifrel::parole {
namespace {

using namespace phrase;

// Explanations fill lines up to this width, as the Schema explanations do.

// Lines shorter than this are not relations: Libero drops them too.
constexpr std::size_t kShortestRelation = 3;

class CapturedLines final : public LineSink {
 public:
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

void WriteAll(const std::vector<std::string>& lines, LineSink& out) {
  for (const std::string& line : lines) out.AppendLine(line);
}

std::string Letter(const WordSum& sum, int i) {
  return std::string(1, static_cast<char>(sum.letters[static_cast<std::size_t>(i)] - 'a' + 'A'));
}

std::string Digit(int d) { return std::string(1, static_cast<char>('0' + d)); }

// "ed" before a word that starts with e: "B ed E".
std::string_view AndBefore(std::string_view next) {
  return next.starts_with('E') || next.starts_with('e') ? kAndBeforeE : kAnd;
}

// One side of the relation, each word cut to its last `columns` letters
// (all of them for 0): "TO + TO", "E - O".
std::string Side(const WordSum& sum, bool right, int columns) {
  std::string text;
  for (const WordSum::Term& term : sum.terms) {
    if (term.right != right) continue;
    if (!text.empty()) text += term.sign > 0 ? " + " : " - ";
    const std::size_t n = term.word.size();
    const std::size_t from = columns > 0 && n > static_cast<std::size_t>(columns) ? n - columns : 0;
    for (std::size_t k = from; k < n; ++k) text += static_cast<char>(term.word[k] - 'a' + 'A');
  }
  return text;
}

// "quindi C = 7 e D = 1; A e B non possono essere 2 né 4." from what a step
// changed.
void Conclusion(Paragraph& p, const WordSum& sum, const WordStep& step) {
  const int letters = static_cast<int>(sum.letters.size());
  std::vector<std::string> known;
  // Letters with the same digits ruled out go together, in letter order.
  std::vector<std::pair<std::uint16_t, std::vector<std::string>>> groups;
  for (int i = 0; i < letters; ++i) {
    const std::uint16_t removed = step.before[i] & ~step.after[i];
    if (removed == 0) continue;
    if (std::popcount(step.after[i]) == 1) {
      known.push_back(Fill(kIs, {Letter(sum, i), Digit(std::countr_zero(step.after[i]))}));
      continue;
    }
    auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == removed; });
    if (group == groups.end()) group = groups.insert(groups.end(), {removed, {}});
    group->second.push_back(Letter(sum, i));
  }
  p.Add(kSo);
  if (!known.empty()) p.AddList(known, AndBefore(known.back()), groups.empty() ? kSentenceEnd : kClauseEnd);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const auto& [removed, names] = groups[g];
    p.AddList(names, AndBefore(names.back()), "");
    p.Add(names.size() == 1 ? kIsNot : kAreNot);
    std::vector<std::string> digits;
    for (unsigned rest = removed; rest != 0; rest &= rest - 1) digits.push_back(Digit(std::countr_zero(rest)));
    p.AddList(digits, kNor, g + 1 == groups.size() ? kSentenceEnd : kClauseEnd);
  }
}

void WriteStep(const WordSum& sum, const WordStep& step, const std::string& lead, std::size_t width, LineSink& out) {
  Paragraph p;
  switch (step.technique) {
    case WordTechnique::kLeadingLetters:
      p.Add(kLeadingLetters);
      break;
    case WordTechnique::kDifferent:
      p.Add(kDifferent, {Letter(sum, step.letter), Digit(std::countr_zero(step.before[step.letter]))});
      break;
    case WordTechnique::kOnlyLetter:
      p.Add(kOnlyLetter, {Digit(step.digit), Letter(sum, step.letter)});
      break;
    case WordTechnique::kUnits:
      p.Add(kUnits, {Side(sum, false, 1), Side(sum, true, 1)});
      break;
    case WordTechnique::kColumnsFew:
    case WordTechnique::kColumns:
    case WordTechnique::kColumnsMany:
      p.Add(kColumns[step.columns]);
      p.Add(kMustEndAs, {Side(sum, false, step.columns), Side(sum, true, step.columns)});
      break;
    case WordTechnique::kLengths:
    case WordTechnique::kRanges:
      p.Add(step.technique == WordTechnique::kLengths ? kLengths : kRanges,
            {Side(sum, false, 0), std::to_string(step.leftLow), std::to_string(step.leftHigh), Side(sum, true, 0),
             std::to_string(step.rightLow), std::to_string(step.rightHigh)});
      break;
    case WordTechnique::kEveryWay:
    case WordTechnique::kExhaustive:
      if (step.ways == 1) {
        p.Add(kOneWay);
      } else {
        p.Add(kSomeWays, {std::to_string(step.ways)});
      }
      break;
    case WordTechnique::kTrial:
    case WordTechnique::kNestedTrial: {
      p.Add(kTrial, {Letter(sum, step.letter), Digit(step.digit)});
      p.Write(out, lead, width);
      const std::string indent(lead.size(), ' ');
      for (const WordStep& inner : step.inner) WriteStep(sum, inner, indent + std::string(kTrialStepLead), width, out);
      Paragraph end;
      if (step.sumFails || step.inner.empty()) {
        end.Add(kTrialSumFails);
      } else {
        const LetterDigits& last = step.inner.back().after;
        const int empty =
            static_cast<int>(std::find(last.begin(), last.begin() + sum.letters.size(), 0) - last.begin());
        end.Add(kTrialNoDigit, {Letter(sum, empty)});
      }
      end.Add(kTrialConclusion, {Letter(sum, step.letter), Digit(step.digit)});
      end.Write(out, indent, width);
      return;
    }
  }
  Conclusion(p, sum, step);
  p.Write(out, lead, width);
}

}  // namespace

void WriteWordSteps(const WordSum& sum, const WordDeduction& deduction, LineSink& out, std::size_t width) {
  int number = 0;
  for (const WordStep& step : deduction.steps) WriteStep(sum, step, std::to_string(++number) + ". ", width, out);
}

WordExplainOutcome ExplainWordRelation(std::span<const std::string> lines, StopFlag& stop, LineSink& out,
                                       std::size_t width) {
  std::vector<std::string> relations;
  for (const std::string& line : lines) {
    if (line.size() >= kShortestRelation) relations.push_back(line);
  }
  if (relations.size() != 1) {
    out.AppendLine(kOneRelation);
    return WordExplainOutcome::kRefused;
  }
  // Libero's own report comes first: it refuses what it refuses, and its
  // solution ends the explanation.
  CapturedLines report;
  std::atomic<std::int32_t> count{0};
  libero::FreeRelations job;
  const libero::JobEnd end = job.SolveFreeRelations(
      relations, [](std::span<const std::string>) {}, report, stop, count);
  if (end != libero::JobEnd::kSearched || stop.IsSet()) {
    WriteAll(report.lines, out);
    return end == libero::JobEnd::kRefused ? WordExplainOutcome::kRefused : WordExplainOutcome::kStopped;
  }
  const std::optional<WordSum> sum = ParseWordSum(relations[0]);
  if (!sum) {
    out.AppendLine(kNotWordSum);
    return WordExplainOutcome::kNotWordSum;
  }
  if (count.load() != 1) {
    WriteAll(report.lines, out);
    out.AppendLine(kNotUnique);
    return WordExplainOutcome::kNotUnique;
  }
  const WordDeduction deduction = DeduceWordSum(*sum, stop);
  if (!deduction.finished) {
    out.AppendLine(msg::kFreeSearchStopped);
    return WordExplainOutcome::kStopped;
  }
  WriteWordSteps(*sum, deduction, out, width);
  WriteAll(report.lines, out);
  out.AppendLine(LevelLine(deduction.level));
  return WordExplainOutcome::kExplained;
}

WordGrading GradeWordRelation(std::string_view relation, StopFlag& stop) {
  const std::optional<WordSum> sum = ParseWordSum(relation);
  if (!sum) return {WordExplainOutcome::kNotWordSum, 0};
  if (CountSolutions(*sum, 2) != 1) return {WordExplainOutcome::kNotUnique, 0};
  const WordDeduction deduction = DeduceWordSum(*sum, stop);
  if (!deduction.finished) return {WordExplainOutcome::kStopped, 0};
  return {WordExplainOutcome::kExplained, deduction.level};
}

}  // namespace zifrel::parole
