#include "platform/platform.h"

namespace dactyra::platform {

// No system DLLs here: nothing loads. Tests hand the biometric binding its functions directly.
ModuleHandle LoadSystemModule(std::u16string_view) {
  return 0;
}

void FreeSystemModule(ModuleHandle) {}

ExportAddress FindExport(ModuleHandle, const char*) {
  return nullptr;
}

}  // namespace dactyra::platform
