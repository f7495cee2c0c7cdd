#include "generate/letter_coding.h"

#include <algorithm>

namespace zifrel {

DigitLetterMap DrawDigitLetterMap(SubtractiveRng& rng) {
  DigitLetterMap map{};
  RandomPermutation(rng, map, 10);
  return map;
}

std::string NumberToLetters(std::int32_t n, const DigitLetterMap& map) {
  std::string text = std::to_string(n);
  for (char& c : text) c = static_cast<char>('A' - 1 + map[c - '0' + 1]);
  return text;
}

}  // namespace zifrel
