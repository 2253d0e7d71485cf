#pragma once

// Touches: what a sensor saw. Each is one small TOML file in the spool folder (any name ending
// in ".toml"); they are taken in name order and deleted when taken:
//
//   unit = 1
//   identity = "current"   # or a SID text; "current" when left out
//   subfactor = 0xF5
//
// or, instead of a finger, `bad = 4` (a capture too poor to use, with that reject detail) or
// `fail = 0x80098036` (the sensor fails with that code).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "biometric/winbio_types.h"
#include "toml/value.h"

namespace dactyra::sim {

struct Touch {
  enum class Kind { kFinger, kBad, kFail };

  Kind kind = Kind::kFinger;
  WINBIO_UNIT_ID unit = 0;
  std::u16string identity;  // "current" or a SID text (fingers only)
  WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
  WINBIO_REJECT_DETAIL reject_detail = 0;  // bad captures only
  HRESULT code = 0;                        // failures only
};

// The touch a document describes; none when a key is missing or has the wrong kind or range,
// or when it names more than one of subfactor, bad and fail.
std::optional<Touch> TouchFromDocument(const toml::TTOMLTable& document);

// The TOML text of a touch, in the file format above.
std::u16string TouchText(const Touch& touch);

// One file taken from the spool: its touch, or none when the file did not hold a valid one.
struct TakenTouch {
  std::optional<Touch> touch;
  std::filesystem::path file;
};

// Takes (reads and deletes) the first touch file of the folder in name order. None when there
// is none (or no such folder).
std::optional<TakenTouch> TakeNextTouch(const std::filesystem::path& spool);

}  // namespace dactyra::sim
