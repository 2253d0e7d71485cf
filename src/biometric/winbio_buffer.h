#pragma once

#include "biometric/winbio_types.h"

namespace dactyra {

// An array that the biometric service allocated (sensors, sub-factors), released with the
// service's own Free when it is replaced or goes. Holds none until a call fills it.
template <typename T>
class TWinBioBuffer {
 public:
  TWinBioBuffer() = default;
  ~TWinBioBuffer() { Reset(); }
  TWinBioBuffer(const TWinBioBuffer&) = delete;
  TWinBioBuffer& operator=(const TWinBioBuffer&) = delete;

  // Releases the array held, if any. An array whose Free entry was never resolved is only
  // forgotten: there is nothing that could release it.
  void Reset() {
    if (data_ != nullptr && free_ != nullptr) {
      free_(data_);
    }
    data_ = nullptr;
    free_ = nullptr;
  }

  // Where the service stores a new array, which `free` then releases: the old one goes first.
  T** Receive(TWinBioFree free) {
    Reset();
    free_ = free;
    return &data_;
  }

  T* Get() const { return data_; }
  bool Held() const { return data_ != nullptr; }

 private:
  T* data_ = nullptr;
  TWinBioFree free_ = nullptr;
};

}  // namespace dactyra
