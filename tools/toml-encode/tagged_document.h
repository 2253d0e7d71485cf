#pragma once

#include <memory>
#include <string>

#include "json_reader.h"
#include "toml/value.h"

namespace dactyra::tools {

// Builds a TOML document from the tagged JSON of the TOML conformance suites: an object is a
// table, an array an array, and {"type": T, "value": "text"} a scalar of type string, integer,
// float, bool, datetime, datetime-local, date-local or time-local. On failure: null, and `error`
// says why.
std::unique_ptr<toml::TTOMLTable> TaggedJsonToDocument(const JsonValue& json, std::string& error);

}  // namespace dactyra::tools
