#include "parole/relation_generator.h"

#include <algorithm>
#include <bit>
#include <span>
#include <string_view>

#include "core/program_clock.h"
#include "libero/relation_check.h"
#include "parole/word_sum.h"

namespace zifrel::parole {
namespace {

// The plain words take part alone while at least this many fit the lengths
// asked for; with fewer, the next tier joins them.
constexpr std::size_t kMinPlainPool = 200;

// Candidates for the last word tried per draw: beyond that a fresh draw of
// the other words pays better. Measured with bench/parole_bench.cpp: 10 to
// 30 alike, 100 twice as slow per relation and 300 three times.
constexpr std::size_t kMaxCandidatesPerDraw = 20;

std::uint32_t LettersOf(std::string_view word) {
  std::uint32_t mask = 0;
  for (const char c : word) mask |= 1u << (c - 'a');
  return mask;
}

std::uint32_t SeedOrClock(std::int32_t seed) {
  if (seed != 0) return static_cast<std::uint32_t>(seed);
  return ClockSeed();
}

}  // namespace

RelationGenerator::RelationGenerator(const WordList& list, GeneratorOptions options, std::int32_t seed)
    : options_(std::move(options)), random_(SeedOrClock(seed)) {
  if (options_.shapes.empty()) {
    for (const std::string_view pattern : kShapes) options_.shapes.push_back(*ParseShape(pattern));
  }
  // The list comes plainest first; a tier joins only while the pool is small.
  WordTier lastTier = WordTier::kPlain;
  for (const ListWord& word : list.Words()) {
    const int length = static_cast<int>(word.text.size());
    if (length < options_.minLength || length > options_.maxLength) continue;
    if (word.tier != lastTier && pool_.size() >= kMinPlainPool) break;
    lastTier = word.tier;
    pool_.push_back({&word.text, LettersOf(word.text), length});
  }
  job_.LimitSolutions(2);
}

std::uint32_t RelationGenerator::Favoured(std::uint32_t n) {
  const std::uint32_t a = Below(n);
  return std::min(a, Below(n));
}

GeneratedRelation RelationGenerator::Next(StopFlag& stop) {
  GeneratedRelation found{SearchEnd::kNone, ""};
  if (pool_.empty()) return found;
  // One shape for the whole request, so that the shapes come in equal
  // shares, not in the shares of how often a draw succeeds.
  const RelationShape& shape = options_.shapes[Below(static_cast<std::uint32_t>(options_.shapes.size()))];
  tries_ = 0;
  for (int draw = 0; draw < kMaxDrawsWithoutRelation && tries_ < kMaxTriesWithoutRelation; ++draw) {
    if (stop.Poll()) return {SearchEnd::kStopped, ""};
    if (Draw(shape, stop, found)) return found;
    if (stop.IsSet()) return {SearchEnd::kStopped, ""};
  }
  return found;
}

bool RelationGenerator::Draw(const RelationShape& shape, StopFlag& stop, GeneratedRelation& found) {
  const int maxLetters = options_.letters > 0 ? options_.letters : libero::kMaxVariables;
  std::array<std::string_view, RelationShape::kMaxSlots> words;
  std::array<int, RelationShape::kMaxSlots> lengths{};
  std::uint32_t letters = 0;
  const int last = shape.slotCount - 1;
  for (int s = 0; s < last; ++s) {
    const PoolWord& word = pool_[Favoured(static_cast<std::uint32_t>(pool_.size()))];
    if (std::find(words.begin(), words.begin() + s, *word.text) != words.begin() + s) return false;
    letters |= word.letters;
    if (std::popcount(letters) > maxLetters) return false;
    words[s] = *word.text;
    lengths[s] = word.length;
  }

  // The last word: every word of the pool that fits, tried from a point
  // where plain short words are likelier.
  const std::uint32_t allowedLengths = LastWordLengths(shape, lengths);
  candidates_.clear();
  for (std::uint32_t i = 0; i < pool_.size(); ++i) {
    const PoolWord& word = pool_[i];
    const int count = std::popcount(letters | word.letters);
    if ((allowedLengths >> word.length & 1u) == 0 || count > maxLetters ||
        (options_.letters > 0 && count != options_.letters) ||
        std::find(words.begin(), words.begin() + last, *word.text) != words.begin() + last) {
      continue;
    }
    candidates_.push_back(i);
  }
  const std::size_t n = candidates_.size();
  if (n == 0) return false;
  const std::size_t start = Favoured(static_cast<std::uint32_t>(n));
  for (std::size_t k = 0; k < std::min(n, kMaxCandidatesPerDraw); ++k) {
    words[last] = *pool_[candidates_[(start + k) % n]].text;
    const std::span<const std::string_view> all(words.data(), shape.slotCount);
    std::string form = CanonicalForm(shape, all);
    if (given_.contains(form)) continue;
    std::string text = RelationText(shape, all);
    if (text.size() > static_cast<std::size_t>(libero::kMaxFormulaChars)) continue;
    ++tries_;
    if (!HasOneSolution(text, stop)) {
      if (stop.IsSet()) return false;
      continue;
    }
    given_.insert(std::move(form));
    found = {SearchEnd::kFound, std::move(text)};
    return true;
  }
  return false;
}

bool RelationGenerator::HasOneSolution(const std::string& text, StopFlag& stop) {
  // Most candidates have none or several solutions: the column search tells
  // so in microseconds, and only a relation it finds unique goes through
  // the Libero search, which alone decides.
  if (const std::optional<WordSum> sum = ParseWordSum(text); sum && CountSolutions(*sum, 2) != 1) return false;
  // The lines are dropped: a search that ends at its second solution lists
  // nothing worth showing, and a relation that is kept is solved again, in
  // full, by whoever shows its solution.
  class NoLines final : public LineSink {
   public:
    void AppendLine(std::string_view) override {}
  } none;
  const std::string lines[] = {text};
  const libero::JobEnd end = job_.SolveFreeRelations(
      lines, [](std::span<const std::string>) {}, none, stop, count_);
  return end == libero::JobEnd::kSearched && !stop.IsSet() && count_.load(std::memory_order_relaxed) == 1;
}

}  // namespace zifrel::parole
