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

std::unique_ptr<TTOMLTable> ParseString(std::u16string_view input, bool preserve_comments) {
  try {
    TTOMLParser parser(input, preserve_comments);
    return parser.Parse();
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<TTOMLTable> ParseFile(std::u16string_view file_name, bool preserve_comments) {
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
  return ParseString(NormalizeLineBreaks(*text), preserve_comments);
}

std::unique_ptr<TTOMLTable> LoadFromFile(std::u16string_view file_name, bool preserve_comments) {
  try {
    return ParseFile(file_name, preserve_comments);
  } catch (...) {
    return nullptr;
  }
}

std::u16string SerializeToString(const TTOMLValue& value, std::int32_t wrap_width,
                                 bool preserve_comments) {
  TTOMLSerializer serializer;
  return serializer.Serialize(value, wrap_width, preserve_comments);
}

FileWriteResult SerializeToFile(const TTOMLValue& value, std::u16string_view file_name,
                                bool write_bom, std::int32_t wrap_width, bool preserve_comments) {
  std::optional<std::string> bytes;
  try {
    bytes =
        Utf16ToUtf8(NormalizeLineBreaks(SerializeToString(value, wrap_width, preserve_comments)));
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
