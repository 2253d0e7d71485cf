#include <windows.h>

#include <vector>

#include "base/wide.h"
#include "platform/platform.h"

namespace dactyra::platform {
namespace {

// Four lower-case hexadecimal digits, as the names of version string blocks are written.
std::wstring Hex4Lower(WORD value) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring out(4, L'0');
  for (int i = 3; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    value = static_cast<WORD>(value >> 4);
  }
  return out;
}

// The string block of the first translation the resource lists, or the common US English /
// Western block when it lists none.
std::wstring StringBlockName(const void* resource) {
  struct Translation {
    WORD language;
    WORD code_page;
  };
  void* found = nullptr;
  UINT size = 0;
  if (VerQueryValueW(resource, L"\\VarFileInfo\\Translation", &found, &size) &&
      size >= sizeof(Translation)) {
    const auto* translation = static_cast<const Translation*>(found);
    return Hex4Lower(translation->language) + Hex4Lower(translation->code_page);
  }
  return L"040904E4";
}

}  // namespace

std::u16string FileVersionField(std::u16string_view file_path, std::u16string_view key) {
  const std::wstring path = ToWide(file_path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) {
    return {};
  }
  std::vector<std::uint8_t> resource(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, resource.data())) {
    return {};
  }
  const std::wstring query =
      L"\\StringFileInfo\\" + StringBlockName(resource.data()) + L"\\" + ToWide(key);
  void* found = nullptr;
  UINT length = 0;  // in characters, terminator included
  if (!VerQueryValueW(resource.data(), query.c_str(), &found, &length) || found == nullptr) {
    return {};
  }
  return FromWideBuffer(static_cast<const wchar_t*>(found), length);
}

}  // namespace dactyra::platform
