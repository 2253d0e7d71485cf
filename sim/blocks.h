#pragma once

// Memory the service hands out (unit and sub-factor arrays), kept until the caller gives it
// back through WinBioFree; whatever is left goes with the service.

#include <cstddef>
#include <map>
#include <memory>
#include <span>

namespace dactyra::sim {

class Blocks {
 public:
  // A copy of `bytes` in a new block (suitably aligned for any record); null for no bytes.
  void* Allocate(std::span<const std::byte> bytes);

  // Releases a block handed out before; false for anything else (nothing happens then).
  bool Release(void* address);

  std::size_t Count() const { return blocks_.size(); }

 private:
  std::map<void*, std::unique_ptr<std::byte[]>> blocks_;
};

}  // namespace dactyra::sim
