#pragma once

#include <cstdint>
#include <string>

namespace dactyra::testing {

// The start of a PE file: a DOS header whose e_lfanew points at `nt_offset`, then the NT headers
// with `stamp` as the file header's TimeDateStamp. `length` cuts the file short (0: whole).
inline std::string PeHeaders(std::uint32_t stamp, std::uint32_t nt_offset = 0x80,
                             std::size_t length = 0) {
  std::string bytes(nt_offset + 264, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (int i = 0; i < 4; ++i) {
    bytes[0x3C + i] = static_cast<char>(nt_offset >> (8 * i));
    bytes[nt_offset + 8 + i] = static_cast<char>(stamp >> (8 * i));
  }
  bytes.replace(nt_offset, 4, std::string("PE\0\0", 4));
  return length == 0 ? bytes : bytes.substr(0, length);
}

}  // namespace dactyra::testing
