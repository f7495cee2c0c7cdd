#include "libero/libero_job.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

// On `job`, or on a fresh object; the count starts at what an earlier job left.
JobRun RunJob(const Lines& lines, long stopAfterPolls = 0, FreeRelations* job = nullptr) {
  FreeRelations fresh;
  LineCollector out;
  StopFlag stop;
  if (stopAfterPolls > 0) stop.RequestAfterPolls(stopAfterPolls);
  std::atomic<std::int32_t> count{77};
  std::optional<Lines> kept;
  const JobEnd end =
      (job ? *job : fresh)
          .SolveFreeRelations(
              lines, [&](std::span<const std::string> k) { kept.emplace(k.begin(), k.end()); }, out, stop, count);
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
        JobCase{"the smallest value divided by -1 is no crash", {"(2^20)^3*8:(A-B)=C"}, {"Nessuna soluzione"}},
        JobCase{"fourteen letters in the first relation, which fails first",
                {"ABCD+EFGH:JIHM=PLDS", "A+B"},
                {"ERRORE:", "Troppe variabili (Max 10!)"}},
        JobCase{"a failing second relation, shown as typed",
                {"A=B", "a + b"},
                {"ERRORE:", "Manca il simbolo di relazione in", "a + b"}},
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
        JobCase{"201 characters are not, wherever the line", {"A=B", k201}, {"Max 200 caratteri per formula"}},
        JobCase{"200 accented characters are 200, not 400, and forbidden",
                {"A=" + kAccented198},
                {"ERRORE:", "Carattere proibito in", "A=" + kAccented198}},
        JobCase{"20 relations are accepted",
                Lines(20, "A+B=9"),
                {" AB", "----", " 90", " 81", " 72", " 63", " 54", " 45", " 36", " 27", " 18", " 09", kRule,
                 "10 soluzioni"}},
        // Neither the 21st relation's fault nor a later long line is reached.
        JobCase{"a 21st relation ends the job",
                [] {
                  Lines lines(21, "???");
                  lines.push_back(k201);
                  return lines;
                }(),
                {"ERRORE: Max 20 relazioni"}}));

// The formula area takes the relations kept, as typed, unless a limit refuses
// the job; the count starts from 0 only when a search runs.
TEST(LiberoJob, TheFormulaAreaAndTheCountAfterAJob) {
  struct Row {
    Lines lines;
    JobEnd end;
    std::optional<Lines> kept;
    std::int32_t count;
  };
  for (const Row& row :
       {Row{{"a + b = c", "", "x"}, JobEnd::Searched, Lines{"a + b = c"}, 32},
        Row{{"", "x"}, JobEnd::Searched, Lines{}, 0}, Row{{"A+B"}, JobEnd::Refused, Lines{"A+B"}, 77},
        Row{{"ABCDEF=1", "GHIJKL=2"}, JobEnd::Refused, Lines{"ABCDEF=1", "GHIJKL=2"}, 77},
        Row{{k201}, JobEnd::Refused, std::nullopt, 77}, Row{Lines(21, "A+B=9"), JobEnd::Refused, std::nullopt, 77}}) {
    const JobRun run = RunJob(row.lines);
    EXPECT_EQ(run.end, row.end) << ::testing::PrintToString(row.lines);
    EXPECT_EQ(run.kept, row.kept) << ::testing::PrintToString(row.lines);
    EXPECT_EQ(run.count, row.count) << ::testing::PrintToString(row.lines);
  }
}

TEST(LiberoJob, AStopKeepsWhatWasFoundAndSaysSo) {
  const testing::ReferenceOutcome all = testing::ReferenceSolve({"A+B=C"});
  for (long polls = 1; polls <= 60; ++polls) {
    const JobRun run = RunJob({"A+B=C"}, polls);
    testing::ReferenceOutcome found = all;
    found.solutions.resize(run.count);
    Lines expected = testing::ReferenceLines(found);
    expected.push_back("(Ricerca interrotta)");
    EXPECT_EQ(run.out, expected) << polls;
  }
}

TEST(LiberoJob, OneObjectRunsJobAfterJob) {
  FreeRelations job;
  RunJob({"SEND+MORE=MONEY"}, 0, &job);
  EXPECT_EQ(RunJob({"A+B=C"}, 0, &job).out, RunJob({"A+B=C"}).out);
}

}  // namespace
}  // namespace zifrel::libero
