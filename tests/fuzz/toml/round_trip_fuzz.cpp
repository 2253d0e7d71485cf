// Fuzz target: whatever the reader accepts, the writer must turn into text that reads back to
// the same values, and writing that again must give the same text. The first byte picks the
// options (comments kept or not, wrap width); the rest is the document.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/text_decoding.h"
#include "base/utf.h"
#include "support/toml_tree_compare.h"
#include "toml/document_io.h"

namespace {

void Check(bool condition, const char* what, std::u16string_view text) {
  if (!condition) {
    std::fprintf(stderr, "%s\n--- text ---\n%s\n", what, dactyra::Utf16ToUtf8Lossy(text).c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dactyra;
  using toml::testing::CompareTrees;
  using toml::testing::TreeCompareOptions;
  if (size == 0) {
    return 0;
  }
  const bool preserve_comments = (data[0] & 1) != 0;
  const std::int32_t wrap_width = (data[0] >> 1) % 4 == 0 ? 0 : (data[0] >> 1);
  // The text as a file of these bytes reads.
  TextDecoder decoder;
  std::u16string text;
  if (!decoder.Decode(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), text) ||
      !decoder.Finish(text)) {
    return 0;
  }
  const auto first = toml::ParseString(text, preserve_comments);
  if (!first) {
    return 0;
  }
  const std::u16string written = toml::SerializeToString(*first, wrap_width, preserve_comments);
  const auto second = toml::ParseString(written, preserve_comments);
  Check(second != nullptr, "written text does not read back", written);
  // The first writing may drop comments it has no place for and puts tables made by dotted keys
  // after the plain keys; the values stay.
  const std::string values = CompareTrees(*first, *second, TreeCompareOptions{false, false});
  Check(values.empty(), values.c_str(), written);
  const std::u16string again = toml::SerializeToString(*second, wrap_width, preserve_comments);
  Check(again == written, "writing again changed the text", again);
  // From then on nothing changes, comments and order included.
  const auto third = toml::ParseString(again, preserve_comments);
  Check(third != nullptr, "text written twice does not read back", again);
  const std::string everything = CompareTrees(*second, *third);
  Check(everything.empty(), everything.c_str(), again);
  return 0;
}
