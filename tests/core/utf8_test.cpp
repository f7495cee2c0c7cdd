#include "core/utf8.h"

#include <gtest/gtest.h>

namespace zifrel {
namespace {

struct Utf8Case {
  const char* behaviour;
  std::string bytes;
  std::u32string characters;
};

TEST(Utf8, DecodesEveryByteSequenceIntoCharacters) {
  const Utf8Case cases[] = {
      {"ASCII", "A+b", U"A+b"},
      {"Latin-1 signs are one character each", "\xC3\x97\xC3\xB7", U"\u00D7\u00F7"},
      {"three and four bytes", "\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u20AC\U0001F600"},
      {"a stray continuation byte", "A\x80", U"A\xDC80"},
      {"a sequence cut short by the end", "\xC3", U"\xDCC3"},
      {"a sequence cut short by a plain byte", "\xE2\x82Z", U"\xDCE2\xDC82Z"},
      {"an overlong form", "\xC0\xAF", U"\xDCC0\xDCAF"},
      {"an encoded surrogate", "\xED\xA0\x80", U"\xDCED\xDCA0\xDC80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\xDCF4\xDC90\xDC80\xDC80"},
      {"a byte never valid", "\xFF", U"\xDCFF"},
  };
  for (const Utf8Case& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.bytes), c.characters) << c.behaviour;
    EXPECT_EQ(CodePointCount(c.bytes), c.characters.size()) << c.behaviour;
    EXPECT_EQ(EncodeUtf8(c.characters), c.bytes) << c.behaviour << ": written back unchanged";
  }
}

}  // namespace
}  // namespace zifrel
