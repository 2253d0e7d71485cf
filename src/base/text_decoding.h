#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dactyra {

// Decodes the bytes of a text file. The byte-order mark chooses the encoding: EF BB BF is
// UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian; without one the bytes are UTF-8.
// The mark itself is not part of the text. Bytes that are not valid in that encoding (a
// malformed UTF-8 sequence, an unpaired surrogate, an odd number of UTF-16 bytes) give no
// text at all, so that nothing is ever guessed or replaced.
std::optional<std::u16string> DecodeText(std::string_view bytes);

// The text with every line break (CR LF, a lone LF, a lone CR) written as CR LF and with a
// CR LF after the last line too. A final line break adds no empty line; empty text stays empty.
std::u16string NormalizeLineBreaks(std::u16string_view text);

}  // namespace dactyra
