#include "app/link_time.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "base/error.h"

namespace dactyra {
namespace {

constexpr std::streamoff kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 0x3C;  // e_lfanew
// The signature, the file header and the 64-bit optional header.
constexpr std::streamsize kNtHeadersSize = 264;
constexpr std::size_t kTimeDateStampField = 8;  // in the NT headers

std::uint32_t LittleEndian32(const char* bytes) {
  std::uint32_t value = 0;
  for (int index = 3; index >= 0; --index) {
    value = (value << 8) | static_cast<unsigned char>(bytes[index]);
  }
  return value;
}

}  // namespace

TLinkTime ReadLinkTime(std::u16string_view filename) {
  std::ifstream file(std::filesystem::path(filename), std::ios::binary);
  if (!file) {
    throw Error(u"Cannot open \"" + std::u16string(filename) + u"\".");
  }
  TLinkTime result;
  std::array<char, kDosHeaderSize> dos{};
  if (!file.read(dos.data(), dos.size())) {
    result.Error = u"The file is too short for a DOS header.";
    return result;
  }
  const std::uint32_t offset = LittleEndian32(dos.data() + kNewHeaderOffsetField);
  std::array<char, kNtHeadersSize> headers{};
  if (!file.seekg(offset) || !file.read(headers.data(), headers.size())) {
    result.Error = u"The file ends before its PE headers.";
    return result;
  }
  const std::uint32_t stamp = LittleEndian32(headers.data() + kTimeDateStampField);
  const std::optional<platform::LocalDateTime> local = platform::UtcSecondsToLocalTime(stamp);
  if (!local) {
    result.Error = u"The link time cannot be converted to local time.";
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
