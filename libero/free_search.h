#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "libero/evaluator.h"
#include "libero/relation_check.h"
#include "libero/relation_code.h"
#include "libero/variable_table.h"

namespace zifrel::libero {

// What the search needs from a prepared job.
struct SearchSetup {
  int total = 0;                          // variables 1..total
  int pilotCount = 0;                     // the pilot relation's variables, 1..pilotCount
  const VariableTable* table = nullptr;   // numbering, letters and leading marks
  std::span<const std::u32string> texts;  // the normalised relations
  std::span<const RelationCode> codes;    // their full codes
};

// Every assignment of distinct digits to the variables, in a fixed order:
// the pilot relation's variables from pilotCount down to 1, then the others
// from total down to pilotCount + 1, each trying its digits in ascending
// order, a leading variable never 0. Solutions are reported in that order.
//
// Instead of testing the relations only when every variable has a digit,
// each test runs as soon as the variables it reads have digits, and a
// relation is also tested on its last digits as soon as those are known:
// every such test is a necessary condition of the relation, so only
// assignments that cannot be solutions are cut, and the solutions, their
// order and the count stay those of the complete enumeration.
//
// Once the listed solutions are all found, the order no longer shows: the
// rest of each subtree is counted in an order of its own, chosen so that
// bounds on the linear tests soon settle them, and a subtree whose tests all
// hold whatever the remaining digits is counted without being visited.
class FreeSearch {
 public:
  // Plans the tests. Allocates; the search itself does not.
  void Plan(const SearchSetup& setup);

  // Searches, lists the first solutions on `out` and counts them all in
  // `count`, which another thread may read at any time. Returns false when
  // `stop` ended the search early.
  bool Run(LineSink& out, StopFlag& stop, std::atomic<std::int32_t>& count);

  std::int32_t SolutionCount() const { return solutionCount_; }

 private:
  static constexpr int kMaxForms = 2 * kMaxRelations;
  static constexpr int kMaxTests = 2 * kMaxRelations;
  using Weights = std::array<std::int64_t, kMaxVariables + 1>;

  // A test that runs when a given variable has its digit.
  struct Test {
    // A linear equality or difference tests one form, a comparison two; a
    // residue tests the last digits of a form; a code is evaluated.
    enum Kind : std::uint8_t { kZero, kNonZero, kResidue, kLess, kGreater, kGreaterEqual, kLessEqual, kCode };
    Kind kind = kZero;
    std::uint8_t form = 0;     // the form tested, or the left one
    std::uint8_t right = 0;    // a comparison's right form
    std::int16_t code = 0;     // kCode: index in codes_
    std::int64_t modulus = 0;  // kResidue and kCode: 10^k, or 0 for the whole relation
  };
  struct Term {
    std::uint8_t form;
    std::int64_t weight;
  };
  // What the assignment of one variable adds to the running sums and which
  // tests it completes.
  struct Step {
    int variable = 0;
    unsigned allowedDigits = 0x3FF;
    int termCount = 0;
    std::array<Term, kMaxForms> terms{};
    int testCount = 0;
    std::array<Test, kMaxTests> tests{};
  };
  using Steps = std::array<Step, kMaxVariables>;  // by position in the order of assignment

  // A whole linear test whose value, a form or the difference of two, stays
  // exact in 64 bits, so that the digits still free bound it.
  struct Bound {
    Test::Kind kind;
    std::uint8_t form;
    std::int8_t right;  // -1 for a single form
    Weights weight;
  };
  // The counting of the subtrees below `start`: steps from `start` on, and
  // at each position the bounded tests still to come (a bit per Bound), the
  // relations still to come whose codes ranges can settle (a bit per entry of
  // rangedCodes_) and whether any other test is still to come.
  struct CountPlan {
    Steps steps{};
    std::array<std::uint64_t, kMaxVariables> pendingBounds{};
    std::array<std::uint32_t, kMaxVariables> pendingRanged{};
    std::array<bool, kMaxVariables> pendingOther{};
  };
  // One possible test of a relation: `strength` is the number of last
  // digits it compares, or more for the whole relation; `bound` its Bound,
  // or -1; `ranged` its entry in rangedCodes_, or -1.
  struct Candidate {
    int relation;
    int strength;
    unsigned variables;
    Test test;
    int bound = -1;
    int ranged = -1;
  };
  using Order = std::array<int, kMaxVariables>;

  void PlanRelation(const SearchSetup& setup, int relation);
  int AddForm(std::int64_t constant, const Weights& weight);
  void Place(const Order& order, int start, Steps& steps, CountPlan* count) const;
  bool Assign(int position, unsigned freeDigits);
  [[gnu::always_inline]] bool AssignLast(int position, unsigned freeDigits);
  bool Count(const CountPlan& plan, int position, unsigned freeDigits);
  int Settle(const CountPlan& plan, int position, unsigned freeDigits) const;
  [[gnu::always_inline]] bool Try(const Step& step, const std::array<std::uint64_t, kMaxForms>& base, int d);
  [[gnu::always_inline]] void ReportSolution();

  int total_ = 0;
  Order order_{};
  Steps steps_{};
  std::vector<CountPlan> countPlans_;  // by start position
  std::array<unsigned, kMaxVariables + 1> allowedDigits_{};
  std::array<char, kMaxVariables + 1> letters_{};
  std::vector<Candidate> candidates_;
  std::vector<Bound> bounds_;
  std::vector<int> rangedCodes_;    // whole codes that ranges can settle, as indices in codes_
  std::vector<bool> settledWhole_;  // by relation: a bound or ranges settle it whole
  int formCount_ = 0;
  std::array<std::array<Term, kMaxForms>, kMaxVariables + 1> variableTerms_{};
  std::array<int, kMaxVariables + 1> variableTermCount_{};
  std::array<std::uint64_t, kMaxForms> sums_{};  // running values of the forms, wrapping
  std::vector<RelationCode> codes_;              // for the tests that evaluate a code

  DigitValues digits_ = InitialDigitValues();
  StopFlag* stop_ = nullptr;
  LineSink* out_ = nullptr;
  std::atomic<std::int32_t>* countWord_ = nullptr;
  std::int32_t solutionCount_ = 0;
};

}  // namespace zifrel::libero
