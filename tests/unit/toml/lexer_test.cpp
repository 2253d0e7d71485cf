#include "toml/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

struct Lexed {
  TTokenType type;
  std::u16string value;
  std::int32_t line;
  std::int32_t column;
};

std::vector<Lexed> Lex(std::u16string_view text, bool comments = false) {
  TTOMLLexer lexer(text, comments);
  std::vector<Lexed> tokens;
  for (;;) {
    const TToken token = lexer.NextToken();
    if (token.TokenType == ttEOF) {
      return tokens;
    }
    tokens.push_back({token.TokenType, std::u16string(token.Value), token.Line, token.Column});
  }
}

// The one token of a text.
Lexed One(std::u16string_view text) {
  const std::vector<Lexed> tokens = Lex(text);
  EXPECT_EQ(tokens.size(), 1u) << "tokens in the text";
  return tokens.empty() ? Lexed{ttEOF, u"", 0, 0} : tokens[0];
}

std::u16string LexError(std::u16string_view text, bool comments = false) {
  try {
    Lex(text, comments);
  } catch (const ETOMLParserException& e) {
    return e.Message();
  }
  return u"(no error)";
}

TEST(Lexer, PunctuationLinesAndColumns) {
  const std::vector<Lexed> tokens = Lex(u"a = [1, {b.c}]\r\n\t\uFEFFx");
  ASSERT_EQ(tokens.size(), 13u);
  const TTokenType types[] = {ttIdentifier, ttEqual,      ttLBracket,  ttInteger,    ttComma,
                              ttLBrace,     ttIdentifier, ttDot,       ttIdentifier, ttRBrace,
                              ttRBracket,   ttNewLine,    ttIdentifier};
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(tokens[i].type, types[i]) << i;
  }
  EXPECT_EQ(tokens[11].value, u"\n");
  EXPECT_EQ(tokens[12].value, u"x");
  EXPECT_EQ(tokens[12].line, 2);
  EXPECT_EQ(tokens[12].column, 3);  // the tab and the byte-order mark count one column each
  EXPECT_EQ(tokens[3].column, 6);
  EXPECT_EQ(TokenTypeName(ttMultilineString), u"ttMultilineString");
  EXPECT_EQ(LexError(u"a\rb"), u"Bare CR not allowed");
  EXPECT_EQ(LexError(u"a = @"), u"Unexpected character: @ at line 1, column 5");
  EXPECT_EQ(LexError(u"\n \U0001F600"), u"Unexpected character: \U0001F600 at line 2, column 2");
}

TEST(Lexer, EndOfInputRepeats) {
  TTOMLLexer lexer(u"", false);
  EXPECT_EQ(lexer.NextToken().TokenType, ttEOF);
  EXPECT_EQ(lexer.NextToken().TokenType, ttEOF);
}

TEST(Lexer, Comments) {
  // Without preserving, only the line break after a comment arrives.
  const std::vector<Lexed> skipped = Lex(u"# one\t two\nx");
  ASSERT_EQ(skipped.size(), 2u);
  EXPECT_EQ(skipped[0].type, ttNewLine);

  const std::vector<Lexed> kept = Lex(u"x # note\r\n", true);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].type, ttComment);
  EXPECT_EQ(kept[1].value, u"# note");
  EXPECT_EQ(kept[1].column, 9);  // where the comment ends

  EXPECT_EQ(LexError(u"# a\x7F"), u"Control character U+007F is not allowed in comments");
  EXPECT_EQ(LexError(u"# a\x01", true), u"Control character U+0001 is not allowed in comments");
}

TEST(Lexer, BasicStringEscapes) {
  EXPECT_EQ(One(u"\"a\\x41\\e\\'\\\"\\\\\\b\\f\\n\\r\\t\"").value, u"aA\x1B'\"\\\b\f\n\r\t");
  EXPECT_EQ(One(u"\"\\u00E9\\U0001F600\"").value, u"\u00E9\U0001F600");
  EXPECT_EQ(One(u"\"\\U0001F600\"").value.size(), 2u);
  EXPECT_EQ(One(u"'a\\x41'").value, u"a\\x41");  // literal strings keep backslashes
  const Lexed plain = One(u"  \"plain\"");
  EXPECT_EQ(plain.type, ttString);
  EXPECT_EQ(plain.column, 3);

  EXPECT_EQ(LexError(u"\"\\uD800\""), u"Invalid unicode code point");
  EXPECT_EQ(LexError(u"\"\\UDFFF0000\""), u"Invalid unicode code point");
  EXPECT_EQ(LexError(u"\"\\U00110000\""), u"Invalid unicode code point");
  EXPECT_EQ(LexError(u"\"\\u12G4\""), u"Invalid unicode escape");
  EXPECT_EQ(LexError(u"\"\\u12"), u"Invalid unicode escape");
  EXPECT_EQ(LexError(u"\"\\x4\""), u"Invalid hex escape");
  EXPECT_EQ(LexError(u"\"\\q\""), u"Invalid escape sequence");
  EXPECT_EQ(LexError(u"\"abc"), u"Unterminated string");
  EXPECT_EQ(LexError(u"'abc\n'"), u"Newlines are not allowed in single-line strings");
  EXPECT_EQ(LexError(u"\"a\x01\""), u"Control character U+0001 is not allowed");
  EXPECT_EQ(LexError(u"'a\x1F'"), u"Control character U+001F is not allowed");
  EXPECT_EQ(LexError(u"\"a\x7F\""), u"Control character U+007F is not allowed");
  EXPECT_EQ(One(u"\"tab\there\"").value, u"tab\there");
}

TEST(Lexer, MultilineStrings) {
  const Lexed first = One(u"\"\"\"\r\nline1\r\nline2\"\"\"");
  EXPECT_EQ(first.type, ttMultilineString);
  EXPECT_EQ(first.value, u"line1\nline2");
  EXPECT_EQ(first.line, 3);  // the line where the string ends
  EXPECT_EQ(One(u"'''\nraw\\n'''").value, u"raw\\n");

  // Quote runs: up to two quotes before the closing three are content.
  EXPECT_EQ(One(u"\"\"\"a\"\"\"\"\"").value, u"a\"\"");
  EXPECT_EQ(One(u"\"\"\"a\"\"\"\"").value, u"a\"");
  EXPECT_EQ(One(u"\"\"\"a\"\"b\"\"\"").value, u"a\"\"b");
  // Six quotes: the first three close the string, the other three open the next one.
  const std::vector<Lexed> six = Lex(u"\"\"\"a\"\"\"\"\"\"x\"\"\"");
  ASSERT_EQ(six.size(), 2u);
  EXPECT_EQ(six[0].value, u"a");
  EXPECT_EQ(six[1].type, ttMultilineString);
  EXPECT_EQ(six[1].value, u"x");

  // A line-ending backslash swallows the break and the blanks and breaks after it.
  EXPECT_EQ(One(u"\"\"\"one \\  \r\n\n   two\"\"\"").value, u"one two");
  EXPECT_EQ(One(u"\"\"\"a\\tb\\\n c\"\"\"").value, u"a\tbc");
  EXPECT_EQ(LexError(u"\"\"\"a\rb\"\"\""), u"Bare CR is not allowed in multi-line strings");
  EXPECT_EQ(LexError(u"'''abc''"), u"Unterminated string");
}

TEST(Lexer, Numbers) {
  EXPECT_EQ(One(u"1_000").type, ttInteger);
  EXPECT_EQ(One(u"1_000").value, u"1_000");
  EXPECT_EQ(One(u"-17").value, u"-17");
  EXPECT_EQ(One(u"+1.5e-3").type, ttFloat);
  EXPECT_EQ(One(u"6E+2").type, ttFloat);
  EXPECT_EQ(One(u"0xDEAD_beef").value, u"0xDEAD_beef");
  EXPECT_EQ(One(u"0o17").type, ttInteger);
  EXPECT_EQ(One(u"0b1_0").type, ttInteger);
  EXPECT_EQ(One(u"-inf").type, ttFloat);
  EXPECT_EQ(One(u"+nan").value, u"+nan");
  EXPECT_EQ(One(u"inf").type, ttIdentifier);

  const std::vector<Lexed> dot = Lex(u"1. ");
  ASSERT_EQ(dot.size(), 2u);
  EXPECT_EQ(dot[0].type, ttInteger);
  EXPECT_EQ(dot[1].type, ttDot);
  EXPECT_EQ(One(u"-.5").type, ttFloat);

  EXPECT_EQ(LexError(u"1__0"), u"Invalid underscore placement");
  EXPECT_EQ(LexError(u"10_"), u"Invalid underscore placement");
  EXPECT_EQ(LexError(u"-_1"), u"Invalid underscore placement");
  EXPECT_EQ(LexError(u"0x_1"), u"Invalid underscore placement");
  EXPECT_EQ(LexError(u"1e_5"), u"Invalid underscore placement");
  EXPECT_EQ(LexError(u"-0x1"), u"Signs not allowed for hex/octal/binary integers");
  EXPECT_EQ(LexError(u"+0b1"), u"Signs not allowed for hex/octal/binary integers");
  EXPECT_EQ(LexError(u"-info"), u"Invalid identifier: -info");
  EXPECT_EQ(LexError(u"nanx"), u"(no error)");  // a bare word
}

TEST(Lexer, BareWords) {
  for (const std::u16string_view word : {u"123abc", u"1-2", u"2024-13", u"0X1", u"-key", u"-"}) {
    const Lexed token = One(word);
    EXPECT_EQ(token.type, ttIdentifier) << std::string(word.begin(), word.end());
    EXPECT_EQ(token.value, word);
  }
  // A plus sign alone is an empty bare word that does not move on: the parser rejects it.
  TTOMLLexer lexer(u"+ =", false);
  const TToken plus = lexer.NextToken();
  EXPECT_EQ(plus.TokenType, ttIdentifier);
  EXPECT_EQ(plus.Value, u"");
}

TEST(Lexer, DateTimeShapes) {
  for (const std::u16string_view text :
       {u"1979-05-27", u"1979-05-27T07:32:00Z", u"1979-05-27t07:32:00.999999-07:00",
        u"1979-05-27 07:32:00", u"07:32", u"07:32:00.5", u"1979-05-27T07:32+05:30"}) {
    const Lexed token = One(text);
    EXPECT_EQ(token.type, ttDateTime) << std::string(text.begin(), text.end());
    EXPECT_EQ(token.value, text);
  }
  const std::vector<Lexed> dateWord = Lex(u"1979-05-27 x");
  ASSERT_EQ(dateWord.size(), 2u);
  EXPECT_EQ(dateWord[0].value, u"1979-05-27");
  EXPECT_EQ(dateWord[1].type, ttIdentifier);

  // What was consumed after the T stays in the token, for the parser to reject.
  const std::vector<Lexed> cut = Lex(u"1979-05-27T0x");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].type, ttDateTime);
  EXPECT_EQ(cut[0].value, u"1979-05-27T0");

  // An incomplete time falls back to a number.
  EXPECT_EQ(LexError(u"12:3"), u"Unexpected character: : at line 1, column 3");
}

}  // namespace
}  // namespace dactyra::toml
