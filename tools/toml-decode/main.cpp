// toml-decode: TOML (UTF-8) on stdin, the conformance suites' tagged JSON on stdout. A document
// that does not parse gives its message on stderr and exit code 1.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "base/utf.h"
#include "tagged_json.h"
#include "toml/exceptions.h"
#include "toml/parser.h"

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
  try {
    toml::TTOMLParser parser(*text, false);
    const std::unique_ptr<toml::TTOMLTable> root = parser.Parse();
    std::cout << toml::ToTaggedJson(*root);
  } catch (const toml::ETOMLException& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
