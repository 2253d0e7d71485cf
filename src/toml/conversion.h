#pragma once

#include <memory>

#include "toml/lexer.h"
#include "toml/value.h"

namespace dactyra::toml {

// Turn scalar tokens, as the lexer delivered them, into values. Failures raise
// ETOMLParserException.

// Integer and float tokens and the words inf and nan (signed or not).
std::unique_ptr<TTOMLValue> ConvertNumber(const TToken& token);

// true when the word is exactly "true".
std::unique_ptr<TTOMLBoolean> ConvertBoolean(const TToken& token);

// Dates, times and date-times; every failure reads "Error parsing datetime: ... at line N".
std::unique_ptr<TTOMLDateTime> ConvertDateTime(const TToken& token);

}  // namespace dactyra::toml
