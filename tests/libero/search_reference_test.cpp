// The real search prunes far more than the plain one and tests relations on
// their last digits; these tests hold it to the plain search's solutions,
// order and counts, on chosen and on random relations.
#include <gtest/gtest.h>

#include <random>
#include <tuple>
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
  FreeRelations job;
  LineCollector out;
  StopFlag stop;
  std::atomic<std::int32_t> count{0};
  job.SolveFreeRelations(
      relations, [](std::span<const std::string>) {}, out, stop, count);
  return out.lines;
}

// The normalised text of a relation that passes its check, or "" if it fails.
std::string Normalised(const std::string& typed) {
  std::u32string text = DecodeUtf8(typed);
  return CheckRelation(text) == kCheckOk ? EncodeUtf8(text) : "";
}

// `unitsFilter`: let the reference cut with the pilot's units reading in 64
// bits, as the plain search first did; sound, and much quicker, where no
// value can wrap around.
void ExpectSameAsReference(const Lines& relations, const std::string& label, bool unitsFilter = false) {
  Lines normalised;
  for (const std::string& typed : relations) {
    normalised.push_back(Normalised(typed));
    ASSERT_FALSE(normalised.back().empty()) << label;
  }
  const testing::ReferenceOutcome reference = testing::ReferenceSolve(normalised, unitsFilter);
  ASSERT_EQ(RealLines(relations), testing::ReferenceLines(reference)) << label;
}

std::string Describe(const Lines& relations) {
  std::string text;
  for (const std::string& r : relations) text += (text.empty() ? "" : " ; ") + r;
  return text;
}

TEST(SearchReference, ChosenRelations) {
  // Many letters: the reference may cut with the units reading.
  for (const Lines& relations : std::vector<Lines>{{"SEND+MORE=MONEY"},
                                                   {"gatto+gatto=cane+cane+cane"},
                                                   {"DONALD+GERALD=ROBERT"},
                                                   {"ODD+ODD=EVEN"},
                                                   {"(AGH+MM)^3=D+E+F+G+AB"}}) {
    ExpectSameAsReference(relations, Describe(relations), true);
  }
  // Few letters, every kind of relation, values that wrap around.
  for (const Lines& relations : std::vector<Lines>{{"A+B=C"},
                                                   {"A+B=CD"},
                                                   {"A^(B^C)=43046721"},
                                                   {"A^(B-C+D)=32"},
                                                   {"(A-B)^20=1"},
                                                   {"A^BC=DEF"},
                                                   {"(2^20)^3*8:(A-B)=C"},
                                                   {"ABCDABCDABCDABCDABCD=DCBADCBADCBADCBADCBA"},
                                                   {"AB*CD*EF*AB*CD*EF*AB*CD*EF*AB=0"},
                                                   {"(2^20)^4*A=0"},
                                                   {"A-A+B=B+0*C"},
                                                   {"AB:C=DE", "A<B"},
                                                   {"AB%C=D", "A+B+C+D>=20"},
                                                   {"ABC<>CBA", "A+C=B"},
                                                   {"TO+GO=OUT"},
                                                   {"AB+BA=CC", "A*B<=C"},
                                                   {"A*A=BC", "B*B=DE", "D<E"},
                                                   {"ABC-CBA=DEF", "D+F=9"}}) {
    ExpectSameAsReference(relations, Describe(relations));
  }
}

// Past the twentieth solution the rest is counted in another order, with
// bounds that settle whole subtrees: every kind of test, leading letters,
// values that would wrap.
TEST(SearchReference, ManySolutionsAreCountedRight) {
  for (const Lines& relations : std::vector<Lines>{{"ABC<DEF"},
                                                   {"A+B+C+D+E>10"},
                                                   {"AB+CD>EF", "A<>B"},
                                                   {"AB<>CD", "A+B<C"},
                                                   {"AB-CD>=0", "A*B>C"},
                                                   {"A+B+C=D+E", "E<=A"},
                                                   {"ABC>=CBA", "B-A<>3"},
                                                   {"AB:C>D", "AB+CD<EF"},
                                                   {"ABCDABCDABCDABCDABCD>DCBA", "A<B"},
                                                   {"A-B<C-D", "B<>0", "AB+C>D"}}) {
    ExpectSameAsReference(relations, Describe(relations));
  }
}

// A random expression over `letters`, with every operator and exponents that
// hold operators of their own.
class RelationMaker {
 public:
  RelationMaker(std::mt19937& rng, std::string letters) : rng_(rng), letters_(std::move(letters)) {}

  std::string Word(int maxLength = 3) {
    std::string word;
    const int length = 1 + Pick(maxLength);
    for (int i = 0; i < length; ++i)
      word += Pick(5) == 0 ? static_cast<char>('0' + Pick(10)) : letters_[Pick(letters_.size())];
    return word;
  }

  std::string Expression(int depth) {
    if (depth == 0 || Pick(3) == 0) return Word();
    static const char kOps[] = "++--**::%^";
    const char op = kOps[Pick(10)];
    if (op == '^') {
      std::string exponent = Word(1);
      if (Pick(2) == 0) {  // an exponent that holds an operator of its own
        exponent.insert(exponent.begin(), '(');
        exponent += "+-"[Pick(2)];
        exponent += Word(1);
        exponent += ')';
      }
      return Group(Word(2)) + "^" + exponent;
    }
    return Group(Expression(depth - 1)) + op + Group(Expression(depth - 1));
  }

  std::string Relation() {
    static const char* kSymbols[] = {"=", "=", "=", "<", ">", ">=", "<=", "<>"};
    return Expression(2) + kSymbols[Pick(8)] + Expression(1 + Pick(2));
  }

  int Pick(std::size_t n) { return static_cast<int>(rng_() % n); }

 private:
  // Sometimes in parentheses; a group cannot end in ")" here, as "))" is refused.
  std::string Group(const std::string& e) {
    return Pick(2) == 0 && e.back() != ')' && e.size() > 1 ? "(" + e + ")" : e;
  }

  std::mt19937& rng_;
  std::string letters_;
};

// Equalities built around an assignment, so that most have solutions.
std::string SolvableEquality(RelationMaker& maker, std::mt19937& rng, const std::string& letters) {
  std::array<int, 26> digits{};
  std::vector<int> pool = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::shuffle(pool.begin(), pool.end(), rng);
  for (std::size_t i = 0; i < letters.size(); ++i) digits[letters[i] - 'A'] = pool[i];
  for (int attempt = 0; attempt < 20; ++attempt) {
    const std::string left = maker.Expression(2);
    const std::string normal = Normalised(left + "=0");
    if (normal.empty()) continue;
    const std::optional<std::int64_t> value = testing::ReferenceValue(normal.substr(0, normal.size() - 2), digits);
    if (value && *value >= 0) return left + "=" + std::to_string(*value);
  }
  return "A+B=C";
}

TEST(SearchReference, RandomRelations) {
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  int compared = 0;
  while (compared < 300) {
    const std::string letters = std::string("ABCDEFG").substr(0, 2 + rng() % 4);
    RelationMaker maker(rng, letters);
    Lines relations;
    const int count = maker.Pick(2) == 0 ? 1 : 1 + maker.Pick(3);
    for (int i = 0; i < count; ++i) {
      relations.push_back(maker.Pick(2) == 0 ? SolvableEquality(maker, rng, letters) : maker.Relation());
    }
    bool valid = true;
    for (const std::string& r : relations) valid = valid && !Normalised(r).empty();
    if (!valid) continue;
    ExpectSameAsReference(relations, Describe(relations) + " (seed " + std::to_string(seed) + ")");
    if (HasFatalFailure()) return;
    ++compared;
  }
}

TEST(SearchReference, AUnitsFilterIn64BitsLosesWrappedPowers) {
  // In 64 bits the units reading of (A-B)^20 meets 9^20 when A - B = -1,
  // which wraps. And 2^80 wraps to 0, so (2^20)^4*A=0 holds for every A,
  // although its units reading asks 6*A to end in 0. The real search tests a
  // units reading modulo 10, and only where the full values cannot wrap: it
  // keeps every solution, as the plain enumeration does.
  for (const auto& [relation, filtered, all] :
       {std::tuple{"(A-B)^20=1", 9u, 18u}, std::tuple{"(2^20)^4*A=0", 2u, 10u}}) {
    EXPECT_EQ(testing::ReferenceSolve({relation}, true).solutions.size(), filtered) << relation;
    EXPECT_EQ(testing::ReferenceSolve({relation}, false).solutions.size(), all) << relation;
  }
}

TEST(SearchReference, TheUnitsFilterChangesNothingWhereNothingWraps) {
  for (const char* relation : {"TO+GO=OUT", "A^(B^C)=43046721", "A^(B-C+D)=32", "AB*C=DE"}) {
    const Lines relations = {Normalised(relation)};
    EXPECT_EQ(testing::ReferenceSolve(relations, true).solutions, testing::ReferenceSolve(relations).solutions)
        << relation;
  }
}

}  // namespace
}  // namespace zifrel::libero
