#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "base/wide.h"
#include "platform/platform.h"

namespace dactyra::platform {

std::u16string ExecutablePath() {
  constexpr std::size_t kLongestPath = 32768;
  // Long paths do not fit MAX_PATH: grow until the whole path fits with its terminator.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) {
      return {};
    }
    if (length < size) {
      return FromWide(std::wstring_view(buffer.data(), length));
    }
    if (buffer.size() >= kLongestPath) {
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::u16string> LocalAppDataFolder() {
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
  std::optional<std::u16string> folder;
  if (SUCCEEDED(result) && path != nullptr) {
    folder = FromWide(path) + u"\\";
  }
  CoTaskMemFree(path);  // also when the call failed
  return folder;
}

}  // namespace dactyra::platform
