#pragma once

#include <istream>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zifrel::parole {

// Where Debian's Italian word list lives once the `witalian` package is in.
inline constexpr std::string_view kItalianWordList = "/usr/share/dict/italian";

// Words that look less common than others of their length; a generator uses
// them only where the plain ones are too few.
enum class WordTier : int {
  kPlain = 0,
  kVerbForm = 1,       // a verb form, or an infinitive with a pronoun
  kAccentDropped = 2,  // it lost an accent: in Italian lists mostly futures and past tenses
  kInflected = 3       // a plural or a feminine, which a dictionary tells from a base form
};

struct ListWord {
  std::string text;  // lower case a..z only
  WordTier tier;
};

// The usable words of a list, plainest first: by tier, then shorter first,
// then in a fixed order that mixes the initials (a hash of the word), so that
// no stretch of the alphabet is favoured and the order is the same on every
// machine.
class WordList {
 public:
  // Reads one word a line, UTF-8, as WordListReader does; a list it refuses
  // reads as empty.
  static WordList Read(std::istream& in);

  std::span<const ListWord> Words() const { return words_; }

  // A list of words already in a list's order, such as part of another.
  static WordList FromRanked(std::vector<ListWord> words) {
    WordList list;
    list.words_ = std::move(words);
    return list;
  }

 private:
  friend class WordListReader;
  std::vector<ListWord> words_;
};

// Any list that can be read within these bounds is a list of words; past
// them it is some other file, or an endless stream, and is refused at once.
// Debian's Italian list has about 117,000 lines of at most 30 bytes; a
// million unique words of twelve letters take about 150 MB while read.
inline constexpr std::size_t kMaxListLines = 1'000'000;
inline constexpr std::size_t kMaxListLineBytes = 256;

// Why a list was refused.
enum class ListFault {
  kNone,
  kNotText,       // a NUL byte: /dev/zero, /dev/urandom, a binary file
  kLineTooLong,   // a line of more than kMaxListLineBytes
  kTooManyLines,  // more than kMaxListLines
};

// Reads a word list as it arrives, in pieces of any size, with a fixed bound
// on memory whatever it is fed. A word keeps its accents' letters without
// the accents (città gives citta), as puzzles in Italian write words.
// Dropped: a byte-order mark at the start, lines with anything but letters
// (blanks around a word aside), words with a capital (proper nouns,
// acronyms), words of fewer than 3 or more than kMaxWordLength letters, and
// repeats.
class WordListReader {
 public:
  // False once the list is refused: nothing more need be read.
  bool Feed(std::string_view bytes);
  ListFault Fault() const { return fault_; }
  std::size_t LineNumber() const { return lines_; }  // the line refused, from 1
  // The words, plainest first; none when the list was refused.
  WordList Finish();

 private:
  bool EndLine();

  std::string line_;  // at most kMaxListLineBytes
  std::size_t lines_ = 0;
  ListFault fault_ = ListFault::kNone;
  std::vector<std::string> texts_;
  std::vector<bool> accentDropped_;
  std::unordered_map<std::string, std::size_t> seen_;
};

// Longer words seldom keep to ten distinct letters, and make relations no
// one would solve by hand.
inline constexpr int kMaxWordLength = 12;

// The word a line holds, in a..z, or "" when the line holds none;
// `accentDropped` tells whether folding took an accent off.
std::string FoldWord(std::string_view line, bool& accentDropped);

}  // namespace zifrel::parole
