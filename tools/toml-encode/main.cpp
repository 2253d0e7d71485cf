// toml-encode: the tagged JSON of the TOML conformance suites on stdin, TOML (UTF-8) on stdout,
// written without comments and without wrapping. Bad input gives a message on stderr and exit
// code 1.
#include <iostream>
#include <iterator>
#include <string>

#include "base/utf.h"
#include "json_reader.h"
#include "tagged_document.h"
#include "toml/document_io.h"

int main() {
  using namespace dactyra;
  std::ios::sync_with_stdio(false);
  const std::string bytes((std::istreambuf_iterator<char>(std::cin)),
                          std::istreambuf_iterator<char>());
  const std::optional<std::u16string> text = Utf8ToUtf16(bytes);
  if (!text) {
    std::cerr << "Input is not valid UTF-8\n";
    return 1;
  }
  std::string error;
  const std::optional<tools::JsonValue> json = tools::ReadJson(*text, error);
  if (!json) {
    std::cerr << "Bad JSON: " << error << '\n';
    return 1;
  }
  const std::unique_ptr<toml::TTOMLTable> document = tools::TaggedJsonToDocument(*json, error);
  if (!document) {
    std::cerr << "Bad tagged JSON: " << error << '\n';
    return 1;
  }
  try {
    const std::optional<std::string> toml =
        Utf16ToUtf8(toml::SerializeToString(*document, 0, false));
    if (!toml) {
      std::cerr << "The document holds text that is not valid Unicode\n";
      return 1;
    }
    std::cout << *toml;
  } catch (const std::exception& failure) {
    std::cerr << failure.what() << '\n';
    return 1;
  }
  return 0;
}
