#include "base/hex.h"

namespace dactyra {
namespace {

constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
constexpr std::u16string_view kFingerIdPrefix = u"0x";

std::u16string HexDigits(std::uint32_t value, int digits) {
  std::u16string out(static_cast<size_t>(digits), u'0');
  for (int i = digits - 1; i >= 0; --i) {
    out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    value >>= 4;
  }
  return out;
}

}  // namespace

std::u16string Hex2(std::uint8_t value) {
  return HexDigits(value, 2);
}

std::u16string Hex8(std::uint32_t value) {
  return HexDigits(value, 8);
}

std::u16string FingerIdText(std::uint8_t value) {
  return std::u16string(kFingerIdPrefix) + Hex2(value);
}

std::optional<std::uint8_t> FingerIdFromText(std::u16string_view text) {
  if (text.size() != kFingerIdPrefix.size() + 2 || !text.starts_with(kFingerIdPrefix)) {
    return std::nullopt;
  }
  const std::size_t high = kDigits.find(text[2]);
  const std::size_t low = kDigits.find(text[3]);
  if (high == std::u16string_view::npos || low == std::u16string_view::npos) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(high * 16 + low);
}

}  // namespace dactyra
