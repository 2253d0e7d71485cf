#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/file.h"
#include "toml/exceptions.h"
#include "toml/value.h"

namespace dactyra::toml {

// A new, empty document root (neither inline nor implicit), owned by the caller.
std::unique_ptr<TTOMLTable> NewTable();

// The entry points below give null for a text that does not parse; `reason`, when given,
// receives why (with the line and column where the parser stopped).

// The document of a TOML text; null when the text does not parse.
std::unique_ptr<TTOMLTable> ParseString(std::u16string_view input, bool preserve_comments,
                                        std::u16string* reason = nullptr);

// The document of a TOML file in UTF-8 (with or without its byte-order mark) or UTF-16 (with
// its mark), any line ends. Null when the bytes are not valid in their encoding or the text
// does not parse. Raises ETOMLFileOpenError when the file cannot be opened.
std::unique_ptr<TTOMLTable> ParseFile(std::u16string_view file_name, bool preserve_comments,
                                      std::u16string* reason = nullptr);

// As ParseFile, but a file that cannot be opened gives null too.
std::unique_ptr<TTOMLTable> LoadFromFile(std::u16string_view file_name, bool preserve_comments,
                                         std::u16string* reason = nullptr);

// The TOML text of a value (a document root, as a rule). Passes on the serializer's exception.
std::u16string SerializeToString(const TTOMLValue& value, std::int32_t wrap_width,
                                 bool preserve_comments);

// Writes the TOML text of a value to a file in UTF-8 with CR LF after every line, optionally
// after the byte-order mark EF BB BF. The file is replaced in one step: on any failure
// (the serializer's included) it is left exactly as it was, and the result says why.
FileWriteResult SerializeToFile(const TTOMLValue& value, std::u16string_view file_name,
                                bool write_bom, std::int32_t wrap_width, bool preserve_comments);

}  // namespace dactyra::toml
