#pragma once

// Where the simulators' DLLs find their state: an environment variable, or a file beside the
// DLL.
#include <string>
#include <string_view>

namespace dactyra::sim {

// The path the environment variable `variable` names, else `file_name` in the folder of the
// DLL that holds `address`.
std::u16string StatePathOf(const wchar_t* variable, std::u16string_view file_name,
                           const void* address);

}  // namespace dactyra::sim
