#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zifrel {

// A character of the system is one Unicode code point. A byte that is not
// part of valid UTF-8 (always 0x80 or more) reads as one character of its
// own, U+DC00 + byte, so U+DC80..U+DCFF (the "surrogate escape"), so distinct bad bytes stay distinct and are written
// back unchanged.
inline constexpr char32_t kEscapeBase = 0xDC00;

// Reads the character at `pos` and moves `pos` past it. Requires pos < size.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) noexcept;

std::u32string DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(std::u32string_view text);
std::size_t CodePointCount(std::string_view text) noexcept;

}  // namespace zifrel
