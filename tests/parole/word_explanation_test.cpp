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

// One explanation for each kind of step, pinned whole.
TEST(WordExplanation, ExplainsStepByStep) {
  struct Row {
    const char* behaviour;
    const char* relation;
    const char* text;
  };
  for (const Row& row : {
           Row{"lengths, ranges, the last columns: level 2", "SEND+MORE=MONEY",
               R"(1. Prime lettere: una parola di due o più lettere non comincia con 0, quindi S
   e M non possono essere 0.
2. Colonna delle unità: D + E deve finire come Y, quindi D ed E non possono
   essere 0.
3. Dal numero delle cifre di ogni parola, SEND + MORE sta tra 2000 e 19998 e
   MONEY tra 10000 e 99999, quindi M = 1.
4. Lettere diverse hanno cifre diverse, e M = 1, quindi D, E, Y, N, R, O e S
   non possono essere 1.
5. Con le cifre ancora possibili, SEND + MORE sta tra 3204 e 11998 e MONEY tra
   10020 e 19999, quindi O = 0; S non può essere 2, 3, 4, 5, 6 né 7.
6. Lettere diverse hanno cifre diverse, e O = 0, quindi Y, N e R non possono
   essere 0.
7. Con le cifre ancora possibili, SEND + MORE sta tra 9244 e 11098 e MONEY tra
   10222 e 10999, quindi S = 9.
8. Lettere diverse hanno cifre diverse, e S = 9, quindi D, E, Y, N e R non
   possono essere 9.
9. Ultime tre cifre, con i riporti: END + ORE deve finire come NEY, quindi
   D = 7, E = 5, Y = 2, N = 6 e R = 8.
 DEYSNMOR
----------
 75296108
------------------
1 soluzione
Livello: 2 (medio)
)"},
           Row{"units, lengths, the last columns", "gatto+gatto=cane+cane+cane",
               R"(1. Prime lettere: una parola di due o più lettere non comincia con 0, quindi C
   e G non possono essere 0.
2. Colonna delle unità: O + O deve finire come E + E + E, quindi O non può
   essere 0; E non può essere 1, 3, 5, 7 né 9.
3. Dal numero delle cifre di ogni parola, GATTO + GATTO sta tra 20000 e 199998
   e CANE + CANE + CANE tra 3000 e 29997, quindi G = 1; A non può essere 5, 6,
   7, 8 né 9; C non può essere 1, 2, 3, 4 né 5.
4. Lettere diverse hanno cifre diverse, e G = 1, quindi O, T, N e A non
   possono essere 1.
5. Ultime tre cifre, con i riporti: TTO + TTO deve finire come
   ANE + ANE + ANE, quindi O non può essere 3, 5 né 6; E non può essere 0 né
   4; T non può essere 0, 3, 6, 7 né 9; N non può essere 0, 2 né 4.
6. Ultime quattro cifre, con i riporti: ATTO + ATTO deve finire come
   CANE + CANE + CANE, quindi O = 4, E = 6, T = 5, N = 3, A = 0 e C = 7.
 OEGATCN
---------
 4610573
------------------
1 soluzione
Livello: 2 (medio)
)"},
           Row{"a trial: level 4", "rana+toro=arte",
               R"(1. Prime lettere: una parola di due o più lettere non comincia con 0, quindi
   A, R e T non possono essere 0.
2. Colonna delle unità: A + O deve finire come E, quindi O non può essere 0.
3. Dal numero delle cifre di ogni parola, RANA + TORO sta tra 2111 e 19998 e
   ARTE tra 1110 e 9999, quindi A non può essere 1; R e T non possono essere
   9.
4. Prova: se A fosse 2:
   - Lettere diverse hanno cifre diverse, e A = 2, quindi O, E, N, R e T non
     possono essere 2.
   - Colonna delle unità: A + O deve finire come E, quindi E non può essere 4.
   - Con le cifre ancora possibili, RANA + TORO sta tra 2313 e 17281 e ARTE
     tra 2110 e 2889, quindi T = 1; O non può essere 7, 8 né 9; R non può
     essere 1, 3, 4, 5, 6, 7 né 8.
   Allora per R non resterebbe nessuna cifra. Quindi A non può essere 2.
5. Ultime tre cifre, con i riporti: ANA + ORO deve finire come RTE, quindi A
   non può essere 9; O non può essere 3 né 9; E non può essere 0, 1, 8 né 9; N
   non può essere 0, 1, 2 né 9; R non può essere 1 né 2; T non può essere 6, 7
   né 8.
6. Ultime quattro cifre, con i riporti: RANA + TORO deve finire come ARTE,
   quindi A = 8, O = 7, E = 5, N = 4, R = 6 e T = 1.
 AOERNT
--------
 875641
------------------
1 soluzione
Livello: 4 (molto difficile)
)"},
           Row{"every way the relation holds: level 3", "acida+acida=sacro+sacro+sacro",
               R"(1. Prime lettere: una parola di due o più lettere non comincia con 0, quindi A
   e S non possono essere 0.
2. Colonna delle unità: A + A deve finire come O + O + O, quindi O non può
   essere 1, 3, 5, 7 né 9.
3. Dal numero delle cifre di ogni parola, ACIDA + ACIDA sta tra 20002 e 199998
   e SACRO + SACRO + SACRO tra 33000 e 299997, quindi S non può essere 7, 8 né
   9.
4. Ultime quattro cifre, con i riporti: CIDA + CIDA deve finire come
   ACRO + ACRO + ACRO, quindi A non può essere 3, 6 né 8; O non può essere 2;
   D non può essere 1, 7, 8 né 9; R non può essere 4, 7 né 8; I non può essere
   0 né 9; C non può essere 5.
5. Ultime cinque cifre, con i riporti: ACIDA + ACIDA deve finire come
   SACRO + SACRO + SACRO, quindi O = 8; A non può essere 1, 4, 5 né 9; D non
   può essere 0 né 3; R non può essere 2, 5 né 6; I non può essere 1, 2, 6, 7
   né 8; C non può essere 1, 2, 3, 4, 7 né 8; S non può essere 2, 3 né 6.
6. Provando le cifre ancora possibili, la relazione torna in un solo modo,
   quindi A = 7, D = 2, R = 1, I = 5, C = 0 e S = 4.
 AOCIDSR
---------
 7805241
------------------
1 soluzione
Livello: 3 (difficile)
)"},
           Row{"ten letters: a digit only one letter can have", "tacco+cervo+sonno=pesce",
               R"(1. Prime lettere: una parola di due o più lettere non comincia con 0, quindi
   C, S, T e P non possono essere 0.
2. Colonna delle unità: O + O + O deve finire come E, quindi O ed E non
   possono essere 0 né 5.
3. Dal numero delle cifre di ogni parola, TACCO + CERVO + SONNO sta tra 30110
   e 299997 e PESCE tra 10110 e 99999, quindi C, S e T non possono essere 8 né
   9; P non può essere 1 né 2.
4. Ultime cinque cifre, con i riporti: TACCO + CERVO + SONNO deve finire come
   PESCE, quindi O non può essere 1, 2, 3, 4, 7 né 8; E non può essere 1, 2,
   3, 4, 6 né 9; C non può essere 1, 3, 4, 6 né 7; V non può essere 1, 2, 4,
   5, 6, 7 né 9; N non può essere 1, 2, 3, 4, 6, 7 né 8; R non può essere 0,
   1, 4, 5, 7, 8 né 9; S non può essere 1, 2, 3 né 5; A non può essere 2, 4,
   5, 6, 7, 8 né 9; T non può essere 2, 3, 4, 6 né 7; P non può essere 3, 5,
   6, 7 né 9.
5. Con le cifre ancora possibili, TACCO + CERVO + SONNO sta tra 83438 e 192247
   e PESCE tra 47427 e 88758, quindi C = 2, S = 4, T = 1 e P = 8.
6. Lettere diverse hanno cifre diverse, e C = 2, quindi R non può essere 2.
7. Lettere diverse hanno cifre diverse, e T = 1, quindi A non può essere 1.
8. Lettere diverse hanno cifre diverse, e P = 8, quindi E = 7; V non può
   essere 8.
9. Dieci lettere usano tutte e dieci le cifre, e la cifra 5 può andare solo
   alla lettera N, quindi N = 5.
10. Dieci lettere usano tutte e dieci le cifre, e la cifra 9 può andare solo
    alla lettera O, quindi O = 9.
11. Dieci lettere usano tutte e dieci le cifre, e la cifra 6 può andare solo
    alla lettera R, quindi R = 6.
12. Ultime due cifre, con il riporto delle unità: CO + VO + NO deve finire
    come CE, quindi V = 3.
13. Lettere diverse hanno cifre diverse, e V = 3, quindi A = 0.
 OETACRVSNP
------------
 9710263458
------------------
1 soluzione
Livello: 3 (difficile)
)"},
       }) {
    EXPECT_EQ(Explained({row.relation}), row.text) << row.behaviour;
  }
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
