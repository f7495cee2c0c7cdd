#include "tests/support/step_checker.h"

#include <bit>
#include <functional>
#include <vector>

#include "schema/equations.h"

namespace zifrel::testing {
namespace {

using Masks = std::array<unsigned, 10>;

class Reader {
 public:
  Reader(const std::array<std::string, 9>& cells, const OpCodes& ops) : cells_(cells) {
    for (const std::string& cell : cells) {
      for (char c : cell) {
        if (letters_.find(c) == std::string::npos) letters_ += c;
      }
    }
    for (int e = 0; e < 6; ++e) equations_[e] = NormaliseEquation(e, ops[e]);
  }

  int Letter(char c) const { return static_cast<int>(letters_.find(c)); }
  int LetterCount() const { return static_cast<int>(letters_.size()); }

  // A letter with one digit takes it from the others, until none is left to
  // take; false when a letter has no digit.
  bool Settle(Masks& m) const {
    for (bool changed = true; changed;) {
      changed = false;
      for (int l = 0; l < LetterCount(); ++l) {
        if (m[l] == 0) return false;
        if (std::popcount(m[l]) != 1) continue;
        for (int k = 0; k < LetterCount(); ++k) {
          if (k != l && (m[k] & m[l])) m[k] &= ~m[l], changed = true;
        }
      }
    }
    return true;
  }

  // The digits each letter has in some way the chosen equations hold
  // together, letters different digits; with no equation, in some way
  // every letter takes a different digit.
  Masks Supported(const Masks& m, unsigned equations) const {
    Masks supported{};
    std::string order;
    for (int e = 0; e < 6; ++e) {
      if (!(equations & (1u << e))) continue;
      const SchemaEquation& q = equations_[e];
      for (std::size_t k = 1; k <= 4; ++k) {
        for (int cell : {q.first, q.second, q.result}) {
          const std::string& c = cells_[cell];
          if (c.size() >= k && order.find(c[c.size() - k]) == std::string::npos) order += c[c.size() - k];
        }
      }
    }
    if (equations == 0) return Matchable(m);
    std::array<int, 10> digit{};
    digit.fill(-1);
    std::function<void(std::size_t, unsigned)> assign = [&](std::size_t i, unsigned used) {
      if (i == order.size()) {
        if (Holds(equations, digit, 0)) {
          for (char c : order) supported[Letter(c)] |= 1u << digit[Letter(c)];
        }
        return;
      }
      const int l = Letter(order[i]);
      for (int d = 0; d < 10; ++d) {
        if (!(m[l] & (1u << d)) || (used & (1u << d))) continue;
        digit[l] = d;
        if (Holds(equations, digit, 1)) assign(i + 1, used | (1u << d));
        digit[l] = -1;
      }
    };
    assign(0, 0);
    return supported;
  }

 private:
  // The digits each letter has in some way of giving every letter a
  // different digit: a matching of letters to digits that keeps it.
  Masks Matchable(const Masks& m) const {
    Masks supported{};
    for (int l = 0; l < LetterCount(); ++l) {
      for (int d = 0; d < 10; ++d) {
        if (!(m[l] & (1u << d))) continue;
        Masks fixed = m;
        fixed[l] = 1u << d;
        if (Matches(fixed)) supported[l] |= 1u << d;
      }
    }
    return supported;
  }

  bool Matches(const Masks& m) const {
    std::array<int, 10> owner;
    owner.fill(-1);
    for (int l = 0; l < LetterCount(); ++l) {
      std::array<bool, 10> seen{};
      const std::function<bool(int)> take = [&](int letter) {
        for (int d = 0; d < 10; ++d) {
          if (!(m[letter] & (1u << d)) || seen[d]) continue;
          seen[d] = true;
          if (owner[d] < 0 || take(owner[d])) {
            owner[d] = letter;
            return true;
          }
        }
        return false;
      };
      if (!take(l)) return false;
    }
    return true;
  }

  // Whether the equations hold on every column whose letters all have a
  // digit (partial), or whole.
  bool Holds(unsigned equations, const std::array<int, 10>& digit, int partial) const {
    for (int e = 0; e < 6; ++e) {
      if (!(equations & (1u << e))) continue;
      const SchemaEquation& q = equations_[e];
      const std::string* c[3] = {&cells_[q.first], &cells_[q.second], &cells_[q.result]};
      std::size_t longest = std::max({c[0]->size(), c[1]->size(), c[2]->size()});
      std::size_t known = 0;  // the last columns whose letters all have a digit
      while (known < longest) {
        bool all = true;
        for (const std::string* cell : c) {
          if (cell->size() > known && digit[Letter((*cell)[cell->size() - 1 - known])] < 0) all = false;
        }
        if (!all) break;
        ++known;
      }
      if (partial == 0 && known < longest) return false;
      if (known == 0) continue;
      std::array<long, 3> v{};
      for (int i = 0; i < 3; ++i) {
        const std::size_t from = c[i]->size() > known ? c[i]->size() - known : 0;
        for (std::size_t j = from; j < c[i]->size(); ++j) v[i] = v[i] * 10 + digit[Letter((*c[i])[j])];
      }
      const long made = q.form == EquationForm::Sum ? v[0] + v[1] : v[0] * v[1];
      long modulus = 1;
      for (std::size_t k = 0; k < known; ++k) modulus *= 10;
      if (known == longest ? made != v[2] : made % modulus != v[2] % modulus) return false;
    }
    return true;
  }

  const std::array<std::string, 9>& cells_;
  std::string letters_;
  std::array<SchemaEquation, 6> equations_{};
};

// What a line leans on: bit e for equation e; 0 for the digits alone; all
// six for a trial.
unsigned Basis(const Step& step) {
  switch (step.technique) {
    case Technique::kOnlyPlace:
    case Technique::kDigitGroup:
      return 0;
    case Technique::kTwoEquations:
      return (1u << PairRow(step.pair)) | (1u << PairColumn(step.pair));
    case Technique::kTrial:
      return 0x3F;
    default:
      return step.equation >= 0 ? 1u << step.equation : 0;
  }
}

}  // namespace

std::string CheckExplanation(const std::array<std::string, 9>& cells, const OpCodes& ops, const DeductionPuzzle& puzzle,
                             const ExplanationPlan& plan) {
  const Reader reader(cells, ops);
  std::vector<Masks> stack(1);
  stack[0].fill(0x3FF);
  for (const std::string& cell : cells) {
    if (cell.size() > 1 && !puzzle.leadingZeros) stack[0][reader.Letter(cell[0])] &= ~1u;
  }
  std::vector<bool> ended;  // per open trial: its contradiction reached
  int number = 0;
  for (const PlannedLine& line : plan.lines) {
    if (line.depth == 0 && !line.closing) ++number;
    const std::string where = "step " + std::to_string(number) + (line.depth > 0 ? " (inside a trial)" : "");
    const Step& step = line.step;
    if (line.closing) {
      if (ended.empty() || !ended.back()) return where + ": the trial ends with no contradiction";
      ended.pop_back();
      stack.pop_back();
    }
    Masks& m = stack.back();
    if (step.contradiction == Contradiction::kNoDigit) {
      bool empty = false;
      for (int l = 0; l < reader.LetterCount(); ++l) empty |= m[l] == 0;
      if (!empty || ended.empty()) return where + ": no letter is left without a digit";
      ended.back() = true;
      continue;
    }
    if (!ended.empty() && ended.back() && !line.closing) return where + ": a line after the contradiction";
    // The claims, in the reader's own letters.
    std::array<unsigned, 10> claims{};
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      claims[reader.Letter(static_cast<char>(puzzle.symbolChars[s]))] = step.ruledOut[s];
    }
    const bool contradiction = step.contradiction != Contradiction::kNone;
    if (line.closing || step.technique != Technique::kTrial || contradiction) {
      if (!line.closing) {
        const Masks supported = reader.Supported(m, Basis(step));
        if (contradiction) {
          bool none = true;
          for (int l = 0; l < reader.LetterCount(); ++l) none &= supported[l] == 0;
          if (!none) return where + ": the contradiction does not follow";
          ended.back() = true;
          continue;
        }
        for (int l = 0; l < reader.LetterCount(); ++l) {
          if (claims[l] & m[l] & supported[l]) return where + ": rules out a digit that its reasons allow";
        }
      }
      for (int l = 0; l < reader.LetterCount(); ++l) m[l] &= ~claims[l];
      if (!reader.Settle(m)) {
        if (ended.empty()) return where + ": a letter has no digit left";
        ended.back() = true;
      }
      continue;
    }
    // A trial opens: its digit assumed.
    Masks assumed = m;
    const int l = reader.Letter(static_cast<char>(puzzle.symbolChars[step.trial.symbol]));
    assumed[l] &= 1u << step.trial.digit;
    const bool settles = reader.Settle(assumed);
    stack.push_back(assumed);
    ended.push_back(!settles);
  }
  if (stack.size() != 1) return "a trial is not closed";
  for (int l = 0; l < reader.LetterCount(); ++l) {
    if (std::popcount(stack[0][l]) != 1) return "the steps do not reach the solution";
  }
  return "";
}

}  // namespace zifrel::testing
