#include "tests/support/relation_checks.h"

#include <atomic>
#include <set>
#include <vector>

#include "core/utf8.h"
#include "libero/libero_job.h"
#include "parole/word_explanation.h"

namespace zifrel::testing {
namespace {

// Whether a word relation such as "gatto+gatto=cane+cane+cane" holds when
// each letter is the digit of `digitOf`: sums and differences only.
bool Holds(const std::string& relation, const std::array<int, 26>& digitOf) {
  std::int64_t balance = 0, word = 0;
  int sign = 1, side = 1;
  for (const char c : relation + "+") {
    if (c >= 'a' && c <= 'z') {
      word = word * 10 + digitOf[c - 'a'];
      continue;
    }
    balance += side * sign * word;
    word = 0;
    sign = c == '-' ? -1 : 1;
    if (c == '=') side = -1;
  }
  return balance == 0;
}

}  // namespace

std::string GeneratedRelationsFault(const parole::WordList& list, const parole::GeneratorOptions& options,
                                    std::int32_t seed, int count) {
  parole::RelationGenerator generator(list, options, seed);
  StopFlag stop;
  std::set<std::string> seen;
  for (int k = 0; k < count; ++k) {
    const parole::GeneratedRelation relation = generator.Next(stop);
    const std::string where = "seed " + std::to_string(seed) + ", relation " + std::to_string(k) + ": ";
    if (relation.end != SearchEnd::kFound) return where + "none found";
    libero::FreeRelations job;
    LineCollector out;
    std::atomic<std::int32_t> solutions{0};
    const std::vector<std::string> lines = {relation.text};
    job.SolveFreeRelations(
        lines, [](std::span<const std::string>) {}, out, stop, solutions);
    if (out.lines.size() != 5 || out.lines.back() != "1 soluzione") return where + relation.text + " not unique";
    // " LETTERS" above " DIGITS".
    std::array<int, 26> digitOf{};
    for (std::size_t i = 1; i < out.lines[0].size(); ++i) digitOf[out.lines[0][i] - 'A'] = out.lines[2][i] - '0';
    if (!Holds(relation.text, digitOf)) return where + relation.text + " false for " + out.lines[2];
    const std::size_t letters = out.lines[0].size() - 1;
    if (letters > 10 || (options.letters > 0 && letters != static_cast<std::size_t>(options.letters))) {
      return where + relation.text + " has " + std::to_string(letters) + " letters";
    }
    if (!seen.insert(relation.text).second) return where + relation.text + " twice";
  }
  return "";
}

std::string WordExplanationFault(const std::string& relation) {
  StopFlag stop;
  libero::FreeRelations job;
  LineCollector report;
  std::atomic<std::int32_t> solutions{0};
  const std::vector<std::string> lines = {relation};
  job.SolveFreeRelations(
      lines, [](std::span<const std::string>) {}, report, stop, solutions);
  if (report.lines.size() != 5 || report.lines.back() != "1 soluzione") return relation + ": not unique";
  std::array<int, 26> digitOf{};
  for (std::size_t i = 1; i < report.lines[0].size(); ++i) {
    digitOf[report.lines[0][i] - 'A'] = report.lines[2][i] - '0';
  }

  const std::optional<parole::WordSum> sum = parole::ParseWordSum(relation);
  if (!sum) return relation + ": not read as a sum of words";
  const auto keepsSolution = [&](const parole::LetterDigits& digits) {
    for (std::size_t i = 0; i < sum->letters.size(); ++i) {
      if ((digits[i] >> digitOf[sum->letters[i] - 'a'] & 1u) == 0) return false;
    }
    return true;
  };
  const parole::WordDeduction deduction = parole::DeduceWordSum(*sum, stop);
  if (!deduction.finished) return relation + ": not finished";
  for (std::size_t k = 0; k < deduction.steps.size(); ++k) {
    if (!keepsSolution(deduction.steps[k].after)) return relation + ": step " + std::to_string(k + 1) + " loses it";
  }
  for (std::size_t i = 0; i < sum->letters.size(); ++i) {
    if (deduction.digits[i] != 1u << digitOf[sum->letters[i] - 'a']) return relation + ": ends elsewhere";
  }

  LineCollector text;
  if (parole::ExplainWordRelation(lines, stop, text) != parole::WordExplainOutcome::kExplained) {
    return relation + ": not explained";
  }
  for (const std::string& line : text.lines) {
    if (CodePointCount(line) > 78) return relation + ": a line of " + std::to_string(CodePointCount(line));
  }
  const std::vector<std::string> tail(text.lines.end() - 6, text.lines.end() - 1);
  if (tail != report.lines) return relation + ": not ending with Libero's report";
  if (text.lines.back() != LevelLine(deduction.level)) return relation + ": " + text.lines.back();
  return "";
}

}  // namespace zifrel::testing
