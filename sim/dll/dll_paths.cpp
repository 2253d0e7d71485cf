#include "sim/dll/dll_paths.h"

#include <windows.h>

namespace dactyra::sim {
namespace {

// The value of the environment variable `name`; empty when it is not set.
std::u16string EnvironmentValue(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length < value.size()) {
      value.resize(length);  // 0 when not set
      return std::u16string(value.begin(), value.end());
    }
    value.resize(length);
  }
}

}  // namespace

std::u16string ModuleFolderOf(const void* address) {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(address), &self)) {
    return {};
  }
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::u16string(path.begin(),
                        path.begin() + static_cast<std::ptrdiff_t>(path.rfind(L'\\') + 1));
}

std::u16string StatePathOf(const wchar_t* variable, std::u16string_view file_name,
                           const void* address) {
  std::u16string path = EnvironmentValue(variable);
  return path.empty() ? ModuleFolderOf(address) + std::u16string(file_name) : path;
}

}  // namespace dactyra::sim
