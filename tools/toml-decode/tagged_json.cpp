#include "tagged_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/strings.h"
#include "base/utf.h"

namespace dactyra::toml {
namespace {

void AppendJsonString(std::string& out, std::u16string_view text) {
  out += '"';
  for (const char c : Utf16ToUtf8Lossy(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::u16string FloatText(double value) {
  if (std::isnan(value)) {
    return u"nan";
  }
  if (std::isinf(value)) {
    return value < 0 ? u"-inf" : u"inf";
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return AsciiToUtf16(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

// The suites' spelling: 'T' between date and time, seconds always written, 'Z' in capitals.
std::u16string DateTimeText(const TTOMLDateTime& value) {
  std::u16string text = value.AsString();
  std::size_t time = 0;
  if (value.Kind() == tdkOffsetDateTime || value.Kind() == tdkLocalDateTime) {
    text[10] = u'T';
    time = 11;
  }
  if (value.Kind() == tdkLocalDate) {
    return text;
  }
  if (text.size() == time + 5 || (text.size() > time + 5 && text[time + 5] != u':')) {
    text.insert(time + 5, u":00");
  }
  if (text.back() == u'z') {
    text.back() = u'Z';
  }
  return text;
}

void AppendTagged(std::string& out, const char* type, std::u16string_view value) {
  out += "{\"type\": \"";
  out += type;
  out += "\", \"value\": ";
  AppendJsonString(out, value);
  out += '}';
}

void AppendValue(std::string& out, const TTOMLValue& value);

void AppendTable(std::string& out, const TTOMLTable& table) {
  out += '{';
  const TTOMLOrderedTable& items = table.Items();
  for (std::int32_t i = 0; i < items.Count(); ++i) {
    if (i > 0) {
      out += ", ";
    }
    AppendJsonString(out, items.GetKey(i));
    out += ": ";
    AppendValue(out, *items.GetValue(i));
  }
  out += '}';
}

void AppendValue(std::string& out, const TTOMLValue& value) {
  switch (value.ValueType()) {
    case tvtString:
      AppendTagged(out, "string", value.AsString());
      break;
    case tvtInteger:
      AppendTagged(out, "integer", IntToText(value.AsInteger()));
      break;
    case tvtFloat:
      AppendTagged(out, "float", FloatText(value.AsFloat()));
      break;
    case tvtBoolean:
      AppendTagged(out, "bool", value.AsBoolean() ? u"true" : u"false");
      break;
    case tvtDateTime: {
      const TTOMLDateTime& dateTime = *value.As<TTOMLDateTime>();
      static constexpr const char* kTypes[] = {"datetime", "datetime-local", "date-local",
                                               "time-local"};
      AppendTagged(out, kTypes[dateTime.Kind()], DateTimeText(dateTime));
      break;
    }
    case tvtArray: {
      out += '[';
      const TTOMLArray& array = *value.As<TTOMLArray>();
      for (std::int32_t i = 0; i < array.Count(); ++i) {
        if (i > 0) {
          out += ", ";
        }
        AppendValue(out, *array.GetItem(i));
      }
      out += ']';
      break;
    }
    case tvtTable:
    case tvtInlineTable:
      AppendTable(out, *value.As<TTOMLTable>());
      break;
  }
}

}  // namespace

std::string ToTaggedJson(const TTOMLTable& root) {
  std::string out;
  AppendTable(out, root);
  out += '\n';
  return out;
}

}  // namespace dactyra::toml
