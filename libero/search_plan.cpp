#include "libero/search_plan.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <limits>
#include <optional>

#include "libero/compiler.h"
#include "libero/exact_arithmetic.h"
#include "libero/interval_arithmetic.h"
#include "libero/linear_view.h"
#include "libero/range_evaluator.h"
#include "libero/reading_text.h"

namespace zifrel::libero {
namespace {

constexpr int kMaxReadingDigits = 9;  // 10^9 squared still fits in 64 bits
constexpr int kFullStrength = kMaxReadingDigits + 1;

// The counting walks order their last positions by the work a digit there
// costs: with ten letters the last three are tried nine times as often as
// all the others together.
constexpr int kOrderedByWork = 3;

unsigned VariablesOf(const RelationCode& code) {
  unsigned mask = 0;
  for (int i = 0; i < code.length; ++i) {
    if (IsVariableWord(code.words[i])) mask |= 1u << code.words[i];
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

Wide Magnitude(Wide x) { return x < 0 ? -x : x; }

int Decade(Wide x) {
  int decade = 0;
  for (; x >= 10; x /= 10) ++decade;
  return decade;
}

// True when every partial sum of the form, whatever digits it adds, fits in
// 64 bits: then the running sums are exact values, their last digits those
// of the true sum and their bounds true bounds.
bool StaysExact(Wide constant, const std::array<Wide, kMaxVariables + 1>& weight) {
  Wide reach = Magnitude(constant);
  for (int v = 1; v <= kMaxVariables; ++v) reach += 9 * Magnitude(weight[v]);
  return reach <= std::numeric_limits<std::int64_t>::max();
}

// One possible test of a relation: `strength` is the number of last digits
// it compares, or kFullStrength for the whole relation; `bound` its Bound,
// or -1; `ranged` its entry in rangedCodes, or -1. A whole relation that the
// node graph decides has a test of kind kExact with code -1: the graph's
// comparison node is its test.
struct Candidate {
  int relation;
  int strength;
  unsigned variables;
  Test test;
  int bound = -1;
  int ranged = -1;

  bool ByGraph() const { return test.kind == Test::kExact && test.code < 0; }
};

class Planner {
 public:
  explicit Planner(const SearchSetup& setup) : setup_(setup) {}

  SearchPlan Build();

 private:
  using Weighing = std::array<Wide, kMaxVariables + 1>;  // by variable

  void NumberLetters();
  Weighing Importance() const;
  void PlanCounting(const Weighing& importance);
  void FindWork();
  int Work(int variable, unsigned later) const;
  void LightestLast(Order& order, int from, int end, unsigned later) const;
  void PlanRelation(int relation);
  bool PlanLinear(int relation, const LinearRelation& linear);
  void PlanReadings(int relation, unsigned variables);
  int AddForm(std::int64_t constant, const Weights& weight);
  int AddCode(const RelationCode& code);
  void Place(const Order& order, Walk& walk) const;
  void FindAffinity();
  void RankRelations();
  void FindUnchecked();
  int AffineFrom(const Order& order, int start) const;
  void Schedule(const std::array<int, kMaxVariables + 1>& position, Walk& walk) const;

  const SearchSetup& setup_;
  SearchPlan plan_;
  Order order_{};
  std::vector<Candidate> candidates_;
  std::vector<bool> settledWhole_;          // by relation: a bound or ranges settle it whole
  std::vector<int> rank_;                   // by relation: its place among those tried together
  std::vector<std::size_t> scheduled_;      // the graph's nodes, those of the first relation in rank first
  std::vector<std::uint8_t> operatorCode_;  // by node: the instruction code of an operation or a comparison
  // What each variable's digit makes the search compute, variable v's from
  // workFrom_[v] to workFrom_[v + 1]: the variables and the weight of a node
  // or a code that reads it.
  std::vector<std::pair<unsigned, int>> work_;
  std::array<int, kMaxVariables + 2> workFrom_{};
  std::array<std::array<Term, kMaxForms>, kMaxVariables + 1> variableTerms_{};
  std::array<int, kMaxVariables + 1> variableTermCount_{};
};

SearchPlan Planner::Build() {
  NumberLetters();
  for (int r = 0; r < static_cast<int>(setup_.codes.size()); ++r) PlanRelation(r);
  RankRelations();
  FindUnchecked();
  plan_.listing.start = 0;
  Place(order_, plan_.listing);
  FindAffinity();
  plan_.listing.affineFrom = AffineFrom(order_, 0);
  FindWork();
  PlanCounting(Importance());
  return std::move(plan_);
}

// The listing order: the pilot relation's variables from pilotCount down to
// 1, then the others from total down to pilotCount + 1.
void Planner::NumberLetters() {
  plan_.total = setup_.total;
  settledWhole_.assign(setup_.codes.size(), false);
  plan_.relationCodes.assign(setup_.codes.size(), -1);
  int p = 0;
  for (int v = setup_.pilotCount; v >= 1; --v) order_[p++] = v;
  for (int v = setup_.total; v > setup_.pilotCount; --v) order_[p++] = v;
  for (int v = 1; v <= plan_.total; ++v) {
    plan_.allowedDigits[v] = setup_.table->Leading(v) ? kNonZeroDigits : kAllDigits;
    plan_.letters[v] = setup_.table->LetterOf(v);
  }
}

// A variable's weight is how far its digit alone can move the two sides of
// a relation apart: once the heavy ones have digits, the light ones left
// barely move the sides, and bounds and ranges settle what is left.
Planner::Weighing Planner::Importance() const {
  Weighing importance{};
  for (const Bound& bound : plan_.bounds) {
    for (int v = 1; v <= plan_.total; ++v) importance[v] = std::max(importance[v], 9 * Magnitude(bound.weight[v]));
  }
  for (const int code : plan_.relationCodes) {
    if (code < 0) continue;  // a linear relation, weighed by its bound
    for (int v = 1; v <= plan_.total; ++v) {
      DigitRanges ranges;  // every other digit at its largest
      ranges.low.fill(9);
      ranges.high.fill(9);
      ranges.low[v] = 0;
      importance[v] = std::max(importance[v], RangeSpread(plan_.codes[code], ranges).value_or(0));
    }
  }
  return importance;
}

// The counting orders: the variables not yet assigned at `start`, those
// that weigh most in a test first, the others as they came; the lightest
// that can form an affine suffix go last.
void Planner::PlanCounting(const Weighing& importance) {
  plan_.counting.resize(std::max(plan_.total, 1));
  std::array<int, kMaxVariables + 1> decade{};
  for (int v = 1; v <= plan_.total; ++v) decade[v] = Decade(importance[v]);
  for (int start = 1; start < plan_.total; ++start) {
    Order order = order_;
    std::stable_sort(order.begin() + start, order.begin() + plan_.total,
                     [&](int a, int b) { return importance[a] > importance[b]; });
    // Within a decade of importance the order matters little to the bounds,
    // much to the work of each assignment.
    unsigned later = 0;
    for (int end = plan_.total; end > start && end > plan_.total - kOrderedByWork;) {
      int from = end - 1;
      while (from > start && decade[order[from - 1]] == decade[order[end - 1]]) --from;
      LightestLast(order, from, end, later);
      for (int p = from; p < end; ++p) later |= 1u << order[p];
      end = from;
    }
    unsigned suffix = 0;
    int size = 0;
    for (int p = plan_.total - 1; p >= start && size < kMaxSuffix; --p) {
      const unsigned bit = 1u << order[p];
      if ((plan_.notAffine & bit) == 0 && (plan_.affineConflicts[order[p]] & (suffix | bit)) == 0) {
        suffix |= bit;
        ++size;
      }
    }
    std::stable_partition(order.begin() + start, order.begin() + plan_.total,
                          [&](int v) { return (suffix & (1u << v)) == 0; });
    Walk& walk = plan_.counting[start];
    walk.start = start;
    walk.affineFrom = AffineFrom(order, start);
    Place(order, walk);
  }
}

// Ranks the relations by the cost of their code over how often they are
// false: tried in that order, relations that complete at the same step end
// a failing assignment soonest. How often is told by the comparison alone,
// at no cost: two values are seldom equal, and seldom both different and
// false; an order between them fails about half the time.
void Planner::RankRelations() {
  const int relations = static_cast<int>(setup_.codes.size());
  std::vector<int> falseIn16(relations, 8);
  for (int r = 0; r < relations; ++r) {
    const std::u32string& text = setup_.texts[r];
    if (text.find(U'\v') != std::u32string::npos) {
      falseIn16[r] = 1;
    } else if (text.find(U'=') != std::u32string::npos) {
      falseIn16[r] = 15;
    }
  }
  std::vector<int> order(relations);
  for (int r = 0; r < relations; ++r) order[r] = r;
  // cost / chance of failing, compared as cross products.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return setup_.codes[a].length * falseIn16[b] < setup_.codes[b].length * falseIn16[a];
  });
  rank_.resize(relations);
  for (int k = 0; k < relations; ++k) rank_[order[k]] = k;
  // A node goes with the first relation, in rank, that reads it: a step
  // computes its relations one after the other, the first to fail ending it.
  const std::span<const NodeGraph::Node> nodes = plan_.graph.Nodes();
  std::vector<int> group(nodes.size(), std::numeric_limits<int>::max());
  for (std::size_t n = nodes.size(); n-- > 0;) {  // a node's operands come before it
    const NodeGraph::Node& node = nodes[n];
    if (node.kind == NodeGraph::Kind::kComparison) group[n] = rank_[node.relation];
    if (node.kind != NodeGraph::Kind::kWord) {
      group[node.a] = std::min(group[node.a], group[n]);
      group[node.b] = std::min(group[node.b], group[n]);
    }
  }
  scheduled_.resize(nodes.size());
  for (std::size_t n = 0; n < nodes.size(); ++n) scheduled_[n] = n;
  std::sort(scheduled_.begin(), scheduled_.end(),
            [&](std::size_t a, std::size_t b) { return group[a] != group[b] ? group[a] < group[b] : a < b; });
}

// Which operations need no check: over every digit the variables allow,
// their operands and their result stay inside 64 bits (never at the value
// that marks a value too wide) and they never fail. Every other operation
// keeps its checks.
void Planner::FindUnchecked() {
  using Range = Span<std::int64_t>;
  const std::span<const NodeGraph::Node> nodes = plan_.graph.Nodes();
  const std::span<const NodeGraph::Term> terms = plan_.graph.Terms();
  std::vector<std::optional<Range>> range(nodes.size());
  operatorCode_.assign(nodes.size(), 0);
  const auto low = [&](int v) { return std::countr_zero(plan_.allowedDigits[v]); };
  const auto high = [&](int v) { return 31 - std::countl_zero(plan_.allowedDigits[v]); };
  const auto isDigit = [](const Range& r) { return r.low >= 0 && r.high <= 9; };
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    const NodeGraph::Node& node = nodes[n];
    if (node.kind == NodeGraph::Kind::kWord) {  // words fit in 64 bits over any digits; weights are positive
      Range r{node.constant, node.constant};
      for (int t = node.a; t < node.a + node.b; ++t) {
        r.low += terms[t].weight * low(terms[t].variable);
        r.high += terms[t].weight * high(terms[t].variable);
      }
      range[n] = r;
      continue;
    }
    const int index = static_cast<int>(node.op);
    operatorCode_[n] = static_cast<std::uint8_t>(Instruction::kOperator + index);
    const std::optional<Range>& a = range[node.a];
    const std::optional<Range>& b = range[node.b];
    if (!a || !b) continue;
    if (node.kind == NodeGraph::Kind::kComparison) {
      operatorCode_[n] = static_cast<std::uint8_t>(Instruction::kUnchecked + index);
      continue;
    }
    range::Operation<std::int64_t> r;
    if (range::ApplyRange(node.op, *a, *b, r) != Outcome::kDone || r.mayFail ||
        r.result.low == std::numeric_limits<std::int64_t>::min()) {
      continue;
    }
    range[n] = r.result;
    // A power is unchecked only between digits, from their table.
    if (node.op != Operator::kPower) {
      operatorCode_[n] = static_cast<std::uint8_t>(Instruction::kUnchecked + index);
    } else if (isDigit(*a) && isDigit(*b)) {
      operatorCode_[n] = Instruction::kDigitPower;
    }
  }
}

// What each variable's digit makes the search compute: the variables of
// each graph node and each code it is read by, with the code's length.
void Planner::FindWork() {
  const auto each = [&](const auto& take) {
    for (const NodeGraph::Node& node : plan_.graph.Nodes()) take(node.variables, 1);
    for (const Candidate& c : candidates_) {
      if (c.test.kind == Test::kExact && !c.ByGraph()) take(c.variables, plan_.codes[c.test.code].length);
    }
  };
  each([&](unsigned variables, int) {
    for (int v = 1; v <= plan_.total; ++v) workFrom_[v + 1] += (variables >> v) & 1u;
  });
  for (int v = 1; v <= plan_.total; ++v) workFrom_[v + 1] += workFrom_[v];
  work_.resize(workFrom_[plan_.total + 1]);
  std::array<int, kMaxVariables + 2> next = workFrom_;
  each([&](unsigned variables, int weight) {
    for (int v = 1; v <= plan_.total; ++v) {
      if ((variables >> v) & 1u) work_[next[v]++] = {variables, weight};
    }
  });
}

// The work `variable` completes when every variable in `later` comes after
// it.
int Planner::Work(int variable, unsigned later) const {
  int work = 0;
  for (int i = workFrom_[variable]; i < workFrom_[variable + 1]; ++i) {
    work += (work_[i].first & later) == 0 ? work_[i].second : 0;
  }
  return work;
}

// Reorders the last kOrderedByWork positions of order[from, end) so that,
// from the end back, each takes the variable whose digit costs least there:
// those positions are tried most often.
void Planner::LightestLast(Order& order, int from, int end, unsigned later) const {
  for (int p = end - 1; p > from && p >= plan_.total - kOrderedByWork; --p) {
    int lightest = p;
    int least = Work(order[p], later);
    for (int q = p - 1; q >= from; --q) {
      if (const int work = Work(order[q], later); work < least) lightest = q, least = work;
    }
    std::rotate(order.begin() + lightest, order.begin() + lightest + 1, order.begin() + p + 1);
    later |= 1u << order[p];
  }
}

// Which variables can end a walk together: a variable read under a power or
// a division, or by a relation the graph does not hold, cannot; two that
// meet in a product cannot both.
void Planner::FindAffinity() {
  const std::span<const NodeGraph::Node> nodes = plan_.graph.Nodes();
  for (const NodeGraph::Node& node : nodes) {
    if (node.kind != NodeGraph::Kind::kOperation) continue;
    const unsigned a = nodes[node.a].variables;
    const unsigned b = nodes[node.b].variables;
    if (node.op == Operator::kTimes) {
      for (int v = 1; v <= kMaxVariables; ++v) {
        if (a & (1u << v)) plan_.affineConflicts[v] |= b;
        if (b & (1u << v)) plan_.affineConflicts[v] |= a;
      }
    } else if (node.op != Operator::kPlus && node.op != Operator::kMinus) {
      plan_.notAffine |= a | b;
    }
  }
  for (const Candidate& c : candidates_) {
    if (c.test.kind == Test::kExact && !c.ByGraph()) plan_.notAffine |= c.variables;
  }
}

// The first position of the longest affine suffix of `order`, at most
// kMaxSuffix long and within the walk.
int Planner::AffineFrom(const Order& order, int start) const {
  unsigned suffix = 0;
  int from = plan_.total;
  while (from > start && plan_.total - from < kMaxSuffix) {
    const int v = order[from - 1];
    const unsigned bit = 1u << v;
    if ((plan_.notAffine & bit) != 0 || (plan_.affineConflicts[v] & (suffix | bit)) != 0) break;
    suffix |= bit;
    --from;
  }
  return from;
}

int Planner::AddForm(std::int64_t constant, const Weights& weight) {
  const int form = plan_.formCount++;
  plan_.formConstants[form] = constant;
  for (int v = 1; v <= plan_.total; ++v) {
    if (weight[v] != 0) variableTerms_[v][variableTermCount_[v]++] = {static_cast<std::uint8_t>(form), weight[v]};
  }
  return form;
}

int Planner::AddCode(const RelationCode& code) {
  plan_.codes.push_back(code);
  return static_cast<int>(plan_.codes.size()) - 1;
}

void Planner::PlanRelation(int relation) {
  const RelationCode& full = setup_.codes[relation];
  if (const std::optional<LinearRelation> linear = LinearView(full); linear && PlanLinear(relation, *linear)) return;
  // A relation that is not linear, or whose forms may leave 64 bits: the
  // node graph computes it, or where it cannot, its code does.
  const unsigned variables = VariablesOf(full);
  const int code = AddCode(full);
  plan_.relationCodes[relation] = code;
  // The graph's nodes are settled on intervals as the search walks them;
  // a relation outside the graph is settled from its code.
  const bool byGraph = plan_.graph.Add(full, relation);
  int ranged = -1;
  if (!byGraph && static_cast<int>(plan_.rangedCodes.size()) < kMaxRangedCodes) {
    ranged = static_cast<int>(plan_.rangedCodes.size());
    plan_.rangedCodes.push_back(code);
  }
  const Test test{Test::kExact, Operator::kEqual, 0, -1, static_cast<std::int16_t>(byGraph ? -1 : code), 0};
  candidates_.push_back({relation, kFullStrength, variables, test, -1, ranged});
  settledWhole_[relation] = byGraph || ranged >= 0;
  PlanReadings(relation, variables);
}

// The tests of a linear relation on running sums; false when its sums may
// leave 64 bits.
bool Planner::PlanLinear(int relation, const LinearRelation& linear) {
  std::array<Wide, kMaxVariables + 1> difference{};
  for (int v = 1; v <= kMaxVariables; ++v) difference[v] = Wide{linear.left.weight[v]} - linear.right.weight[v];
  const Wide constant = Wide{linear.left.constant} - linear.right.constant;
  const auto toWeights = [](const std::array<Wide, kMaxVariables + 1>& w) {
    Weights r{};
    for (int v = 1; v <= kMaxVariables; ++v) r[v] = static_cast<std::int64_t>(w[v]);
    return r;
  };
  const auto wide = [](const LinearForm& form) {
    std::array<Wide, kMaxVariables + 1> w{};
    for (int v = 1; v <= kMaxVariables; ++v) w[v] = form.weight[v];
    return w;
  };
  if (!StaysExact(constant, difference)) return false;
  const Operator op = linear.op;

  if (op == Operator::kEqual || op == Operator::kDifferent) {
    const Weights weights = toWeights(difference);
    const auto form = static_cast<std::uint8_t>(AddForm(static_cast<std::int64_t>(constant), weights));
    plan_.bounds.push_back({op, form, -1, weights});
    candidates_.push_back({relation,
                           kFullStrength,
                           VariablesOf(weights),
                           {Test::kForms, op, form, -1, 0, 0},
                           static_cast<int>(plan_.bounds.size()) - 1});
    settledWhole_[relation] = true;
    if (op == Operator::kEqual) {
      std::int64_t modulus = 1;
      for (int k = 1; k <= kMaxReadingDigits; ++k) {
        modulus *= 10;
        candidates_.push_back(
            {relation, k, VariablesOf(weights, modulus), {Test::kResidue, Operator::kEqual, form, -1, 0, modulus}});
      }
    }
    return true;
  }
  // A comparison is of the two values, so each must stay exact, and their
  // difference too.
  if (!StaysExact(linear.left.constant, wide(linear.left)) || !StaysExact(linear.right.constant, wide(linear.right))) {
    return false;
  }
  const auto left = static_cast<std::uint8_t>(AddForm(linear.left.constant, linear.left.weight));
  const auto right = static_cast<std::int8_t>(AddForm(linear.right.constant, linear.right.weight));
  plan_.bounds.push_back({op, left, right, toWeights(difference)});
  candidates_.push_back({relation,
                         kFullStrength,
                         VariablesOf(linear.left.weight) | VariablesOf(linear.right.weight),
                         {Test::kForms, op, left, right, 0, 0},
                         static_cast<int>(plan_.bounds.size()) - 1});
  settledWhole_[relation] = true;
  return true;
}

// Readings of the last 1, 2, ... digits of an equality, as long as they need
// fewer variables than the whole relation.
void Planner::PlanReadings(int relation, unsigned variables) {
  const std::u32string text = ReadableEquality(setup_.texts[relation]);
  if (text.empty()) return;
  VariableTable table = *setup_.table;  // every letter has its number already
  std::int64_t modulus = 1;
  for (int k = 1; k <= kMaxReadingDigits; ++k) {
    modulus *= 10;
    RelationCode reading;
    CompileReading(text, k, true, reading, table);
    const unsigned readingVariables = VariablesOf(reading);
    if (readingVariables == variables) break;  // from here on the whole relation is as soon known
    const Test test{Test::kReading, Operator::kEqual, 0, -1, static_cast<std::int16_t>(AddCode(reading)), modulus};
    candidates_.push_back({relation, k, readingVariables, test});
  }
}

// Lays the tests out along `order` from the walk's start on. A test runs
// where its last variable gets its digit, and only if no stronger test of
// the same relation completes there or earlier; a test that completes
// before the start has already run on the way there.
void Planner::Place(const Order& order, Walk& walk) const {
  const int start = walk.start;
  std::array<int, kMaxVariables + 1> position{};
  for (int p = 0; p < plan_.total; ++p) position[order[p]] = p;
  for (int p = start; p < plan_.total; ++p) {
    Step& step = walk.steps[p];
    step = Step{};
    step.variable = order[p];
    step.allowedDigits = plan_.allowedDigits[order[p]];
    step.termCount = variableTermCount_[order[p]];
    step.terms = variableTerms_[order[p]];
  }
  const auto completion = [&](unsigned variables) {
    int at = 0;  // a test that reads no variable has one verdict: the first step gives it
    for (int v = 1; v <= kMaxVariables; ++v) {
      if (variables & (1u << v)) at = std::max(at, position[v]);
    }
    return at;
  };

  std::vector<const Candidate*> strongestFirst;
  for (const Candidate& c : candidates_) strongestFirst.push_back(&c);
  std::stable_sort(strongestFirst.begin(), strongestFirst.end(), [this](const Candidate* a, const Candidate* b) {
    return a->relation != b->relation ? rank_[a->relation] < rank_[b->relation] : a->strength > b->strength;
  });
  int relation = -1;
  int strongerAt = 0;
  for (const Candidate* candidate : strongestFirst) {
    if (candidate->relation != relation) relation = candidate->relation, strongerAt = plan_.total;
    const int at = completion(candidate->variables);
    if (at >= strongerAt) continue;
    strongerAt = at;
    if (at < start) continue;
    if (!candidate->ByGraph()) {
      Step& step = walk.steps[at];
      step.tests[step.testCount++] = candidate->test;
    }
    for (int p = start; p <= at; ++p) {
      if (candidate->bound >= 0) {
        walk.pendingBounds[p] |= BoundMask{1} << candidate->bound;
      } else if (candidate->ranged >= 0) {
        walk.pendingRanged[p] |= RangedMask{1} << candidate->ranged;
      } else if (!settledWhole_[candidate->relation]) {
        // A last-digits test is implied by its whole relation: once that is
        // settled as holding, so is the test.
        walk.pendingOther[p] = true;
      }
    }
  }
  for (int p = start; p < plan_.total; ++p) {
    Step& step = walk.steps[p];
    const auto onSums = [](const Test& t) { return t.kind == Test::kForms || t.kind == Test::kResidue; };
    step.firstCodeTest = static_cast<int>(
        std::stable_partition(step.tests.begin(), step.tests.begin() + step.testCount, onSums) - step.tests.begin());
  }
  Schedule(position, walk);
}

// The graph's nodes in the order of the steps that let compute them: a node
// where the last variable it reads gets its digit. Nodes that complete
// before the walk's start were computed on the way there; constants never
// change and are computed once, before the search.
void Planner::Schedule(const std::array<int, kMaxVariables + 1>& position, Walk& walk) const {
  const std::span<const NodeGraph::Node> nodes = plan_.graph.Nodes();
  std::array<std::vector<Instruction>, kMaxVariables> byStep;
  for (const std::size_t n : scheduled_) {  // each step's nodes relation by relation, in rank
    const NodeGraph::Node& node = nodes[n];
    if (node.variables == 0) continue;
    int at = 0;
    for (int v = 1; v <= kMaxVariables; ++v) {
      if (node.variables & (1u << v)) at = std::max(at, position[v]);
    }
    if (at < walk.start) continue;
    Instruction in{Instruction::kWord, static_cast<std::uint16_t>(n), node.a, node.b};
    if (node.kind != NodeGraph::Kind::kWord) {
      in.code = operatorCode_[n];
    } else if (const NodeGraph::Term& t = plan_.graph.Terms()[node.a];
               node.b == 1 && node.constant == 0 && t.weight == 1) {
      in = {Instruction::kDigit, static_cast<std::uint16_t>(n), static_cast<std::uint16_t>(t.variable), 0};
    }
    byStep[at].push_back(in);
  }
  for (int p = walk.start; p < plan_.total; ++p) {
    walk.steps[p].firstInstruction = static_cast<int>(walk.instructions.size());
    walk.instructions.insert(walk.instructions.end(), byStep[p].begin(), byStep[p].end());
    walk.steps[p].endInstruction = static_cast<int>(walk.instructions.size());
  }
}

}  // namespace

SearchPlan PlanSearch(const SearchSetup& setup) { return Planner(setup).Build(); }

}  // namespace zifrel::libero
