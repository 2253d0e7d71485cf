#include "cpp_tokens.h"

#include <cstdint>

namespace dactyra::language_test {
namespace {

bool IsIdentifierStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsIdentifierPart(char c) {
  return IsIdentifierStart(c) || IsDigit(c);
}

int HexValue(char c) {
  if (IsDigit(c)) {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

void AppendUtf8(std::string& out, std::uint32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view source) : source_(source) {}

  std::vector<TToken> Run() {
    while (pos_ < source_.size()) {
      const char c = source_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v' || c == '\\') {
        ++pos_;  // a backslash outside a literal is a line splice
      } else if (StartsWith("//")) {
        while (pos_ < source_.size() && source_[pos_] != '\n') {
          ++pos_;
        }
      } else if (StartsWith("/*")) {
        SkipBlockComment();
      } else if (c == '"') {
        ReadString();
      } else if (c == '\'') {
        ReadCharacter();
      } else if (IsDigit(c)) {
        ReadNumber();
      } else if (IsIdentifierStart(c)) {
        ReadIdentifierOrPrefixedLiteral();
      } else {
        tokens_.push_back({TTokenKind::kPunct, std::string(1, c), line_});
        ++pos_;
      }
    }
    return std::move(tokens_);
  }

 private:
  bool StartsWith(std::string_view text) const { return source_.substr(pos_).starts_with(text); }

  void SkipBlockComment() {
    const std::size_t end = source_.find("*/", pos_ + 2);
    const std::size_t stop = end == std::string_view::npos ? source_.size() : end + 2;
    for (std::size_t i = pos_; i < stop; ++i) {
      line_ += source_[i] == '\n' ? 1 : 0;
    }
    pos_ = stop;
  }

  void ReadIdentifierOrPrefixedLiteral() {
    const std::size_t start = pos_;
    while (pos_ < source_.size() && IsIdentifierPart(source_[pos_])) {
      ++pos_;
    }
    const std::string_view name = source_.substr(start, pos_ - start);
    const bool quote_follows = pos_ < source_.size() && source_[pos_] == '"';
    if (quote_follows && (name == "u" || name == "U" || name == "L" || name == "u8")) {
      ReadString();
    } else if (quote_follows &&
               (name == "R" || name == "uR" || name == "UR" || name == "LR" || name == "u8R")) {
      ReadRawString();
    } else if (pos_ < source_.size() && source_[pos_] == '\'' &&
               (name == "u" || name == "U" || name == "L" || name == "u8")) {
      ReadCharacter();
    } else {
      tokens_.push_back({TTokenKind::kIdentifier, std::string(name), line_});
    }
  }

  void ReadNumber() {
    const std::size_t start = pos_;
    while (pos_ < source_.size() &&
           (IsIdentifierPart(source_[pos_]) || source_[pos_] == '.' || source_[pos_] == '\'')) {
      ++pos_;
    }
    tokens_.push_back(
        {TTokenKind::kNumber, std::string(source_.substr(start, pos_ - start)), line_});
  }

  void ReadCharacter() {
    const int line = line_;
    ++pos_;  // the opening quote
    while (pos_ < source_.size() && source_[pos_] != '\'' && source_[pos_] != '\n') {
      pos_ += source_[pos_] == '\\' ? 2 : 1;
    }
    ++pos_;
    tokens_.push_back({TTokenKind::kOther, "'", line});
  }

  void ReadString() {
    const int line = line_;
    std::string value;
    ++pos_;  // the opening quote
    while (pos_ < source_.size() && source_[pos_] != '"' && source_[pos_] != '\n') {
      if (source_[pos_] == '\\') {
        ReadEscape(value);
      } else {
        value += source_[pos_++];
      }
    }
    ++pos_;  // the closing quote
    tokens_.push_back({TTokenKind::kString, std::move(value), line});
  }

  void ReadRawString() {
    const int line = line_;
    const std::size_t open = source_.find('(', pos_ + 1);
    if (open == std::string_view::npos) {
      pos_ = source_.size();
      return;
    }
    const std::string closing = ")" + std::string(source_.substr(pos_ + 1, open - pos_ - 1)) + "\"";
    const std::size_t end = source_.find(closing, open + 1);
    const std::size_t value_end = end == std::string_view::npos ? source_.size() : end;
    std::string value(source_.substr(open + 1, value_end - open - 1));
    for (char c : value) {
      line_ += c == '\n' ? 1 : 0;
    }
    pos_ = end == std::string_view::npos ? source_.size() : end + closing.size();
    tokens_.push_back({TTokenKind::kString, std::move(value), line});
  }

  // Reads the escape at pos_ (its backslash) into value.
  void ReadEscape(std::string& value) {
    ++pos_;
    if (pos_ >= source_.size()) {
      return;
    }
    const char c = source_[pos_++];
    switch (c) {
      case 'n':
        value += '\n';
        return;
      case 'r':
        value += '\r';
        return;
      case 't':
        value += '\t';
        return;
      case 'a':
        value += '\a';
        return;
      case 'b':
        value += '\b';
        return;
      case 'f':
        value += '\f';
        return;
      case 'v':
        value += '\v';
        return;
      case '\n':
        ++line_;
        return;  // a line splice inside the literal
      case 'x':
        AppendUtf8(value, ReadDigits(16, 8));
        return;
      case 'u':
        AppendUtf8(value, ReadDigits(16, 4));
        return;
      case 'U':
        AppendUtf8(value, ReadDigits(16, 8));
        return;
      default:
        if (c >= '0' && c <= '7') {
          --pos_;
          AppendUtf8(value, ReadDigits(8, 3));
        } else {
          value += c;  // \\ \" \' \?
        }
    }
  }

  std::uint32_t ReadDigits(int base, int max_count) {
    std::uint32_t result = 0;
    for (int count = 0; count < max_count && pos_ < source_.size(); ++count) {
      const int digit = HexValue(source_[pos_]);
      if (digit < 0 || digit >= base) {
        break;
      }
      result = result * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
      ++pos_;
    }
    return result;
  }

  std::string_view source_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::vector<TToken> tokens_;
};

}  // namespace

std::vector<TToken> Tokenize(std::string_view source) {
  return Tokenizer(source).Run();
}

}  // namespace dactyra::language_test
