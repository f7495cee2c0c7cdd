#include "parole/word_sum.h"

#include <algorithm>

namespace zifrel::parole {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The search's fixed tables: after the letter at depth i has its digit,
// every column up to `column[i]` has all its letters, so the low places of
// the sum so far must be 0 modulo `modulus[i]`.
struct Plan {
  int count = 0;
  std::array<std::int64_t, WordSum::kMaxLetters> weight{};
  std::array<int, WordSum::kMaxLetters> lowest{};  // 1 for a leading letter
  std::array<std::int64_t, WordSum::kMaxLetters> modulus{};
  // low[i][j]: letter j's weight within the places below modulus[i].
  std::array<std::array<std::int64_t, WordSum::kMaxLetters>, WordSum::kMaxLetters> low{};
  // What the letters from depth i on can add at least and at most (one
  // entry spare, for a bound the compiler cannot see).
  std::array<std::int64_t, WordSum::kMaxLetters + 2> restMin{};
  std::array<std::int64_t, WordSum::kMaxLetters + 2> restMax{};
};

Plan MakePlan(const WordSum& sum) {
  Plan plan;
  plan.count = static_cast<int>(sum.letters.size());
  // The column where each letter first appears, from the units.
  std::array<int, WordSum::kMaxLetters> firstColumn{};
  firstColumn.fill(sum.columns);
  for (const WordSum::Term& term : sum.terms) {
    const int n = static_cast<int>(term.word.size());
    for (int place = 0; place < n; ++place) {
      const int i = sum.LetterIndex(term.word[n - 1 - place]);
      firstColumn[i] = std::min(firstColumn[i], place);
    }
  }
  for (int i = 0; i < plan.count; ++i) {
    plan.weight[i] = sum.weight[i];
    plan.lowest[i] = sum.leading[i] ? 1 : 0;
    // Columns complete once letters 0..i are set: those before the column
    // of letter i + 1 (letters come in column order).
    const int complete = i + 1 < plan.count ? firstColumn[i + 1] : sum.columns;
    std::int64_t modulus = 1;
    for (int c = 0; c < complete; ++c) modulus *= 10;
    plan.modulus[i] = complete == 0 ? 1 : modulus;
  }
  for (const WordSum::Term& term : sum.terms) {
    const int n = static_cast<int>(term.word.size());
    const std::int64_t sign = term.right ? -term.sign : term.sign;
    std::int64_t place = 1;
    for (int p = 0; p < n; ++p, place *= 10) {
      const int j = sum.LetterIndex(term.word[n - 1 - p]);
      for (int i = 0; i < plan.count; ++i) {
        if (place < plan.modulus[i]) plan.low[i][j] += sign * place;
      }
    }
  }
  for (int i = plan.count - 1; i >= 0; --i) {
    const std::int64_t a = plan.weight[i] * plan.lowest[i], b = plan.weight[i] * 9;
    plan.restMin[i] = plan.restMin[i + 1] + std::min(a, b);
    plan.restMax[i] = plan.restMax[i + 1] + std::max(a, b);
  }
  return plan;
}

struct Search {
  const Plan& plan;
  int limit;
  Digits* first;
  Digits digits{};
  int found = 0;

  // `total` is the whole weighted sum of the letters before `depth`.
  void Assign(int depth, unsigned freeDigits, std::int64_t total) {
    if (depth == plan.count) {
      if (total == 0 && found++ == 0 && first != nullptr) *first = digits;
      return;
    }
    for (int d = plan.lowest[depth]; d <= 9 && found < limit; ++d) {
      if ((freeDigits >> d & 1u) == 0) continue;
      digits[depth] = d;
      const std::int64_t next = total + plan.weight[depth] * d;
      // The letters still to come cannot bring the sum back to 0.
      if (-next < plan.restMin[depth + 1] || -next > plan.restMax[depth + 1]) continue;
      if (plan.modulus[depth] > 1) {
        std::int64_t low = 0;
        for (int j = 0; j <= depth; ++j) low += plan.low[depth][j] * digits[j];
        if (low % plan.modulus[depth] != 0) continue;
      }
      Assign(depth + 1, freeDigits & ~(1u << d), next);
    }
  }
};

}  // namespace

std::optional<WordSum> ParseWordSum(std::string_view text) {
  // Tokens first: words, and the signs + - = between them.
  std::vector<std::string> tokens;
  bool apart = true;  // a blank or a sign since the last letter
  for (const char c : text) {
    const char l = Lower(c);
    if (l >= 'a' && l <= 'z') {
      if (apart) tokens.emplace_back();
      tokens.back() += l;
      apart = false;
    } else if (c == '+' || c == '-' || c == '=') {
      tokens.emplace_back(1, c);
      apart = true;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      apart = true;
    } else {
      return std::nullopt;
    }
  }
  // word (sign word)* = word (sign word)*
  WordSum sum;
  bool right = false;
  for (std::size_t k = 0; k < tokens.size(); k += 2) {
    const std::string& word = tokens[k];
    if (word[0] == '+' || word[0] == '-' || word[0] == '=') return std::nullopt;
    int sign = 1;
    if (k > 0) {
      const char op = tokens[k - 1][0];
      if (op == '=') {
        if (right) return std::nullopt;
        right = true;
      } else if (op == '-') {
        sign = -1;
      } else if (op != '+') {
        return std::nullopt;  // two words side by side
      }
    }
    if (word.size() > static_cast<std::size_t>(WordSum::kMaxColumns)) return std::nullopt;
    sum.terms.push_back({word, sign, right});
  }
  if (tokens.empty() || tokens.size() % 2 == 0 || !right) return std::nullopt;

  // The letters in the order of the columns, from the units.
  sum.index.fill(-1);
  for (const WordSum::Term& term : sum.terms) sum.columns = std::max(sum.columns, static_cast<int>(term.word.size()));
  for (int place = 0; place < sum.columns; ++place) {
    for (const WordSum::Term& term : sum.terms) {
      const int n = static_cast<int>(term.word.size());
      if (place >= n) continue;
      const char c = term.word[n - 1 - place];
      if (sum.index[c - 'a'] >= 0) continue;
      if (sum.letters.size() == WordSum::kMaxLetters) return std::nullopt;
      sum.index[c - 'a'] = static_cast<std::int8_t>(sum.letters.size());
      sum.letters += c;
    }
  }
  for (const WordSum::Term& term : sum.terms) {
    const int n = static_cast<int>(term.word.size());
    const std::int64_t sign = term.right ? -term.sign : term.sign;
    std::int64_t place = 1;
    for (int p = 0; p < n; ++p, place *= 10) sum.weight[sum.LetterIndex(term.word[n - 1 - p])] += sign * place;
    if (n >= 2) sum.leading[sum.LetterIndex(term.word[0])] = true;
  }
  return sum;
}

int CountSolutions(const WordSum& sum, int limit, Digits* first) {
  const Plan plan = MakePlan(sum);
  Search search{plan, limit, first};
  search.Assign(0, 0x3FFu, 0);
  return search.found;
}

std::string SolutionKey(const WordSum& sum, const Digits& digits) {
  std::string sorted = sum.letters;
  std::ranges::sort(sorted);
  std::string key;
  for (const char c : sorted) {
    if (!key.empty()) key += ' ';
    key += c;
    key += '=';
    key += static_cast<char>('0' + digits[sum.LetterIndex(c)]);
  }
  return key;
}

}  // namespace zifrel::parole
