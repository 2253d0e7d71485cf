#include "base/text_decoding.h"

#include <gtest/gtest.h>

#include <optional>

namespace dactyra {
namespace {

// The text of the bytes handed to the decoder in pieces of one size (0: all at once).
std::optional<std::u16string> Decoded(std::string_view bytes, std::size_t piece) {
  TextDecoder decoder;
  std::u16string text;
  do {
    const std::string_view part = piece == 0 ? bytes : bytes.substr(0, piece);
    if (!decoder.Decode(part, text)) {
      return std::nullopt;
    }
    bytes.remove_prefix(part.size());
  } while (!bytes.empty());
  if (!decoder.Finish(text)) {
    return std::nullopt;
  }
  return text;
}

TEST(TextDecoder, SameTextInAnyPieces) {
  const std::u16string key = u"k = \"\u00E9\U0001F44D\"\n";
  const std::string long_ascii = "0123456789abcdefghij\r\n0123456789abcdefg\rxyz0123456789\n";
  const struct {
    std::string bytes;
    std::optional<std::u16string> text;
  } cases[] = {
      {"k = \"\xC3\xA9\xF0\x9F\x91\x8D\"", key},
      {"\xEF\xBB\xBFk = \"\xC3\xA9\xF0\x9F\x91\x8D\"\r\n", key},
      {std::string("\xFF\xFEk\0 \0=\0 \0\"\0\xE9\0\x3D\xD8\x4D\xDC\"\0", 20), key},
      {std::string("\xFE\xFF\0k\0 \0=\0 \0\"\0\xE9\xD8\x3D\xDC\x4D\0\"\0\r", 22), key},
      {"", u""},
      {"\xEF\xBB\xBF", u""},
      {"\xFF\xFE", u""},
      {"a", u"a\n"},
      // Every line break is one LF.
      {"a\r\nb\rc\nd", u"a\nb\nc\nd\n"},
      {"\r\r\n\n", u"\n\n\n"},
      {long_ascii, u"0123456789abcdefghij\n0123456789abcdefg\nxyz0123456789\n"},
      // Nothing that is not valid is guessed.
      {"a = \"\xC3\"", std::nullopt},  // truncated UTF-8 sequence
      {"a = \"\xC3", std::nullopt},    // ... at the end
      {"\xEF\xBB\xBF"
       "a = \x80",
       std::nullopt},                                              // stray continuation
      {"\xED\xA0\x80", std::nullopt},                              // surrogate coded in UTF-8
      {"\xC0\xAF", std::nullopt},                                  // overlong
      {"\xF4\x90\x80\x80", std::nullopt},                          // beyond U+10FFFF
      {std::string("\xFF\xFE\x3D\xD8", 4), std::nullopt},          // lone high, LE
      {std::string("\xFF\xFE\x4D\xDC\x61\x00", 6), std::nullopt},  // lone low, LE
      {std::string("\xFE\xFF\xD8\x3D\x00\x61", 6), std::nullopt},  // high + 'a', BE
      {std::string("\xFF\xFE\x61\x00\x62", 5), std::nullopt},      // odd length
  };
  for (const auto& c : cases) {
    for (const std::size_t piece : {0, 1, 2, 3, 5}) {
      EXPECT_EQ(Decoded(c.bytes, piece), c.text)
          << "case " << &c - cases << ", pieces of " << piece;
    }
  }
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
