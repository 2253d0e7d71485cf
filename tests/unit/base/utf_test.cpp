#include "base/utf.h"

#include <gtest/gtest.h>

namespace dactyra {
namespace {

TEST(Utf, RoundTripsEveryPlane) {
  const std::string utf8 = "A\xC3\xA9\xE4\xB8\xAD\xEF\xBC\x9A\xF0\x9F\x91\x8D";  // A é 中 ： 👍
  const auto utf16 = Utf8ToUtf16(utf8);
  ASSERT_TRUE(utf16);
  EXPECT_EQ(*utf16, u"A\u00E9\u4E2D\uFF1A\U0001F44D");
  EXPECT_EQ(Utf16ToUtf8(*utf16), utf8);
}

TEST(Utf, MalformedUtf8IsReportedNotGuessed) {
  for (const std::string& bad : {
           std::string("\x80"),              // lone continuation byte
           std::string("\xC3"),              // truncated sequence
           std::string("\xE4\xB8"),          // truncated three-byte sequence
           std::string("\xC0\xAF"),          // overlong '/'
           std::string("\xE0\x80\xAF"),      // overlong, three bytes
           std::string("\xED\xA0\x80"),      // a surrogate coded in UTF-8
           std::string("\xF4\x90\x80\x80"),  // beyond U+10FFFF
           std::string("\xFF"),              // never valid
           std::string("ok\xC3(", 4),        // bad continuation
       }) {
    EXPECT_FALSE(Utf8ToUtf16(bad)) << "accepted " << ::testing::PrintToString(bad);
  }
}

TEST(Utf, UnpairedSurrogatesAreReported) {
  EXPECT_FALSE(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})));
  EXPECT_FALSE(Utf16ToUtf8(std::u16string(1, char16_t{0xDC00})));
  EXPECT_FALSE(Utf16ToUtf8(u"a" + std::u16string(1, char16_t{0xD83D}) + u"b"));
  EXPECT_EQ(Utf16ToUtf8Lossy(u"a" + std::u16string(1, char16_t{0xD83D}) + u"b"),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(Utf, EmbeddedNulsSurvive) {
  const std::string with_nul("a\0b", 3);
  const auto utf16 = Utf8ToUtf16(with_nul);
  ASSERT_TRUE(utf16);
  EXPECT_EQ(utf16->size(), 3u);
  EXPECT_EQ(Utf16ToUtf8(*utf16), with_nul);
}

}  // namespace
}  // namespace dactyra
