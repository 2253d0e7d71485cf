#pragma once

#include <cstddef>
#include <memory>
#include <utility>

namespace dactyra::toml {

// Memory for the values that one parse makes, cut from blocks rather than taken from the heap
// one value at a time. Each piece starts with a word that names its block (null for a piece taken
// from the heap), so a value is deleted the same way wherever it was made. A block is freed once
// the arena has moved on from it and the last value in it is deleted: values may be taken out
// of their document and outlive both the document and the arena.
class TValueArena {
 public:
  TValueArena() = default;
  ~TValueArena();
  TValueArena(const TValueArena&) = delete;
  TValueArena& operator=(const TValueArena&) = delete;

  // Room for `size` bytes, aligned like a pointer.
  void* Allocate(std::size_t size);

  // Room for `size` bytes from the heap, for a value made outside an arena.
  static void* AllocateFromHeap(std::size_t size);
  // Gives back a piece from either.
  static void Release(void* memory) noexcept;

 private:
  struct TBlock;

  // Blocks grow from the first size to the largest, so a small document takes little room and a
  // large one few blocks.
  static constexpr std::size_t kFirstBlockSize = 4 * 1024;
  static constexpr std::size_t kLargestBlockSize = 64 * 1024;

  void StartBlock(std::size_t piece);
  void LeaveBlock() noexcept;

  TBlock* FBlock = nullptr;
  char* FNext = nullptr;
  char* FEnd = nullptr;
  std::size_t FPieces = 0;  // cut from the current block
  std::size_t FNextBlockSize = kFirstBlockSize;
};

// A value made in the arena, or on the heap when there is none.
template <typename T, typename... Args>
std::unique_ptr<T> MakeValue(TValueArena* arena, Args&&... args) {
  if (arena == nullptr) {
    return std::make_unique<T>(std::forward<Args>(args)...);
  }
  return std::unique_ptr<T>(new (*arena) T(std::forward<Args>(args)...));
}

}  // namespace dactyra::toml
