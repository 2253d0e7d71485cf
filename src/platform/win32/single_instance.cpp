#include <windows.h>

#include <utility>

#include "base/wide.h"
#include "platform/platform.h"

namespace dactyra::platform {

// A named mutex in the session's namespace decides: the system drops it with the last handle,
// so an instance that was killed does not keep later ones from starting. The global atom of the
// same name is kept for anyone who looks for it, but it decides nothing: a killed instance
// leaves it behind until the logon session ends.
std::optional<SingleInstance> SingleInstance::Acquire(std::u16string_view name) {
  const std::wstring mutex_name = L"Local\\" + ToWide(name);
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, mutex_name.c_str());
  if (mutex == nullptr) {
    return std::nullopt;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return std::nullopt;
  }
  const std::wstring atom_name = ToWide(name);
  GlobalAddAtomW(atom_name.c_str());
  return SingleInstance(reinterpret_cast<std::uintptr_t>(mutex), std::u16string(name));
}

SingleInstance::SingleInstance(SingleInstance&& other) noexcept
    : mutex_(std::exchange(other.mutex_, 0)), name_(std::move(other.name_)) {}

SingleInstance::~SingleInstance() {
  if (mutex_ == 0) {
    return;
  }
  const std::wstring atom_name = ToWide(name_);
  if (const ATOM atom = GlobalFindAtomW(atom_name.c_str()); atom != 0) {
    GlobalDeleteAtom(atom);
  }
  CloseHandle(reinterpret_cast<HANDLE>(mutex_));
}

}  // namespace dactyra::platform
