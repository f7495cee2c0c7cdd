#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "parole/word_list.h"

namespace zifrel::parole {

// Where Debian's Italian spelling dictionary lives once `hunspell-it` is in:
// its stems, each with the classes of endings and prefixes it takes, and the
// rules of those classes.
inline constexpr std::string_view kItalianAffixes = "/usr/share/hunspell/it_IT.aff";
inline constexpr std::string_view kItalianStems = "/usr/share/hunspell/it_IT.dic";
// And where the index of Debian's Italian thesaurus lives once `mythes-it`
// is in: its headwords are the words a general reader knows well enough to
// look up synonyms of.
inline constexpr std::string_view kItalianThesaurusIndex = "/usr/share/mythes/th_it_IT_v2.idx";

// Why the dictionary keeps a word for a puzzle or leaves it out.
enum class WordReason {
  kNoun,              // kept: a noun or adjective as listed, in the singular
  kPluralOrFeminine,  // kept: its plural or feminine, made by its own rules
  kInfinitive,        // kept: a verb's infinitive
  kNotBaseForm,       // dropped: no listed word nor a plain form of one
                      // (conjugations, pronouns joined to a verb, "dir")
  kVerbForm,          // dropped: listed as a participle, gerund or tense
  kUninflected,       // dropped: listed with no plural or feminine: adverbs,
                      // foreign words, irregular verb forms ("dello", "rayon")
  kFunctionWord,      // dropped: pronouns, possessives, determiners
  kProperNoun,        // dropped: listed only with a capital
  kUnfit,             // dropped: coarse or loaded, no puzzle page prints it
  kRare,              // dropped: a base form the thesaurus does not list
};

inline bool IsKept(WordReason reason) { return reason <= WordReason::kInfinitive; }

// The base forms that the Italian dictionary lists, folded as the word list
// folds its words (città as citta).
class PlainLexicon {
 public:
  // With a thesaurus index, the nouns, adjectives and infinitives must be
  // its headwords, and its headwords that the dictionary makes only as
  // verb forms ("porta", "albero") count as nouns.
  // With `only`, the words of that list alone are judged (a quicker read):
  // any other is kNotBaseForm.
  static PlainLexicon Read(std::istream& affixes, std::istream& stems, std::istream* thesaurusIndex = nullptr,
                           const WordList* only = nullptr);

  WordReason Judge(std::string_view folded) const;

  bool Empty() const { return words_.empty(); }

 private:
  // A word's place in words_ and reasons_, or -1; Insert adds it when new.
  // Open addressing over one array: the dictionary's read looks words up
  // a quarter of a million times, which node-based tables make slow.
  std::int32_t Find(std::string_view word) const;
  std::int32_t Insert(std::string_view word);
  void Note(std::string_view word, WordReason reason, bool onlyKnownWords);

  std::vector<std::string> words_;
  std::vector<WordReason> reasons_;
  struct Slot {
    std::uint32_t hash;
    std::int32_t at;  // -1 where empty
  };
  std::vector<Slot> slots_;
};

// The words of `list` that `lexicon` keeps, in the list's order, with the
// plurals and feminines after the base forms: a generator takes them only
// when the base forms of the lengths asked for are too few.
WordList KeepPlainWords(const WordList& list, const PlainLexicon& lexicon);

// The words of `list` that the installed dictionary and thesaurus keep; the
// list as it is when the dictionary is not installed.
WordList WithInstalledLexicon(WordList list);

// Debian's Italian list with only its plain words, when the dictionary is
// installed; the list as read otherwise. Empty when the list cannot be read.
WordList ReadPlainItalianWords();

}  // namespace zifrel::parole
