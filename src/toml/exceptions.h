#pragma once

#include "base/error.h"

namespace dactyra::toml {

// Every failure inside the TOML library; the message is fixed English text (with line and
// column where they are known).
class ETOMLException : public Error {
 public:
  using Error::Error;
};

// Raised by the lexer, the parser and by adding a duplicate key to an ordered table.
class ETOMLParserException : public ETOMLException {
 public:
  using ETOMLException::ETOMLException;
};

// Raised by the serializer.
class ETOMLSerializerException : public ETOMLException {
 public:
  using ETOMLException::ETOMLException;
};

// Raised by ParseFile when the file cannot be opened (missing, a folder, no access, locked).
class ETOMLFileOpenError : public ETOMLException {
 public:
  using ETOMLException::ETOMLException;
};

}  // namespace dactyra::toml
