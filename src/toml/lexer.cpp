#include "toml/lexer.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "base/format.h"
#include "base/utf.h"
#include "toml/char_class.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

[[noreturn]] void Fail(std::u16string message) {
  throw ETOMLParserException(std::move(message));
}

// Four code units looked at together: the high bit of a unit's place is set where the unit is
// below a limit (at most 0x8000), or equal to a given unit (and possibly in places after one).
constexpr std::uint64_t kEachUnit = 0x0001000100010001u;
std::uint64_t FourUnits(const char16_t* units) {
  std::uint64_t word = 0;
  std::memcpy(&word, units, sizeof word);
  return word;
}
std::uint64_t Below(std::uint64_t four_units, std::uint64_t limit) {
  return (four_units - kEachUnit * limit) & ~four_units & (kEachUnit * 0x8000);
}
std::uint64_t Equal(std::uint64_t four_units, char16_t unit) {
  return Below(four_units ^ (kEachUnit * unit), 1);
}
// What ends a plain run of a comment: a control character (the tab included) or DEL.
std::uint64_t Control(std::uint64_t four_units) {
  return Below(four_units, 0x20) | Equal(four_units, 0x7F);
}

bool IsSpecialWord(std::u16string_view word) {
  return word == u"inf" || word == u"+inf" || word == u"-inf" || word == u"nan" ||
         word == u"+nan" || word == u"-nan";
}

}  // namespace

std::u16string_view TokenTypeName(TTokenType type) {
  static constexpr std::array<std::u16string_view, 18> kNames = {
      u"ttEOF",        u"ttString",   u"ttMultilineString", u"ttInteger", u"ttFloat",
      u"ttBoolean",    u"ttDateTime", u"ttEqual",           u"ttDot",     u"ttComma",
      u"ttLBracket",   u"ttRBracket", u"ttLBrace",          u"ttRBrace",  u"ttNewLine",
      u"ttWhitespace", u"ttComment",  u"ttIdentifier"};
  return type < kNames.size() ? kNames[type] : u"?";
}

TTOMLLexer::TTOMLLexer(std::u16string_view input, bool preserve_comments)
    : FInput(input), FPreserveComments(preserve_comments) {}

TTOMLLexer::TTOMLLexer(TTOMLTextFeed& feed, bool preserve_comments)
    : FFeed(&feed), FPreserveComments(preserve_comments) {}

bool TTOMLLexer::Refill(std::size_t needed) {
  while (FFeed != nullptr && needed >= FInput.size()) {
    if (!FFeed->AppendTo(FWindow)) {
      FFeed = nullptr;
    }
    FInput = FWindow;
  }
  return needed < FInput.size();
}

void TTOMLLexer::DropConsumedText() {
  FWindow.erase(0, FPosition);
  FDropped += FPosition;
  FPosition = 0;
  FInput = FWindow;
}

void TTOMLLexer::NewLineAt(std::size_t line_feed) {
  ++FLine;
  FLineStart = FDropped + line_feed + 1;
}

void TTOMLLexer::Advance() {
  if (AtEnd()) {
    return;
  }
  if (FInput[FPosition] == u'\n') {
    NewLineAt(FPosition);
  }
  ++FPosition;
}

void TTOMLLexer::Restore(const Mark& mark) {
  FPosition = mark.Position;
  FLine = mark.Line;
  FLineStart = mark.LineStart;
}

TToken TTOMLLexer::NextToken() {
  // Only between tokens, so that no place inside a token moves; and only once the consumed part
  // is at least as long as the rest, so that moving the rest costs no more than reading it.
  constexpr std::size_t kWorthDropping = 32 * 1024;
  if (FPosition >= kWorthDropping && FFeed != nullptr && FPosition * 2 >= FWindow.size()) {
    DropConsumedText();
  }
  for (;;) {
    do {
      // In locals, which the compiler need not read again after each step.
      const char16_t* const units = FInput.data();
      const std::size_t size = FInput.size();
      std::size_t position = FPosition;
      while (position < size &&
             (units[position] == u' ' || units[position] == u'\t' || units[position] == 0xFEFF)) {
        ++position;
      }
      FPosition = position;
    } while (FPosition == FInput.size() && Refill(FPosition));
    TToken token;
    token.Line = FLine;
    token.Column = Column();
    if (AtEnd()) {
      return token;
    }
    const char16_t unit = FInput[FPosition];
    switch (unit) {
      case u'\r':
        ++FPosition;
        if (Peek() != u'\n') {
          Fail(u"Bare CR not allowed");
        }
        [[fallthrough]];
      case u'\n':
        Advance();
        token.TokenType = ttNewLine;
        token.Value = u"\n";
        return token;
      case u'"':
      case u'\'':
        return ReadString();
      case u'#':
        if (FPreserveComments) {
          return ReadComment();
        }
        SkipComment();
        continue;
      case u'+':
      case u'-':
        return ReadNumberOrWord();
      case u',':
        return Punctuation(token, ttComma);
      case u'.':
        return Punctuation(token, ttDot);
      case u'=':
        return Punctuation(token, ttEqual);
      case u'[':
        return Punctuation(token, ttLBracket);
      case u']':
        return Punctuation(token, ttRBracket);
      case u'{':
        return Punctuation(token, ttLBrace);
      case u'}':
        return Punctuation(token, ttRBrace);
      default:
        break;
    }
    if (IsDigit(unit)) {
      return ReadNumberOrWord();
    }
    if (IsLetter(unit)) {
      return ReadBareWord();
    }
    UnexpectedCharacter(token);
  }
}

TToken TTOMLLexer::Punctuation(TToken& token, TTokenType type) {
  token.TokenType = type;
  token.Value = FInput.substr(FPosition, 1);
  ++FPosition;
  return token;
}

void TTOMLLexer::UnexpectedCharacter(const TToken& token) {
  // A surrogate pair is shown whole.
  std::size_t length = 1;
  if (FInput[FPosition] >= 0xD800 && FInput[FPosition] <= 0xDBFF && Peek(1) >= 0xDC00 &&
      Peek(1) <= 0xDFFF) {
    length = 2;
  }
  Fail(Format(u"Unexpected character: %s at line %d, column %d", FInput.substr(FPosition, length),
              token.Line, token.Column));
}

void TTOMLLexer::CheckCommentUnit(char16_t unit) const {
  if (unit <= 0x08 || (unit >= 0x0B && unit <= 0x1F) || unit == 0x7F) {
    Fail(Format(u"Control character U+%.4X is not allowed in comments", static_cast<int>(unit)));
  }
}

void TTOMLLexer::SkipComment() {
  ++FPosition;
  while (FPosition + 4 <= FInput.size() && Control(FourUnits(FInput.data() + FPosition)) == 0) {
    FPosition += 4;
  }
  for (; !AtEnd(); ++FPosition) {
    const char16_t unit = FInput[FPosition];
    if (unit == u'\n' || unit == u'\r') {
      break;
    }
    CheckCommentUnit(unit);
  }
}

TToken TTOMLLexer::ReadComment() {
  const std::size_t start = FPosition;
  SkipComment();
  TToken token;
  token.TokenType = ttComment;
  token.Value = Since(start);
  token.Line = FLine;
  token.Column = Column();
  return token;
}

TToken TTOMLLexer::ReadBareWord() {
  TToken token;
  token.TokenType = ttIdentifier;
  token.Line = FLine;
  token.Column = Column();
  const std::size_t start = FPosition;
  for (;;) {
    const std::size_t size = FInput.size();
    while (FPosition < size && IsWordChar(FInput[FPosition])) {
      ++FPosition;
    }
    if (FPosition < size || !Refill(FPosition)) {
      break;
    }
  }
  token.Value = Since(start);
  return token;
}

TToken TTOMLLexer::ReadString() {
  const char16_t quote = FInput[FPosition];
  const bool literal = quote == u'\'';
  TToken token;
  token.Column = Column();
  ++FPosition;
  const bool multiline = Peek() == quote && Peek(1) == quote;
  if (multiline) {
    FPosition += 2;
    // One line break right after the opening delimiter is dropped.
    if (Peek() == u'\r') {
      ++FPosition;
      if (Peek() == u'\n') {
        Advance();
      }
    } else if (Peek() == u'\n') {
      Advance();
    }
  }

  // Plain runs are sliced from the input; only a string that needs decoding is copied into
  // FBuffer, run by run.
  FBuffer.clear();
  bool buffered = false;
  std::size_t segment = FPosition;
  const auto flush = [&](std::size_t end) {
    FBuffer.append(FInput.data() + segment, end - segment);
    buffered = true;
  };
  std::size_t content_end = 0;
  for (;;) {
    // The plain run, in the text at hand (four units at a time first); AtEnd below fetches more.
    const std::size_t size = FInput.size();
    while (FPosition + 4 <= size) {
      const std::uint64_t four = FourUnits(FInput.data() + FPosition);
      if ((Control(four) | Equal(four, quote) | Equal(four, u'\\')) != 0) {
        break;
      }
      FPosition += 4;
    }
    while (FPosition < size) {
      const char16_t unit = FInput[FPosition];
      if (unit < 0x20 || unit == quote || unit == u'\\' || unit == 0x7F) {
        break;
      }
      ++FPosition;
    }
    if (AtEnd()) {
      Fail(u"Unterminated string");
    }
    const char16_t unit = FInput[FPosition];
    if (unit == quote) {
      if (!multiline) {
        content_end = FPosition++;
        break;
      }
      std::size_t run = 1;
      while (Peek(run) == quote) {
        ++run;
      }
      if (run >= 3) {
        // Up to two quotes before the closing three belong to the content.
        const std::size_t extra = run <= 5 ? run - 3 : 0;
        content_end = FPosition + extra;
        FPosition += extra + 3;
        break;
      }
      FPosition += run;
      continue;
    }
    if (literal || unit != u'\\') {
      if (unit == u'\n' || unit == u'\r') {
        if (!multiline) {
          Fail(u"Newlines are not allowed in single-line strings");
        }
        if (unit == u'\r') {
          if (Peek(1) != u'\n') {
            Fail(u"Bare CR is not allowed in multi-line strings");
          }
          flush(FPosition);
          FBuffer.push_back(u'\n');
          ++FPosition;
          Advance();
          segment = FPosition;
        } else {
          Advance();
        }
        continue;
      }
      if (unit < 0x20 && unit != u'\t') {
        Fail(Format(u"Control character U+%.4X is not allowed", static_cast<int>(unit)));
      }
      if (unit == 0x7F) {
        Fail(u"Control character U+007F is not allowed");
      }
      ++FPosition;
      continue;
    }
    if (multiline) {
      std::size_t ahead = 1;
      while (IsBlank(Peek(ahead))) {
        ++ahead;
      }
      if (Peek(ahead) == u'\n' || Peek(ahead) == u'\r') {
        // A line-ending backslash swallows the line break and the blanks and breaks after it.
        flush(FPosition);
        ++FPosition;
        while (IsBlank(Peek()) || Peek() == u'\r' || Peek() == u'\n') {
          Advance();
        }
        segment = FPosition;
        continue;
      }
    }
    flush(FPosition);
    ++FPosition;
    ReadEscape();
    segment = FPosition;
  }
  if (buffered) {
    flush(content_end);
    token.Value = FBuffer;
  } else {
    token.Value = FInput.substr(segment, content_end - segment);
  }
  token.TokenType = multiline ? ttMultilineString : ttString;
  token.Line = FLine;
  return token;
}

void TTOMLLexer::ReadEscape() {
  const char16_t letter = Peek();
  char16_t simple = 0;
  switch (letter) {
    case u'"':
      simple = u'"';
      break;
    case u'\'':
      simple = u'\'';
      break;
    case u'\\':
      simple = u'\\';
      break;
    case u'b':
      simple = 0x08;
      break;
    case u'e':
      simple = 0x1B;
      break;
    case u'f':
      simple = 0x0C;
      break;
    case u'n':
      simple = 0x0A;
      break;
    case u'r':
      simple = 0x0D;
      break;
    case u't':
      simple = 0x09;
      break;
    case u'x':
    case u'u':
    case u'U':
      break;
    default:
      Fail(u"Invalid escape sequence");
  }
  ++FPosition;
  if (simple != 0) {
    FBuffer.push_back(simple);
    return;
  }
  const int digits = letter == u'x' ? 2 : letter == u'u' ? 4 : 8;
  std::uint32_t value = 0;
  for (int i = 0; i < digits; ++i) {
    const char16_t unit = Peek();
    if (!IsHexDigit(unit)) {
      Fail(letter == u'x' ? u"Invalid hex escape" : u"Invalid unicode escape");
    }
    value = value * 16 + HexDigitValue(unit);
    ++FPosition;
  }
  if (letter == u'x') {
    FBuffer.push_back(static_cast<char16_t>(value));
    return;
  }
  if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    Fail(u"Invalid unicode code point");
  }
  const Utf16Units units = ToUtf16(value);
  FBuffer.append(units.unit, units.count);
}

TToken TTOMLLexer::ReadNumberOrWord() {
  const Mark start = Here();
  TToken token;
  token.Line = FLine;
  token.Column = Column();
  // A date has its first '-' fifth, a time its first ':' third.
  const bool may_be_date = IsDigit(Peek()) && (Peek(4) == u'-' || Peek(2) == u':');
  if (may_be_date && ReadDateTime() && !IsWordChar(Peek())) {
    token.TokenType = ttDateTime;
    token.Value = Since(start.Position);
    return token;
  }
  Restore(start);
  const std::u16string problem = ReadNumber(token);
  if (problem.empty() && !IsWordChar(Peek())) {
    token.Value = Since(start.Position);
    return token;
  }
  // Not wholly a number: a bare word such as 1_a, -name or 0b2 (a key, or else an error for the
  // parser to report), unless it starts with a plus sign, which no key does.
  Restore(start);
  if (!problem.empty() && !IsWordChar(Peek())) {
    Fail(Format(u"%s at line %d, column %d", problem, token.Line, token.Column));
  }
  return ReadBareWord();
}

std::u16string TTOMLLexer::ReadNumber(TToken& token) {
  token.TokenType = ttInteger;
  const std::size_t start = FPosition;
  if (Peek() == u'+' || Peek() == u'-') {
    ++FPosition;
  }
  const bool has_sign = FPosition > start;
  if (Peek() == u'i' || Peek() == u'n') {
    while (IsWordChar(Peek())) {
      ++FPosition;
    }
    token.TokenType = ttFloat;
    if (!IsSpecialWord(Since(start))) {
      return Format(u"Invalid identifier: %s", Since(start));
    }
    return {};
  }
  if (Peek() == u'0' && (Peek(1) == u'b' || Peek(1) == u'o' || Peek(1) == u'x')) {
    if (has_sign) {
      return u"Signs not allowed for hex/octal/binary integers";
    }
    const char16_t prefix = Peek(1);
    FPosition += 2;
    const std::size_t digits = ReadDigitRun(start, prefix == u'b'   ? IsBinaryDigit
                                                   : prefix == u'o' ? IsOctalDigit
                                                                    : IsHexDigit);
    return digits == kMisplacedUnderscore ? u"Invalid underscore placement" : std::u16string();
  }
  const std::size_t whole_digits = ReadDigitRun(start, IsDigit);
  if (whole_digits == kMisplacedUnderscore) {
    return u"Invalid underscore placement";
  }
  std::size_t fraction_digits = 0;
  if (Peek() == u'.' && IsDigit(Peek(1))) {
    ++FPosition;
    fraction_digits = ReadDigitRun(start, IsDigit);
    if (fraction_digits == kMisplacedUnderscore) {
      return u"Invalid underscore placement";
    }
    token.TokenType = ttFloat;
  }
  if (Peek() == u'e' || Peek() == u'E') {
    ++FPosition;
    if (Peek() == u'+' || Peek() == u'-') {
      ++FPosition;
    }
    if (ReadDigitRun(start, IsDigit) == kMisplacedUnderscore) {
      return u"Invalid underscore placement";
    }
    token.TokenType = ttFloat;
  }
  if (whole_digits == 0 && fraction_digits == 0) {
    return u"Invalid number";
  }
  return {};
}

std::size_t TTOMLLexer::ReadDigitRun(std::size_t value_start, bool (*is_digit)(char16_t)) {
  std::size_t digits = 0;
  for (;;) {
    const char16_t unit = Peek();
    if (is_digit(unit)) {
      ++FPosition;
      ++digits;
    } else if (unit == u'_') {
      if (FPosition == value_start || !is_digit(FInput[FPosition - 1]) || !is_digit(Peek(1))) {
        return kMisplacedUnderscore;
      }
      ++FPosition;
    } else {
      return digits;
    }
  }
}

bool TTOMLLexer::ReadDateTime() {
  const bool date = IsDigit(Peek(0)) && IsDigit(Peek(1)) && IsDigit(Peek(2)) && IsDigit(Peek(3)) &&
                    Peek(4) == u'-' && IsDigit(Peek(5)) && IsDigit(Peek(6)) && Peek(7) == u'-' &&
                    IsDigit(Peek(8)) && IsDigit(Peek(9));
  if (!date) {
    return ReadTime();
  }
  FPosition += 10;
  const char16_t next = Peek();
  if (next == u'T' || next == u't' ||
      (next == u' ' && IsDigit(Peek(1)) && IsDigit(Peek(2)) && Peek(3) == u':' &&
       IsDigit(Peek(4)) && IsDigit(Peek(5)))) {
    ++FPosition;
    ReadTime();
  }
  return true;
}

bool TTOMLLexer::ReadTime() {
  const auto digits = [this](int most) {
    int count = 0;
    while (count < most && IsDigit(Peek())) {
      ++FPosition;
      ++count;
    }
    return count;
  };
  if (digits(2) != 2 || Peek() != u':') {
    return false;
  }
  ++FPosition;
  if (digits(2) != 2) {
    return false;
  }
  if (Peek() == u':') {
    ++FPosition;
    if (digits(2) == 2 && Peek() == u'.') {
      ++FPosition;
      while (IsDigit(Peek())) {
        ++FPosition;
      }
    }
  }
  if (Peek() == u'Z' || Peek() == u'z') {
    ++FPosition;
  } else if (Peek() == u'+' || Peek() == u'-') {
    ++FPosition;
    while (IsDigit(Peek()) || Peek() == u':') {
      ++FPosition;
    }
  }
  return true;
}

}  // namespace dactyra::toml
