#include "placeholders.h"

namespace dactyra::language_test {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

std::vector<std::u16string> Placeholders(std::u16string_view text) {
  std::vector<std::u16string> directives;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'%') {
      ++i;
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == u'%') {
      i += 2;
      continue;
    }
    const std::size_t start = i++;
    if (i < text.size() && text[i] == u'-') {
      ++i;
    }
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
    }
    if (i < text.size() && text[i] == u'.') {
      ++i;
      while (i < text.size() && IsDigit(text[i])) {
        ++i;
      }
    }
    if (i < text.size()) {
      ++i;  // the conversion letter, valid or not
    }
    directives.emplace_back(text.substr(start, i - start));
  }
  return directives;
}

}  // namespace dactyra::language_test
