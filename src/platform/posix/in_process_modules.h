#pragma once

// Libraries that live inside the process, for the builds without system DLLs. A name registered
// here is what LoadSystemModule loads under that name: it hands out a handle and counts the
// references, and FindExport asks the registered resolver for each export. Native tests use it
// to put a stand-in (such as the simulated biometric service) behind the program's own loading
// code.

#include <string_view>

#include "platform/platform.h"

namespace dactyra::platform {

// Gives the address of an export by its exact name, or null.
using ExportResolver = ExportAddress (*)(const char* export_name);

// Makes `dll_name` loadable (the name is compared without regard to ASCII case, as the system
// does). A module registered before under the same name is replaced; handles to it stop
// working.
void RegisterInProcessModule(std::u16string_view dll_name, ExportResolver resolver);

// Makes `dll_name` unloadable; handles still held stop finding exports and their release is a
// no-op.
void UnregisterInProcessModule(std::u16string_view dll_name);

// The references taken by LoadSystemModule and not yet released by FreeSystemModule; 0 for a
// name that is not registered.
int InProcessModuleReferences(std::u16string_view dll_name);

}  // namespace dactyra::platform
