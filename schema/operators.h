#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zifrel {

// An operator of the Schema. The values are fixed: the button cycle, the
// combination code and the equation normalisation all compute with them.
using OpCode = std::int8_t;
inline constexpr OpCode kMultiply = 0;
inline constexpr OpCode kPlus = 1;
inline constexpr OpCode kDivide = 2;
inline constexpr OpCode kMinus = 3;

// o1..o6: the row operators o1..o3, then the column operators o4..o6.
inline constexpr int kOperatorCount = 6;
using OpCodes = std::array<OpCode, kOperatorCount>;
inline constexpr OpCodes kAllPlus = {kPlus, kPlus, kPlus, kPlus, kPlus, kPlus};

struct OperatorInfo {
  OpCode code;
  std::string_view glyph;        // UTF-8, one character
  std::u32string_view accepted;  // characters that name it on the command line
};

// One table for the buttons' glyphs, the reports and command-line parsing.
inline constexpr std::array<OperatorInfo, 4> kOperatorTable = {{
    {kMultiply, "\u00D7", U"*xX\u00D7"},
    {kPlus, "+", U"+"},
    {kDivide, "\u00F7", U"/:\u00F7"},
    {kMinus, "-", U"-"},
}};

inline std::string_view OperatorGlyph(OpCode op) { return kOperatorTable[op & 3].glyph; }

// The operator a button shows after one click: + ÷ - × and back to +.
inline constexpr OpCode NextOperator(OpCode op) { return static_cast<OpCode>((op + 1) & 3); }

std::optional<OpCode> ParseOperator(char32_t c);

// Exactly six operator characters, o1..o6; nothing else.
std::optional<OpCodes> ParseOperators(std::string_view utf8);

}  // namespace zifrel
