#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dactyra {

// Exactly two upper-case hexadecimal digits: 0xF5 gives "F5".
std::u16string Hex2(std::uint8_t value);

// Exactly eight upper-case hexadecimal digits: 0x00098001 gives "00098001".
std::u16string Hex8(std::uint32_t value);

// A sub-factor or finger id as the program shows and stores it: "0x" + Hex2 ("0xF5").
std::u16string FingerIdText(std::uint8_t value);

// The value of a finger id written exactly as FingerIdText writes it; none for any other text
// ("0xf5", "F5", "0x5").
std::optional<std::uint8_t> FingerIdFromText(std::u16string_view text);

}  // namespace dactyra
