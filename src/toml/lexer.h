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

// Value views either the lexer's input or the lexer's own buffer (decoded strings with escapes):
// it stays valid until the next call of NextToken.
struct TToken {
  TTokenType TokenType = ttEOF;
  std::u16string_view Value;
  std::int32_t Line = 1;
  std::int32_t Column = 1;
};

// Splits TOML text into tokens, one per NextToken. Numbers and date-times are handed on as
// written; strings arrive decoded. Lexical errors raise ETOMLParserException.
// The input is not copied: it must outlive the lexer.
class TTOMLLexer {
 public:
  TTOMLLexer(std::u16string_view input, bool preserve_comments);

  TToken NextToken();
  bool PreserveComments() const { return FPreserveComments; }

 private:
  // A place in the input, to come back to after a failed attempt.
  struct Mark {
    std::size_t Position;
    std::int32_t Line;
    std::size_t LineStart;
  };

  bool AtEnd() const { return FPosition >= FInput.size(); }
  char16_t Peek(std::size_t ahead = 0) const {
    return FPosition + ahead < FInput.size() ? FInput[FPosition + ahead] : char16_t{0};
  }
  void Advance();
  void NewLineAt(std::size_t line_feed);
  std::int32_t Column() const { return static_cast<std::int32_t>(FPosition - FLineStart + 1); }
  Mark Here() const { return Mark{FPosition, FLine, FLineStart}; }
  void Restore(const Mark& mark);
  std::u16string_view Since(std::size_t start) const {
    return FInput.substr(start, FPosition - start);
  }

  void CheckCommentUnit(char16_t unit) const;
  void SkipComment();
  TToken ReadComment();
  TToken ReadBareWord();
  TToken ReadString();
  void ReadEscape();
  TToken ReadNumber();
  void ReadDigitRun(std::size_t value_start, bool (*is_digit)(char16_t));
  bool ReadDateTime();
  bool ReadTime();
  [[noreturn]] void UnexpectedCharacter(const TToken& token) const;

  std::u16string_view FInput;
  std::size_t FPosition = 0;  // index of the current code unit
  std::int32_t FLine = 1;
  std::size_t FLineStart = 0;  // index of the first code unit of the current line
  bool FPreserveComments;
  std::u16string FBuffer;  // decoded text of a string that needed decoding
};

}  // namespace dactyra::toml
