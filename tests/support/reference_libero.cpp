#include "tests/support/reference_libero.h"

#include <algorithm>
#include <boost/multiprecision/cpp_int.hpp>
#include <cctype>
#include <limits>

namespace zifrel::testing {
namespace {

using Digits = std::array<int, 26>;
using Value = boost::multiprecision::cpp_int;

// Values from 2^4096 on cannot be computed: the relation is then false.
bool OverCap(const Value& v) { return v != 0 && boost::multiprecision::msb(abs(v)) >= 4096; }

Value Residue(const Value& v) {
  Value r = v % 10;
  return r < 0 ? r + 10 : r;
}

// Reads a normalised relation or expression by precedence climbing (relation
// symbols, + -, * : %, ^, each left-associative) and computes it exactly for
// `digits`, noting the letters it reads (repeats included) and the leading
// ones. `units`: every word outside an exponent cut to its units digit and
// every result outside an exponent kept modulo 10, the exponents exact.
struct Reader {
  Reader(std::string_view text, const Digits& digits, bool units) : text(text), digits(digits) {
    value = Level(0, units);
  }

  Value Level(int level, bool units) {
    static const std::string_view kLevels[] = {"=\v<>\t\n", "+-", "*:%", "^"};
    if (level == 4) return Term(units);
    Value a = Level(level + 1, units);
    while (pos < text.size() && kLevels[level].find(text[pos]) != std::string_view::npos) {
      const char op = text[pos++];
      const Value b = Level(level + 1, units && op != '^');
      a = Apply(op, a, b, units);
    }
    return a;
  }

  Value Term(bool units) {
    if (text[pos++] == '(') {
      const Value inner = Level(1, units);
      ++pos;  // ')'
      return inner;
    }
    const std::size_t begin = pos - 1;
    while (pos < text.size() && std::isalnum(static_cast<unsigned char>(text[pos]))) ++pos;
    if (pos - begin >= 2 && std::isupper(text[begin])) leading += text[begin];
    Value v = 0;
    for (std::size_t i = units ? pos - 1 : begin; i < pos; ++i) {
      const char c = text[i];
      if (std::isupper(c)) letters += c;
      v = v * 10 + (std::isdigit(c) ? c - '0' : digits[c - 'A']);
    }
    return OverCap(v) ? Fail() : v;
  }

  Value Apply(char op, const Value& a, const Value& b, bool units) {
    Value r;
    if (op == '+') r = a + b;
    if (op == '-') r = a - b;
    if (op == '*') r = a * b;
    if (op == ':' || op == '%') {
      if (b == 0 || (op == ':' && a % b != 0)) return Fail();
      r = a / b;
    }
    if (op == '^') {
      if (b < 0 || b > 20) return Fail();
      r = 1;
      for (int i = 0; i < b; ++i) r = units ? Residue(r * a) : r * a;
    }
    if (op == '=') return units ? Residue(a) == Residue(b) : a == b;
    if (op == '<') return a < b;
    if (op == '>') return a > b;
    if (op == '\t') return a >= b;
    if (op == '\n') return a <= b;
    if (op == '\v') return a != b;
    if (units) return Residue(r);
    return OverCap(r) ? Fail() : r;
  }

  bool Holds() const { return !failed && value != 0; }

  Value Fail() {
    failed = true;
    return 0;
  }

  std::string_view text;
  const Digits digits;
  std::size_t pos = 0;
  std::string letters, leading;
  bool failed = false;
  Value value = 0;
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
  if (r.failed || r.value > std::numeric_limits<std::int64_t>::max() ||
      r.value < std::numeric_limits<std::int64_t>::min()) {
    return std::nullopt;
  }
  return r.value.convert_to<std::int64_t>();
}

}  // namespace zifrel::testing
