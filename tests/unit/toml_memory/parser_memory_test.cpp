// The memory a parse takes stays in proportion to the document it builds, however the keys and
// headers are shaped.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "toml/document_io.h"

namespace {

// Bytes the heap holds for the program, and the most it held since the last reset.
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

// Each block starts with its size, in a header that keeps the block aligned.
constexpr std::size_t kHeader = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  *reinterpret_cast<std::size_t*>(block) = size;
  const std::size_t live = live_bytes += size;
  std::size_t peak = peak_bytes;
  while (live > peak && !peak_bytes.compare_exchange_weak(peak, live)) {
  }
  return block + kHeader;
}

void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) {
    return;
  }
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  live_bytes -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}

namespace dactyra::toml {
namespace {

TEST(ParserMemory, DottedKeysOfManyPartsTakeNoMoreThanTheirTables) {
  // 1 000 lines of 128-part dotted keys, each making 127 tables of its own.
  std::u16string text;
  for (int line = 0; line < 1000; ++line) {
    text += u"k" + std::u16string(1, static_cast<char16_t>(u'a' + line % 26)) +
            std::u16string(1, static_cast<char16_t>(u'a' + line / 26 % 26)) +
            std::u16string(1, static_cast<char16_t>(u'a' + line / 676));
    for (int part = 0; part < 126; ++part) {
      text += u".p";
    }
    text += u".v = 1\n";
  }
  const std::size_t before = live_bytes;
  peak_bytes = before;
  const std::unique_ptr<TTOMLTable> root = ParseString(text, false);
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(root->Items().Count(), 1000);
  const std::size_t document = live_bytes - before;
  const std::size_t peak = peak_bytes - before;
  EXPECT_LT(peak, document + document / 2 + 2 * text.size() * sizeof(char16_t))
      << "document " << document << " bytes";
}

}  // namespace
}  // namespace dactyra::toml
