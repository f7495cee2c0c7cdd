// The Libero job end to end: the exact lines of its edge cases, and the same
// lines as the plain search on chosen and random relations, although the real
// search prunes far more and tests relations on their last digits.
#include "libero/libero_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/utf8.h"
#include "libero/compiler.h"
#include "libero/evaluator.h"
#include "libero/range_evaluator.h"
#include "libero/relation_check.h"
#include "tests/support/reference_libero.h"

namespace zifrel::libero {
namespace {

using Lines = std::vector<std::string>;

struct JobRun {
  JobEnd end;
  Lines out;
  std::optional<Lines> kept;  // the formula area's new lines, if rewritten
  std::int32_t count;
};

// On `job`, or on a fresh object; the count starts at 77, as an earlier job may
// leave it.
JobRun RunJob(const Lines& lines, long stopAfterPolls = 0, FreeRelations* job = nullptr, int threads = 1) {
  FreeRelations fresh;
  fresh.UseThreads(threads);
  LineCollector out;
  StopFlag stop;
  if (stopAfterPolls > 0) stop.RequestAfterPolls(stopAfterPolls);
  std::atomic<std::int32_t> count{77};
  std::optional<Lines> kept;
  const auto keep = [&](std::span<const std::string> k) { kept.emplace(k.begin(), k.end()); };
  const JobEnd end = (job ? *job : fresh).SolveFreeRelations(lines, keep, out, stop, count);
  return {end, out.lines, kept, count.load()};
}

const std::string kRule = "------------------";
const std::string k200 = "A=" + std::string(198, '1');
const std::string k201 = k200 + "1";
const std::string kAccented198 = [] {
  std::string text;
  for (int i = 0; i < 198; ++i) text += "\u00E8";
  return text;
}();

struct JobCase {
  const char* behaviour;
  Lines lines;
  Lines expected;
};

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.behaviour; }

class JobTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(JobTest, WritesTheExpectedLines) { EXPECT_EQ(RunJob(GetParam().lines).out, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, JobTest,
    ::testing::Values(
        JobCase{"gatto: units pilot O, E",
                {"gatto+gatto=cane+cane+cane"},
                {" OEGATCN", "---------", " 4610573", kRule, "1 soluzione"}},
        JobCase{"SEND+MORE: units pilot D, E, Y",
                {"SEND+MORE=MONEY"},
                {" DEYSNMOR", "----------", " 75296108", kRule, "1 soluzione"}},
        JobCase{
            "A+B=C: C runs outermost, 20 listed, 32 counted",
            {"A+B=C"},
            {" ABC", "-----", " 213", " 123", " 314", " 134", " 415", " 325", " 235", " 145", " 516", " 426",
             " 246", " 156",  " 617", " 527", " 437", " 347", " 257", " 167", " 718", " 628", kRule,  "32 soluzioni"}},
        JobCase{"A^0=1: a one-letter word may be 0",
                {"A^0=1"},
                {" A", "---", " 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", kRule, "10 soluzioni"}},
        JobCase{"fourteen letters in the first relation, which fails first",
                {"ABCD+EFGH:JIHM=PLDS", "A+B"},
                {"ERRORE:", "Troppe variabili (Max 10!)"}},
        JobCase{"a failing second relation, shown as typed",
                {"A=B", "a + -b = c"},
                {"ERRORE:", "Errore di sintassi in", "a + -b = c"}},
        JobCase{"too many letters in all relations together",
                {"A+B+C=D+E+F", "G+H+I=J+K+L"},
                {"ERRORE:", "Troppe variabili (Max 10!)"}},
        JobCase{"three blanks are a relation without letters", {"   "}, {"ERRORE:", "Nessuna variabile in", "   "}},
        JobCase{"lines shorter than three characters are dropped",
                {"", "a", "ab", "A+B=CD", "  "},
                {" ABDC", "------", " 8201", " 7301", " 6401", " 4601", " 3701", " 2801",
                 " 9321", " 8421",  " 7521", " 5721", " 4821", " 3921", " 9431", " 8531",
                 " 7631", " 6731",  " 5831", " 4931", " 9541", " 8641", kRule,   "30 soluzioni"}},
        JobCase{"200 characters are accepted", {k200}, {"Nessuna soluzione"}},
        JobCase{"ten leading letters leave no digit for the tenth: nothing is searched",
                {"(AB*CD+EF*GH+IJ)%1009<>(BA*DC+FE*HG+JI)%1013"},
                {"Nessuna soluzione"}},
        JobCase{"201 characters are not, wherever the line", {"A=B", k201}, {"Max 200 caratteri per formula"}},
        JobCase{"200 accented characters are 200, not 400, and forbidden",
                {"A=" + kAccented198},
                {"ERRORE:", "Carattere proibito in", "A=" + kAccented198}},
        JobCase{"20 relations are accepted", Lines(20, "A+1=8"), {" A", "---", " 7", kRule, "1 soluzione"}},
        // Neither the 21st relation's fault nor a later long line is reached.
        JobCase{"a 21st relation ends the job",
                [] {
                  Lines lines(21, "???");
                  lines.push_back(k201);
                  return lines;
                }(),
                {"ERRORE: Max 20 relazioni"}}));

// A stop at every step of the search in turn, until the search ends first.
TEST(LiberoJob, AStopKeepsWhatWasFoundAndSaysSo) {
  const testing::ReferenceOutcome all = testing::ReferenceSolve({"A+B=C"});
  long polls = 1;
  for (;; ++polls) {
    const JobRun run = RunJob({"A+B=C"}, polls);
    if (run.out.back() != "(Ricerca interrotta)") {
      EXPECT_EQ(run.out, testing::ReferenceLines(all));
      break;
    }
    testing::ReferenceOutcome found = all;
    found.solutions.resize(run.count);
    Lines expected = testing::ReferenceLines(found);
    expected.push_back("(Ricerca interrotta)");
    ASSERT_EQ(run.out, expected) << polls;
  }
  EXPECT_GT(polls, 5);
}

// A stop that arrives once the search has ended cannot make it stopped.
TEST(LiberoJob, AStopAfterTheSearchIsTooLate) {
  struct StopAtSummary final : LineSink {
    void AppendLine(std::string_view line) override {
      if (line == "1 soluzione") stop.Request();
      lines.emplace_back(line);
    }
    StopFlag stop;
    Lines lines;
  } out;
  FreeRelations job;
  std::atomic<std::int32_t> count{0};
  const Lines lines = {"A+1=8"};
  EXPECT_EQ(job.SolveFreeRelations(
                lines, [](std::span<const std::string>) {}, out, out.stop, count),
            JobEnd::kSearched);
  EXPECT_EQ(out.lines.back(), "1 soluzione");
}

TEST(LiberoJob, OneObjectRunsJobAfterJob) {
  FreeRelations job;
  RunJob({"SEND+MORE=MONEY"}, 0, &job);
  EXPECT_EQ(RunJob({"A+B=C"}, 0, &job).out, RunJob({"A+B=C"}).out);
}

// A search asked only to tell one solution from several ends, as completed,
// once it has two; it lists the start of the full list.
TEST(LiberoJob, ALimitOfSolutionsEndsTheSearchAsCompleted) {
  FreeRelations job;
  job.LimitSolutions(2);
  for (const Lines& relations : {Lines{"A+B=C"}, Lines{"SEND+MORE=MONEY"}, Lines{"A+B=C", "A*B=C"},
                                 Lines{"A^20*B^20=(A*B)^20"}, Lines{"ABCDE<FGHIJ"}}) {
    SCOPED_TRACE(::testing::PrintToString(relations));
    const JobRun full = RunJob(relations);
    const JobRun limited = RunJob(relations, 0, &job);
    EXPECT_EQ(limited.end, JobEnd::kSearched);
    if (full.count < 2) {
      EXPECT_EQ(limited.out, full.out);
      continue;
    }
    EXPECT_GE(limited.count, 2);
    EXPECT_LT(limited.count, full.count);
    const Lines listed(limited.out.begin(), limited.out.end() - 2);  // the summary's two lines off
    EXPECT_TRUE(std::equal(listed.begin(), listed.end(), full.out.begin())) << ::testing::PrintToString(limited.out);
    EXPECT_NE(limited.out.back(), "(Ricerca interrotta)");
  }
}

// The normalised text of a relation that passes its check, or "" if it fails.
std::string Normalised(const std::string& typed) {
  std::u32string text = DecodeUtf8(typed);
  return CheckRelation(text) == kCheckOk ? EncodeUtf8(text) : "";
}

// `unitsFilter` lets the reference cut with the pilot's units reading: sound,
// and far quicker.
void ExpectSameAsReference(const Lines& relations, bool unitsFilter = false) {
  Lines normalised;
  std::ranges::transform(relations, std::back_inserter(normalised), Normalised);
  ASSERT_FALSE(std::ranges::count(normalised, "")) << ::testing::PrintToString(relations);
  ASSERT_EQ(RunJob(relations).out, testing::ReferenceLines(testing::ReferenceSolve(normalised, unitsFilter)))
      << ::testing::PrintToString(relations);
}

TEST(SearchReference, ChosenRelations) {
  for (const Lines& relations :
       std::vector<Lines>{{"DONALD+GERALD=ROBERT"}, {"ODD+ODD=EVEN"}, {"(AGH+MM)^3=D+E+F+G+AB"}})
    ExpectSameAsReference(relations, true);
  // Exponents out of range, values that wrap, a relation that always holds,
  // chains of relations and a difference read on its last digits; then (from
  // ABC<DEF on) more than twenty solutions, counted past the listed ones in an
  // order of their own with bounds that settle whole subtrees. The last two
  // meet bounds of exactly 0 and a twentieth solution found as the counting
  // takes over. The last four hold values at the ends of 64 bits, some
  // computed with no check and some that must stay checked.
  for (const Lines& relations : std::vector<Lines>{{"A^BC=DEF"},
                                                   {"ABCDABCDABCDABCDABCD=DCBADCBADCBADCBADCBA"},
                                                   {"AB*CD*EF*AB*CD*EF*AB*CD*EF*AB=0"},
                                                   {"A-A+B=B+0*C"},
                                                   {"A*A=BC", "B*B=DE", "D<E"},
                                                   {"ABC-CBA=DEF", "D+F=9"},
                                                   {"A*BC-BD=ECB"},
                                                   {"ABC<DEF"},
                                                   {"A+B+C+D+E>10"},
                                                   {"AB+CD>EF", "A<>B"},
                                                   {"AB<>CD", "A+B<C"},
                                                   {"AB-CD>=0", "A*B>C"},
                                                   {"A+B+C=D+E", "E<=A"},
                                                   {"ABC>=CBA", "B-A<>3"},
                                                   {"AB:C>D", "AB+CD<EF"},
                                                   {"ABCDABCDABCDABCDABCD>DCBA", "A<B"},
                                                   {"A-B<C-D", "B<>0", "AB+C>D"},
                                                   {"A+B>=C+D", "A+B<=C+D"},
                                                   {"CB+AC<=DD"},
                                                   {"(0-9223372036854775807-1)+A<B-C"},
                                                   {"((0-9223372036854775807-1)+A)*0=B-C"},
                                                   {"9223372036854775798+A>B*C"},
                                                   {"9223372036854775798+A+B>C*D"}}) {
    ExpectSameAsReference(relations);
  }
}

// Every value is exact: a value past 64 bits neither wraps around nor loses
// a solution, and one that reaches 2^4096 makes its assignment fail (2^4095
// is the last power of two within the cap). The smallest 64-bit value
// divided by -1 is 2^63, even where only ranges are known. Each
// row: the count, the first solution listed, and whether the plain search
// is quick enough to compare with.
// The product of thirteen ABCDEFGHIJ^9 is 3,500 to 3,900 bits wide: within
// the cap.
const std::string kThirteenPowers = [] {
  std::string text = "ABCDEFGHIJ^9";
  for (int i = 1; i < 13; ++i) text += "*ABCDEFGHIJ^9";
  return text + ">A";
}();

TEST(SearchReference, ValuesAreExact) {
  struct Row {
    const char* relation;
    std::int32_t count;
    const char* first;
    bool compare;
  };
  for (const Row& row :
       {Row{"A^B^C=D", 116, " 3201", true}, Row{"(A-B)^20=1", 18, " 10", true},
        Row{"ABCDEFGHIJ*ABCDEFGHIJ<0", 0, "", false}, Row{"A^20*B^20=(A*B)^20", 90, " 10", true},
        Row{"((A^20)^20)^20>B", 1, " 10", true}, Row{"A^(B^C)=43046721", 4, " 981", true},
        Row{"A^(B-C+D)=32", 34, " 2610", true}, Row{"(2^20)^4*A=0", 1, " 0", true}, Row{"AB^13=0", 0, "", true},
        Row{"(((2^5)^9)^7)^13>A", 10, " 0", true}, Row{"((2^16)^16)^16>A", 0, "", true},
        Row{"A=(0-9223372036854775807-1):(0-1)+A", 0, "", true},
        Row{"A=(0-9223372036854775807-1)%(0-1)+A", 0, "", true},
        // Settled by ranges past 64 bits: every assignment
        // holds, or none does.
        Row{"ABCDEFGHIJ*ABCDEFGHIJ*ABCDEFGHIJ>0", 3265920, " 9876543210", false},
        Row{"ABCDEFGHIJ^20^20>A", 0, "", false}, Row{kThirteenPowers.c_str(), 3265920, " 9876543210", false}}) {
    SCOPED_TRACE(row.relation);
    const JobRun run = RunJob({row.relation});
    EXPECT_EQ(run.count, row.count);
    if (row.count > 0) {
      EXPECT_EQ(run.out.at(2), row.first);
    }
    if (row.compare) ExpectSameAsReference({row.relation});
  }
}

// Random relations over a few letters, with every operator and symbol and
// exponents that hold operators of their own.
struct RelationMaker {
  std::mt19937 rng;
  std::string letters;

  int Pick(std::size_t n) { return static_cast<int>(rng() % n); }

  std::string Word(int maxLength) {
    std::string word;
    for (int i = Pick(maxLength); i >= 0; --i) word += Pick(5) ? letters[Pick(letters.size())] : char('0' + Pick(10));
    return word;
  }

  // Sometimes in parentheses; never "))", which the check refuses.
  std::string Group(const std::string& e) { return Pick(2) && e.size() > 1 && e.back() != ')' ? "(" + e + ")" : e; }

  std::string Expression(int depth) {
    if (depth == 0 || Pick(3) == 0) return Word(3);
    const char op = "++--**::%^"[Pick(10)];
    if (op != '^') return Group(Expression(depth - 1)) + op + Group(Expression(depth - 1));
    std::string exponent = Word(1);
    if (Pick(2)) exponent = '(' + exponent + "+-"[Pick(2)] + Word(1) + ')';  // an operator of its own
    return Group(Word(2)) + "^" + exponent;
  }

  // Half are equalities built around an assignment, so that most have solutions.
  std::string Relation() {
    static const char* const kSymbols[] = {"=", "<", ">", ">=", "<=", "<>"};
    if (Pick(2)) return Expression(2) + kSymbols[Pick(6)] + Expression(1 + Pick(2));
    std::array<int, 26> digits{};
    std::string pool = "0123456789";
    std::ranges::shuffle(pool, rng);
    for (std::size_t i = 0; i < letters.size(); ++i) digits[letters[i] - 'A'] = pool[i] - '0';
    const std::string left = Expression(2);
    const std::optional<std::int64_t> value = testing::ReferenceValue(left, digits);
    return left + "=" + std::to_string(value && *value >= 0 ? *value : 0);
  }
};

// A fixed seed, so that every run compares the same relations; another seed
// can be tried with ZIFREL_TEST_SEED.
unsigned TestSeed() {
  const char* chosen = std::getenv("ZIFREL_TEST_SEED");
  return chosen ? static_cast<unsigned>(std::strtoul(chosen, nullptr, 10)) : 20261206u;
}

TEST(SearchReference, RandomRelations) {
  const unsigned seed = TestSeed();
  SCOPED_TRACE("seed " + std::to_string(seed));
  RelationMaker maker{std::mt19937(seed), ""};
  for (int compared = 0; compared < 300;) {
    maker.letters = std::string("ABCDEFG").substr(0, 2 + maker.Pick(4));
    Lines relations(1 + maker.Pick(2) * maker.Pick(3));
    for (std::string& r : relations) r = maker.Relation();
    if (std::ranges::any_of(relations, [](const std::string& r) { return Normalised(r).empty(); })) continue;
    ExpectSameAsReference(relations);
    if (HasFatalFailure()) return;
    ++compared;
  }
}

// Several threads count what one thread counts, and list the same: on the
// exactness table, on relations nothing prunes and on random relations over
// many letters, enough to share out.
TEST(Threads, CountWhatOneThreadCounts) {
  std::vector<Lines> cases = {{"ABCDE<FGHIJ"},
                              {"A*B+C*D+E=F*G+H*I+J"},
                              {"A+B+C+D+E+F+G+H+I+J>0"},
                              {"(A*B+C*D*E+F^G)%53<>(H*I+J)%47", "(J*B+G*E*C+H^A)%59<>(D*F+I)%43"},
                              {"ABCDEFGHIJ*ABCDEFGHIJ*ABCDEFGHIJ>0"},
                              {"A^B^C=D"},
                              {"A*B*C*D*E*F*G*H*I*J+A>=0"},
                              {"AB:C>D", "AB+CD<EF"}};
  const unsigned seed = TestSeed();
  SCOPED_TRACE("seed " + std::to_string(seed));
  RelationMaker maker{std::mt19937(seed), ""};
  while (cases.size() < 60) {
    maker.letters = std::string("ABCDEFGHIJ").substr(0, 7 + maker.Pick(4));
    Lines relations(1 + maker.Pick(2));
    for (std::string& r : relations) r = maker.Relation();
    if (std::ranges::none_of(relations, [](const std::string& r) { return Normalised(r).empty(); })) {
      cases.push_back(relations);
    }
  }
  for (const Lines& relations : cases) {
    SCOPED_TRACE(::testing::PrintToString(relations));
    const JobRun one = RunJob(relations);
    for (int threads : {2, 3}) {
      const JobRun many = RunJob(relations, 0, nullptr, threads);
      EXPECT_EQ(many.end, one.end);
      EXPECT_EQ(many.out, one.out);
      EXPECT_EQ(many.count, one.count);
    }
  }
}

// A stop while several threads search ends them all. The count written is
// the live count's last value, and the solutions listed are as many of
// those found as may be listed, in the order of the listing.
TEST(Threads, AStopLeavesAConsistentCount) {
  const Lines relations = {"A*B+C*D=E*F+G"};
  const JobRun full = RunJob(relations);
  const Lines every = testing::ReferenceSolve(relations).solutions;
  for (long polls : {1L, 300L, 3000L, 10000L, 20000L, 100000L}) {
    SCOPED_TRACE(polls);
    const JobRun run = RunJob(relations, polls, nullptr, 2);
    if (run.end == JobEnd::kSearched) {
      EXPECT_EQ(run.out, full.out);
      continue;
    }
    ASSERT_EQ(run.end, JobEnd::kStopped);
    EXPECT_LE(run.count, full.count);
    const std::int32_t listed = std::min(run.count, kMaxListedSolutions);
    const std::size_t header = listed > 0 ? 2 : 0;
    ASSERT_EQ(run.out.size(), header + listed + (listed > 0) + 2);
    EXPECT_TRUE(std::equal(run.out.begin(), run.out.begin() + header, full.out.begin()));
    // In order: each listed line found after the one before it.
    auto from = every.begin();
    for (auto line = run.out.begin() + header; line != run.out.begin() + header + listed; ++line) {
      from = std::find(from, every.end(), line->substr(1));
      ASSERT_NE(from, every.end()) << *line;
      ++from;
    }
    const std::string summary = run.out[run.out.size() - 2];
    EXPECT_EQ(summary, run.count == 0   ? "Nessuna soluzione"
                       : run.count == 1 ? "1 soluzione"
                                        : std::to_string(run.count) + " soluzioni");
    EXPECT_EQ(run.out.back(), "(Ricerca interrotta)");
  }
}

// The verdict of `ranges` on `relation`, which must be what every assignment
// in them gives (digits may repeat here, a wider set than any search
// visits); nothing for a relation that fails its check.
std::optional<RangeVerdict> CheckedVerdict(const std::string& relation, const DigitRanges& ranges) {
  std::u32string text = DecodeUtf8(relation);
  if (CheckRelation(text) != kCheckOk) return std::nullopt;
  RelationCode code;
  VariableTable table;
  CompileRelation(text, false, Reading::kFull, code, table);
  const RangeVerdict verdict = EvaluateRange(code, ranges);
  DigitValues digits = InitialDigitValues();
  const auto every = [&](auto& self, int v) -> bool {
    if (v > table.Count()) return EvaluateCode(code, false, digits) == (verdict == RangeVerdict::kHolds);
    for (int d = ranges.low[v]; d <= ranges.high[v]; ++d) {
      digits[v] = d;
      if (!self(self, v + 1)) return false;
    }
    return true;
  };
  EXPECT_TRUE(verdict == RangeVerdict::kUnknown || every(every, 1)) << relation;
  return verdict;
}

TEST(RangeEvaluator, SettlesOnlyWhatEveryAssignmentInTheRangesAgrees) {
  DigitRanges mixed;  // A in 1..4 times B - C in -9..-1: an extreme at a corner of mixed signs
  mixed.low = {0, 1, 0, 1};
  mixed.high = {0, 4, 0, 9};
  EXPECT_EQ(CheckedVerdict("A*(B-C)+20<0", mixed), RangeVerdict::kUnknown);

  // Past 128 bits, bounds of magnitude: 9^1200 is 3,804 bits, 3^1600 2,536,
  // 7^1600 4,492 and 9^1600 5,072, against a cap of 4,096.
  struct Row {
    const char* relation;
    std::array<int, 3> low, high;  // A, B, C
    RangeVerdict verdict;
  };
  for (const Row& row : {
           Row{"((A^20)^20)^3>B", {2, 0, 0}, {9, 9, 0}, RangeVerdict::kHolds},
           Row{"((A^20)^20)^4>B", {7, 0, 0}, {9, 9, 0}, RangeVerdict::kFails},
           Row{"((A^20)^20)^4>B", {3, 0, 0}, {9, 9, 0}, RangeVerdict::kUnknown},
           Row{"(A^20)^20*B^20>C", {2, 1, 0}, {9, 9, 9}, RangeVerdict::kHolds},
           Row{"(A^20)^20-(B^20)^20>C", {5, 4, 0}, {5, 4, 9}, RangeVerdict::kHolds},
           Row{"(A^20)^20=(B^20)^20+C", {2, 5, 0}, {3, 6, 9}, RangeVerdict::kFails},
           Row{"(A^20)^20%(B^20)^19<C", {8, 2, 0}, {9, 3, 9}, RangeVerdict::kFails},
           Row{"(A^20)^20:(B^20)^20>=C", {8, 2, 1}, {9, 3, 9}, RangeVerdict::kUnknown},
           Row{"(0-A)^(20*20+B)<C", {2, 1, 0}, {3, 1, 9}, RangeVerdict::kFails},  // no exponent past 20
           Row{"((0-A)^20)^19*(0-B)<C", {2, 1, 0}, {3, 4, 9}, RangeVerdict::kHolds},
       }) {
    DigitRanges ranges;
    for (int v = 1; v <= 3; ++v) {
      ranges.low[v] = static_cast<std::int8_t>(row.low[v - 1]);
      ranges.high[v] = static_cast<std::int8_t>(row.high[v - 1]);
    }
    EXPECT_EQ(CheckedVerdict(row.relation, ranges), row.verdict) << row.relation;
  }

  const unsigned seed = TestSeed();
  SCOPED_TRACE("seed " + std::to_string(seed));
  RelationMaker maker{std::mt19937(seed), "ABCD"};
  int settled = 0;
  for (int tried = 0; tried < 3000 && !HasFailure(); ++tried) {
    DigitRanges ranges;
    for (int v = 1; v <= kMaxVariables; ++v) {
      ranges.low[v] = static_cast<std::int8_t>(maker.Pick(10));
      ranges.high[v] =
          static_cast<std::int8_t>(maker.Pick(3) ? ranges.low[v] : ranges.low[v] + maker.Pick(10 - ranges.low[v]));
    }
    const std::optional<RangeVerdict> verdict = CheckedVerdict(maker.Relation(), ranges);
    settled += verdict.value_or(RangeVerdict::kUnknown) != RangeVerdict::kUnknown;
  }
  EXPECT_GT(settled, 100);
}

}  // namespace
}  // namespace zifrel::libero
