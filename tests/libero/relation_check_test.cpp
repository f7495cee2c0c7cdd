#include "libero/relation_check.h"

#include <gtest/gtest.h>

#include <string>

#include "core/utf8.h"

namespace zifrel::libero {
namespace {

struct CheckCase {
  const char* behaviour;
  std::string typed;       // UTF-8, as typed
  std::string normalised;  // UTF-8, after the check
  CheckCode code;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.behaviour; }

class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, NormalisesAndFindsTheFirstFault) {
  const CheckCase& c = GetParam();
  std::u32string text = DecodeUtf8(c.typed);
  EXPECT_EQ(CheckRelation(text), c.code);
  EXPECT_EQ(EncodeUtf8(text), c.normalised);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckTest,
    ::testing::Values(
        CheckCase{"letters fold to capitals", "gatto+gatto=cane+cane+cane", "GATTO+GATTO=CANE+CANE+CANE", kCheckOk},
        CheckCase{"blanks go, == becomes =", "a == b", "A=B", kCheckOk},
        CheckCase{"=> and >= are one symbol", "A=>B", "A\tB", kCheckOk},
        CheckCase{">= is greater or equal", "A>=B", "A\tB", kCheckOk},
        CheckCase{"<= and =< are less or equal", "A=<B", "A\nB", kCheckOk},
        CheckCase{"!= means different", "A!=B", "A\vB", kCheckOk},
        CheckCase{"=! means different", "A=!B", "A\vB", kCheckOk},
        CheckCase{"<> means different", "A<>B", "A\vB", kCheckOk},
        CheckCase{">< means different", "A><B", "A\vB", kCheckOk},
        CheckCase{"brackets and braces of either kind", "[A+B}*C=D", "(A+B)*C=D", kCheckOk},
        CheckCase{"** is a power", "A**B=C", "A^B=C", kCheckOk},
        CheckCase{"/ is a division", "A/B=C", "A:B=C", kCheckOk},
        CheckCase{"a written = is not matched again", "A===B", "A==B", kTooManyRelationSymbols},
        CheckCase{"nested groups that close apart", "((A+B)*C)=D", "((A+B)*C)=D", kCheckOk},
        CheckCase{"a typed tab stays and reads as >=", "A\tB", "A\tB", kCheckOk},
        CheckCase{"a vertical tab stays and reads as <>", "A\vB", "A\vB", kCheckOk},
        CheckCase{"an exclamation mark alone", "A!B=C", "A!B=C", kForbiddenChar},
        CheckCase{"a full stop", "A.B=C", "A.B=C", kForbiddenChar},
        CheckCase{"an accented letter", "caffè=1", "CAFFè=1", kForbiddenChar},
        CheckCase{"a byte that is not UTF-8 comes back unchanged", "A\xFF=B", "A\xFF=B", kForbiddenChar},
        CheckCase{"a carriage return inside a line", "A=B\rC", "A=B\rC", kForbiddenChar},
        CheckCase{"a forbidden character is found before too many letters", "ABCDEFGHIJK.=1", "ABCDEFGHIJK.=1",
                  kForbiddenChar},
        CheckCase{"a closing parenthesis with none open", "A+B)=C", "A+B)=C", kUnbalanced},
        CheckCase{"a closing parenthesis first", ")=A", ")=A", kUnbalanced},
        CheckCase{"a parenthesis left open after the relation", "A=(B+C", "A=(B+C", kUnbalanced},
        CheckCase{"no relation symbol", "A+B", "A+B", kNoRelationSymbol},
        CheckCase{"two relation symbols", "A=B=C", "A=B=C", kTooManyRelationSymbols},
        CheckCase{"an empty group", "A+()=B", "A+()=B", kSyntaxError},
        CheckCase{"a digit before a group", "2(A+B)=C", "2(A+B)=C", kSyntaxError},
        CheckCase{"a letter before a group", "A(B)=C", "A(B)=C", kSyntaxError},
        CheckCase{"two closing parentheses in a row", "((A+B))=C", "((A+B))=C", kSyntaxError},
        CheckCase{"a word after a group", "(A)B=C", "(A)B=C", kSyntaxError},
        CheckCase{"a leading minus", "-A=B", "-A=B", kSyntaxError},
        CheckCase{"a trailing operator", "A=B-", "A=B-", kSyntaxError},
        CheckCase{"two operators in a row", "A*-B=C", "A*-B=C", kSyntaxError},
        CheckCase{"an operator right after an opening parenthesis", "(*A)=B", "(*A)=B", kSyntaxError},
        CheckCase{"a relation symbol in a group", "(A=B)", "(A=B)", kRelationInParentheses},
        CheckCase{"an open group reaching the relation symbol", "(A+B=C", "(A+B=C", kRelationInParentheses},
        CheckCase{"a group around the relation symbol", "(A+B=C)+D", "(A+B=C)+D", kRelationInParentheses},
        CheckCase{"eleven letters", "ABCDEFGHIJK=1", "ABCDEFGHIJK=1", kTooManyVariables},
        CheckCase{"ten letters are enough", "ABCDEFGHIJ=1", "ABCDEFGHIJ=1", kCheckOk},
        CheckCase{"digits are no variables", "1+1=2", "1+1=2", kNoVariable},
        CheckCase{"three blanks", "   ", "", kNoVariable}));

TEST(ReplaceAll, GoesOnAfterTheWrittenCharacter) {
  std::u32string text = U"a**b***c";
  ReplaceAll(text, U"**", U'^');
  EXPECT_EQ(text, U"a^b^*c");
}

TEST(CheckMessage, NamesEveryCode) {
  EXPECT_EQ(CheckMessage(kCheckOk), "Ok");
  EXPECT_EQ(CheckMessage(kSyntaxError), "Errore di sintassi in");
  EXPECT_EQ(CheckMessage(kTooManyVariables), "Troppe variabili (Max 10!)");
  EXPECT_EQ(CheckMessage(kNoVariable), "Nessuna variabile in");
}

}  // namespace
}  // namespace zifrel::libero
