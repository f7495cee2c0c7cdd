#include "parole/relation_shape.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "core/integer_division.h"
#include "parole/word_list.h"

namespace zifrel::parole {
namespace {

bool IsSlot(char c) { return c >= 'a' && c <= 'z'; }

std::int64_t PowerOfTen(int n) {
  std::int64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

std::optional<RelationShape> ParseShape(std::string_view pattern) {
  RelationShape shape;
  std::array<char, RelationShape::kMaxSlots> names{};
  int terms = 0;
  int side = 1;  // +1 left of "=", -1 right of it
  int sign = 1;
  bool expectWord = true;
  for (const char c : pattern) {
    if (c == ' ') continue;
    shape.pattern += c;
    if (expectWord) {
      if (!IsSlot(c) || ++terms > RelationShape::kMaxTerms) return std::nullopt;
      const auto known = std::find(names.begin(), names.begin() + shape.slotCount, c);
      const int slot = static_cast<int>(known - names.begin());
      if (slot == shape.slotCount) {
        if (shape.slotCount == RelationShape::kMaxSlots) return std::nullopt;
        names[shape.slotCount++] = c;
      }
      shape.weight[slot] += side * sign;
      expectWord = false;
    } else if (c == '+' || c == '-') {
      sign = c == '+' ? 1 : -1;
      expectWord = true;
    } else if (c == '=' && side == 1) {
      side = -1;
      sign = 1;
      expectWord = true;
    } else {
      return std::nullopt;
    }
  }
  if (expectWord || side == 1 || shape.slotCount < 2 || terms < 3) return std::nullopt;
  if (std::any_of(shape.weight.begin(), shape.weight.begin() + shape.slotCount,
                  [](std::int64_t w) { return w == 0; })) {
    return std::nullopt;
  }
  // "a+a=b+b" says that two different words are equal: never true.
  if (shape.slotCount == 2 && shape.weight[0] == -shape.weight[1]) return std::nullopt;
  return shape;
}

std::string RelationText(const RelationShape& shape, std::span<const std::string_view> words) {
  std::string text;
  std::string names;
  for (const char c : shape.pattern) {
    if (!IsSlot(c)) {
      text += c;
      continue;
    }
    std::size_t slot = names.find(c);
    if (slot == std::string::npos) {
      slot = names.size();
      names += c;
    }
    text += words[slot];
  }
  return text;
}

std::uint32_t LastWordLengths(const RelationShape& shape, std::span<const int> lengths) {
  // The others' sum, weighted, lies in [low, high]; the last word's weight
  // times its value is its opposite.
  const int last = shape.slotCount - 1;
  std::int64_t low = 0, high = 0;
  for (int s = 0; s < last; ++s) {
    const std::int64_t least = PowerOfTen(lengths[s] - 1), most = PowerOfTen(lengths[s]) - 1;
    const std::int64_t w = shape.weight[s];
    low += w * (w > 0 ? least : most);
    high += w * (w > 0 ? most : least);
  }
  std::int64_t w = shape.weight[last];
  if (w < 0) {
    w = -w;
  } else {
    std::swap(low, high);
    low = -low, high = -high;
  }
  const std::int64_t lowest = CeilDiv(low, w), highest = FloorDiv(high, w);
  std::uint32_t allowed = 0;
  for (int n = 1; n <= kMaxWordLength; ++n) {
    if (PowerOfTen(n - 1) <= highest && PowerOfTen(n) - 1 >= lowest) allowed |= 1u << n;
  }
  return allowed;
}

std::string CanonicalForm(const RelationShape& shape, std::span<const std::string_view> words) {
  std::vector<std::pair<std::string_view, std::int64_t>> terms;
  std::int64_t divisor = 0;
  for (int s = 0; s < shape.slotCount; ++s) {
    terms.emplace_back(words[s], shape.weight[s]);
    divisor = std::gcd(divisor, shape.weight[s]);
  }
  std::ranges::sort(terms);
  if (terms.front().second < 0) divisor = -divisor;  // the first word counts positively
  std::string form;
  for (const auto& [word, weight] : terms) {
    form += word;
    form += ' ';
    form += std::to_string(weight / divisor);
    form += ' ';
  }
  return form;
}

}  // namespace zifrel::parole
