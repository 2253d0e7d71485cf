#include "base/format.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/error.h"

namespace dactyra {
namespace {

TEST(Format, FillsEachDirectiveInOrder) {
  EXPECT_EQ(Format(u"%d fingerprint collection devices were found.", std::int64_t{2}),
            u"2 fingerprint collection devices were found.");
  EXPECT_EQ(Format(u"Delete this finger: %s (UnitId=%d, 0x%s)", u"left", 3, u"F5"),
            u"Delete this finger: left (UnitId=3, 0xF5)");
  EXPECT_EQ(Format(u"[%s] %s (0x%s)", u"E_POINTER", u"Null pointer error", u"80004003"),
            u"[E_POINTER] Null pointer error (0x80004003)");
  EXPECT_EQ(Format(u"%s  (UnitID\uFF1A%d)", u"USB", 7), u"USB  (UnitID\uFF1A7)");
}

TEST(Format, PercentPercentAndPlainText) {
  EXPECT_EQ(Format(u"100%% done"), u"100% done");
  EXPECT_EQ(Format(u"no directives"), u"no directives");
  EXPECT_EQ(Format(u""), u"");
  EXPECT_EQ(Format(u"%d%%", 5), u"5%");
}

TEST(Format, WidthPrecisionAndAlignment) {
  EXPECT_EQ(Format(u"[%5d]", 42), u"[   42]");
  EXPECT_EQ(Format(u"[%-5d]", 42), u"[42   ]");
  EXPECT_EQ(Format(u"%.2d:%.2d", 5, 30), u"05:30");
  EXPECT_EQ(Format(u"%.3d", -7), u"-007");
  EXPECT_EQ(Format(u"[%6s]", u"ab"), u"[    ab]");
  EXPECT_EQ(Format(u"[%-6s]", u"ab"), u"[ab    ]");
  EXPECT_EQ(Format(u"%.2s", u"abcdef"), u"ab");
  EXPECT_EQ(Format(u"\\u%.4x", 0x1B), u"\\u001B");
  EXPECT_EQ(Format(u"%X", 255), u"FF");
  EXPECT_EQ(Format(u"%8.8x", 0x98001), u"00098001");
}

TEST(Format, NegativeHexUsesTheWidthOfItsType) {
  EXPECT_EQ(Format(u"%x", std::int32_t{-1}), u"FFFFFFFF");
  EXPECT_EQ(Format(u"%x", std::int64_t{-1}), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format(u"%x", std::int8_t{-2}), u"FE");
}

TEST(Format, ExtremeIntegers) {
  EXPECT_EQ(Format(u"%d", INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(Format(u"%d", INT64_MAX), u"9223372036854775807");
  EXPECT_EQ(Format(u"%d", std::uint32_t{4294967295u}), u"4294967295");
}

// Every misfit raises an error whose message names the offending format.
TEST(Format, MisfitsRaiseAnErrorNamingTheFormat) {
  const auto expect_error = [](auto&& call, std::u16string_view format) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
      EXPECT_NE(e.Message().find(format), std::u16string::npos);
    }
  };
  expect_error([] { Format(u"%d items", u"three"); }, u"%d items");
  expect_error([] { Format(u"%s items", 3); }, u"%s items");
  expect_error([] { Format(u"%x", u"ff"); }, u"%x");
  expect_error([] { Format(u"%d and %d", 1); }, u"%d and %d");
  expect_error([] { Format(u"%s"); }, u"%s");
  expect_error([] { Format(u"%n", 1); }, u"%n");
  expect_error([] { Format(u"%f", 1); }, u"%f");
  expect_error([] { Format(u"50%", 1); }, u"50%");
  expect_error([] { Format(u"%-", 1); }, u"%-");
  expect_error([] { Format(u"%5.", 1); }, u"%5.");
}

TEST(Format, SurplusArgumentsAreIgnored) {
  EXPECT_EQ(Format(u"only %d", 1, 2, u"x"), u"only 1");
}

TEST(Format, HugeWidthIsBounded) {
  const std::u16string out = Format(u"%999999999999d", 1);
  EXPECT_LE(out.size(), 1024u);
  EXPECT_EQ(out.back(), u'1');
}

TEST(Format, ErrorTextIsReadableAsUtf8) {
  try {
    Format(u"\u4E2D%d", u"x");
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("\xE4\xB8\xAD%d"), std::string::npos);
  }
}

}  // namespace
}  // namespace dactyra
