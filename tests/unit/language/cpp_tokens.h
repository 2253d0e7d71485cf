#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dactyra::language_test {

enum class TTokenKind {
  kIdentifier,  // a name or keyword
  kString,      // a string literal of any prefix, raw ones included
  kNumber,      // a numeric literal
  kPunct,       // one punctuation character ("::" is two)
  kOther,       // a character literal
};

struct TToken {
  TTokenKind kind;
  // The spelling; for a string literal its value in UTF-8, escapes resolved.
  std::string text;
  int line;
};

// The tokens of a C++ source text, without comments, whitespace and line splices. Good enough
// to find calls and their literal arguments; it does not judge whether the code is valid.
std::vector<TToken> Tokenize(std::string_view source);

}  // namespace dactyra::language_test
