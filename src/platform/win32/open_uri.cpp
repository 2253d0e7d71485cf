// Opening a URI through the shell. shell32.dll and ole32.dll are loaded from the system
// directory when a URI is opened, not imported: the program needs them only here.

#include <windows.h>
// Separate include block: these need the types of windows.h.
#include <objbase.h>
#include <shellapi.h>

#include <cstdint>

#include "base/wide.h"
#include "platform/open_uri.h"
#include "platform/platform.h"

namespace dactyra::platform {
namespace {

using ShellExecuteFunction = decltype(&ShellExecuteW);
using CoInitializeExFunction = decltype(&CoInitializeEx);
using CoUninitializeFunction = decltype(&CoUninitialize);

// COM on the calling thread for the scope, as the shell may hand a URI to a COM handler.
class ComScope {
 public:
  explicit ComScope(const Module& ole32)
      : uninitialize_(ole32.Find<CoUninitializeFunction>("CoUninitialize")) {
    const auto initialize = ole32.Find<CoInitializeExFunction>("CoInitializeEx");
    initialized_ =
        initialize != nullptr && uninitialize_ != nullptr &&
        SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ComScope() {
    if (initialized_) {
      uninitialize_();
    }
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  CoUninitializeFunction uninitialize_;
  bool initialized_ = false;
};

}  // namespace

bool OpenUri(std::u16string_view uri) {
  const Module shell32(u"shell32.dll");
  const Module ole32(u"ole32.dll");
  const auto shell_execute = shell32.Find<ShellExecuteFunction>("ShellExecuteW");
  if (shell_execute == nullptr) {
    return false;
  }
  const ComScope com(ole32);
  const std::wstring target = ToWide(uri);
  const HINSTANCE result =
      shell_execute(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Values above 32 mean success; the others are error codes.
  return reinterpret_cast<std::intptr_t>(result) > 32;
}

}  // namespace dactyra::platform
