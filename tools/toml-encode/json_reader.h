#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dactyra::tools {

// One JSON value. Strings and keys are UTF-16 (escapes decoded); numbers keep their text.
struct JsonValue {
  enum class Kind { kNull, kBoolean, kNumber, kString, kArray, kObject };

  Kind kind = Kind::kNull;
  bool boolean = false;
  std::u16string text;  // a string's content or a number's spelling
  std::vector<JsonValue> items;
  std::vector<std::pair<std::u16string, JsonValue>> members;  // in document order
};

// Reads one JSON document (RFC 8259), with nothing but white space after it. Nesting deeper than
// a few hundred levels is refused. On failure: none, and `error` says where and why.
std::optional<JsonValue> ReadJson(std::u16string_view text, std::string& error);

}  // namespace dactyra::tools
