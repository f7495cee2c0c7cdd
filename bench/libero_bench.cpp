// Libero job timings, each a whole job from the formula lines to the
// summary. Run: build/release/bench/zifrel_bench --benchmark_filter=Libero
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "libero/libero_job.h"
#include "tests/support/reference_libero.h"

namespace zifrel {
namespace {

using Lines = std::vector<std::string>;

void RunJob(benchmark::State& state, const Lines& lines) {
  libero::FreeRelations job;
  StopFlag stop;
  std::atomic<std::int32_t> count{0};
  for (auto _ : state) {
    LineCollector out;
    job.SolveFreeRelations(
        lines, [](std::span<const std::string>) {}, out, stop, count);
    benchmark::DoNotOptimize(out.lines.data());
  }
  state.counters["solutions"] = count.load();
}

void BM_LiberoSendMoreMoney(benchmark::State& state) { RunJob(state, {"SEND+MORE=MONEY"}); }
void BM_LiberoGatto(benchmark::State& state) { RunJob(state, {"gatto+gatto=cane+cane+cane"}); }
void BM_LiberoDonaldGeraldRobert(benchmark::State& state) { RunJob(state, {"DONALD+GERALD=ROBERT"}); }
void BM_LiberoAPlusBEqualsC(benchmark::State& state) { RunJob(state, {"A+B=C"}); }
void BM_LiberoFourSharingLetters(benchmark::State& state) { RunJob(state, {"AB*C=DE", "DE+F=GH", "A+G<I", "B<>H"}); }
void BM_LiberoTwoFiveDigitWords(benchmark::State& state) { RunJob(state, {"ABCDE<FGHIJ"}); }
void BM_LiberoSumOfTenLetters(benchmark::State& state) { RunJob(state, {"A+B+C+D+E+F+G+H+I+J>0"}); }
// Nothing but products: every assignment evaluates the code in full.
void BM_LiberoProductOfTenLetters(benchmark::State& state) { RunJob(state, {"A*B*C*D*E*F*G*H*I*J+A>=0"}); }

BENCHMARK(BM_LiberoSendMoreMoney)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoGatto)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoDonaldGeraldRobert)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoAPlusBEqualsC)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoFourSharingLetters)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoTwoFiveDigitWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoSumOfTenLetters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoProductOfTenLetters)->Unit(benchmark::kMillisecond);

// The floor every job must beat: a plain counter that tries every
// assignment of ABCDE<FGHIJ, with no pruning at all.
void BM_LiberoPlainCounterTwoFiveDigitWords(benchmark::State& state) {
  for (auto _ : state) {
    std::array<int, 10> d = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    long count = 0;
    do {
      const int left = d[0] * 10000 + d[1] * 1000 + d[2] * 100 + d[3] * 10 + d[4];
      const int right = d[5] * 10000 + d[6] * 1000 + d[7] * 100 + d[8] * 10 + d[9];
      count += d[0] != 0 && d[5] != 0 && left < right;
    } while (std::next_permutation(d.begin(), d.end()));
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_LiberoPlainCounterTwoFiveDigitWords)->Unit(benchmark::kMillisecond);

// The plain search that the tests keep as the reference, for scale.
void BM_LiberoPlainSearchSendMoreMoney(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(testing::ReferenceSolve({"SEND+MORE=MONEY"}, true));
}
BENCHMARK(BM_LiberoPlainSearchSendMoreMoney)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zifrel
