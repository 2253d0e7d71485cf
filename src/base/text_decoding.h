#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dactyra {

// Decodes the bytes of a text file piece by piece, as they are read, so that the file's bytes
// need never be held whole. The byte-order mark chooses the encoding: EF BB BF is UTF-8, FF FE
// UTF-16 little-endian, FE FF UTF-16 big-endian; without one the bytes are UTF-8. The mark
// itself is not part of the text. Every line break (CR LF, a lone CR, a lone LF) arrives as one
// LF, and a last line ends with one. Bytes that are not valid in their encoding (a malformed
// UTF-8 sequence, an unpaired surrogate, an odd number of UTF-16 bytes) fail the decoding, so
// that nothing is ever guessed or replaced.
class TextDecoder {
 public:
  // Appends the text of the next bytes; false when they are not valid (and from then on).
  bool Decode(std::string_view bytes, std::u16string& text);
  // The bytes have ended: appends what is still due; false when they end inside a sequence.
  bool Finish(std::u16string& text);

 private:
  enum class Encoding { kNotKnown, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };
  class Output;

  void ChooseEncoding();
  // Decode the complete sequences of the bytes and keep an unfinished one in pending_.
  bool DecodeSome(std::string_view bytes, Output& out);
  bool DecodeUtf8(std::string_view bytes, Output& out);
  bool DecodeUtf16(std::string_view bytes, Output& out);

  Encoding encoding_ = Encoding::kNotKnown;
  std::string pending_;  // the start of a sequence that the next bytes complete, or of the mark
  bool failed_ = false;
  bool after_cr_ = false;    // the last unit was a CR, so an LF now ends the same line
  bool after_high_ = false;  // the last unit was a high surrogate: a low one must follow
  char16_t last_unit_ = 0;   // the last unit written; 0 before the first
};

// The text with every line break (CR LF, a lone LF, a lone CR) written as CR LF and with a
// CR LF after the last line too. A final line break adds no empty line; empty text stays empty.
std::u16string NormalizeLineBreaks(std::u16string_view text);

}  // namespace dactyra
