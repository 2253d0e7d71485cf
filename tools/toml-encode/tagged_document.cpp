#include "tagged_document.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "base/strings.h"
#include "base/utf.h"
#include "toml/conversion.h"

namespace dactyra::tools {
namespace {

using toml::TTOMLValue;

// Raised while converting; carries the reason for the caller.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const std::u16string* MemberText(const JsonValue& object, std::u16string_view name) {
  for (const auto& [key, value] : object.members) {
    if (key == name && value.kind == JsonValue::Kind::kString) {
      return &value.text;
    }
  }
  return nullptr;
}

bool IsTaggedScalar(const JsonValue& json) {
  return json.kind == JsonValue::Kind::kObject && json.members.size() == 2 &&
         MemberText(json, u"type") != nullptr && MemberText(json, u"value") != nullptr;
}

double ReadFloat(const std::u16string& text) {
  if (text == u"nan" || text == u"+nan" || text == u"-nan") {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (text == u"inf" || text == u"+inf") {
    return std::numeric_limits<double>::infinity();
  }
  if (text == u"-inf") {
    return -std::numeric_limits<double>::infinity();
  }
  const std::optional<std::string> ascii = Utf16ToUtf8(text);
  if (!ascii || ascii->empty()) {
    throw ConversionError("bad float value");
  }
  std::string_view digits = *ascii;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
  }
  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
    throw ConversionError("bad float value: " + *ascii);
  }
  return value;
}

std::unique_ptr<TTOMLValue> ReadDateTime(const std::u16string& text, toml::TTOMLDateTimeKind kind) {
  const toml::TToken token{toml::ttDateTime, text, 1, 1};
  std::unique_ptr<toml::TTOMLDateTime> value;
  try {
    value = toml::ConvertDateTime(token);
  } catch (const std::exception& failure) {
    throw ConversionError(failure.what());
  }
  if (value->Kind() != kind) {
    throw ConversionError("date-time of another kind: " + Utf16ToUtf8Lossy(text));
  }
  return value;
}

std::unique_ptr<TTOMLValue> TaggedScalar(const JsonValue& json) {
  const std::u16string& type = *MemberText(json, u"type");
  const std::u16string& text = *MemberText(json, u"value");
  if (type == u"string") {
    return std::make_unique<toml::TTOMLString>(text);
  }
  if (type == u"integer") {
    const std::optional<std::int64_t> value = TextToInt(text);
    if (!value) {
      throw ConversionError("bad integer value: " + Utf16ToUtf8Lossy(text));
    }
    return std::make_unique<toml::TTOMLInteger>(*value);
  }
  if (type == u"float") {
    return std::make_unique<toml::TTOMLFloat>(ReadFloat(text));
  }
  if (type == u"bool" && (text == u"true" || text == u"false")) {
    return std::make_unique<toml::TTOMLBoolean>(text == u"true");
  }
  if (type == u"datetime") {
    return ReadDateTime(text, toml::tdkOffsetDateTime);
  }
  if (type == u"datetime-local") {
    return ReadDateTime(text, toml::tdkLocalDateTime);
  }
  if (type == u"date-local") {
    return ReadDateTime(text, toml::tdkLocalDate);
  }
  if (type == u"time-local") {
    return ReadDateTime(text, toml::tdkLocalTime);
  }
  throw ConversionError("unknown type or value: " + Utf16ToUtf8Lossy(type));
}

std::unique_ptr<toml::TTOMLTable> Table(const JsonValue& json);

std::unique_ptr<TTOMLValue> Value(const JsonValue& json) {
  if (IsTaggedScalar(json)) {
    return TaggedScalar(json);
  }
  if (json.kind == JsonValue::Kind::kObject) {
    return Table(json);
  }
  if (json.kind == JsonValue::Kind::kArray) {
    auto array = std::make_unique<toml::TTOMLArray>();
    for (const JsonValue& item : json.items) {
      array->Add(Value(item));
    }
    return array;
  }
  throw ConversionError("a value without its type tag");
}

std::unique_ptr<toml::TTOMLTable> Table(const JsonValue& json) {
  auto table = std::make_unique<toml::TTOMLTable>();
  for (const auto& [key, member] : json.members) {
    if (table->Items().ContainsKey(key)) {
      throw ConversionError("duplicate key: " + Utf16ToUtf8Lossy(key));
    }
    table->Add(key, Value(member));
  }
  return table;
}

}  // namespace

std::unique_ptr<toml::TTOMLTable> TaggedJsonToDocument(const JsonValue& json, std::string& error) {
  if (json.kind != JsonValue::Kind::kObject || IsTaggedScalar(json)) {
    error = "the document must be a JSON object of keys";
    return nullptr;
  }
  try {
    return Table(json);
  } catch (const ConversionError& failure) {
    error = failure.what();
    return nullptr;
  }
}

}  // namespace dactyra::tools
