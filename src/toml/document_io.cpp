#include "toml/document_io.h"

#include <exception>
#include <optional>
#include <vector>

#include "base/format.h"
#include "base/text_decoding.h"
#include "base/utf.h"
#include "toml/exceptions.h"
#include "toml/parser.h"
#include "toml/serializer.h"

namespace dactyra::toml {
namespace {

// The text of a file for the lexer, read and decoded a piece at a time: neither the file's bytes
// nor its whole text are ever held at once.
class TFileTextFeed final : public TTOMLTextFeed {
 public:
  explicit TFileTextFeed(FileReader& file) : FFile(file), FBytes(64 * 1024) {}

  bool AppendTo(std::u16string& text) override {
    if (FFinished) {
      return false;
    }
    const std::optional<std::size_t> got = FFile.Read(FBytes);
    if (!got) {
      throw ETOMLParserException(FFile.Reason());
    }
    const std::size_t before = text.size();
    const bool decoded = *got == 0 ? FDecoder.Finish(text)
                                   : FDecoder.Decode(std::string_view(FBytes.data(), *got), text);
    if (!decoded) {
      throw ETOMLParserException(u"The file is not valid UTF-8 or UTF-16 text");
    }
    FFinished = *got == 0;
    return !FFinished || text.size() > before;
  }

 private:
  FileReader& FFile;
  std::vector<char> FBytes;
  TextDecoder FDecoder;
  bool FFinished = false;
};

// Null, with why in `reason` when it is wanted.
std::unique_ptr<TTOMLTable> Failed(const std::exception& failure, std::u16string* reason) {
  if (reason != nullptr) {
    *reason = ErrorText(failure);
  }
  return nullptr;
}

// The document the parser reads; null, with why and where in `reason` when it is wanted, when
// it fails. A rule about the document as a whole names no place: it broke where the parser
// stands.
template <typename Source>
std::unique_ptr<TTOMLTable> Parse(Source& source, bool preserve_comments, std::u16string* reason) {
  std::optional<TTOMLParser> parser;
  try {
    parser.emplace(source, preserve_comments);
    return parser->Parse();
  } catch (const ETOMLParserException& failure) {
    if (reason == nullptr || parser == std::nullopt ||
        failure.Message().find(u" at line ") != std::u16string::npos) {
      return Failed(failure, reason);
    }
    *reason =
        Format(u"%s at line %d, column %d", failure.Message(), parser->Line(), parser->Column());
    return nullptr;
  } catch (const std::exception& failure) {
    return Failed(failure, reason);
  }
}

}  // namespace

std::unique_ptr<TTOMLTable> NewTable() {
  return std::make_unique<TTOMLTable>();
}

std::unique_ptr<TTOMLTable> ParseString(std::u16string_view input, bool preserve_comments,
                                        std::u16string* reason) {
  return Parse(input, preserve_comments, reason);
}

std::unique_ptr<TTOMLTable> ParseFile(std::u16string_view file_name, bool preserve_comments,
                                      std::u16string* reason) {
  FileReader file(file_name);
  if (!file.IsOpen()) {
    throw ETOMLFileOpenError(file.Reason());
  }
  TFileTextFeed feed(file);
  return Parse(feed, preserve_comments, reason);
}

std::unique_ptr<TTOMLTable> LoadFromFile(std::u16string_view file_name, bool preserve_comments,
                                         std::u16string* reason) {
  try {
    return ParseFile(file_name, preserve_comments, reason);
  } catch (const std::exception& failure) {
    return Failed(failure, reason);
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
    return {false, ErrorText(failure)};
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
