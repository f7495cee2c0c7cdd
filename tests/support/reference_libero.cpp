#include "tests/support/reference_libero.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace zifrel::testing {
namespace {

// An expression tree. A leaf is a word; an inner node an operator character.
struct Node {
  char op = 0;  // 0 for a word
  std::string word;
  std::unique_ptr<Node> left, right;
};

// Precedence climbing with the classes of the relation symbols, + -, * : %,
// and ^, all left-associative. The input has passed its check.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}
  std::unique_ptr<Node> Parse(int level = 0) {
    static const std::string kLevels[] = {"=\v<>\t\n", "+-", "*:%", "^"};
    if (level == 4) return Atom();
    std::unique_ptr<Node> node = Parse(level + 1);
    while (pos_ < text_.size() && kLevels[level].find(text_[pos_]) != std::string::npos) {
      auto parent = std::make_unique<Node>();
      parent->op = text_[pos_++];
      parent->left = std::move(node);
      parent->right = Parse(level + 1);
      node = std::move(parent);
    }
    return node;
  }

 private:
  std::unique_ptr<Node> Atom() {
    if (text_[pos_] == '(') {
      ++pos_;
      std::unique_ptr<Node> inner = Parse(1);
      ++pos_;  // ')'
      return inner;
    }
    auto leaf = std::make_unique<Node>();
    while (pos_ < text_.size() && std::isalnum(static_cast<unsigned char>(text_[pos_]))) leaf->word += text_[pos_++];
    return leaf;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

using Value = std::optional<std::int64_t>;

std::int64_t Wrap(__int128 v) { return static_cast<std::int64_t>(static_cast<std::uint64_t>(v & ~std::uint64_t{0})); }

// x^e by repeated multiplication, every product wrapping around.
std::int64_t Power(std::int64_t x, std::int64_t e) {
  std::int64_t r = 1;
  for (std::int64_t i = 0; i < e; ++i) r = Wrap(static_cast<__int128>(r) * x);
  return r;
}

// `units`: the units reading outside exponents, in 64 bits.
Value Evaluate(const Node& n, const std::array<int, 26>& digits, bool units) {
  if (n.op == 0) {
    const std::string word = units ? n.word.substr(n.word.size() - 1) : n.word;
    std::int64_t v = 0;
    for (char c : word) v = Wrap(static_cast<__int128>(v) * 10 + (std::isdigit(c) ? c - '0' : digits[c - 'A']));
    return v;
  }
  const Value a = Evaluate(*n.left, digits, units);
  const Value b = Evaluate(*n.right, digits, units && n.op != '^');  // an exponent is exact
  if (!a || !b) return std::nullopt;
  const __int128 x = *a, y = *b;
  switch (n.op) {
    case '+':
      return Wrap(x + y);
    case '-': {
      const std::int64_t r = Wrap(x - y);
      return units && r < 0 ? r % 10 + 10 : r;
    }
    case '*':
      return Wrap(x * y);
    case ':':
      if (y == 0 || x % y != 0) return std::nullopt;
      return Wrap(x / y);
    case '%':
      if (y == 0) return std::nullopt;
      return Wrap(x / y);
    case '^': {
      if (y < 0 || y > 20) return std::nullopt;
      const std::int64_t p = Power(*a, *b);
      return units ? p % 10 : p;
    }
  }
  return std::nullopt;
}

bool Holds(const Node& relation, const std::array<int, 26>& digits, bool units) {
  const Value a = Evaluate(*relation.left, digits, units);
  const Value b = Evaluate(*relation.right, digits, units);
  if (!a || !b) return false;
  switch (relation.op) {
    case '=':
      return units ? *a % 10 == *b % 10 : *a == *b;
    case '<':
      return *a < *b;
    case '>':
      return *a > *b;
    case '\t':
      return *a >= *b;
    case '\n':
      return *a <= *b;
    default:
      return *a != *b;
  }
}

// The letters a reading uses, in order of appearance, repeats included.
void Letters(const Node& n, bool units, std::string& out) {
  if (n.op == 0) {
    for (char c : units ? n.word.substr(n.word.size() - 1) : n.word) {
      if (std::isupper(c)) out += c;
    }
    return;
  }
  Letters(*n.left, units, out);
  Letters(*n.right, units && n.op != '^', out);
}

void LeadingLetters(const Node& n, std::string& out) {
  if (n.op == 0) {
    if (n.word.size() >= 2 && std::isupper(n.word[0])) out += n.word[0];
    return;
  }
  LeadingLetters(*n.left, out);
  LeadingLetters(*n.right, out);
}

int Distinct(const std::string& letters) {
  std::string sorted = letters;
  std::sort(sorted.begin(), sorted.end());
  return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

class Search {
 public:
  Search(const std::vector<std::string>& relations, bool unitsFilter) : unitsFilter_(unitsFilter) {
    for (const std::string& text : relations) {
      trees_.push_back(Parser(text).Parse());
      hasUnits_.push_back(text.find('=') != std::string::npos && text.find_first_of(":%") == std::string::npos);
    }
  }

  ReferenceOutcome Run() {
    const int n = static_cast<int>(trees_.size());
    int pilot = -1;
    for (int k : {3, 4, 2, 5, 1, 6, 7, 8, 9, 10}) {
      for (int j = 0; j < n && pilot < 0; ++j) {
        if (hasUnits_[j] && Distinct(UnitsLetters(j)) == k)
          pilot = j, pilotUnits_ = true;
        else if (Distinct(FullLetters(j)) == k)
          pilot = j, pilotUnits_ = false;
      }
      if (pilot >= 0) break;
    }
    if (pilot < 0) return outcome_;
    pilot_ = pilot;
    for (char c : pilotUnits_ ? UnitsLetters(pilot) : FullLetters(pilot)) Number(c);
    m_ = static_cast<int>(outcome_.letters.size());
    for (int j = 0; j < n; ++j) {
      for (char c : FullLetters(j)) Number(c);
    }
    total_ = static_cast<int>(outcome_.letters.size());
    if (total_ > 10) return {7, "", {}, 0};
    for (const auto& tree : trees_) {
      std::string leading;
      LeadingLetters(*tree, leading);
      for (char c : leading) leading_[outcome_.letters.find(c) + 1] = true;
    }
    SearchPilot(m_, 0x3FF);
    return outcome_;
  }

 private:
  std::string UnitsLetters(int j) const {
    std::string s;
    Letters(*trees_[j], true, s);
    return s;
  }
  std::string FullLetters(int j) const {
    std::string s;
    Letters(*trees_[j], false, s);
    return s;
  }
  void Number(char c) {
    if (outcome_.letters.find(c) == std::string::npos) outcome_.letters += c;
  }
  int From(int v) const { return leading_[v] ? 1 : 0; }

  void SearchPilot(int v, int free) {
    if (v == 0) {
      if (!unitsFilter_ || Holds(*trees_[pilot_], Digits(), pilotUnits_)) SearchRest(total_, free);
      return;
    }
    for (int d = From(v); d <= 9; ++d) {
      if (!(free & (1 << d))) continue;
      digit_[v] = d;
      SearchPilot(v - 1, free & ~(1 << d));
    }
  }

  void SearchRest(int v, int free) {
    if (v == m_) {
      ++outcome_.leaves;
      const std::array<int, 26> digits = Digits();
      for (const auto& tree : trees_) {
        if (!Holds(*tree, digits, false)) return;
      }
      std::string solution;
      for (int k = 1; k <= total_; ++k) solution += static_cast<char>('0' + digit_[k]);
      outcome_.solutions.push_back(solution);
      return;
    }
    for (int d = From(v); d <= 9; ++d) {
      if (!(free & (1 << d))) continue;
      digit_[v] = d;
      SearchRest(v - 1, free & ~(1 << d));
    }
  }

  std::array<int, 26> Digits() const {
    std::array<int, 26> digits{};
    for (int k = 1; k <= total_; ++k) digits[outcome_.letters[k - 1] - 'A'] = digit_[k];
    return digits;
  }

  bool unitsFilter_;
  std::vector<std::unique_ptr<Node>> trees_;
  std::vector<bool> hasUnits_;
  int pilot_ = 0;
  bool pilotUnits_ = false;
  int m_ = 0;
  int total_ = 0;
  std::array<bool, 27> leading_{};
  std::array<int, 27> digit_{};
  ReferenceOutcome outcome_;
};

}  // namespace

ReferenceOutcome ReferenceSolve(const std::vector<std::string>& relations, bool unitsFilter) {
  return Search(relations, unitsFilter).Run();
}

std::vector<std::string> ReferenceLines(const ReferenceOutcome& outcome) {
  if (outcome.code == 7) return {"ERRORE:", "Troppe variabili (Max 10!)"};
  std::vector<std::string> lines;
  const int count = static_cast<int>(outcome.solutions.size());
  for (int i = 0; i < std::min(count, 20); ++i) {
    if (i == 0) {
      lines.push_back(" " + outcome.letters);
      lines.push_back(std::string(outcome.letters.size() + 2, '-'));
    }
    lines.push_back(" " + outcome.solutions[i]);
  }
  if (count > 0) lines.push_back("------------------");
  lines.push_back(count == 0 ? "Nessuna soluzione" : count == 1 ? "1 soluzione" : std::to_string(count) + " soluzioni");
  return lines;
}

std::optional<std::int64_t> ReferenceValue(std::string_view expression, const std::array<int, 26>& digits) {
  return Evaluate(*Parser(expression).Parse(), digits, false);
}

}  // namespace zifrel::testing
