// The plain words of Debian's Italian dictionary: which words a puzzle may
// use, and why each other word is left out.
#include "parole/plain_lexicon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace zifrel::parole {
namespace {

const char* Name(WordReason reason) {
  switch (reason) {
    case WordReason::kNoun:
      return "noun";
    case WordReason::kPluralOrFeminine:
      return "plural or feminine";
    case WordReason::kInfinitive:
      return "infinitive";
    case WordReason::kNotBaseForm:
      return "not a base form";
    case WordReason::kVerbForm:
      return "verb form";
    case WordReason::kUninflected:
      return "uninflected";
    case WordReason::kFunctionWord:
      return "function word";
    case WordReason::kProperNoun:
      return "proper noun";
    case WordReason::kUnfit:
      return "unfit";
    case WordReason::kRare:
      return "rare";
  }
  return "?";
}

const PlainLexicon& Italian() {
  static const PlainLexicon lexicon = [] {
    std::ifstream affixes{std::string(kItalianAffixes)};
    std::ifstream stems{std::string(kItalianStems)};
    std::ifstream thesaurus{std::string(kItalianThesaurusIndex)};
    return PlainLexicon::Read(affixes, stems, &thesaurus);
  }();
  return lexicon;
}

// Words as the list folds them, each with the reason the dictionary gives:
// the words the filter was made for (those a setter rejected) among them.
TEST(PlainLexicon, KeepsBaseFormsAndNamesWhyItDropsTheRest) {
  ASSERT_FALSE(Italian().Empty()) << kItalianStems << ": the package hunspell-it installs it";
  ASSERT_TRUE(std::ifstream(std::string(kItalianThesaurusIndex))) << "the package mythes-it installs it";
  struct Row {
    const char* word;
    WordReason reason;
  };
  for (const Row& row : {
           Row{"gatto", WordReason::kNoun},
           Row{"zona", WordReason::kNoun},
           Row{"felice", WordReason::kNoun},  // adjectives count with nouns
           Row{"pesca", WordReason::kNoun},   // also a form of "pescare"
           Row{"albero", WordReason::kNoun},  // the dictionary has it only as a form of "alberare"
           Row{"gatti", WordReason::kPluralOrFeminine},
           Row{"gatta", WordReason::kPluralOrFeminine},
           Row{"casa", WordReason::kNoun},  // a headword, though the dictionary makes it from "caso"
           Row{"zone", WordReason::kPluralOrFeminine},
           Row{"cantare", WordReason::kInfinitive},
           Row{"trarre", WordReason::kInfinitive},
           Row{"dire", WordReason::kInfinitive},
           // Conjugated and clitic forms are no listed word.
           Row{"cantavamo", WordReason::kNotBaseForm},
           Row{"cantarla", WordReason::kNotBaseForm},
           Row{"ustiona", WordReason::kNotBaseForm},
           Row{"dir", WordReason::kNotBaseForm},
           // Participles, gerunds and irregular tenses the dictionary lists.
           Row{"avuto", WordReason::kVerbForm},
           Row{"bevuto", WordReason::kVerbForm},
           Row{"covato", WordReason::kVerbForm},
           Row{"preso", WordReason::kVerbForm},
           Row{"dicono", WordReason::kVerbForm},
           Row{"cadde", WordReason::kVerbForm},
           Row{"colse", WordReason::kVerbForm},
           Row{"sporse", WordReason::kVerbForm},
           Row{"ebbe", WordReason::kVerbForm},
           Row{"sia", WordReason::kVerbForm},
           Row{"rayon", WordReason::kUninflected},
           Row{"cracker", WordReason::kUninflected},
           Row{"volentieri", WordReason::kUninflected},
           Row{"citta", WordReason::kUninflected},  // città: invariable nouns go with the adverbs
           Row{"dello", WordReason::kFunctionWord},
           Row{"talune", WordReason::kFunctionWord},
           Row{"nostro", WordReason::kFunctionWord},
           Row{"altra", WordReason::kFunctionWord},
           Row{"sulla", WordReason::kFunctionWord},
           Row{"anche", WordReason::kFunctionWord},  // the plural of "anca" reads as "also"
           Row{"roma", WordReason::kProperNoun},
           Row{"culo", WordReason::kUnfit},
           // Words the thesaurus does not list: rare, or an adjective only
           // as a participle.
           Row{"giogaia", WordReason::kRare},
           Row{"tracio", WordReason::kRare},
           Row{"accorso", WordReason::kRare},
           Row{"cane", WordReason::kRare},  // the price of a thesaurus that misses it
           Row{"xyzzy", WordReason::kNotBaseForm},
       }) {
    EXPECT_STREQ(Name(Italian().Judge(row.word)), Name(row.reason)) << row.word;
  }
}

// The filter works on the list's words: what it keeps stays in the list's
// order, plurals after the base forms (each word with its tier: 0 a base
// form, 3 a plural or feminine).
TEST(PlainLexicon, KeepsTheListsOrderWithPluralsLast) {
  std::istringstream in("gatti\ncantavamo\ngatto\ncasa\nRoma\ndello\ncantare\n");
  const WordList kept = KeepPlainWords(WordList::Read(in), Italian());
  std::string words;
  for (const ListWord& word : kept.Words()) words += word.text + std::to_string(static_cast<int>(word.tier)) + ' ';
  EXPECT_EQ(words, "casa0 gatto0 cantare0 gatti3 ");
}

}  // namespace
}  // namespace zifrel::parole
