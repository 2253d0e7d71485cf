#include "documents/link_time.h"

#include <cstdint>
#include <string_view>

#include "base/error.h"
#include "base/file.h"
#include "base/format.h"
#include "documents/link_time_texts.h"

namespace dactyra {
namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 0x3C;  // e_lfanew
// The signature, the file header and the 64-bit optional header.
constexpr std::size_t kNtHeadersSize = 264;
constexpr std::size_t kTimeDateStampField = 8;  // in the NT headers

std::uint32_t LittleEndian32(const char* bytes) {
  std::uint32_t value = 0;
  for (int index = 3; index >= 0; --index) {
    value = (value << 8) | static_cast<unsigned char>(bytes[index]);
  }
  return value;
}

}  // namespace

TLinkTime ReadLinkTime(std::u16string_view filename, const TextSource& texts) {
  const FileReadResult file = ReadWholeFile(filename);
  if (file.status == FileReadResult::Status::kCannotOpen) {
    throw Error(Format(texts.Get(kLinkTimeNotOpened), filename));
  }
  TLinkTime result;
  if (file.status != FileReadResult::Status::kOk) {
    result.Error = file.reason;
    return result;
  }
  const std::string_view bytes = file.bytes;
  if (bytes.size() < kDosHeaderSize) {
    result.Error = texts.Get(kLinkTimeTooShort);
    return result;
  }
  const std::uint64_t offset = LittleEndian32(bytes.data() + kNewHeaderOffsetField);
  if (offset + kNtHeadersSize > bytes.size()) {
    result.Error = texts.Get(kLinkTimeNoHeaders);
    return result;
  }
  const std::uint32_t stamp = LittleEndian32(bytes.data() + offset + kTimeDateStampField);
  const std::optional<platform::LocalDateTime> local = platform::UtcSecondsToLocalTime(stamp);
  if (!local) {
    result.Error = texts.Get(kLinkTimeNotLocal);
    return result;
  }
  result.Time = *local;
  return result;
}

std::u16string FormatDateTime(const platform::LocalDateTime& value) {
  std::u16string text = platform::FormatShortDate(value);
  if (value.hour != 0 || value.minute != 0 || value.second != 0) {
    text += u" " + platform::FormatLongTime(value);
  }
  return text;
}

}  // namespace dactyra
