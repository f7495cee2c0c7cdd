#include "tests/support/reference_libero.h"

#include <algorithm>
#include <cctype>

namespace zifrel::testing {
namespace {

using Digits = std::array<int, 26>;

std::int64_t Wrap(__int128 v) { return static_cast<std::int64_t>(static_cast<std::uint64_t>(v)); }

// Reads a normalised relation or expression by precedence climbing (relation
// symbols, + -, * : %, ^, each left-associative) and computes it for
// `digits`, noting the letters it reads (repeats included) and the leading
// ones. `units`: every word and result outside an exponent cut to its units
// digit, as the plain search first did.
struct Reader {
  Reader(std::string_view text, const Digits& digits, bool units) : text(text), digits(digits) {
    value = Level(0, units);
  }

  std::int64_t Level(int level, bool units) {
    static const std::string_view kLevels[] = {"=\v<>\t\n", "+-", "*:%", "^"};
    if (level == 4) return Term(units);
    std::int64_t a = Level(level + 1, units);
    while (pos < text.size() && kLevels[level].find(text[pos]) != std::string_view::npos) {
      const char op = text[pos++];
      a = Apply(op, a, Level(level + 1, units && op != '^'), units);
    }
    return a;
  }

  std::int64_t Term(bool units) {
    if (text[pos++] == '(') {
      const std::int64_t inner = Level(1, units);
      ++pos;  // ')'
      return inner;
    }
    const std::size_t begin = pos - 1;
    while (pos < text.size() && std::isalnum(static_cast<unsigned char>(text[pos]))) ++pos;
    if (pos - begin >= 2 && std::isupper(text[begin])) leading += text[begin];
    std::int64_t v = 0;
    for (std::size_t i = units ? pos - 1 : begin; i < pos; ++i) {
      const char c = text[i];
      if (std::isupper(c)) letters += c;
      v = Wrap(__int128{v} * 10 + (std::isdigit(c) ? c - '0' : digits[c - 'A']));
    }
    return v;
  }

  std::int64_t Apply(char op, __int128 a, __int128 b, bool units) {
    if (op == '+') return Wrap(a + b);
    if (op == '-') return units && Wrap(a - b) < 0 ? Wrap(a - b) % 10 + 10 : Wrap(a - b);
    if (op == '*') return Wrap(a * b);
    if (op == ':' || op == '%') return b == 0 || (op == ':' && a % b != 0) ? Fail() : Wrap(a / b);
    if (op == '^') {
      if (b < 0 || b > 20) return Fail();
      std::int64_t p = 1;
      for (int i = 0; i < b; ++i) p = Wrap(p * a);
      return units ? p % 10 : p;
    }
    if (op == '=') return units ? a % 10 == b % 10 : a == b;
    if (op == '<') return a < b;
    if (op == '>') return a > b;
    if (op == '\t') return a >= b;
    if (op == '\n') return a <= b;
    return a != b;  // '\v'
  }

  bool Holds() const { return !failed && value != 0; }

  std::int64_t Fail() {
    failed = true;
    return 0;
  }

  std::string_view text;
  const Digits digits;
  std::size_t pos = 0;
  std::string letters, leading;
  bool failed = false;
  std::int64_t value = 0;
};

bool HasUnitsReading(const std::string& relation) {
  return relation.find('=') != std::string::npos && relation.find_first_of(":%") == std::string::npos;
}

// The letters of `s` in order of first appearance.
std::string Unique(const std::string& s) {
  std::string unique;
  for (char c : s) {
    if (unique.find(c) == std::string::npos) unique += c;
  }
  return unique;
}

}  // namespace

ReferenceOutcome ReferenceSolve(const std::vector<std::string>& relations, bool unitsFilter) {
  // The pilot: the first relation with a reading of 3 distinct letters, else
  // 4, 2, 5, 1, 6 and up; of one relation, the units reading is asked first.
  std::string pilot;
  bool pilotUnits = false;
  for (std::size_t k : {3, 4, 2, 5, 1, 6, 7, 8, 9, 10})
    for (const std::string& r : relations)
      for (bool units : {true, false})
        if (pilot.empty() && (!units || HasUnitsReading(r)) && Unique(Reader(r, {}, units).letters).size() == k) {
          pilot = r;
          pilotUnits = units;
        }
  // Letters are numbered in order of appearance, the pilot's reading first;
  // the pilot's are tried first, the last numbered outermost, then the others
  // alike.
  ReferenceOutcome outcome;
  std::string all = Reader(pilot, {}, pilotUnits).letters, leading;
  const std::size_t m = Unique(all).size();
  for (const std::string& r : relations) {
    const Reader full(r, {}, false);
    all += full.letters;
    leading += full.leading;
  }
  outcome.letters = Unique(all);
  std::string order = outcome.letters;
  std::reverse(order.begin(), order.begin() + m);
  std::reverse(order.begin() + m, order.end());

  Digits digits{};
  const auto assign = [&](const auto& self, std::size_t depth, int used) -> void {
    if (depth == m && unitsFilter && !Reader(pilot, digits, pilotUnits).Holds()) return;
    if (depth == order.size()) {
      if (std::ranges::all_of(relations, [&](const std::string& r) { return Reader(r, digits, false).Holds(); })) {
        std::string solution;
        for (char c : outcome.letters) solution += static_cast<char>('0' + digits[c - 'A']);
        outcome.solutions.push_back(solution);
      }
      return;
    }
    const char c = order[depth];
    for (int d = leading.find(c) == std::string::npos ? 0 : 1; d <= 9; ++d) {
      if (used & (1 << d)) continue;
      digits[c - 'A'] = d;
      self(self, depth + 1, used | (1 << d));
    }
  };
  assign(assign, 0, 0);
  return outcome;
}

std::vector<std::string> ReferenceLines(const ReferenceOutcome& outcome) {
  const std::size_t count = outcome.solutions.size();
  std::vector<std::string> lines;
  if (count > 0) lines = {" " + outcome.letters, std::string(outcome.letters.size() + 2, '-')};
  for (std::size_t i = 0; i < std::min<std::size_t>(count, 20); ++i) lines.push_back(" " + outcome.solutions[i]);
  if (count > 0) lines.push_back(std::string(18, '-'));
  lines.push_back(count == 0 ? "Nessuna soluzione" : count == 1 ? "1 soluzione" : std::to_string(count) + " soluzioni");
  return lines;
}

std::optional<std::int64_t> ReferenceValue(std::string_view expression, const std::array<int, 26>& digits) {
  const Reader r(expression, digits, false);
  return r.failed ? std::nullopt : std::optional(r.value);
}

}  // namespace zifrel::testing
