#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zifrel::parole {

// A shape of word relation, written as it reads: one lower-case letter a
// word, joined by + and -, with one = ("a+a=b+b+b": a word twice equals
// another three times). Letters name words in order of first appearance;
// a letter written twice is the same word twice, two letters are two
// different words.
struct RelationShape {
  static constexpr int kMaxSlots = 5;
  static constexpr int kMaxTerms = 12;

  std::string pattern;  // without blanks
  int slotCount = 0;
  // Each word's weight in "left side - right side = 0", never 0.
  std::array<std::int64_t, kMaxSlots> weight{};
};

// The shapes drawn when none is asked for: sums of two and three words, a
// word repeated on both sides, a doubled and a tripled word, a difference,
// and two sums that are equal.
inline constexpr std::array<std::string_view, 7> kShapes = {"a+b=c",     "a+b+c=d", "a+a=b",  "a+a+a=b",
                                                            "a+a=b+b+b", "a-b=c",   "a+b=c+d"};

// The shape a pattern writes, if it is one: at least two words and three
// terms, a word's letter first and last on each side, no word whose weight
// comes to 0 ("a+b=a+c"), and not two words said equal ("a+a=b+b").
std::optional<RelationShape> ParseShape(std::string_view pattern);

// The relation with each letter of the pattern replaced by its word.
std::string RelationText(const RelationShape& shape, std::span<const std::string_view> words);

// The lengths the last word may have for the others' lengths, as a bit per
// length (bit n for n letters, up to kMaxWordLength): those whose values meet
// the range that the other words' values allow it.
std::uint32_t LastWordLengths(const RelationShape& shape, std::span<const int> lengths);

// One text for all the ways of writing the same relation: with its sides
// swapped, its terms in another order, a difference moved across the
// "=" sign, or every word repeated as many times more (a+a=b+b is a=b).
std::string CanonicalForm(const RelationShape& shape, std::span<const std::string_view> words);

}  // namespace zifrel::parole
