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

std::vector<Lexed> LexAll(TTOMLLexer& lexer) {
  std::vector<Lexed> tokens;
  for (;;) {
    const TToken token = lexer.NextToken();
    if (token.TokenType == ttEOF) {
      return tokens;
    }
    tokens.push_back({token.TokenType, std::u16string(token.Value), token.Line, token.Column});
  }
}

std::vector<Lexed> Lex(std::u16string_view text, bool comments = false) {
  TTOMLLexer lexer(text, comments);
  return LexAll(lexer);
}

bool operator==(const Lexed& a, const Lexed& b) {
  return a.type == b.type && a.value == b.value && a.line == b.line && a.column == b.column;
}

// Hands a text over in pieces of one size.
class PieceFeed final : public TTOMLTextFeed {
 public:
  PieceFeed(std::u16string_view text, std::size_t piece) : rest_(text), piece_(piece) {}

  bool AppendTo(std::u16string& text) override {
    if (rest_.empty()) {
      return false;
    }
    const std::u16string_view part = rest_.substr(0, piece_);
    text.append(part);
    rest_.remove_prefix(part.size());
    return true;
  }

 private:
  std::u16string_view rest_;
  std::size_t piece_;
};

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

TEST(Lexer, TextInPiecesLexesAsAWhole) {
  // Long enough for the lexer to let go of text it has read, with tokens across every cut.
  std::u16string text;
  while (text.size() < 70000) {
    text +=
        u"key_1 = \"esc\\u00e9 \\t\" # note\r\n[[t.\"q\"]]\nm = \"\"\"\nline \\\n  more\"\"\"\n"
        u"l = '''raw\n'''\nd = 1979-05-27T07:32:00Z\nf = -1.5e3\nw = 2024-01-01abc\n"
        u"a = [1, 2.5, inf]\n";
  }
  for (const bool comments : {false, true}) {
    const std::vector<Lexed> whole = Lex(text, comments);
    for (const std::size_t piece : {1, 3, 4096}) {
      PieceFeed feed(text, piece);
      TTOMLLexer lexer(feed, comments);
      EXPECT_TRUE(LexAll(lexer) == whole) << "pieces of " << piece;
    }
  }
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

  // No key starts with a plus sign: what follows one must be a number.
  EXPECT_EQ(LexError(u"a = +_1"), u"Invalid underscore placement at line 1, column 5");
  EXPECT_EQ(LexError(u"+0b1"),
            u"Signs not allowed for hex/octal/binary integers at line 1, column 1");
  EXPECT_EQ(LexError(u"+info"), u"Invalid identifier: +info at line 1, column 1");
  EXPECT_EQ(LexError(u"+"), u"Invalid number at line 1, column 1");
}

TEST(Lexer, BareWords) {
  // A run of bare-key characters that is not wholly a number or a date-time is one bare word.
  for (const std::u16string_view word :
       {u"123abc", u"1-2", u"2024-13", u"0X1", u"-key", u"-", u"nanx", u"-name", u"-_a", u"1_a",
        u"-1-2", u"0b2", u"2024-01-01abc", u"1979-05-27T0x", u"1__0", u"10_", u"-0x1", u"-info"}) {
    const Lexed token = One(word);
    EXPECT_EQ(token.type, ttIdentifier) << std::string(word.begin(), word.end());
    EXPECT_EQ(token.value, word);
  }
}

TEST(Lexer, DateTimeShapes) {
  for (const std::u16string_view text :
       {u"1979-05-27", u"1979-05-27T07:32:00Z", u"1979-05-27t07:32:00.999999-07:00",
        u"1979-05-27 07:32:00", u"07:32", u"07:32:00.5", u"1979-05-27T07:32+05:30"}) {
    const Lexed token = One(text);
    EXPECT_EQ(token.type, ttDateTime) << std::string(text.begin(), text.end());
    EXPECT_EQ(token.value, text);
  }
  const std::vector<Lexed> date_word = Lex(u"1979-05-27 x");
  ASSERT_EQ(date_word.size(), 2u);
  EXPECT_EQ(date_word[0].value, u"1979-05-27");
  EXPECT_EQ(date_word[1].type, ttIdentifier);

  // What was consumed after the T stays in the token, for the parser to reject.
  const Lexed cut = One(u"1979-05-27T0 ");
  EXPECT_EQ(cut.type, ttDateTime);
  EXPECT_EQ(cut.value, u"1979-05-27T0");

  // An incomplete time falls back to a number.
  EXPECT_EQ(LexError(u"12:3"), u"Unexpected character: : at line 1, column 3");
}

}  // namespace
}  // namespace dactyra::toml
