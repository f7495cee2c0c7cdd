#include "libero/libero_job.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zifrel::libero {
namespace {

using Lines = std::vector<std::string>;

struct JobRun {
  JobEnd end;
  Lines out;
  std::optional<Lines> kept;  // the formula area's new lines, if rewritten
  std::int32_t count;
};

JobRun RunJob(const Lines& lines, long stopAfterPolls = 0, std::int32_t countBefore = 0) {
  FreeRelations job;
  LineCollector out;
  StopFlag stop;
  if (stopAfterPolls > 0) stop.RequestAfterPolls(stopAfterPolls);
  std::atomic<std::int32_t> count{countBefore};
  std::optional<Lines> kept;
  const JobEnd end = job.SolveFreeRelations(
      lines, [&](std::span<const std::string> k) { kept.emplace(k.begin(), k.end()); }, out, stop, count);
  return {end, out.lines, kept, count.load()};
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Lines Repeat(const std::string& line, int times) { return Lines(times, line); }

const std::string kRule = "------------------";

struct JobCase {
  const char* behaviour;
  Lines lines;
  Lines expected;
};

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.behaviour; }

class JobTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(JobTest, WritesTheExpectedLines) {
  const JobCase& c = GetParam();
  EXPECT_EQ(RunJob(c.lines).out, c.expected);
}

const std::string k200 = "A=" + std::string(198, '1');

std::string Accented(int characters) {
  std::string text;
  for (int i = 0; i < characters; ++i) text += "\u00E8";
  return text;
}

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
                Concat({{" A", "---"},
                        {" 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9"},
                        {kRule, "10 soluzioni"}})},
        JobCase{"no solution has no rule line", {"A+B=C", "A*B=C"}, {"Nessuna soluzione"}},
        JobCase{"a power of a power: all four solutions",
                {"A^(B^C)=43046721"},
                {" ABC", "-----", " 981", " 342", " 923", " 324", kRule, "4 soluzioni"}},
        JobCase{"the smallest value divided by -1 is no crash", {"(2^20)^3*8:(A-B)=C"}, {"Nessuna soluzione"}},
        JobCase{"a typed tab reads as >=", {"A\t8"}, {" A", "---", " 8", " 9", kRule, "2 soluzioni"}},
        JobCase{"fourteen letters in the first relation",
                {"ABCD+EFGH:JIHM=PLDS", "A+B"},
                {"ERRORE:", "Troppe variabili (Max 10!)"}},
        JobCase{"a failing second relation, shown as typed",
                {"A=B", "a + b"},
                {"ERRORE:", "Manca il simbolo di relazione in", "a + b"}},
        JobCase{"too many letters in all relations together",
                {"A+B+C=D+E+F", "G+H+I=J+K+L"},
                {"ERRORE:", "Troppe variabili (Max 10!)"}},
        JobCase{"three blanks are a relation without letters", {"   "}, {"ERRORE:", "Nessuna variabile in", "   "}},
        JobCase{"short lines are dropped",
                {"", "a", "ab", "A+B=CD", "  "},
                Concat({{" ABDC", "------"},
                        {" 8201", " 7301", " 6401", " 4601", " 3701", " 2801", " 9321", " 8421", " 7521", " 5721",
                         " 4821", " 3921", " 9431", " 8531", " 7631", " 6731", " 5831", " 4931", " 9541", " 8641"},
                        {kRule, "30 soluzioni"}})},
        JobCase{"nothing but short lines", {"", "ab", "x"}, {"Nessuna soluzione"}},
        JobCase{"an accented letter is forbidden", {"caffè=1"}, {"ERRORE:", "Carattere proibito in", "caffè=1"}},
        JobCase{"a byte that is not UTF-8 comes back unchanged",
                {"A\xFF=B"},
                {"ERRORE:", "Carattere proibito in", "A\xFF=B"}},
        JobCase{"200 characters are accepted", {k200}, {"Nessuna soluzione"}},
        JobCase{"201 characters are not", {"A=B", k200 + "1"}, {"Max 200 caratteri per formula"}},
        JobCase{"200 accented characters are 200, not 400",
                {"A=" + Accented(198)},
                {"ERRORE:", "Carattere proibito in", "A=" + Accented(198)}},
        JobCase{"20 relations are accepted", Repeat("A+B=9", 20),
                Concat({{" AB", "----"},
                        {" 90", " 81", " 72", " 63", " 54", " 45", " 36", " 27", " 18", " 09"},
                        {kRule, "10 soluzioni"}})},
        JobCase{"a 21st relation ends the job, even a faulty one",
                Concat({Repeat("A+B=9", 20), {"???"}}),
                {"ERRORE: Max 20 relazioni"}},
        JobCase{"a long line after 21 relations is not reached",
                Concat({Repeat("A+B=9", 21), {k200 + "1"}}),
                {"ERRORE: Max 20 relazioni"}}));

TEST(LiberoJob, UnitsReadingKeepsEverySolutionOfAnExponentWithOperators) {
  EXPECT_EQ(RunJob({"A^(B-C+D)=32"}).count, 34);
  EXPECT_EQ(RunJob({"A^(B^C)=43046721"}).count, 4);
}

TEST(LiberoJob, UnitsReadingKeepsSolutionsWhoseUnitsPowerWouldWrap) {
  // (A-B) has units digit 9 when A - B = -1, and 9^20 leaves 64 bits.
  EXPECT_EQ(RunJob({"(A-B)^20=1"}).count, 18);
}

TEST(LiberoJob, KeepsTheRelationsAsTypedInTheFormulaArea) {
  const JobRun run = RunJob({"a + b = c", "", "x", "A*B=C"});
  EXPECT_EQ(run.end, JobEnd::Searched);
  EXPECT_EQ(run.kept, (Lines{"a + b = c", "A*B=C"}));
  EXPECT_EQ(RunJob({"A+B"}).kept, Lines{"A+B"});  // also when a check then fails
}

TEST(LiberoJob, ALimitLeavesTheFormulaAreaAndTheCountAlone) {
  for (const Lines& lines : {Lines{k200 + "1"}, Repeat("A+B=9", 21)}) {
    const JobRun run = RunJob(lines, 0, 77);
    EXPECT_EQ(run.end, JobEnd::Refused);
    EXPECT_FALSE(run.kept.has_value());
    EXPECT_EQ(run.count, 77);
  }
}

TEST(LiberoJob, ARefusedRelationLeavesTheLastCount) {
  EXPECT_EQ(RunJob({"A+B"}, 0, 77).count, 77);
  EXPECT_EQ(RunJob({"ABCDEF=1", "GHIJKL=2"}, 0, 77).count, 77);
  EXPECT_EQ(RunJob({"A+B=C"}, 0, 77).count, 32);
  EXPECT_EQ(RunJob({"", "x"}, 0, 77).count, 0);  // an empty search still counts from 0
}

TEST(LiberoJob, AStopKeepsWhatWasFoundAndSaysSo) {
  const Lines complete = RunJob({"A+B=C"}).out;
  for (long polls = 1; polls <= 60; ++polls) {
    const JobRun run = RunJob({"A+B=C"}, polls);
    ASSERT_EQ(run.end, JobEnd::Searched);
    ASSERT_GE(run.out.size(), 2u) << polls;
    EXPECT_EQ(run.out.back(), "(Ricerca interrotta)") << polls;
    const int listed = run.count == 0 ? 0 : std::min(run.count, 20) + 2;
    // The solutions found before the stop, in order, then the summary.
    for (int i = 0; i < listed; ++i) EXPECT_EQ(run.out[i], complete[i]) << polls;
    const std::string summary = run.count == 0   ? "Nessuna soluzione"
                                : run.count == 1 ? "1 soluzione"
                                                 : std::to_string(run.count) + " soluzioni";
    EXPECT_EQ(run.out[run.out.size() - 2], summary) << polls;
    EXPECT_LT(run.count, 32) << polls;
  }
}

TEST(LiberoJob, OneObjectRunsJobAfterJob) {
  FreeRelations job;
  StopFlag stop;
  std::atomic<std::int32_t> count{0};
  const auto keep = [](std::span<const std::string>) {};
  LineCollector first, second;
  job.SolveFreeRelations(Lines{"SEND+MORE=MONEY"}, keep, first, stop, count);
  job.SolveFreeRelations(Lines{"A+B=C"}, keep, second, stop, count);
  EXPECT_EQ(second.lines, RunJob({"A+B=C"}).out);
}

}  // namespace
}  // namespace zifrel::libero
