// Libero job timings, each a whole job from the formula lines to the
// summary. Run: build/release/bench/zifrel_bench --benchmark_filter=Libero
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "core/utf8.h"
#include "libero/compiler.h"
#include "libero/evaluator.h"
#include "libero/libero_job.h"
#include "libero/relation_check.h"
#include "tests/support/reference_libero.h"

namespace zifrel {
namespace {

using Lines = std::vector<std::string>;

void RunJob(benchmark::State& state, const Lines& lines, int threads = 1) {
  libero::FreeRelations job;
  job.UseThreads(threads);
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

// Division: an exact quotient prunes as the product it stands for.
void BM_LiberoDivision(benchmark::State& state) { RunJob(state, {"ABCDE:FG=HIJ"}); }
// Products of pairs on both sides: 39,040 solutions, no last digits to read
// before every letter has its digit.
void BM_LiberoSumsOfProducts(benchmark::State& state) { RunJob(state, {"A*B+C*D+E=F*G+H*I+J"}); }

// Twenty relations of about 200 characters over ten letters, each true for
// nearly every assignment, drawn from a fixed seed. `settled`: the shape
// (A*B+...)%7<>90+(J+E)^F%(J+1)+I^A:1+A*C%(B+1)+..., whose two sides ranges
// tell apart at once; otherwise (A*B+...)*2+1<>2*(0+(J+E)^F%(J+1)+...), an
// odd number and an even one that no range tells apart: every relation is
// evaluated for every assignment.
Lines HeavyRelations(bool settled = true) {
  std::mt19937 rng(20261206);
  const auto letter = [&] { return static_cast<char>('A' + rng() % 10); };
  Lines lines;
  while (lines.size() < 20) {
    std::string line = "(";
    for (int i = 0; i < 5; ++i) {
      if (i > 0) line += '+';
      line += letter();
      line += '*';
      line += letter();
    }
    line += settled ? ")%7<>90" : ")*2+1<>2*(0";
    for (;;) {
      const char x = letter(), y = letter(), z = letter();
      std::string term;
      switch (rng() % 3) {
        case 0:  // +(X+Y)^Z%(X+1)
          term = {'+', '(', x, '+', y, ')', '^', z, '%', '(', x, '+', '1', ')'};
          break;
        case 1:  // +X^Y:1
          term = {'+', x, '^', y, ':', '1'};
          break;
        default:  // +X*Y%(Z+1)
          term = {'+', x, '*', y, '%', '(', z, '+', '1', ')'};
      }
      if (line.size() + term.size() + (settled ? 0 : 3) > 200) break;
      line += term;
    }
    if (!settled) line += "+0)";  // "))" would not pass the check
    if (std::ranges::all_of(std::string("ABCDEFGHIJ"), [&](char c) { return line.find(c) != std::string::npos; })) {
      lines.push_back(line);
    }
  }
  return lines;
}

void BM_LiberoTwentyHeavyRelations(benchmark::State& state) { RunJob(state, HeavyRelations()); }
void BM_LiberoTwentyRelationsNoShortcut(benchmark::State& state) { RunJob(state, HeavyRelations(false)); }

std::vector<libero::RelationCode> Compiled(const Lines& relations) {
  libero::VariableTable table;
  std::vector<libero::RelationCode> codes(relations.size());
  for (std::size_t i = 0; i < relations.size(); ++i) {
    std::u32string text = DecodeUtf8(relations[i]);
    libero::CheckRelation(text);
    libero::CompileRelation(text, i > 0, libero::Reading::kFull, codes[i], table);
  }
  return codes;
}

// The plain search: every assignment of ten distinct digits, every relation
// evaluated in full by the exact evaluator until one is false.
void PlainSearch(benchmark::State& state, const Lines& relations) {
  const std::vector<libero::RelationCode> codes = Compiled(relations);
  const libero::WideScratch wide = libero::MakeWideScratch();
  long count = 0;
  for (auto _ : state) {
    std::array<int, 10> d = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    libero::DigitValues digits = libero::InitialDigitValues();
    do {
      for (int v = 1; v <= 10; ++v) digits[v] = d[v - 1];
      count += std::ranges::all_of(codes, [&](const libero::RelationCode& code) {
        return libero::EvaluateExact(code.words.data(), code.length, digits, *wide);
      });
    } while (std::next_permutation(d.begin(), d.end()));
  }
  state.counters["solutions"] = static_cast<double>(count) / static_cast<double>(state.iterations());
}

void BM_LiberoPlainSearchTwentyRelationsNoShortcut(benchmark::State& state) {
  PlainSearch(state, HeavyRelations(false));
}

// The evaluator alone: each of the twenty relations above evaluated in full
// for a fixed sample of assignments; the time is per relation and assignment.
void BM_LiberoEvaluatorPerRelation(benchmark::State& state) {
  const std::vector<libero::RelationCode> codes = Compiled(HeavyRelations());
  std::mt19937 rng(7);
  std::vector<libero::DigitValues> assignments(4096, libero::InitialDigitValues());
  for (libero::DigitValues& digits : assignments) {
    std::array<int, 10> d = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(d.begin(), d.end(), rng);
    for (int v = 1; v <= 10; ++v) digits[v] = d[v - 1];
  }
  const libero::WideScratch wide = libero::MakeWideScratch();
  long holds = 0;
  for (auto _ : state) {
    for (const libero::DigitValues& digits : assignments) {
      for (const libero::RelationCode& code : codes) {
        holds += libero::EvaluateExact(code.words.data(), code.length, digits, *wide);
      }
    }
  }
  benchmark::DoNotOptimize(holds);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(assignments.size() * codes.size()));
}
BENCHMARK(BM_LiberoEvaluatorPerRelation)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_LiberoDivision)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoSumsOfProducts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoTwentyHeavyRelations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoTwentyRelationsNoShortcut)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_LiberoPlainSearchTwentyRelationsNoShortcut)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_LiberoSendMoreMoney)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoGatto)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoDonaldGeraldRobert)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoAPlusBEqualsC)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoFourSharingLetters)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiberoTwoFiveDigitWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoSumOfTenLetters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiberoProductOfTenLetters)->Unit(benchmark::kMillisecond);

// Eight relations true almost everywhere, whose last digits and ranges
// settle nothing: every assignment is tried. On 1 and on 2 threads, beside
// the plain search of the same relations.
const Lines kNothingPrunes = {"(A*B+C*D*E+F^G)%53<>(H*I+J)%47", "(J*B+G*E*C+H^A)%59<>(D*F+I)%43",
                              "(C+D*J*A+I^F)%61<>(E*G+B*H)%41", "(E*F+A*B*C+D^J)%67<>(G*H+I)%37",
                              "(B*I+J*H*G+C^D)%71<>(A*E+F)%31", "(H+G*F*E+B^I)%73<>(J*C+D*A)%29",
                              "(I*J+E*D*B+A^H)%79<>(C*G+F)%23", "(D*C+H*I*F+G^E)%83<>(B*J+A)%19"};

void BM_LiberoNothingPrunes(benchmark::State& state) {
  RunJob(state, kNothingPrunes, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_LiberoNothingPrunes)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same eight and one more, false six times in seven, typed last: tried
// first, it ends most assignments before the eight are computed.
void BM_LiberoOftenFalseLast(benchmark::State& state) {
  Lines lines = kNothingPrunes;
  lines.push_back("(A*B+C*D+E*F+G*H+I*J)%7*7+3=A*B+C*D+E*F+G*H+I*J");
  RunJob(state, lines);
}
BENCHMARK(BM_LiberoOftenFalseLast)->Unit(benchmark::kMillisecond);

void BM_LiberoPlainSearchNothingPrunes(benchmark::State& state) { PlainSearch(state, kNothingPrunes); }
BENCHMARK(BM_LiberoPlainSearchNothingPrunes)->Unit(benchmark::kMillisecond)->Iterations(1);

// Values past 64 bits that ranges settle at once, and ten leading letters,
// which no assignment can fill.
void BM_LiberoCubeOfTenLetters(benchmark::State& state) { RunJob(state, {"ABCDEFGHIJ*ABCDEFGHIJ*ABCDEFGHIJ>0"}); }
BENCHMARK(BM_LiberoCubeOfTenLetters)->Unit(benchmark::kMillisecond);
void BM_LiberoPowerPastTheCap(benchmark::State& state) { RunJob(state, {"ABCDEFGHIJ^20^20>A"}); }
BENCHMARK(BM_LiberoPowerPastTheCap)->Unit(benchmark::kMillisecond);
void BM_LiberoThirteenPowers(benchmark::State& state) {
  std::string text = "ABCDEFGHIJ^9";
  for (int i = 1; i < 13; ++i) text += "*ABCDEFGHIJ^9";
  RunJob(state, {text + ">A"});
}
BENCHMARK(BM_LiberoThirteenPowers)->Unit(benchmark::kMillisecond);
void BM_LiberoTenLeadingLetters(benchmark::State& state) {
  RunJob(state, {"(AB*CD+EF*GH+IJ)%1009<>(BA*DC+FE*HG+JI)%1013"});
}
BENCHMARK(BM_LiberoTenLeadingLetters)->Unit(benchmark::kMicrosecond);

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
void BM_LiberoPlainSearchDivision(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(testing::ReferenceSolve({"ABCDE:FG=HIJ"}));
}
BENCHMARK(BM_LiberoPlainSearchDivision)->Unit(benchmark::kMillisecond);
void BM_LiberoPlainSearchTwentyHeavyRelations(benchmark::State& state) {
  const Lines relations = HeavyRelations();
  for (auto _ : state) benchmark::DoNotOptimize(testing::ReferenceSolve(relations));
}
BENCHMARK(BM_LiberoPlainSearchTwentyHeavyRelations)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace zifrel
