#pragma once

// Access tokens, shared by the files of the Win32 platform layer.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace dactyra::platform::win32 {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The binary SID of the user a token (opened with TOKEN_QUERY) belongs to; none when it cannot
// be read.
std::optional<std::vector<std::uint8_t>> TokenUserSid(HANDLE token);

}  // namespace dactyra::platform::win32
