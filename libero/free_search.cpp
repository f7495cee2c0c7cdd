#include "libero/free_search.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>

#include "core/messages.h"
#include "libero/analysis.h"
#include "libero/compiler.h"

namespace zifrel::libero {
namespace {

constexpr int kMaxReadingDigits = 9;  // 10^9 squared still fits in 64 bits
constexpr int kFullStrength = kMaxReadingDigits + 1;

using Weights = std::array<std::int64_t, kMaxVariables + 1>;

unsigned VariablesOf(const RelationCode& code) {
  unsigned mask = 0;
  for (int i = 0; i < code.length; ++i) {
    if (code.words[i] >= 1 && code.words[i] <= kMaxVariables) mask |= 1u << code.words[i];
  }
  return mask;
}

unsigned VariablesOf(const Weights& weight, std::int64_t modulus = 0) {
  unsigned mask = 0;
  for (int v = 1; v <= kMaxVariables; ++v) {
    if (modulus == 0 ? weight[v] != 0 : weight[v] % modulus != 0) mask |= 1u << v;
  }
  return mask;
}

// True when every partial sum of the form, whatever digits it adds, is its
// exact value: then its last digits are those of the true sum.
bool StaysExact(std::int64_t constant, const Weights& weight) {
  __int128 reach = constant < 0 ? -static_cast<__int128>(constant) : constant;
  for (int v = 1; v <= kMaxVariables; ++v) reach += 9 * (weight[v] < 0 ? -static_cast<__int128>(weight[v]) : weight[v]);
  return reach <= std::numeric_limits<std::int64_t>::max();
}

}  // namespace

// One possible test of a relation: `strength` is the number of last digits
// it compares, or kFullStrength for the whole relation.
struct FreeSearch::Candidate {
  int strength;
  unsigned variables;
  Test test;
};

void FreeSearch::Plan(const SearchSetup& setup) {
  total_ = setup.total;
  formCount_ = 0;
  codes_.clear();
  steps_ = {};
  std::array<int, kMaxVariables + 1> position{};
  int p = 0;
  for (int v = setup.pilotCount; v >= 1; --v) position[v] = p++;
  for (int v = setup.total; v > setup.pilotCount; --v) position[v] = p++;
  for (int v = 1; v <= total_; ++v) {
    Step& step = steps_[position[v]];
    step.variable = v;
    step.allowedDigits = setup.table->Leading(v) ? 0x3FE : 0x3FF;
    letters_[v] = setup.table->LetterOf(v);
  }
  for (int r = 0; r < static_cast<int>(setup.codes.size()); ++r) PlanRelation(setup, r, position);
}

int FreeSearch::AddForm(std::int64_t constant, const Weights& weight) {
  const int form = formCount_++;
  sums_[form] = static_cast<std::uint64_t>(constant);
  for (int v = 1; v <= total_; ++v) {
    if (weight[v] == 0) continue;
    Step& step = *std::find_if(steps_.begin(), steps_.end(), [v](const Step& s) { return s.variable == v; });
    step.terms[step.termCount++] = {static_cast<std::uint8_t>(form), weight[v]};
  }
  return form;
}

void FreeSearch::PlanRelation(const SearchSetup& setup, int relation, std::array<int, kMaxVariables + 1>& position) {
  const RelationCode& full = setup.codes[relation];
  const std::u32string& text = setup.texts[relation];
  // Last digits agree only for an equality whose values never wrap around.
  const bool readable = text.find(U'=') != std::u32string::npos && text.find(U':') == std::u32string::npos &&
                        text.find(U'%') == std::u32string::npos && !MayWrap(full);

  std::vector<Candidate> candidates;
  if (const std::optional<LinearRelation> linear = LinearView(full)) {
    if (linear->op == kEqual || linear->op == kDifferent) {
      Weights difference{};
      for (int v = 1; v <= kMaxVariables; ++v)
        difference[v] = arith::Sub(linear->left.weight[v], linear->right.weight[v]);
      const std::int64_t constant = arith::Sub(linear->left.constant, linear->right.constant);
      const std::uint8_t form = static_cast<std::uint8_t>(AddForm(constant, difference));
      const Test::Kind kind = linear->op == kEqual ? Test::kZero : Test::kNonZero;
      candidates.push_back({kFullStrength, VariablesOf(difference), {kind, form, 0, 0, 0}});
      if (readable && linear->op == kEqual && StaysExact(constant, difference)) {
        std::int64_t modulus = 1;
        for (int k = 1; k <= kMaxReadingDigits; ++k) {
          modulus *= 10;
          candidates.push_back({k, VariablesOf(difference, modulus), {Test::kResidue, form, 0, 0, modulus}});
        }
      }
    } else {
      const std::uint8_t left = static_cast<std::uint8_t>(AddForm(linear->left.constant, linear->left.weight));
      const std::uint8_t right = static_cast<std::uint8_t>(AddForm(linear->right.constant, linear->right.weight));
      const unsigned variables = VariablesOf(linear->left.weight) | VariablesOf(linear->right.weight);
      Test::Kind kind = Test::kLess;
      if (linear->op == kGreater) kind = Test::kGreater;
      if (linear->op == kGreaterEqual) kind = Test::kGreaterEqual;
      if (linear->op == kLessEqual) kind = Test::kLessEqual;
      candidates.push_back({kFullStrength, variables, {kind, left, right, 0, 0}});
    }
  } else {
    codes_.push_back(full);
    const unsigned variables = VariablesOf(full);
    candidates.push_back(
        {kFullStrength, variables, {Test::kCode, 0, 0, static_cast<std::int16_t>(codes_.size() - 1), 0}});
    if (readable) {
      VariableTable table = *setup.table;  // every letter has its number already
      std::int64_t modulus = 1;
      for (int k = 1; k <= kMaxReadingDigits; ++k) {
        modulus *= 10;
        RelationCode reading;
        CompileReading(text, k, true, reading, table);
        const unsigned readingVariables = VariablesOf(reading);
        if (readingVariables == variables) break;  // from here on the whole relation is as soon known
        codes_.push_back(reading);
        candidates.push_back(
            {k, readingVariables, {Test::kCode, 0, 0, static_cast<std::int16_t>(codes_.size() - 1), modulus}});
      }
    }
  }

  // A test is worth running where it completes only if no stronger test of
  // the same relation completes there or earlier.
  const auto completion = [&](unsigned variables) {
    int at = -1;
    for (int v = 1; v <= kMaxVariables; ++v) {
      if (variables & (1u << v)) at = std::max(at, position[v]);
    }
    return at;
  };
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return a.strength > b.strength; });
  int strongerAt = total_;
  for (const Candidate& candidate : candidates) {
    const int at = completion(candidate.variables);
    if (at >= strongerAt) continue;
    strongerAt = at;
    // A test that reads no variable has one verdict; run it at the first step.
    Step& step = steps_[std::max(at, 0)];
    step.tests[step.testCount++] = candidate.test;
  }
}

bool FreeSearch::Run(LineSink& out, StopFlag& stop, std::atomic<std::int32_t>& count) {
  out_ = &out;
  stop_ = &stop;
  countWord_ = &count;
  solutionCount_ = 0;
  count.store(0, std::memory_order_relaxed);
  const bool completed = total_ == 0 || !Assign(0, 0x3FF);
  out_ = nullptr;
  stop_ = nullptr;
  countWord_ = nullptr;
  return completed;
}

// Gives the variable at `position` each free digit in turn; true means the
// search was stopped.
bool FreeSearch::Assign(int position, unsigned freeDigits) {
  if (stop_->Poll()) return true;
  const Step& step = steps_[position];
  std::array<std::uint64_t, kMaxForms> base;
  for (int t = 0; t < step.termCount; ++t) base[t] = sums_[step.terms[t].form];
  const int next = position + 1;

  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = std::countr_zero(candidates);
    if (!Try(step, base, d)) continue;
    const unsigned rest = freeDigits & ~(1u << d);
    if (next == total_) {
      ReportSolution();
    } else if (next + 1 == total_) {
      if (AssignLast(next, rest)) return true;
    } else if (Assign(next, rest)) {
      return true;
    }
  }
  for (int t = 0; t < step.termCount; ++t) sums_[step.terms[t].form] = base[t];
  return false;
}

// The last variable, written out apart so that no call is made per
// complete assignment: with ten letters there are as many last steps as
// solutions to count.
inline bool FreeSearch::AssignLast(int position, unsigned freeDigits) {
  if (stop_->Poll()) return true;
  const Step& step = steps_[position];
  std::array<std::uint64_t, kMaxForms> base;
  for (int t = 0; t < step.termCount; ++t) base[t] = sums_[step.terms[t].form];
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    if (Try(step, base, std::countr_zero(candidates))) ReportSolution();
  }
  for (int t = 0; t < step.termCount; ++t) sums_[step.terms[t].form] = base[t];
  return false;
}

// Gives the step's variable the digit `d`, brings the sums it weighs in up
// to date from `base`, and runs the tests it completes.
inline bool FreeSearch::Try(const Step& step, const std::array<std::uint64_t, kMaxForms>& base, int d) {
  digits_[step.variable] = d;
  for (int t = 0; t < step.termCount; ++t) {
    sums_[step.terms[t].form] =
        base[t] + static_cast<std::uint64_t>(step.terms[t].weight) * static_cast<std::uint64_t>(d);
  }
  for (int i = 0; i < step.testCount; ++i) {
    const Test& test = step.tests[i];
    const std::uint64_t a = sums_[test.form];
    const auto value = [](std::uint64_t sum) { return static_cast<std::int64_t>(sum); };
    bool holds;
    switch (test.kind) {
      case Test::kZero:
        holds = a == 0;
        break;
      case Test::kNonZero:
        holds = a != 0;
        break;
      case Test::kResidue:
        holds = value(a) % test.modulus == 0;
        break;
      case Test::kLess:
        holds = value(a) < value(sums_[test.right]);
        break;
      case Test::kGreater:
        holds = value(a) > value(sums_[test.right]);
        break;
      case Test::kGreaterEqual:
        holds = value(a) >= value(sums_[test.right]);
        break;
      case Test::kLessEqual:
        holds = value(a) <= value(sums_[test.right]);
        break;
      default: {
        const RelationCode& code = codes_[test.code];
        holds = EvaluateReading(code.words.data(), code.length, test.modulus, digits_);
      }
    }
    if (!holds) return false;
  }
  return true;
}

// Counts the solution and lists it while fewer than kMaxListedSolutions are
// listed, the first one under a header of the letters.
inline void FreeSearch::ReportSolution() {
  ++solutionCount_;
  countWord_->store(solutionCount_, std::memory_order_relaxed);
  if (solutionCount_ > kMaxListedSolutions) return;
  std::array<char, kMaxVariables + 2> line{};
  line[0] = ' ';
  if (solutionCount_ == 1) {
    for (int v = 1; v <= total_; ++v) line[v] = letters_[v];
    out_->AppendLine({line.data(), static_cast<std::size_t>(total_ + 1)});
    std::array<char, kMaxVariables + 2> rule;
    rule.fill('-');
    out_->AppendLine({rule.data(), static_cast<std::size_t>(total_ + 2)});
  }
  for (int v = 1; v <= total_; ++v) line[v] = static_cast<char>('0' + digits_[v]);
  out_->AppendLine({line.data(), static_cast<std::size_t>(total_ + 1)});
}

}  // namespace zifrel::libero
