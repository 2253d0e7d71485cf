#include "json_reader.h"

namespace dactyra::tools {
namespace {

constexpr int kMaxDepth = 512;

class JsonReader {
 public:
  JsonReader(std::u16string_view text, std::string& error) : text_(text), error_(error) {}

  std::optional<JsonValue> ReadDocument() {
    JsonValue value;
    if (!ReadValue(value, 0)) {
      return std::nullopt;
    }
    SkipWhiteSpace();
    if (pos_ != text_.size()) {
      return Fail("text after the document");
    }
    return value;
  }

 private:
  std::nullopt_t Fail(const char* what) {
    error_ = std::string(what) + " at offset " + std::to_string(pos_);
    return std::nullopt;
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char16_t Peek() const { return AtEnd() ? u'\0' : text_[pos_]; }

  void SkipWhiteSpace() {
    while (!AtEnd() && (Peek() == u' ' || Peek() == u'\t' || Peek() == u'\n' || Peek() == u'\r')) {
      ++pos_;
    }
  }

  bool ReadWord(std::u16string_view word) {
    if (text_.substr(pos_, word.size()) != word) {
      Fail("unknown word");
      return false;
    }
    pos_ += word.size();
    return true;
  }

  bool ReadValue(JsonValue& value, int depth) {
    if (depth > kMaxDepth) {
      Fail("nesting too deep");
      return false;
    }
    SkipWhiteSpace();
    switch (Peek()) {
      case u'{':
        return ReadObject(value, depth);
      case u'[':
        return ReadArray(value, depth);
      case u'"':
        value.kind = JsonValue::Kind::kString;
        return ReadString(value.text);
      case u't':
        value.kind = JsonValue::Kind::kBoolean;
        value.boolean = true;
        return ReadWord(u"true");
      case u'f':
        value.kind = JsonValue::Kind::kBoolean;
        return ReadWord(u"false");
      case u'n':
        return ReadWord(u"null");
      default:
        value.kind = JsonValue::Kind::kNumber;
        return ReadNumber(value.text);
    }
  }

  bool ReadObject(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::kObject;
    ++pos_;  // {
    SkipWhiteSpace();
    if (Peek() == u'}') {
      ++pos_;
      return true;
    }
    for (;;) {
      SkipWhiteSpace();
      std::u16string key;
      if (Peek() != u'"') {
        Fail("expected a key");
        return false;
      }
      if (!ReadString(key)) {
        return false;
      }
      SkipWhiteSpace();
      if (Peek() != u':') {
        Fail("expected ':'");
        return false;
      }
      ++pos_;
      JsonValue member;
      if (!ReadValue(member, depth + 1)) {
        return false;
      }
      value.members.emplace_back(std::move(key), std::move(member));
      SkipWhiteSpace();
      if (Peek() == u',') {
        ++pos_;
      } else if (Peek() == u'}') {
        ++pos_;
        return true;
      } else {
        Fail("expected ',' or '}'");
        return false;
      }
    }
  }

  bool ReadArray(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::kArray;
    ++pos_;  // [
    SkipWhiteSpace();
    if (Peek() == u']') {
      ++pos_;
      return true;
    }
    for (;;) {
      JsonValue item;
      if (!ReadValue(item, depth + 1)) {
        return false;
      }
      value.items.push_back(std::move(item));
      SkipWhiteSpace();
      if (Peek() == u',') {
        ++pos_;
      } else if (Peek() == u']') {
        ++pos_;
        return true;
      } else {
        Fail("expected ',' or ']'");
        return false;
      }
    }
  }

  static int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
      return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
      return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
      return c - u'A' + 10;
    }
    return -1;
  }

  bool ReadString(std::u16string& out) {
    ++pos_;  // opening quote
    for (;;) {
      if (AtEnd()) {
        Fail("unterminated string");
        return false;
      }
      const char16_t c = text_[pos_++];
      if (c == u'"') {
        return true;
      }
      if (c < 0x20) {
        Fail("control character in a string");
        return false;
      }
      if (c != u'\\') {
        out.push_back(c);
        continue;
      }
      const char16_t escape = Peek();
      ++pos_;
      switch (escape) {
        case u'"':
        case u'\\':
        case u'/':
          out.push_back(escape);
          break;
        case u'b':
          out.push_back(u'\b');
          break;
        case u'f':
          out.push_back(u'\f');
          break;
        case u'n':
          out.push_back(u'\n');
          break;
        case u'r':
          out.push_back(u'\r');
          break;
        case u't':
          out.push_back(u'\t');
          break;
        case u'u': {
          int unit = 0;
          for (int i = 0; i < 4; ++i) {
            const int digit = HexDigit(Peek());
            if (digit < 0) {
              Fail("bad \\u escape");
              return false;
            }
            unit = unit * 16 + digit;
            ++pos_;
          }
          out.push_back(static_cast<char16_t>(unit));
          break;
        }
        default:
          Fail("bad escape");
          return false;
      }
    }
  }

  bool ReadDigits(std::u16string& out) {
    const std::size_t start = pos_;
    while (Peek() >= u'0' && Peek() <= u'9') {
      out.push_back(text_[pos_++]);
    }
    return pos_ > start;
  }

  bool ReadNumber(std::u16string& out) {
    if (Peek() == u'-') {
      out.push_back(text_[pos_++]);
    }
    bool ok = ReadDigits(out);
    if (ok && Peek() == u'.') {
      out.push_back(text_[pos_++]);
      ok = ReadDigits(out);
    }
    if (ok && (Peek() == u'e' || Peek() == u'E')) {
      out.push_back(text_[pos_++]);
      if (Peek() == u'+' || Peek() == u'-') {
        out.push_back(text_[pos_++]);
      }
      ok = ReadDigits(out);
    }
    if (!ok) {
      Fail("bad value");
    }
    return ok;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
  std::string& error_;
};

}  // namespace

std::optional<JsonValue> ReadJson(std::u16string_view text, std::string& error) {
  return JsonReader(text, error).ReadDocument();
}

}  // namespace dactyra::tools
