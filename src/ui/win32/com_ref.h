#pragma once

// A counted reference to a COM object, released when it goes.

#include <windows.h>

#include <utility>

namespace dactyra::ui::detail {

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  // Takes over a reference the caller holds.
  explicit ComRef(Interface* adopted) : object_(adopted) {}
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  Interface& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For a call that hands out a reference: the place to put it (what was held is released).
  Interface** Receive() {
    Reset();
    return &object_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

 private:
  void Reset() {
    if (object_ != nullptr) {
      std::exchange(object_, nullptr)->Release();
    }
  }

  Interface* object_ = nullptr;
};

}  // namespace dactyra::ui::detail
