// The real search prunes far more than the plain one and tests relations on
// their last digits; these tests hold it to the plain search's solutions,
// order and counts, on chosen and on random relations.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/utf8.h"
#include "libero/libero_job.h"
#include "libero/relation_check.h"
#include "tests/support/reference_libero.h"

namespace zifrel::libero {
namespace {

using Lines = std::vector<std::string>;

Lines RealLines(const Lines& relations) {
  LineCollector out;
  StopFlag stop;
  std::atomic<std::int32_t> count{0};
  FreeRelations().SolveFreeRelations(
      relations, [](std::span<const std::string>) {}, out, stop, count);
  return out.lines;
}

// The normalised text of a relation that passes its check, or "" if it fails.
std::string Normalised(const std::string& typed) {
  std::u32string text = DecodeUtf8(typed);
  return CheckRelation(text) == kCheckOk ? EncodeUtf8(text) : "";
}

// `unitsFilter` lets the reference cut with the pilot's units reading: sound,
// and far quicker, where no value can wrap.
void ExpectSameAsReference(const Lines& relations, bool unitsFilter = false, const std::string& note = "") {
  Lines normalised;
  std::ranges::transform(relations, std::back_inserter(normalised), Normalised);
  ASSERT_FALSE(std::ranges::count(normalised, "")) << ::testing::PrintToString(relations);
  ASSERT_EQ(RealLines(relations), testing::ReferenceLines(testing::ReferenceSolve(normalised, unitsFilter)))
      << ::testing::PrintToString(relations) << note;
}

TEST(SearchReference, ChosenRelations) {
  for (const Lines& relations :
       std::vector<Lines>{{"DONALD+GERALD=ROBERT"}, {"ODD+ODD=EVEN"}, {"(AGH+MM)^3=D+E+F+G+AB"}})
    ExpectSameAsReference(relations, true);
  // Every kind of relation, values that wrap, and (from ABC<DEF on) more than
  // twenty solutions, counted past the listed ones in an order of their own
  // with bounds that settle whole subtrees.
  for (const Lines& relations : std::vector<Lines>{{"A^BC=DEF"},
                                                   {"ABCDABCDABCDABCDABCD=DCBADCBADCBADCBADCBA"},
                                                   {"AB*CD*EF*AB*CD*EF*AB*CD*EF*AB=0"},
                                                   {"A-A+B=B+0*C"},
                                                   {"AB:C=DE", "A<B"},
                                                   {"AB%C=D", "A+B+C+D>=20"},
                                                   {"ABC<>CBA", "A+C=B"},
                                                   {"AB+BA=CC", "A*B<=C"},
                                                   {"A*A=BC", "B*B=DE", "D<E"},
                                                   {"ABC-CBA=DEF", "D+F=9"},
                                                   {"ABC<DEF"},
                                                   {"A+B+C+D+E>10"},
                                                   {"AB+CD>EF", "A<>B"},
                                                   {"AB<>CD", "A+B<C"},
                                                   {"AB-CD>=0", "A*B>C"},
                                                   {"A+B+C=D+E", "E<=A"},
                                                   {"ABC>=CBA", "B-A<>3"},
                                                   {"AB:C>D", "AB+CD<EF"},
                                                   {"ABCDABCDABCDABCDABCD>DCBA", "A<B"},
                                                   {"A-B<C-D", "B<>0", "AB+C>D"}}) {
    ExpectSameAsReference(relations);
  }
}

// Counts the units reading must keep: exponents that hold operators are read
// exactly, and where units values wrap in 64 bits a units filter of the plain
// search's kind (`filtered`) loses solutions.
TEST(SearchReference, TheUnitsReadingLosesNoSolution) {
  struct Row {
    const char* relation;
    std::size_t count, filtered;
  };
  for (const Row& row : {Row{"A^(B^C)=43046721", 4, 4}, Row{"A^(B-C+D)=32", 34, 34}, Row{"(A-B)^20=1", 18, 9},
                         Row{"(2^20)^4*A=0", 10, 2}}) {
    EXPECT_EQ(testing::ReferenceSolve({row.relation}).solutions.size(), row.count) << row.relation;
    EXPECT_EQ(testing::ReferenceSolve({row.relation}, true).solutions.size(), row.filtered) << row.relation;
    ExpectSameAsReference({row.relation});
  }
}

// Random relations over a few letters, with every operator and symbol and
// exponents that hold operators of their own.
struct RelationMaker {
  std::mt19937 rng;
  std::string letters;

  int Pick(std::size_t n) { return static_cast<int>(rng() % n); }

  std::string Word(int maxLength) {
    std::string word;
    for (int i = Pick(maxLength); i >= 0; --i) word += Pick(5) ? letters[Pick(letters.size())] : char('0' + Pick(10));
    return word;
  }

  // Sometimes in parentheses; never "))", which the check refuses.
  std::string Group(const std::string& e) { return Pick(2) && e.size() > 1 && e.back() != ')' ? "(" + e + ")" : e; }

  std::string Expression(int depth) {
    if (depth == 0 || Pick(3) == 0) return Word(3);
    const char op = "++--**::%^"[Pick(10)];
    if (op != '^') return Group(Expression(depth - 1)) + op + Group(Expression(depth - 1));
    return Group(Word(2)) + "^" + (Pick(2) ? Word(1) : "(" + Word(1) + "+-"[Pick(2)] + Word(1) + ")");
  }

  // Half are equalities built around an assignment, so that most have solutions.
  std::string Relation() {
    if (Pick(2)) return Expression(2) + std::vector{"=", "<", ">", ">=", "<=", "<>"}[Pick(6)] + Expression(1 + Pick(2));
    std::array<int, 26> digits{};
    std::array<int, 10> pool;
    std::iota(pool.begin(), pool.end(), 0);
    std::ranges::shuffle(pool, rng);
    for (std::size_t i = 0; i < letters.size(); ++i) digits[letters[i] - 'A'] = pool[i];
    const std::string left = Expression(2);
    const std::optional<std::int64_t> value = testing::ReferenceValue(left, digits);
    return left + "=" + (value && *value >= 0 ? std::to_string(*value) : "0");
  }
};

TEST(SearchReference, RandomRelations) {
  const unsigned seed = std::random_device{}();
  RelationMaker maker{std::mt19937(seed), ""};
  for (int compared = 0; compared < 300;) {
    maker.letters = std::string("ABCDEFG").substr(0, 2 + maker.Pick(4));
    Lines relations(1 + maker.Pick(2) * maker.Pick(3));
    for (std::string& r : relations) r = maker.Relation();
    if (std::ranges::any_of(relations, [](const std::string& r) { return Normalised(r).empty(); })) continue;
    ExpectSameAsReference(relations, false, " (seed " + std::to_string(seed) + ")");
    if (HasFatalFailure()) return;
    ++compared;
  }
}

}  // namespace
}  // namespace zifrel::libero
