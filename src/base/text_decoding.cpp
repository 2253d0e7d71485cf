#include "base/text_decoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/utf.h"

namespace dactyra {
namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether any of the eight bytes of a word equals the byte.
bool HasByte(std::uint64_t word, unsigned char byte) {
  const std::uint64_t x = word ^ (0x0101010101010101u * byte);
  return ((x - 0x0101010101010101u) & ~x & 0x8080808080808080u) != 0;
}

}  // namespace

// Collects decoded units in a small buffer and appends them to the text run by run (so the text
// is never filled before it is written). Every line break becomes one LF here.
class TextDecoder::Output {
 public:
  Output(TextDecoder& decoder, std::u16string& text) : decoder_(decoder), text_(text) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  bool AfterCr() const { return decoder_.after_cr_; }

  void Put(char16_t unit) {
    if (unit == u'\n' && decoder_.after_cr_) {
      decoder_.after_cr_ = false;
      return;
    }
    decoder_.after_cr_ = unit == u'\r';
    if (decoder_.after_cr_) {
      unit = u'\n';
    }
    if (size_ == kSize) {
      Flush();
    }
    buffer_[size_++] = unit;
    decoder_.last_unit_ = unit;
  }

  // ASCII bytes, none of them a CR, while the last unit was no CR.
  void PutAscii(const unsigned char* bytes, std::size_t count) {
    decoder_.last_unit_ = bytes[count - 1];
    while (count > 0) {
      if (size_ == kSize) {
        Flush();
      }
      const std::size_t take = std::min(count, kSize - size_);
      for (std::size_t k = 0; k < take; ++k) {
        buffer_[size_ + k] = bytes[k];
      }
      size_ += take;
      bytes += take;
      count -= take;
    }
  }

  void Flush() {
    text_.append(buffer_, size_);
    size_ = 0;
  }

 private:
  static constexpr std::size_t kSize = 4096;

  TextDecoder& decoder_;
  std::u16string& text_;
  char16_t buffer_[kSize];
  std::size_t size_ = 0;
};

void TextDecoder::ChooseEncoding() {
  const std::string_view start = pending_;
  if (start.starts_with("\xEF\xBB\xBF")) {
    encoding_ = Encoding::kUtf8;
    pending_.erase(0, 3);
  } else if (start.starts_with("\xFF\xFE")) {
    encoding_ = Encoding::kUtf16LittleEndian;
    pending_.erase(0, 2);
  } else if (start.starts_with("\xFE\xFF")) {
    encoding_ = Encoding::kUtf16BigEndian;
    pending_.erase(0, 2);
  } else {
    encoding_ = Encoding::kUtf8;
  }
}

bool TextDecoder::Decode(std::string_view bytes, std::u16string& text) {
  if (failed_) {
    return false;
  }
  Output out(*this, text);
  if (encoding_ == Encoding::kNotKnown) {
    // The mark is at most three bytes long.
    const std::size_t take = std::min(bytes.size(), 3 - pending_.size());
    pending_.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    if (pending_.size() < 3) {
      return true;
    }
    ChooseEncoding();
    failed_ = !DecodeSome(std::exchange(pending_, {}), out);
  }
  // A sequence left unfinished before is completed a byte at a time: it is short.
  while (!failed_ && !pending_.empty() && !bytes.empty()) {
    std::string waiting = std::exchange(pending_, {});
    waiting.push_back(bytes.front());
    bytes.remove_prefix(1);
    failed_ = !DecodeSome(waiting, out);
  }
  if (!failed_ && pending_.empty()) {
    failed_ = !DecodeSome(bytes, out);
  }
  out.Flush();
  return !failed_;
}

bool TextDecoder::Finish(std::u16string& text) {
  if (failed_) {
    return false;
  }
  Output out(*this, text);
  if (encoding_ == Encoding::kNotKnown) {
    ChooseEncoding();
    failed_ = !DecodeSome(std::exchange(pending_, {}), out);
  }
  failed_ = failed_ || !pending_.empty() || after_high_;
  if (!failed_ && last_unit_ != 0 && last_unit_ != u'\n') {
    out.Put(u'\n');
  }
  out.Flush();
  return !failed_;
}

bool TextDecoder::DecodeSome(std::string_view bytes, Output& out) {
  return encoding_ == Encoding::kUtf8 ? DecodeUtf8(bytes, out) : DecodeUtf16(bytes, out);
}

bool TextDecoder::DecodeUtf8(std::string_view bytes, Output& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    // Most text is plain ASCII: as far as eight bytes at a time hold neither a CR nor more.
    std::size_t plain = i;
    while (plain + 8 <= n) {
      std::uint64_t word = 0;
      std::memcpy(&word, p + plain, 8);
      if ((word & 0x8080808080808080u) != 0 || HasByte(word, '\r')) {
        break;
      }
      plain += 8;
    }
    if (plain > i && !out.AfterCr()) {
      out.PutAscii(p + i, plain - i);
      i = plain;
    }
    if (i == n) {
      break;
    }
    const unsigned char lead = p[i];
    if (lead < 0x80) {
      out.Put(lead);
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(lead);
    if (length == 0) {
      return false;
    }
    if (n - i < length) {
      // The rest of the sequence comes with the next bytes.
      pending_.assign(bytes.substr(i));
      return true;
    }
    const std::optional<char32_t> cp = DecodeUtf8Sequence(bytes.substr(i, length));
    if (!cp) {
      return false;
    }
    const Utf16Units units = ToUtf16(*cp);
    for (std::size_t k = 0; k < units.count; ++k) {
      out.Put(units.unit[k]);
    }
    i += length;
  }
  return true;
}

bool TextDecoder::DecodeUtf16(std::string_view bytes, Output& out) {
  const bool big_endian = encoding_ == Encoding::kUtf16BigEndian;
  std::size_t i = 0;
  for (; i + 2 <= bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit =
        static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    if (IsLowSurrogate(unit) != after_high_) {
      return false;
    }
    after_high_ = IsHighSurrogate(unit);
    out.Put(unit);
  }
  pending_.assign(bytes.substr(i));
  return true;
}

std::u16string NormalizeLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
        ++i;
      }
      out += u"\r\n";
    } else {
      out.push_back(c);
    }
  }
  if (!text.empty() && text.back() != u'\r' && text.back() != u'\n') {
    out += u"\r\n";
  }
  return out;
}

}  // namespace dactyra
