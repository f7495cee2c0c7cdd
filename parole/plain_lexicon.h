#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <unordered_map>

#include "parole/word_list.h"

namespace zifrel::parole {

// Where Debian's Italian spelling dictionary lives once `hunspell-it` is in:
// its stems, each with the classes of endings and prefixes it takes, and the
// rules of those classes.
inline constexpr std::string_view kItalianAffixes = "/usr/share/hunspell/it_IT.aff";
inline constexpr std::string_view kItalianStems = "/usr/share/hunspell/it_IT.dic";

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
};

inline bool IsKept(WordReason reason) { return reason <= WordReason::kInfinitive; }

// The base forms that the Italian dictionary lists, folded as the word list
// folds its words (città as citta).
class PlainLexicon {
 public:
  static PlainLexicon Read(std::istream& affixes, std::istream& stems);

  WordReason Judge(std::string_view folded) const;

  bool Empty() const { return reasons_.empty(); }

 private:
  // Looked up by a view of a word, with no string made for it.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view word) const { return std::hash<std::string_view>()(word); }
  };
  std::unordered_map<std::string, WordReason, Hash, std::equal_to<>> reasons_;
};

// The words of `list` that `lexicon` keeps, in the list's order, with the
// plurals and feminines after the base forms: a generator takes them only
// when the base forms of the lengths asked for are too few.
WordList KeepPlainWords(const WordList& list, const PlainLexicon& lexicon);

// The words of `list` that the installed dictionary keeps; the list as it
// is when the dictionary is not installed.
WordList WithInstalledLexicon(WordList list);

// Debian's Italian list with only its plain words, when the dictionary is
// installed; the list as read otherwise. Empty when the list cannot be read.
WordList ReadPlainItalianWords();

}  // namespace zifrel::parole
