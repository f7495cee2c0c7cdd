#include "parole/word_deduction.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>

namespace zifrel::parole {
namespace {

constexpr std::uint16_t kAllDigits = 0x3FF;

// Trying the ways a group of letters can take their digits, column by column
// from the units as a person does, dropping a way as soon as a column does
// not add up: a step is as hard as the digits it tries. Up to 100 tries make
// an easy step, 1,000 a harder one, 10,000 the hardest before a trial; the
// shares of the levels over generated relations were measured with
// bench/parole_bench.cpp.
int MaxTries(WordTechnique technique) {
  switch (technique) {
    case WordTechnique::kColumnsFew:
      return 100;
    case WordTechnique::kColumns:
      return 1000;
    case WordTechnique::kExhaustive:
      return INT32_MAX;
    default:
      return 10000;
  }
}

// Trials inside trials go no deeper than this; a relation that needs more
// is finished by trying every digit still possible.
constexpr int kMaxTrialDepth = 3;

int Count(std::uint16_t digits) { return std::popcount(digits); }
int Lowest(std::uint16_t digits) { return std::countr_zero(digits); }
int Highest(std::uint16_t digits) { return 15 - std::countl_zero(digits); }

class Deducer {
 public:
  Deducer(const WordSum& sum, StopFlag& stop) : sum_(sum), stop_(stop), letters_(static_cast<int>(sum.letters.size())) {
    // The places of each letter: on which side, with which sign and power.
    for (const WordSum::Term& term : sum.terms) {
      const int n = static_cast<int>(term.word.size());
      std::int64_t place = 1;
      for (int p = 0; p < n; ++p, place *= 10) {
        const int i = sum.LetterIndex(term.word[n - 1 - p]);
        (term.right ? right_ : left_)[i] += term.sign * place;
        for (int k = p + 1; k <= sum.columns; ++k) {
          low_[k][i] += (term.right ? -term.sign : term.sign) * place;
          inColumns_[k] |= 1u << i;
        }
      }
    }
    modulus_[0] = 1;
    for (int k = 1; k <= sum.columns; ++k) modulus_[k] = modulus_[k - 1] * 10;
    // Letters come in column order: the first column of the next letter is
    // the first one not yet complete.
    for (int i = 0; i < letters_; ++i) {
      complete_[i] = sum.columns;
      for (int k = 1; k <= sum.columns; ++k) {
        if (i + 1 < letters_ && (inColumns_[k] >> (i + 1) & 1u)) {
          complete_[i] = k - 1;
          break;
        }
      }
    }
  }

  // Steps from `digits` until every letter has one digit, a contradiction,
  // or no technique up to `trialDepth` trials deep helps. Returns whether it
  // reached a contradiction; `steps` gets the steps, `digits` the result.
  enum class End { kSolved, kContradiction, kStuck, kStopped };
  End Run(LetterDigits& digits, int trialDepth, std::vector<WordStep>& steps, bool& sumFails);

 private:
  std::optional<WordStep> Next(const LetterDigits& d, int trialDepth);
  std::optional<WordStep> Leading(const LetterDigits& d) const;
  std::optional<WordStep> Different(const LetterDigits& d) const;
  std::optional<WordStep> OnlyLetter(const LetterDigits& d) const;
  // The step the last `k` columns give, if they narrow a digit within
  // `maxTries`; `done` tells whether they were tried to the end.
  std::optional<WordStep> Columns(const LetterDigits& d, int k, int maxTries, bool& done) const;
  std::optional<WordStep> Ranges(const LetterDigits& d, WordTechnique technique) const;
  std::optional<WordStep> EveryWay(const LetterDigits& d, WordTechnique technique) const;
  std::optional<WordStep> Trial(const LetterDigits& d, int depth);

  // The ways the letters of the last `k` columns (of all of them, with the
  // whole relation holding, for k = 0) take distinct digits from `d`;
  // `seen` gets each letter's digits over those ways. False when that takes
  // more than `maxTries` digits tried.
  bool Ways(const LetterDigits& d, int k, int maxTries, LetterDigits& seen, int& ways, int& tries) const;

  bool Contradiction(const LetterDigits& d) const {
    return std::any_of(d.begin(), d.begin() + letters_, [](std::uint16_t m) { return m == 0; });
  }
  bool AllKnown(const LetterDigits& d) const {
    return std::all_of(d.begin(), d.begin() + letters_, [](std::uint16_t m) { return Count(m) == 1; });
  }
  // With every letter known: whether the digits differ and the relation holds.
  bool Holds(const LetterDigits& d) const {
    std::int64_t total = 0;
    std::uint16_t used = 0;
    for (int i = 0; i < letters_; ++i) {
      if (used & d[i]) return false;
      used |= d[i];
      total += sum_.weight[i] * Lowest(d[i]);
    }
    return total == 0;
  }

  const WordSum& sum_;
  StopFlag& stop_;
  int letters_;
  std::array<std::int64_t, WordSum::kMaxLetters> left_{}, right_{};  // the letter's weight in each side's value
  // low_[k]: each letter's weight within the last k places; inColumns_[k]:
  // the letters of those columns.
  std::array<std::array<std::int64_t, WordSum::kMaxLetters>, WordSum::kMaxColumns + 1> low_{};
  std::array<unsigned, WordSum::kMaxColumns + 1> inColumns_{};
  std::array<std::int64_t, WordSum::kMaxColumns + 1> modulus_{};
  // By letter: the columns from the units that have all their letters once
  // this letter and those before it have their digits.
  std::array<int, WordSum::kMaxLetters> complete_{};
};

WordStep StepFrom(WordTechnique technique, const LetterDigits& before, const LetterDigits& after) {
  WordStep step;
  step.technique = technique;
  step.before = before;
  step.after = after;
  return step;
}

std::optional<WordStep> Deducer::Leading(const LetterDigits& d) const {
  LetterDigits after = d;
  for (int i = 0; i < letters_; ++i) {
    if (sum_.leading[i]) after[i] &= ~1u;
  }
  if (after == d) return std::nullopt;
  return StepFrom(WordTechnique::kLeadingLetters, d, after);
}

std::optional<WordStep> Deducer::Different(const LetterDigits& d) const {
  for (int i = 0; i < letters_; ++i) {
    if (Count(d[i]) != 1) continue;
    LetterDigits after = d;
    for (int j = 0; j < letters_; ++j) {
      if (j != i) after[j] &= ~d[i];
    }
    if (after == d) continue;
    WordStep step = StepFrom(WordTechnique::kDifferent, d, after);
    step.letter = i;
    return step;
  }
  return std::nullopt;
}

std::optional<WordStep> Deducer::OnlyLetter(const LetterDigits& d) const {
  if (letters_ != WordSum::kMaxLetters) return std::nullopt;
  for (int digit = 0; digit <= 9; ++digit) {
    int only = -1, holders = 0;
    for (int i = 0; i < letters_; ++i) {
      if (d[i] >> digit & 1u) only = i, ++holders;
    }
    if (holders != 1 || Count(d[only]) == 1) continue;
    LetterDigits after = d;
    after[only] = static_cast<std::uint16_t>(1u << digit);
    WordStep step = StepFrom(WordTechnique::kOnlyLetter, d, after);
    step.digit = digit;
    step.letter = only;
    return step;
  }
  return std::nullopt;
}

bool Deducer::Ways(const LetterDigits& d, int k, int maxTries, LetterDigits& seen, int& ways, int& tries) const {
  const bool whole = k == 0;
  const int n = whole ? letters_ : std::popcount(inColumns_[k]);  // letters 0..n-1
  const int last = whole ? sum_.columns : k;
  std::array<int, WordSum::kMaxLetters> chosen{};
  tries = 0;
  ways = 0;
  const auto visit = [&](auto& self, int at, unsigned used, std::int64_t total) -> bool {
    if (at == n) {
      if (whole && total != 0) return true;
      ++ways;
      for (int j = 0; j < n; ++j) seen[j] |= static_cast<std::uint16_t>(1u << chosen[j]);
      return true;
    }
    const int columns = std::min(complete_[at], last);
    const bool closes = columns > (at > 0 ? std::min(complete_[at - 1], last) : 0);
    for (unsigned rest = d[at] & ~used; rest != 0; rest &= rest - 1) {
      if (++tries > maxTries) return false;
      chosen[at] = std::countr_zero(rest);
      if (closes) {
        std::int64_t low = 0;
        for (int j = 0; j <= at; ++j) low += low_[columns][j] * chosen[j];
        if (low % modulus_[columns] != 0) continue;
      }
      if (!self(self, at + 1, used | (1u << chosen[at]), total + sum_.weight[at] * chosen[at])) return false;
    }
    return true;
  };
  return visit(visit, 0, 0, 0);
}

std::optional<WordStep> Deducer::Columns(const LetterDigits& d, int k, int maxTries, bool& done) const {
  const unsigned group = inColumns_[k];
  LetterDigits seen{};
  int ways = 0, tries = 0;
  done = Ways(d, k, maxTries, seen, ways, tries);
  if (!done) return std::nullopt;
  LetterDigits after = d;
  for (int i = 0; i < letters_; ++i) {
    if (group >> i & 1u) after[i] &= seen[i];
  }
  if (after == d) return std::nullopt;
  WordStep step = StepFrom(k == 1 ? WordTechnique::kUnits : WordTechnique::kColumnsMany, d, after);
  step.columns = k;
  return step;
}

std::optional<WordStep> Deducer::Ranges(const LetterDigits& d, WordTechnique technique) const {
  // From the lengths alone every letter may be any digit but 0 at the start
  // of a word; later the digits still possible narrow the values. Each side
  // is bounded alone, as a person bounds it, and the two must meet.
  LetterDigits from = d;
  if (technique == WordTechnique::kLengths) {
    for (int i = 0; i < letters_; ++i) from[i] = sum_.leading[i] ? kAllDigits & ~1u : kAllDigits;
  }
  const auto bound = [&](const std::array<std::int64_t, WordSum::kMaxLetters>& w, int i, std::uint16_t digits,
                         bool high) {
    const std::int64_t a = w[i] * Lowest(digits), b = w[i] * Highest(digits);
    return high ? std::max(a, b) : std::min(a, b);
  };
  std::int64_t leftLow = 0, leftHigh = 0, rightLow = 0, rightHigh = 0;
  for (int i = 0; i < letters_; ++i) {
    leftLow += bound(left_, i, from[i], false);
    leftHigh += bound(left_, i, from[i], true);
    rightLow += bound(right_, i, from[i], false);
    rightHigh += bound(right_, i, from[i], true);
  }
  LetterDigits after = d;
  for (int i = 0; i < letters_; ++i) {
    for (unsigned rest = d[i]; rest != 0; rest &= rest - 1) {
      const int digit = std::countr_zero(rest);
      const auto one = static_cast<std::uint16_t>(1u << digit);
      const std::int64_t ll = leftLow - bound(left_, i, from[i], false) + bound(left_, i, one, false);
      const std::int64_t lh = leftHigh - bound(left_, i, from[i], true) + bound(left_, i, one, true);
      const std::int64_t rl = rightLow - bound(right_, i, from[i], false) + bound(right_, i, one, false);
      const std::int64_t rh = rightHigh - bound(right_, i, from[i], true) + bound(right_, i, one, true);
      if (lh < rl || rh < ll) after[i] &= static_cast<std::uint16_t>(~one);
    }
  }
  if (after == d) return std::nullopt;
  WordStep step = StepFrom(technique, d, after);
  step.leftLow = leftLow;
  step.leftHigh = leftHigh;
  step.rightLow = rightLow;
  step.rightHigh = rightHigh;
  return step;
}

std::optional<WordStep> Deducer::EveryWay(const LetterDigits& d, WordTechnique technique) const {
  LetterDigits seen{};
  int ways = 0, tries = 0;
  if (!Ways(d, 0, MaxTries(technique), seen, ways, tries)) return std::nullopt;
  LetterDigits after = d;
  for (int i = 0; i < letters_; ++i) after[i] &= seen[i];
  if (after == d) return std::nullopt;
  WordStep step = StepFrom(technique, d, after);
  step.ways = ways;
  return step;
}

std::optional<WordStep> Deducer::Trial(const LetterDigits& d, int depth) {
  // The letters with fewest digits first: a trial on two digits settles a
  // letter when it fails.
  std::array<int, WordSum::kMaxLetters> order{};
  for (int i = 0; i < letters_; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.begin() + letters_, [&](int a, int b) { return Count(d[a]) < Count(d[b]); });
  for (int k = 0; k < letters_; ++k) {
    const int i = order[k];
    if (Count(d[i]) < 2) continue;
    for (unsigned rest = d[i]; rest != 0; rest &= rest - 1) {
      const int digit = std::countr_zero(rest);
      LetterDigits assumed = d;
      assumed[i] = static_cast<std::uint16_t>(1u << digit);
      WordStep step;
      if (Run(assumed, depth - 1, step.inner, step.sumFails) != End::kContradiction) {
        if (stop_.IsSet()) return std::nullopt;
        continue;
      }
      step.technique = depth > 1 ? WordTechnique::kNestedTrial : WordTechnique::kTrial;
      step.before = d;
      step.after = d;
      step.after[i] &= static_cast<std::uint16_t>(~(1u << digit));
      step.letter = i;
      step.digit = digit;
      return step;
    }
  }
  return std::nullopt;
}

std::optional<WordStep> Deducer::Next(const LetterDigits& d, int trialDepth) {
  if (auto step = Leading(d)) return step;
  if (auto step = Different(d)) return step;
  if (auto step = OnlyLetter(d)) return step;
  bool unitsDone = false;
  if (auto step = Columns(d, 1, MaxTries(WordTechnique::kUnits), unitsDone)) return step;
  // Each group of last columns is tried with the tries of the easiest step
  // first, and again with more only when those ran out.
  std::array<int, WordSum::kMaxColumns + 1> budget{};  // the tries a group was given; 0: none yet
  std::array<bool, WordSum::kMaxColumns + 1> done{};   // it finished within them
  for (const WordTechnique technique : {WordTechnique::kColumnsFew, WordTechnique::kLengths, WordTechnique::kColumns,
                                        WordTechnique::kRanges, WordTechnique::kColumnsMany}) {
    if (technique == WordTechnique::kLengths || technique == WordTechnique::kRanges) {
      if (auto step = Ranges(d, technique)) return step;
      continue;
    }
    for (int k = 2; k <= sum_.columns; ++k) {
      if (done[k]) continue;
      budget[k] = MaxTries(technique);
      std::optional<WordStep> step = Columns(d, k, budget[k], done[k]);
      if (step) {
        step->technique = technique;
        return step;
      }
    }
  }
  if (auto step = EveryWay(d, WordTechnique::kEveryWay)) return step;
  // A trial of depth n may hold trials of depth n - 1 within it.
  for (int depth = 1; depth <= trialDepth; ++depth) {
    if (auto step = Trial(d, depth)) return step;
    if (stop_.IsSet()) return std::nullopt;
  }
  // Only the outermost search goes this far: every way the relation holds
  // with the digits left, however many.
  if (trialDepth == kMaxTrialDepth) return EveryWay(d, WordTechnique::kExhaustive);
  return std::nullopt;
}

Deducer::End Deducer::Run(LetterDigits& digits, int trialDepth, std::vector<WordStep>& steps, bool& sumFails) {
  sumFails = false;
  for (;;) {
    if (stop_.Poll()) return End::kStopped;
    if (Contradiction(digits)) return End::kContradiction;
    if (AllKnown(digits) && !Different(digits)) {
      if (Holds(digits)) return End::kSolved;
      sumFails = true;
      return End::kContradiction;
    }
    std::optional<WordStep> step = Next(digits, trialDepth);
    if (!step) return stop_.IsSet() ? End::kStopped : End::kStuck;
    digits = step->after;
    steps.push_back(std::move(*step));
  }
}

}  // namespace

int LevelOf(WordTechnique technique) {
  switch (technique) {
    case WordTechnique::kLeadingLetters:
    case WordTechnique::kDifferent:
    case WordTechnique::kOnlyLetter:
    case WordTechnique::kUnits:
    case WordTechnique::kColumnsFew:
    case WordTechnique::kLengths:
      return 1;
    case WordTechnique::kColumns:
    case WordTechnique::kRanges:
      return 2;
    case WordTechnique::kColumnsMany:
    case WordTechnique::kEveryWay:
      return 3;
    case WordTechnique::kTrial:
      return 4;
    case WordTechnique::kNestedTrial:
    case WordTechnique::kExhaustive:
      break;
  }
  return 5;
}

WordDeduction DeduceWordSum(const WordSum& sum, StopFlag& stop) {
  WordDeduction result;
  Deducer deducer(sum, stop);
  const int letters = static_cast<int>(sum.letters.size());
  for (int i = 0; i < letters; ++i) result.digits[i] = kAllDigits;
  bool sumFails = false;
  Deducer::End end = deducer.Run(result.digits, kMaxTrialDepth, result.steps, sumFails);
  result.finished = end == Deducer::End::kSolved;
  for (const WordStep& step : result.steps) result.level = std::max(result.level, LevelOf(step.technique));
  return result;
}

}  // namespace zifrel::parole
