#pragma once

#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/search_end.h"
#include "core/stop_flag.h"
#include "libero/libero_job.h"
#include "parole/relation_shape.h"
#include "parole/word_list.h"

namespace zifrel::parole {

struct GeneratorOptions {
  std::vector<RelationShape> shapes;  // one drawn for each relation; empty: kShapes
  int letters = 0;                    // exactly this many distinct letters; 0: any number up to ten
  int minLength = 3;                  // of every word
  int maxLength = 7;
};

// How a request for a relation ended. A stopped search is never taken for a
// unique one.
// A relation search that ends in SearchEnd::kNone gave up: kMaxDrawsWithoutRelation
// draws or kMaxTriesWithoutRelation tries in a row found nothing new.

struct GeneratedRelation {
  SearchEnd end;
  std::string text;  // when found: lower case, as a person types it
};

// Draws relations between words of a list that have exactly one solution in
// mode Libero, each new: a relation equal to one given before (its sides
// swapped, its terms in another order, a difference moved across the "="
// sign) is not given again. The same list, options and seed give the same
// relations in the same order, on every machine.
class RelationGenerator {
 public:
  // `list` must outlive the generator. Seed 0 takes the seed from the clock.
  RelationGenerator(const WordList& list, GeneratorOptions options, std::int32_t seed);

  // Draws until a relation qualifies, `stop` is set, or it gives up. One
  // generator serves one thread at a time.
  GeneratedRelation Next(StopFlag& stop);

  // No word of the list fits the lengths asked for.
  bool HasNoWords() const { return pool_.empty(); }

 private:
  struct PoolWord {
    const std::string* text;
    std::uint32_t letters;  // a bit per letter
    int length;
  };
  std::uint32_t Below(std::uint32_t n) { return random_() % n; }
  // An index below n, small ones likelier: plainer and shorter words first.
  std::uint32_t Favoured(std::uint32_t n);
  // One draw of the words but the last for `shape` and a try of the last
  // word's candidates. False when nothing qualified.
  bool Draw(const RelationShape& shape, StopFlag& stop, GeneratedRelation& found);
  // Whether the Libero search finds exactly one solution; false if stopped.
  bool HasOneSolution(const std::string& text, StopFlag& stop);

  GeneratorOptions options_;
  std::mt19937 random_;
  std::vector<PoolWord> pool_;
  std::vector<std::uint32_t> candidates_;
  std::unordered_set<std::string> given_;  // canonical forms of the relations given
  libero::FreeRelations job_;
  std::atomic<std::int32_t> count_{0};
  int tries_ = 0;  // relations tried since the last one found
};

// A generator gives up after this many draws in a row without a relation:
// options that admit none (five words in three letters) end instead of
// running for ever.
inline constexpr int kMaxDrawsWithoutRelation = 20000;
// Nor does it try more than this many relations in a row that have no or
// several solutions: words of three letters (which give few relations with
// one solution) take up to 3,000 per relation, and 50,000 take about a
// second, measured with bench/parole_bench.cpp.
inline constexpr int kMaxTriesWithoutRelation = 50000;

}  // namespace zifrel::parole
