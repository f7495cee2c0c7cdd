#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/digit_mask.h"
#include "libero/node_graph.h"
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

inline constexpr int kMaxForms = 2 * kMaxRelations;  // a relation has one form, or two to compare
inline constexpr int kMaxTests = 2 * kMaxRelations;  // a step runs at most one test of each relation

using Weights = std::array<std::int64_t, kMaxVariables + 1>;  // by variable number; entry 0 unused

// A test that runs when a given variable has its digit.
struct Test {
  enum Kind : std::uint8_t {
    kForms,    // value(form) op value(right), or op 0 without a right form
    kResidue,  // value(form) is a multiple of `modulus`
    kReading,  // the last digits of codes[code]: its residues modulo `modulus`
    kExact,    // codes[code] in full, for a relation the node graph cannot hold
  };
  Kind kind = kForms;
  Operator op = Operator::kEqual;
  std::uint8_t form = 0;
  std::int8_t right = -1;
  std::int16_t code = 0;
  std::int64_t modulus = 0;
};

// What giving a variable its digit adds to a running sum.
struct Term {
  std::uint8_t form;
  std::int64_t weight;
};

// One node of the graph to compute: a letter's digit (variable a), a word
// (its b terms from term a on), or an operator on nodes a and b. An
// unchecked operator is one the planner showed, over every digit, never to
// fail nor to leave 64 bits: it is computed with no check at all. A digit
// power raises a digit 0..9 to a digit, from a table.
struct Instruction {
  enum Code : std::uint8_t {
    kDigit,
    kWord,
    kOperator,                                // kOperator + the operator's index
    kUnchecked = kOperator + kOperatorCount,  // kUnchecked + the operator's index
    kDigitPower = kUnchecked + kOperatorCount,
  };
  std::uint8_t code;
  std::uint16_t node;
  std::uint16_t a;
  std::uint16_t b;

  libero::Operator Op() const {
    if (code == kDigitPower) return libero::Operator::kPower;
    return static_cast<libero::Operator>(code >= kUnchecked ? code - kUnchecked : code - kOperator);
  }
};

// The assignment of one variable: the sums it weighs in, the tests it
// completes and the graph nodes it lets compute.
struct Step {
  int variable = 0;
  unsigned allowedDigits = kAllDigits;
  int termCount = 0;
  std::array<Term, kMaxForms> terms{};
  int testCount = 0;
  std::array<Test, kMaxTests> tests{};  // those on sums first, then those on codes
  int firstCodeTest = 0;
  int firstInstruction = 0;
  int endInstruction = 0;
};

// A whole linear test whose forms stay exact in 64 bits, so that the digits
// still free bound it: value(form) - value(right) op 0.
struct Bound {
  Operator op;
  std::uint8_t form;
  std::int8_t right;  // -1 for a single form
  Weights weight;     // of the difference
};

using BoundMask = std::uint64_t;   // a bit per Bound
using RangedMask = std::uint32_t;  // a bit per ranged code
inline constexpr int kMaxBounds = 64;
inline constexpr int kMaxRangedCodes = 32;
static_assert(kMaxRelations <= kMaxBounds && kMaxRelations <= kMaxRangedCodes,
              "every relation may need a bit of each mask");

using Order = std::array<int, kMaxVariables>;  // variables by position

// The last variables of a walk may form an affine suffix: every test still
// to come is then affine in their digits, and the search counts the ways to
// give them digits arithmetically instead of walking them one by one.
// Measured with bench/libero_bench.cpp: a suffix of at most 4 made
// SumsOfProducts 1.6 times slower; 6 changed no benchmark beyond the noise
// (SumsOfProducts 6 % quicker); 5 it stays, the ways of five letters being
// what kMaxSuffixArrangements admits.
inline constexpr int kMaxSuffix = 5;

// The steps from `start` on in one order of the variables, and what is still
// to be tested below each position: the bounded tests (a bit per Bound), the
// relations whose codes ranges may settle (a bit per ranged code) and
// whether any other test is still to come.
struct Walk {
  int start = 0;
  int affineFrom = kMaxVariables;  // the first position of the affine suffix
  std::array<Step, kMaxVariables> steps{};
  std::vector<Instruction> instructions;
  std::array<BoundMask, kMaxVariables> pendingBounds{};
  std::array<RangedMask, kMaxVariables> pendingRanged{};
  std::array<bool, kMaxVariables> pendingOther{};
};

// Everything the search follows, built once per job.
//
// The search gives the variables their digits in a fixed order: the pilot
// relation's variables from pilotCount down to 1, then the others from total
// down to pilotCount + 1. Instead of testing the relations only when every
// variable has a digit, each test runs as soon as the variables it reads
// have digits, and a relation is also tested on its last digits as soon as
// those are known: every such test is a necessary condition of the
// relation, so only assignments that cannot be solutions are cut.
//
// Once the listed solutions are all found, the order no longer shows: each
// subtree is counted in an order of its own (the counting walk of the
// position where the counting began), chosen so that bounds on the linear
// tests soon settle them.
struct SearchPlan {
  int total = 0;
  std::array<unsigned, kMaxVariables + 1> allowedDigits{};
  std::array<char, kMaxVariables + 1> letters{};
  Walk listing;                // the order of the listed solutions, from position 0
  std::vector<Walk> counting;  // by start position, 1..total-1
  int formCount = 0;
  std::array<std::int64_t, kMaxForms> formConstants{};
  std::vector<Bound> bounds;
  std::vector<RelationCode> codes;  // whole codes and readings the tests and ranges evaluate
  std::vector<int> rangedCodes;     // codes outside the graph that ranges may settle, as indices in `codes`
  std::vector<int> relationCodes;   // by relation: its whole code in `codes`, or -1
  // Variables no affine suffix may hold (read under a power or a division,
  // or by a relation outside the graph), and for each variable those it may
  // not share a suffix with (they meet in a product).
  unsigned notAffine = 0;
  std::array<unsigned, kMaxVariables + 1> affineConflicts{};
  NodeGraph graph;
};

SearchPlan PlanSearch(const SearchSetup& setup);

}  // namespace zifrel::libero
