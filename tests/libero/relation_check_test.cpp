#include "libero/relation_check.h"

#include <gtest/gtest.h>

#include <string>

#include "core/utf8.h"

namespace zifrel::libero {
namespace {

struct CheckCase {
  const char* behaviour;
  std::string typed;       // UTF-8, as typed
  std::string normalised;  // UTF-8, after the check; "" when as typed
  CheckCode code;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.behaviour; }

class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, NormalisesAndFindsTheFirstFault) {
  const CheckCase& c = GetParam();
  std::u32string text = DecodeUtf8(c.typed);
  EXPECT_EQ(CheckRelation(text), c.code);
  EXPECT_EQ(EncodeUtf8(text), c.normalised.empty() ? c.typed : c.normalised);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckTest,
    ::testing::Values(
        CheckCase{"letters fold to capitals, blanks go, == is =", "gatto + gatto == cane+cane+cane",
                  "GATTO+GATTO=CANE+CANE+CANE", kCheckOk},
        CheckCase{"brackets, braces, ** and /", "[A+B}**C/{D]=E", "(A+B)^C:(D)=E", kCheckOk},
        CheckCase{">= and => are greater or equal, <= and =< less or equal", "A>=B=>C<=D=<E", "A\tB\tC\nD\nE",
                  kTooManyRelationSymbols},
        CheckCase{"<>, ><, != and =! mean different", "A<>B><C!=D=!E", "A\vB\vC\vD\vE", kTooManyRelationSymbols},
        CheckCase{"a typed tab and vertical tab stay, as relation symbols", "A\tB\vC", "", kTooManyRelationSymbols},
        CheckCase{"nested groups that close apart", "((A+B)*C)=D", "", kCheckOk},
        CheckCase{"an accented letter", "caffè=1", "CAFFè=1", kForbiddenChar},
        CheckCase{"a carriage return inside a line", "A=B\rC", "", kForbiddenChar},
        CheckCase{"a forbidden character is found before too many letters", "ABCDEFGHIJK.=1", "", kForbiddenChar},
        CheckCase{"a closing parenthesis with none open", "A+B)=C", "", kUnbalanced},
        CheckCase{"a parenthesis left open after the relation", "A=(B+C", "", kUnbalanced},
        CheckCase{"no relation symbol", "A+B", "", kNoRelationSymbol},
        CheckCase{"an empty group", "A+()=B", "", kSyntaxError},
        CheckCase{"a word before a group", "2(A+B)=C", "", kSyntaxError},
        CheckCase{"two closing parentheses in a row", "((A+B))=C", "", kSyntaxError},
        CheckCase{"a word after a group", "(A)B=C", "", kSyntaxError},
        CheckCase{"a leading minus", "-A=B", "", kSyntaxError},
        CheckCase{"a trailing operator", "A=B-", "", kSyntaxError},
        CheckCase{"two operators in a row", "A*-B=C", "", kSyntaxError},
        CheckCase{"an operator right after an opening parenthesis", "(*A)=B", "", kSyntaxError},
        CheckCase{"an open group reaching the relation symbol", "(A+B=C", "", kRelationInParentheses},
        CheckCase{"a group around the relation symbol", "(A+B=C)+D", "", kRelationInParentheses},
        CheckCase{"eleven letters", "ABCDEFGHIJK=1", "", kTooManyVariables},
        CheckCase{"ten letters are enough", "ABCDEFGHIJ=1", "", kCheckOk},
        CheckCase{"digits are no variables", "1+1=2", "", kNoVariable}));

}  // namespace
}  // namespace zifrel::libero
