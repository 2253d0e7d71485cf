#include "toml/document_io.h"

#include <exception>

#include "base/text_decoding.h"
#include "base/utf.h"
#include "toml/parser.h"
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

std::unique_ptr<TTOMLTable> ParseString(std::u16string_view AInput, bool APreserveComments) {
  try {
    TTOMLParser parser(AInput, APreserveComments);
    return parser.Parse();
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<TTOMLTable> ParseFile(std::u16string_view file_name, bool APreserveComments) {
  FileReadResult file = ReadWholeFile(file_name);
  if (file.status == FileReadResult::Status::kCannotOpen) {
    throw TOMLFileOpenError(file.reason);
  }
  if (file.status != FileReadResult::Status::kOk) {
    return nullptr;
  }
  const std::optional<std::u16string> text = DecodeText(file.bytes);
  if (!text) {
    return nullptr;
  }
  file.bytes.clear();
  return ParseString(NormalizeLineBreaks(*text), APreserveComments);
}

std::unique_ptr<TTOMLTable> LoadFromFile(std::u16string_view file_name, bool APreserveComments) {
  try {
    return ParseFile(file_name, APreserveComments);
  } catch (...) {
    return nullptr;
  }
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
