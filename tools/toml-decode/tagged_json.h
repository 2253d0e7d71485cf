#pragma once

#include <string>

#include "toml/value.h"

namespace dactyra::toml {

// A document as the tagged JSON of the TOML conformance suites: tables become objects (keys in
// document order), arrays arrays, and every scalar {"type": ..., "value": "..."}.
std::string ToTaggedJson(const TTOMLTable& root);

}  // namespace dactyra::toml
