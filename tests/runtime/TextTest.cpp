#include "runtime/Text.h"

#include <gtest/gtest.h>

namespace {

TEST(TextTest, Utf8AndUtf16RoundTrip) {
  std::string text = "a\xC3\xA8\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e grave, euro, emoji
  std::u16string wide = u"a\u00E8\u20AC\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(text), wide);
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(Utf8ToUtf16(std::string("x\0y", 3)), std::u16string(u"x\0y", 3));
}

TEST(TextTest, LoneSurrogatesBecomeReplacement) {
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(u"x\xDC00"), "x\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00\xD800"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextTest, MalformedUtf8BecomesReplacement) {
  struct Case { std::string in; std::u16string out; };
  for (const Case& c : {
           Case{"\x80", u"\uFFFD"},                     // stray continuation
           Case{"\xC3", u"\uFFFD"},                     // truncated at the end
           Case{"\xC3x", u"\uFFFDx"},                   // truncated before ASCII
           Case{"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong slash
           Case{"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
           Case{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
           Case{"\xE2\x82x", u"\uFFFDx"},               // valid prefix counts once
           Case{"\xFF", u"\uFFFD"}}) {
    EXPECT_EQ(Utf8ToUtf16(c.in), c.out);
  }
}

TEST(TextTest, Utf8PrefixLengthCountsCharacters) {
  std::string text = "a\xC3\xA8\xE2\x82\xAC" "b";
  EXPECT_EQ(Utf8PrefixLength(text, 0), 0u);
  EXPECT_EQ(Utf8PrefixLength(text, 2), 3u);
  EXPECT_EQ(Utf8PrefixLength(text, 3), 6u);
  EXPECT_EQ(Utf8PrefixLength(text, 99), text.size());
}

TEST(TextTest, AsciiCaseLeavesOtherBytes) {
  EXPECT_EQ(ToLowerAscii("AbC\xC3\x88"), "abc\xC3\x88");
  EXPECT_EQ(ToUpperAscii("aBc\xC3\xA8"), "ABC\xC3\xA8");
  EXPECT_TRUE(EqualsIgnoreCaseAscii("HexLog", "HEXLOG"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("HexLog", "HexLo"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("\xC3\xA8", "\xC3\x88"));
}

TEST(TextTest, EscapeXmlEscapesAmpersandFirst) {
  EXPECT_EQ(EscapeXml("a&b<c>\"d'&amp;"), "a&amp;b&lt;c&gt;&quot;d&apos;&amp;amp;");
}

TEST(TextTest, EscapeNulKeepsMessagesWhole) {
  EXPECT_EQ(EscapeNul(std::string("a\0b\0", 4)), "a\\0b\\0");
}

TEST(TextTest, SplitLinesAtEveryBreakKind) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitLines("a\n\r"), (Lines{"a", ""}));
}

}  // namespace
