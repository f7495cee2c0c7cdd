// Word relation generator timings, on Debian's Italian list. Run:
//   build/release/bench/zifrel_bench --benchmark_filter=Parole
// The per-relation figures are counters: median_ms, p95_ms, p99_ms and max_ms
// over the relations of one run from a fixed seed; `letters` is their mean
// number of distinct letters.
#include <benchmark/benchmark.h>

#include <array>
#include <bit>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/spread.h"
#include "parole/plain_lexicon.h"
#include "parole/relation_generator.h"
#include "parole/word_explanation.h"
#include "parole/word_list.h"

namespace zifrel {
namespace {

parole::WordList ItalianList() { return parole::ReadPlainItalianWords(); }

// Reading the list and the dictionary, folding, dropping and ranking the words.
void BM_ParoleLoadItalianList(benchmark::State& state) {
  std::size_t words = 0;
  for (auto _ : state) words = ItalianList().Words().size();
  state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_ParoleLoadItalianList)->Unit(benchmark::kMillisecond);

int DistinctLetters(const std::string& relation) {
  unsigned letters = 0;
  for (const char c : relation) {
    if (c >= 'a' && c <= 'z') letters |= 1u << (c - 'a');
  }
  return std::popcount(letters);
}

// Consecutive relations of one shape from one seed, each timed alone; range
// 0 is the number of distinct letters asked for (0: any).
void BM_ParoleRelation(benchmark::State& state, const char* pattern) {
  const parole::WordList list = ItalianList();
  parole::GeneratorOptions options;
  options.shapes = {*parole::ParseShape(pattern)};
  options.letters = static_cast<int>(state.range(0));
  std::vector<double> ms;
  long letters = 0;
  for (auto _ : state) {
    parole::RelationGenerator generator(list, options, 2024);
    StopFlag stop;
    for (int k = 0; k < 200; ++k) {
      const Clock::time_point start = Clock::now();
      const parole::GeneratedRelation relation = generator.Next(stop);
      ms.push_back(Milliseconds(Clock::now() - start));
      letters += DistinctLetters(relation.text);
    }
  }
  SetSpread(state, ms);
  state.counters["letters"] = static_cast<double>(letters) / static_cast<double>(ms.size());
}
BENCHMARK_CAPTURE(BM_ParoleRelation, ThreeWords, "a+b=c")
    ->Arg(0)
    ->Arg(8)
    ->Arg(9)
    ->Arg(10)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ParoleRelation, FourWords, "a+b+c=d")->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ParoleRelation, Repeated, "a+a=b+b+b")->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ParoleRelation, Difference, "a-b=c")->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ParoleRelation, TwoSums, "a+b=c+d")->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

// 1,000 relations of the built-in shapes from one seed, each explained and
// graded: the time of one explanation (the deduction and its text), and the
// share of each level as counters level1 .. level5.
void BM_ParoleExplain(benchmark::State& state) {
  const parole::WordList list = ItalianList();
  std::vector<double> ms;
  std::array<int, 6> levels{};
  for (auto _ : state) {
    parole::RelationGenerator generator(list, {}, 77);
    StopFlag stop;
    for (int k = 0; k < 1000; ++k) {
      const parole::GeneratedRelation relation = generator.Next(stop);
      const std::optional<parole::WordSum> sum = parole::ParseWordSum(relation.text);
      const Clock::time_point start = Clock::now();
      const parole::WordDeduction deduction = parole::DeduceWordSum(*sum, stop);
      class Dropped final : public LineSink {
       public:
        void AppendLine(std::string_view) override {}
      } dropped;
      parole::WriteWordSteps(*sum, deduction, dropped);
      ms.push_back(Milliseconds(Clock::now() - start));
      ++levels[static_cast<std::size_t>(deduction.level)];
    }
  }
  SetSpread(state, ms);
  for (int level = 1; level <= 5; ++level) {
    state.counters["level" + std::to_string(level)] = static_cast<double>(levels[static_cast<std::size_t>(level)]);
  }
}
BENCHMARK(BM_ParoleExplain)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zifrel
