// Parses arbitrary text, with and without comments. The first byte chooses the mode: bit 0 keeps
// comments, bit 1 takes the rest as raw UTF-16 code units (lone surrogates and all) instead of
// UTF-8. A parse error is a fine result; a crash, a leak, a sanitizer report or any other
// exception is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/utf.h"
#include "toml/exceptions.h"
#include "toml/parser.h"

namespace {

using namespace dactyra::toml;

// Reads every value back, the way the program's readers would.
void Walk(const TTOMLValue& value) {
  switch (value.ValueType()) {
    case tvtTable: {
      const TTOMLOrderedTable& items = value.As<TTOMLTable>()->Items();
      for (std::int32_t i = 0; i < items.Count(); ++i) {
        Walk(*items.GetValue(i));
      }
      break;
    }
    case tvtArray:
      for (const auto& item : value.As<TTOMLArray>()->Items()) {
        Walk(*item);
      }
      break;
    case tvtDateTime:
    case tvtString:
      (void)value.AsString();
      break;
    case tvtBoolean:
      (void)value.AsBoolean();
      break;
    default:
      (void)value.AsFloat();
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const bool comments = (data[0] & 1) != 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  std::u16string text;
  if ((data[0] & 2) != 0) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                           (static_cast<std::uint8_t>(bytes[i + 1]) << 8)));
    }
  } else {
    std::optional<std::u16string> decoded = dactyra::Utf8ToUtf16(bytes);
    if (!decoded) {
      return 0;
    }
    text = std::move(*decoded);
  }
  try {
    TTOMLParser parser(text, comments);
    const std::unique_ptr<TTOMLTable> root = parser.Parse();
    Walk(*root);
  } catch (const ETOMLParserException&) {
  }
  return 0;
}
