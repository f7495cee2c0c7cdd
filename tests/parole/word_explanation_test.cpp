// Word relations explained: the sums of words read, solved column by column
// as the Libero search solves them, the explanations pinned, and each one
// checked against the Libero search.
#include "parole/word_explanation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "libero/libero_job.h"
#include "parole/graded_relations.h"
#include "parole/plain_lexicon.h"
#include "tests/support/golden_texts.h"
#include "tests/support/relation_checks.h"

namespace zifrel::parole {
namespace {

std::string Explained(const std::vector<std::string>& lines) {
  StopFlag stop;
  LineCollector out;
  ExplainWordRelation(lines, stop, out);
  std::string text;
  for (const std::string& line : out.lines) text += line + '\n';
  return text;
}

TEST(WordSum, ReadsSumsAndDifferencesOfWordsOnly) {
  struct Row {
    const char* text;
    const char* letters;  // in column order; empty: refused
  };
  for (const Row& row : {
           Row{"SEND+MORE=MONEY", "deynrosm"}, Row{" gatto + gatto = cane+cane+cane ", "oetnacg"},
           Row{"fiume-oro=otto", "eomrtuif"}, Row{"a+b=c", "abc"}, Row{"a*b=c", ""}, Row{"a+b", ""}, Row{"a=b=c", ""},
           Row{"-a+b=c", ""}, Row{"ab cd=e", ""}, Row{"a+1=b", ""}, Row{"abcdefghij+k=l", ""},
           Row{"aaaaaaaaaaaaa+b=c", ""},  // a word of 13 letters
       }) {
    const std::optional<WordSum> sum = ParseWordSum(row.text);
    EXPECT_EQ(sum ? sum->letters : "", row.letters) << row.text;
  }
}

// The column search counts what the Libero search counts.
TEST(WordSum, CountsTheSolutionsTheLiberoSearchCounts) {
  for (const char* text : {"SEND+MORE=MONEY", "gatto+gatto=cane+cane+cane", "a+b=c", "ab+cd=efg", "uno+due=tre",
                           "fiume-oro=otto", "to+go=out", "abc-def=gh", "a+a+a=bc"}) {
    libero::FreeRelations job;
    LineCollector out;
    StopFlag stop;
    std::atomic<std::int32_t> count{0};
    job.SolveFreeRelations(
        std::vector<std::string>{text}, [](std::span<const std::string>) {}, out, stop, count);
    EXPECT_EQ(CountSolutions(*ParseWordSum(text), 100000), count.load()) << text;
  }
  Digits digits{};
  const WordSum send = *ParseWordSum("SEND+MORE=MONEY");
  ASSERT_EQ(CountSolutions(send, 2, &digits), 1);
  EXPECT_EQ(SolutionKey(send, digits), "d=7 e=5 m=1 n=6 o=0 r=8 s=9 y=2");
}

// One explanation for each kind of step, pinned whole in explanations.golden
// (each after a line "== " and the row's name); each was read and its steps
// checked by hand. ZIFREL_GOLDEN_UPDATE=1 writes the file anew after a
// deliberate change of wording: read the difference before committing it.
TEST(WordExplanation, ExplainsStepByStep) {
  const std::vector<testing::GoldenCase> cases = {
      {"lengths, ranges, the last columns: level 2", "SEND+MORE=MONEY"},
      {"units, lengths, the last columns", "gatto+gatto=cane+cane+cane"},
      {"a trial: level 4", "rana+toro=arte"},
      {"every way the relation holds: level 3", "acida+acida=sacro+sacro+sacro"},
      {"ten letters: a digit only one letter can have", "tacco+cervo+sonno=pesce"},
  };
  testing::ExpectGoldenTexts(std::string(ZIFREL_TEST_DATA) + "/parole/explanations.golden", cases,
                             [](const std::string& relation) { return Explained({relation}); });
}

TEST(WordExplanation, RefusesWhatItCannotExplainSayingWhy) {
  struct Row {
    std::vector<std::string> lines;
    WordExplainOutcome outcome;
    std::string text;
  };
  for (const Row& row : {
           Row{{"a*b=c"},
               WordExplainOutcome::kNotWordSum,
               "Si spiega solo una somma o una differenza di parole di al più 12 lettere, come "
               "gatto+gatto=cane+cane+cane.\n"},
           Row{{"ab+ab=ab"},
               WordExplainOutcome::kNotUnique,
               "Nessuna soluzione\nSi spiega solo una relazione con una sola soluzione.\n"},
           Row{{"ab+ba=cc", ""}, WordExplainOutcome::kNotUnique, ""},
           Row{{"a+b=c", "c+d=e"}, WordExplainOutcome::kRefused, "Si spiega una relazione alla volta.\n"},
           Row{{"abcdef+ghijk=l"}, WordExplainOutcome::kRefused, "ERRORE:\nTroppe variabili (Max 10!)\n"},
       }) {
    StopFlag stop;
    LineCollector out;
    EXPECT_EQ(ExplainWordRelation(row.lines, stop, out), row.outcome) << row.lines[0];
    std::string text;
    for (const std::string& line : out.lines) text += line + '\n';
    if (row.outcome == WordExplainOutcome::kNotUnique && row.text.empty()) {
      EXPECT_TRUE(text.ends_with("soluzioni\nSi spiega solo una relazione con una sola soluzione.\n")) << text;
    } else {
      EXPECT_EQ(text, row.text) << row.lines[0];
    }
  }
}

// Over a seeded sample of generated relations: every step keeps the one
// solution the Libero search finds, and the explanation ends at it.
TEST(WordExplanation, EndsAtTheSolutionTheLiberoSearchFinds) {
  const WordList plain = ReadPlainItalianWords();
  ASSERT_FALSE(plain.Words().empty());
  RelationGenerator generator(plain, {}, 21);
  StopFlag stop;
  for (int k = 0; k < 60; ++k) {
    const GeneratedRelation relation = generator.Next(stop);
    EXPECT_EQ(testing::WordExplanationFault(relation.text), "") << "seed 21, relation " << k;
  }
}

// A level asked for is the level the explanation ends with.
TEST(GradedRelations, GiveTheLevelAskedFor) {
  const WordList plain = ReadPlainItalianWords();
  for (int level = 1; level <= 4; ++level) {
    RelationGenerator generator(plain, {}, 40 + level);
    StopFlag stop;
    const GradedRelation relation = NextGraded(generator, level, stop);
    ASSERT_EQ(relation.end, SearchEnd::kFound) << "level " << level;
    EXPECT_EQ(relation.level, level);
    EXPECT_TRUE(Explained({relation.text}).ends_with(LevelLine(level) + "\n")) << relation.text;
  }
}

}  // namespace
}  // namespace zifrel::parole
