#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zifrel::parole {

// A relation that is a sum or difference of words, as a solver works it by
// hand: "gatto+gatto=cane+cane+cane", "SEND+MORE=MONEY", "fiume-oro=otto".
// Every letter a different digit; a word never starts with 0.
struct WordSum {
  static constexpr int kMaxLetters = 10;
  static constexpr int kMaxColumns = 12;  // the longest word, as long as a list's

  struct Term {
    std::string word;  // lower case, as it reads
    int sign;          // +1 or -1, as written
    bool right;        // right of "="
  };
  std::vector<Term> terms;
  int columns = 0;  // letters of the longest word

  // The distinct letters, those of the units column first, then those a
  // column further left brings: the order a solver meets them in.
  std::string letters;
  // Each letter's weight in "left side - right side = 0": the sum of
  // +-10^place over its places.
  std::array<std::int64_t, kMaxLetters> weight{};
  std::array<bool, kMaxLetters> leading{};  // starts a word of two or more letters

  std::array<std::int8_t, 26> index{};  // of each letter a..z in `letters`, -1 if absent

  int LetterIndex(char c) const { return index[c - 'a']; }
};

// The relation's words and signs, if it is a sum or difference of words:
// words of the letters a..z (either case), joined by + and -, one "=",
// blanks anywhere; at most ten letters, words of at most kMaxColumns.
// Nothing else: no digits, no other operations, no brackets.
std::optional<WordSum> ParseWordSum(std::string_view text);

// A digit for each letter, by the letter's index in WordSum::letters.
using Digits = std::array<int, WordSum::kMaxLetters>;

// Counts the solutions, up to `limit`, by trying the letters column by
// column from the units and keeping only digits whose columns so far add up;
// `first` gets the first solution found. The same count as the Libero
// search, far quicker on sums of words.
int CountSolutions(const WordSum& sum, int limit, Digits* first = nullptr);

// "a=1 c=3 e=5": each letter with its digit, in alphabetical order.
std::string SolutionKey(const WordSum& sum, const Digits& digits);

}  // namespace zifrel::parole
