#include "libero/compiler.h"

#include <array>
#include <bitset>

#include "libero/relation_check.h"

namespace zifrel::libero {
namespace {

// One compilation: the work buffer, the destination and the numbering.
// The parser does not tokenise: it splits the text at the rightmost operator
// of the lowest class outside parentheses, so every operator is
// left-associative and the left operand is always emitted first.
class Compiler {
 public:
  Compiler(std::u32string_view text, int lastChars, RelationCode& dest, VariableTable& table)
      : lastChars_(lastChars), dest_(dest), table_(table) {
    dest_.length = 0;
    // Nothing checked or read is longer; anything longer compiles to
    // nothing, which evaluates to false.
    if (text.size() > static_cast<std::size_t>(kMaxCompiledChars)) return;
    for (char32_t c : text) {
      const char byte = c < 0x80 ? static_cast<char>(c) : '\x7F';
      if (byte == '=') hasEqual_ = true;
      if (byte == ':' || byte == '%') hasDivision_ = true;
      work_[length_++] = byte;
    }
  }

  void Run() {
    if (length_ > 0) ParseRange(0, length_ - 1, lastChars_);
  }

 private:
  // `lastChars` is the reading of this range: 0 for full.
  void ParseRange(int lo, int hi, int lastChars) {
    if (lastChars > 0 && (!hasEqual_ || hasDivision_)) return;
    if (lo > hi) return;  // only a text that failed its check has an empty operand
    if (IsEnclosed(lo, hi)) {
      ParseRange(lo + 1, hi - 1, lastChars);
      return;
    }
    static constexpr std::array<std::array<char, 2>, 6> kClasses = {
        {{'=', '\v'}, {'>', '<'}, {'\n', '\t'}, {'+', '-'}, {'*', ':'}, {'^', '^'}}};
    for (int cls = 0; cls < static_cast<int>(kClasses.size()); ++cls) {
      int p = FindSplit(lo, hi, kClasses[cls][0], kClasses[cls][1]);
      if (cls == 4) p = std::max(p, FindSplit(lo, hi, '%', '%'));
      if (p < 0) continue;
      ParseRange(lo, p - 1, lastChars);
      // An exponent is always read in full: a power's last digits depend on
      // the whole exponent.
      ParseRange(p + 1, hi, cls == 5 ? 0 : lastChars);
      EmitAt(p, lastChars);
      return;
    }
    EmitAt(lo, lastChars);
  }

  // The rightmost c1 or c2 outside parentheses, or -1.
  int FindSplit(int lo, int hi, char c1, char c2) const {
    int depth = 0;
    for (int i = hi; i >= lo; --i) {
      const char c = work_[i];
      if (c == '(') ++depth;
      if (c == ')') --depth;
      if (depth == 0 && (c == c1 || c == c2)) return i;
    }
    return -1;
  }

  // True when one pair of parentheses encloses the whole range: "(A+B)" but
  // not "(A)+(B)".
  bool IsEnclosed(int lo, int hi) const {
    if (lo >= hi || work_[lo] != '(' || work_[hi] != ')') return false;
    int depth = 0;
    for (int i = lo + 1; i < hi; ++i) {
      if (work_[i] == '(') ++depth;
      if (work_[i] == ')' && --depth < 0) return false;
    }
    return true;
  }

  void EmitAt(int pos, int lastChars) {
    if (pos < 0 || pos >= length_) return;
    const char c = work_[pos];
    if (const std::size_t op = kOperatorChars.find(static_cast<char32_t>(c)); op != std::u32string_view::npos) {
      // Inside an exponent of a last-digits reading the operator is computed
      // exactly, like the words around it.
      const bool exact = lastChars == 0 && lastChars_ > 0;
      dest_.Append((exact ? kFirstExactOperatorWord : kFirstOperatorWord) + static_cast<std::int32_t>(op));
      return;
    }
    dest_.Append(kStartWord);
    int end = pos;
    while (end < length_ && IsWordChar(static_cast<char32_t>(work_[end]))) ++end;
    const int from = lastChars == 0 ? pos : std::max(pos, end - lastChars);
    for (int i = from; i < end; ++i) {
      const char w = work_[i];
      dest_.Append(IsDigit(static_cast<char32_t>(w)) ? kFirstConstantWord + (w - '0') : table_.Number(w));
    }
    // In a last-digits reading the first letter may have no number yet; it is
    // then left unmarked.
    if (end - pos >= 2 && IsLetter(static_cast<char32_t>(c))) table_.MarkLeading(c);
  }

  const int lastChars_;  // the reading of the whole code
  RelationCode& dest_;
  VariableTable& table_;
  std::array<char, kMaxCompiledChars> work_{};
  int length_ = 0;
  bool hasEqual_ = false;
  bool hasDivision_ = false;
};

}  // namespace

void CompileReading(std::u32string_view text, int lastChars, bool keepVariables, RelationCode& dest,
                    VariableTable& table) {
  if (!keepVariables) table.Reset();
  Compiler(text, lastChars, dest, table).Run();
}

void CompileRelation(std::u32string_view text, bool keepVariables, Reading mode, RelationCode& dest,
                     VariableTable& table) {
  CompileReading(text, mode == Reading::kUnits ? 1 : 0, keepVariables, dest, table);
}

int CountVariables(std::u32string_view text, Reading mode, RelationCode& scratch, VariableTable& table) {
  CompileRelation(text, false, mode, scratch, table);
  std::bitset<11> seen;
  for (int i = 0; i < scratch.length; ++i) {
    if (scratch.words[i] >= 1 && scratch.words[i] <= 10) seen.set(scratch.words[i]);
  }
  return static_cast<int>(seen.count());
}

}  // namespace zifrel::libero
