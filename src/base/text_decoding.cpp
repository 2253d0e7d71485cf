#include "base/text_decoding.h"

#include "base/utf.h"

namespace dactyra {
namespace {

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::optional<std::u16string> DecodeUtf16(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) {
    return std::nullopt;
  }
  std::u16string text;
  text.resize(bytes.size() / 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
  }
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      return std::nullopt;
    }
  }
  return text;
}

}  // namespace

std::optional<std::u16string> DecodeText(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    return Utf8ToUtf16(bytes.substr(3));
  }
  if (StartsWith(bytes, "\xFF\xFE")) {
    return DecodeUtf16(bytes.substr(2), false);
  }
  if (StartsWith(bytes, "\xFE\xFF")) {
    return DecodeUtf16(bytes.substr(2), true);
  }
  return Utf8ToUtf16(bytes);
}

std::u16string NormalizeLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
        ++i;
      }
      out += u"\r\n";
    } else {
      out.push_back(c);
    }
  }
  if (!text.empty() && text.back() != u'\r' && text.back() != u'\n') {
    out += u"\r\n";
  }
  return out;
}

}  // namespace dactyra
