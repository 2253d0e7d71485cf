#include "base/hex.h"

namespace dactyra {
namespace {

std::u16string HexDigits(std::uint32_t value, int digits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
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
  return u"0x" + Hex2(value);
}

}  // namespace dactyra
