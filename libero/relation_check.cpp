#include "libero/relation_check.h"

#include <algorithm>
#include <bitset>

#include "core/messages.h"

namespace zifrel::libero {

std::string_view CheckMessage(int code) { return msg::kCheckMessages[code]; }

void ReplaceAll(std::u32string& text, std::u32string_view pattern, char32_t ch) {
  std::size_t scan = 0;
  for (;;) {
    const std::size_t at = text.find(pattern, scan);
    if (at == std::u32string::npos) return;
    text[at] = ch;
    text.erase(at + 1, pattern.size() - 1);
    scan = at + 1;
  }
}

void NormaliseRelation(std::u32string& text) {
  std::erase(text, U' ');  // only the blank: a tab is a relation symbol
  for (char32_t& c : text) {
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
  }
  for (const ReplacementPair& pair : kReplacementPairs) ReplaceAll(text, pair.pattern, pair.replacement);
}

CheckCode CheckRelation(std::u32string& text) {
  NormaliseRelation(text);

  std::bitset<26> letters;
  int relationSymbols = 0;
  for (char32_t c : text) {
    if (kTermChars.find(c) == std::u32string_view::npos && !IsOperatorChar(c)) return kForbiddenChar;
    if (IsLetter(c)) letters.set(c - U'A');
    if (IsRelationChar(c)) ++relationSymbols;
  }
  if (letters.count() > kMaxVariables) return kTooManyVariables;
  if (letters.none()) return kNoVariable;
  if (relationSymbols > 1) return kTooManyRelationSymbols;
  if (relationSymbols == 0) return kNoRelationSymbol;
  if (text.find(U")(") != std::u32string::npos || text.find(U"()") != std::u32string::npos) return kSyntaxError;

  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c == U'(') ++depth;
    if (c == U')' && --depth < 0) return kUnbalanced;
    if (IsRelationChar(c) && depth > 0) return kRelationInParentheses;
    if (i == 0) continue;
    const char32_t p = text[i - 1];
    if ((IsOperatorChar(p) || p == U'(') && (IsOperatorChar(c) || c == U')')) return kSyntaxError;
    if (p == U')' && !IsOperatorChar(c)) return kSyntaxError;  // so "))" too
    if (IsWordChar(p) && c == U'(') return kSyntaxError;
  }
  if (depth != 0) return kUnbalanced;
  if (IsOperatorChar(text.front()) || IsOperatorChar(text.back())) return kSyntaxError;
  return kCheckOk;
}

}  // namespace zifrel::libero
