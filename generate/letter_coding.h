#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "generate/subtractive_rng.h"

namespace zifrel {

// Entries 1..10 hold a random arrangement of 1..10: digit d becomes the
// letter 'A' - 1 + map[d + 1], one of A..J. Entry 0 is unused.
using DigitLetterMap = std::array<std::uint32_t, 11>;

// Ten draws.
DigitLetterMap DrawDigitLetterMap(SubtractiveRng& rng);

// The decimal text of n >= 0 with every digit replaced by its letter.
std::string NumberToLetters(std::int32_t n, const DigitLetterMap& map);

}  // namespace zifrel
