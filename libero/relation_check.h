#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zifrel::libero {

inline constexpr int kMaxFormulaChars = 200;    // characters of one relation, as typed
inline constexpr int kMaxRelations = 20;        // relations of one job
inline constexpr int kMaxVariables = 10;        // distinct letters of a relation, and of a job
inline constexpr int kMaxListedSolutions = 20;  // the others are counted only

// The operators, in the order that gives their code words (32 + index). The
// last three stand for ">=", "<=" and "<>", which normalisation writes as the
// single characters HT, LF and VT.
inline constexpr std::u32string_view kOperatorChars = U"+-*:^%=<>\t\n\v";
inline constexpr std::u32string_view kRelationChars = U"=<>\t\n\v";
inline constexpr std::u32string_view kTermChars = U"()0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

inline bool IsOperatorChar(char32_t c) { return kOperatorChars.find(c) != std::u32string_view::npos; }
inline bool IsRelationChar(char32_t c) { return kRelationChars.find(c) != std::u32string_view::npos; }
inline bool IsLetter(char32_t c) { return c >= U'A' && c <= U'Z'; }
inline bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
inline bool IsWordChar(char32_t c) { return IsLetter(c) || IsDigit(c); }

// The first fault of a relation; kCheckOk means it may be compiled.
enum CheckCode : int {
  kCheckOk = 0,
  kForbiddenChar = 1,
  kUnbalanced = 2,
  kNoRelationSymbol = 3,
  kTooManyRelationSymbols = 4,
  kSyntaxError = 5,
  kRelationInParentheses = 6,
  kTooManyVariables = 7,
  kNoVariable = 8,
};

// The message of a CheckCode, as the report writes it.
std::string_view CheckMessage(int code);

struct ReplacementPair {
  std::u32string_view pattern;
  char32_t replacement;
};

// Spellings of the same thing brought to one character, applied in this
// order: brackets and braces become parentheses, "**" a power, "/" a
// division, and every spelling of >=, <= and "different" one symbol.
inline constexpr std::array<ReplacementPair, 15> kReplacementPairs = {{
    {U"[", U'('},
    {U"{", U'('},
    {U"]", U')'},
    {U"}", U')'},
    {U"**", U'^'},
    {U"/", U':'},
    {U">=", U'\t'},
    {U"=>", U'\t'},
    {U"<=", U'\n'},
    {U"=<", U'\n'},
    {U"<>", U'\v'},
    {U"><", U'\v'},
    {U"=!", U'\v'},
    {U"!=", U'\v'},
    {U"==", U'='},
}};

// Replaces every occurrence of `pattern` by `ch`, left to right. The written
// character never takes part in a later match, so "===" becomes "==".
void ReplaceAll(std::u32string& text, std::u32string_view pattern, char32_t ch);

// Removes the blanks, folds a..z to A..Z and applies the replacement pairs.
void NormaliseRelation(std::u32string& text);

// Normalises `text` in place and returns its CheckCode. A relation that
// passes holds only characters of kTermChars and kOperatorChars, has exactly
// one relation symbol, at parenthesis depth 0, balanced parentheses, no empty
// group, no operator at either end and never two operators in a row.
CheckCode CheckRelation(std::u32string& text);

}  // namespace zifrel::libero
