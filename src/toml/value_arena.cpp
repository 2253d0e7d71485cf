#include "toml/value_arena.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <new>

namespace dactyra::toml {

// The values in a block and the arena's claim on it, which counts as kArenaClaim values until
// the arena leaves the block; so the count reaches zero only after both are gone. Atomic: values
// of one block may be deleted on different threads.
struct TValueArena::TBlock {
  static constexpr std::size_t kArenaClaim = std::numeric_limits<std::size_t>::max() / 2;

  std::atomic<std::size_t> Claims{kArenaClaim};

  // Gives up `count` claims; the last one frees the block.
  void Drop(std::size_t count) noexcept {
    if (Claims.fetch_sub(count, std::memory_order_acq_rel) == count) {
      this->~TBlock();
      ::operator delete(this);
    }
  }
};

namespace {

// Every piece is a whole number of words, and starts with one that names its block.
constexpr std::size_t kWord = sizeof(void*);

std::size_t WholeWords(std::size_t size) {
  return (size + kWord - 1) / kWord * kWord;
}

}  // namespace

TValueArena::~TValueArena() {
  LeaveBlock();
}

void* TValueArena::Allocate(std::size_t size) {
  const std::size_t piece = kWord + WholeWords(size);
  if (static_cast<std::size_t>(FEnd - FNext) < piece) {
    StartBlock(piece);
  }
  void* const header = FNext;
  FNext += piece;
  ++FPieces;
  return new (header) TBlock*(FBlock) + 1;
}

void* TValueArena::AllocateFromHeap(std::size_t size) {
  return new (::operator new(kWord + size)) TBlock*(nullptr) + 1;
}

void TValueArena::Release(void* memory) noexcept {
  if (memory == nullptr) {
    return;
  }
  TBlock** const header = static_cast<TBlock**>(memory) - 1;
  if (*header == nullptr) {
    ::operator delete(header);
  } else {
    (*header)->Drop(1);
  }
}

void TValueArena::StartBlock(std::size_t piece) {
  LeaveBlock();
  const std::size_t size = std::max(FNextBlockSize, WholeWords(sizeof(TBlock)) + piece);
  FNextBlockSize = std::min(FNextBlockSize * 2, kLargestBlockSize);
  char* const memory = static_cast<char*>(::operator new(size));
  FBlock = new (memory) TBlock;
  FNext = memory + WholeWords(sizeof(TBlock));
  FEnd = memory + size;
  FPieces = 0;
}

void TValueArena::LeaveBlock() noexcept {
  if (FBlock != nullptr) {
    FBlock->Drop(TBlock::kArenaClaim - FPieces);
    FBlock = nullptr;
    FNext = nullptr;
    FEnd = nullptr;
  }
}

}  // namespace dactyra::toml
