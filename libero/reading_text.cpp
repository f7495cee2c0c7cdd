#include "libero/reading_text.h"

#include <vector>

#include "libero/relation_check.h"

namespace zifrel::libero {
namespace {

// A side split at its "*" and ":" outside parentheses. False when the side
// is not such a chain, or a factor divides.
bool SplitFactors(std::u32string_view side, std::u32string& multiplied, std::u32string& divided) {
  std::vector<std::pair<char32_t, std::u32string_view>> factors;
  int depth = 0;
  std::size_t begin = 0;
  char32_t joined = U'*';
  for (std::size_t i = 0; i <= side.size(); ++i) {
    const char32_t c = i < side.size() ? side[i] : U'*';
    if (c == U'(') ++depth;
    if (c == U')') --depth;
    if (depth > 0) continue;
    if (c == U'+' || c == U'-') return false;  // a sum: its divisions do not move across
    if (c != U'*' && c != U':') continue;
    factors.emplace_back(joined, side.substr(begin, i - begin));
    joined = c;
    begin = i + 1;
  }
  for (const auto& [op, factor] : factors) {
    if (factor.find_first_of(U":%") != std::u32string_view::npos) return false;
    std::u32string& into = op == U'*' ? multiplied : divided;
    if (!into.empty()) into += U'*';
    into.append(U"(").append(factor).append(U")");
  }
  return true;
}

}  // namespace

std::u32string ReadableEquality(std::u32string_view relation) {
  const std::size_t equal = relation.find(U'=');
  if (equal == std::u32string_view::npos || relation.find(U'%') != std::u32string_view::npos) return {};
  if (relation.find(U':') == std::u32string_view::npos) return std::u32string(relation);
  std::u32string leftTimes, leftDivided, rightTimes, rightDivided;
  if (!SplitFactors(relation.substr(0, equal), leftTimes, leftDivided) ||
      !SplitFactors(relation.substr(equal + 1), rightTimes, rightDivided)) {
    return {};
  }
  const auto product = [](const std::u32string& a, const std::u32string& b) { return b.empty() ? a : a + U'*' + b; };
  return product(leftTimes, rightDivided) + U'=' + product(rightTimes, leftDivided);
}

}  // namespace zifrel::libero
