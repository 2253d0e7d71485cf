#include "toml/document_io.h"

#include <exception>

#include "base/text_decoding.h"
#include "base/utf.h"
#include "toml/serializer.h"

namespace dactyra::toml {
namespace {

std::u16string FailureText(const std::exception& failure) {
  if (const auto* error = dynamic_cast<const Error*>(&failure)) {
    return error->Message();
  }
  return Utf8ToUtf16(failure.what()).value_or(u"Unknown error");
}

}  // namespace

std::unique_ptr<TTOMLTable> NewTable() {
  return std::make_unique<TTOMLTable>();
}

std::u16string SerializeToString(const TTOMLValue& AValue, std::int32_t AWrapWidth,
                                 bool APreserveComments) {
  TTOMLSerializer serializer;
  return serializer.Serialize(AValue, AWrapWidth, APreserveComments);
}

FileWriteResult SerializeToFile(const TTOMLValue& AValue, std::u16string_view file_name,
                                bool write_bom, std::int32_t AWrapWidth, bool APreserveComments) {
  std::optional<std::string> bytes;
  try {
    bytes =
        Utf16ToUtf8(NormalizeLineBreaks(SerializeToString(AValue, AWrapWidth, APreserveComments)));
  } catch (const std::exception& failure) {
    return {false, FailureText(failure)};
  }
  if (!bytes) {
    return {false, u"The document holds text that is not valid Unicode"};
  }
  if (write_bom) {
    bytes->insert(0, "\xEF\xBB\xBF");
  }
  return WriteFileAtomically(file_name, *bytes);
}

}  // namespace dactyra::toml
