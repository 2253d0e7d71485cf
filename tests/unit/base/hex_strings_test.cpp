#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/hex.h"
#include "base/strings.h"

namespace dactyra {
namespace {

TEST(Hex, TwoAndEightUpperCaseDigits) {
  EXPECT_EQ(Hex2(0xF5), u"F5");
  EXPECT_EQ(Hex2(0x0A), u"0A");
  EXPECT_EQ(Hex2(0), u"00");
  EXPECT_EQ(Hex8(0x00098001), u"00098001");
  EXPECT_EQ(Hex8(0x8009801B), u"8009801B");
  EXPECT_EQ(Hex8(0xFFFFFFFF), u"FFFFFFFF");
  EXPECT_EQ(FingerIdText(0xF5), u"0xF5");
  EXPECT_EQ(FingerIdText(0x01), u"0x01");
}

// Only the form FingerIdText writes is read back.
TEST(Hex, FingerIdFromTextReadsWhatFingerIdTextWrites) {
  EXPECT_EQ(FingerIdFromText(u"0xF5"), 0xF5);
  EXPECT_EQ(FingerIdFromText(u"0x0A"), 0x0A);
  for (const std::u16string_view other : {u"0xf5", u"0XF5", u"F5", u"0x5", u"0xF5 ", u"0xG5"}) {
    EXPECT_EQ(FingerIdFromText(other), std::nullopt);
  }
}

TEST(Strings, IntToTextCoversTheWholeRange) {
  EXPECT_EQ(IntToText(0), u"0");
  EXPECT_EQ(IntToText(-42), u"-42");
  EXPECT_EQ(IntToText(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(IntToText(INT64_MAX), u"9223372036854775807");
}

TEST(Strings, TextToIntIsStrict) {
  EXPECT_EQ(TextToInt(u"12"), 12);
  EXPECT_EQ(TextToInt(u"-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(TextToInt(u"+9223372036854775807"), INT64_MAX);
  EXPECT_FALSE(TextToInt(u"9223372036854775808"));
  EXPECT_FALSE(TextToInt(u""));
  EXPECT_FALSE(TextToInt(u"-"));
  EXPECT_FALSE(TextToInt(u" 1"));
  EXPECT_FALSE(TextToInt(u"1a"));
  EXPECT_FALSE(TextToInt(u"\uFF11"));  // a full-width digit is not a digit here
}

}  // namespace
}  // namespace dactyra
