#pragma once

// A kernel object's handle, closed at the end of its owner's life.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace dactyra::sim {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

}  // namespace dactyra::sim
