#pragma once

// Where the simulators' DLLs find their state and what they bring along: an environment
// variable, or a file beside the DLL.
#include <string>
#include <string_view>

namespace dactyra::sim {

// The folder of the module (DLL) that holds `address`, with its trailing backslash; empty when
// it cannot be told.
std::u16string ModuleFolderOf(const void* address);

// The path the environment variable `variable` names, else `file_name` in the folder of the
// DLL that holds `address`.
std::u16string StatePathOf(const wchar_t* variable, std::u16string_view file_name,
                           const void* address);

}  // namespace dactyra::sim
