#include "sim/blocks.h"

#include <algorithm>

namespace dactyra::sim {

void* Blocks::Allocate(std::span<const std::byte> bytes) {
  if (bytes.empty()) {
    return nullptr;
  }
  auto block = std::make_unique<std::byte[]>(bytes.size());
  std::ranges::copy(bytes, block.get());
  void* address = block.get();
  blocks_.emplace(address, std::move(block));
  return address;
}

bool Blocks::Release(void* address) {
  return blocks_.erase(address) == 1;
}

}  // namespace dactyra::sim
