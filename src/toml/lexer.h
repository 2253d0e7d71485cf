#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dactyra::toml {

enum TTokenType : std::uint8_t {
  ttEOF,
  ttString,
  ttMultilineString,
  ttInteger,
  ttFloat,
  ttBoolean,  // never produced: booleans arrive as ttIdentifier
  ttDateTime,
  ttEqual,
  ttDot,
  ttComma,
  ttLBracket,
  ttRBracket,
  ttLBrace,
  ttRBrace,
  ttNewLine,
  ttWhitespace,  // never produced
  ttComment,
  ttIdentifier,
};

// The enumerator's name ("ttEqual"), as parser messages show it.
std::u16string_view TokenTypeName(TTokenType type);

// Value views the lexer's text or its own buffer (decoded strings with escapes): it stays valid
// until the next call of NextToken.
struct TToken {
  TTokenType TokenType = ttEOF;
  std::u16string_view Value;
  std::int32_t Line = 1;
  std::int32_t Column = 1;
};

// Hands the lexer its text piece by piece, so that a file need not be held whole.
class TTOMLTextFeed {
 public:
  virtual ~TTOMLTextFeed() = default;
  // Appends the next piece of the text; false when there is no more. Raises
  // ETOMLParserException when the rest of the text cannot be had.
  virtual bool AppendTo(std::u16string& text) = 0;
};

// Splits TOML text into tokens, one per NextToken. Numbers and date-times are handed on as
// written; strings arrive decoded. A run of bare-key characters that is not wholly a number or
// a date-time arrives as a bare word. Lexical errors raise ETOMLParserException.
class TTOMLLexer {
 public:
  // The whole text at once; it is not copied and must outlive the lexer.
  TTOMLLexer(std::u16string_view input, bool preserve_comments);
  // The text piece by piece; the feed must outlive the lexer. Only the pieces that the current
  // token still needs are kept.
  TTOMLLexer(TTOMLTextFeed& feed, bool preserve_comments);

  TToken NextToken();
  bool PreserveComments() const { return FPreserveComments; }

 private:
  // A place in the current token, to come back to after a failed attempt.
  struct Mark {
    std::size_t Position;
    std::int32_t Line;
    std::size_t LineStart;
  };

  // Positions index FInput; FInput[0] is the unit FDropped of the whole text.
  bool AtEnd() { return FPosition >= FInput.size() && !Refill(FPosition); }
  char16_t Peek(std::size_t ahead = 0) {
    return FPosition + ahead < FInput.size() || Refill(FPosition + ahead)
               ? FInput[FPosition + ahead]
               : char16_t{0};
  }
  bool Refill(std::size_t needed);
  void DropConsumedText();
  void Advance();
  void NewLineAt(std::size_t line_feed);
  std::int32_t Column() const {
    return static_cast<std::int32_t>(FDropped + FPosition - FLineStart + 1);
  }
  Mark Here() const { return Mark{FPosition, FLine, FLineStart}; }
  void Restore(const Mark& mark);
  std::u16string_view Since(std::size_t start) const {
    return FInput.substr(start, FPosition - start);
  }

  void CheckCommentUnit(char16_t unit) const;
  void SkipComment();
  TToken ReadComment();
  TToken Punctuation(TToken& token, TTokenType type);
  TToken ReadBareWord();
  TToken ReadNumberOrWord();
  TToken ReadString();
  void ReadEscape();
  // Reads a number's characters and sets the token's type; gives why they are no number, or
  // nothing.
  std::u16string ReadNumber(TToken& token);
  // The number of digits read, or kMisplacedUnderscore for an underscore that is not between
  // two digits.
  static constexpr std::size_t kMisplacedUnderscore = static_cast<std::size_t>(-1);
  std::size_t ReadDigitRun(std::size_t value_start, bool (*is_digit)(char16_t));
  bool ReadDateTime();
  bool ReadTime();
  [[noreturn]] void UnexpectedCharacter(const TToken& token);

  std::u16string_view FInput;
  TTOMLTextFeed* FFeed = nullptr;  // null once the whole text is in FInput
  std::u16string FWindow;          // the pieces from the feed that are still needed
  std::size_t FDropped = 0;        // units of the text dropped before FInput[0]
  std::size_t FPosition = 0;       // index of the current code unit
  std::int32_t FLine = 1;
  std::size_t FLineStart = 0;  // the text's index of the first code unit of the current line
  bool FPreserveComments;
  std::u16string FBuffer;  // decoded text of a string that needed decoding
};

}  // namespace dactyra::toml
