#include <windows.h>

#include "base/wide.h"
#include "platform/platform.h"

namespace dactyra::platform {

ModuleHandle LoadSystemModule(std::u16string_view dll_name) {
  // A bare file name only: a path would be loaded from wherever it points.
  if (dll_name.empty() || dll_name.find_first_of(u"\\/:") != std::u16string_view::npos) {
    return 0;
  }
  const std::wstring name = ToWide(dll_name);
  const HMODULE module = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return reinterpret_cast<ModuleHandle>(module);
}

void FreeSystemModule(ModuleHandle module) {
  if (module != 0) {
    FreeLibrary(reinterpret_cast<HMODULE>(module));
  }
}

ExportAddress FindExport(ModuleHandle module, const char* export_name) {
  if (module == 0) {
    return nullptr;
  }
  return reinterpret_cast<ExportAddress>(
      GetProcAddress(reinterpret_cast<HMODULE>(module), export_name));
}

ModuleHandle AddModuleReference(ModuleHandle module) {
  if (module == 0) {
    return 0;
  }
  // A module handle is the address the module is loaded at; asking for the module that holds
  // that address takes a counted reference on it.
  HMODULE referenced = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(module),
                          &referenced)) {
    return 0;
  }
  return reinterpret_cast<ModuleHandle>(referenced);
}

}  // namespace dactyra::platform
