#include "base/text_decoding.h"

#include <gtest/gtest.h>

namespace dactyra {
namespace {

TEST(DecodeText, ByteOrderMarkChoosesTheEncoding) {
  const std::u16string expected = u"k = \"\u00E9\U0001F44D\"";
  EXPECT_EQ(DecodeText("k = \"\xC3\xA9\xF0\x9F\x91\x8D\""), expected);
  EXPECT_EQ(DecodeText("\xEF\xBB\xBFk = \"\xC3\xA9\xF0\x9F\x91\x8D\""), expected);
  const std::string le("\xFF\xFEk\0 \0=\0 \0\"\0\xE9\0\x3D\xD8\x4D\xDC\"\0", 20);
  EXPECT_EQ(DecodeText(le), expected);
  const std::string be("\xFE\xFF\0k\0 \0=\0 \0\"\0\xE9\xD8\x3D\xDC\x4D\0\"", 20);
  EXPECT_EQ(DecodeText(be), expected);
  EXPECT_EQ(DecodeText(""), u"");
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF"), u"");
  EXPECT_EQ(DecodeText("\xFF\xFE"), u"");
  EXPECT_EQ(DecodeText("a"), u"a");
}

TEST(DecodeText, InvalidBytesGiveNoText) {
  EXPECT_FALSE(DecodeText("a = \"\xC3\""));  // truncated UTF-8 sequence
  EXPECT_FALSE(
      DecodeText("\xEF\xBB\xBF"
                 "a = \x80"));               // stray continuation after the mark
  EXPECT_FALSE(DecodeText("\xED\xA0\x80"));  // surrogate coded in UTF-8
  EXPECT_FALSE(DecodeText(std::string("\xFF\xFE\x3D\xD8", 4)));          // lone high, LE
  EXPECT_FALSE(DecodeText(std::string("\xFF\xFE\x4D\xDC\x61\x00", 6)));  // lone low, LE
  EXPECT_FALSE(DecodeText(std::string("\xFE\xFF\xD8\x3D\x00\x61", 6)));  // high + 'a', BE
  EXPECT_FALSE(DecodeText(std::string("\xFF\xFE\x61\x00\x62", 5)));      // odd length
}

TEST(NormalizeLineBreaks, EveryBreakBecomesCrLfAndTheLastLineEndsWithOne) {
  EXPECT_EQ(NormalizeLineBreaks(u"a\nb\rc\r\nd"), u"a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"a\r\n"), u"a\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"a\r"), u"a\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"\n\n"), u"\r\n\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"\r\r\n\n"), u"\r\n\r\n\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u""), u"");
}

}  // namespace
}  // namespace dactyra
