#include "biometric/finger_slots.h"

#include <gtest/gtest.h>

#include <vector>

namespace dactyra {
namespace {

TEST(FingerSlots, TheSlotAfterTheHighestElseTheLowestFree) {
  const struct {
    std::vector<WINBIO_BIOMETRIC_SUBTYPE> in_use;
    WINBIO_BIOMETRIC_SUBTYPE expected;
  } cases[] = {
      {{}, 0xF5},
      {{0xF5, 0xF7}, 0xF8},
      {{1, 2, 10}, 0xF5},  // other sub-factors take no slot
      {{0xFE}, 0xF5},      // past the last slot: the lowest free one
      {{0xF5, 0xF6, 0xFE}, 0xF7},
      {{0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE}, 0},
  };
  for (const auto& [in_use, expected] : cases) {
    EXPECT_EQ(NextFreeSlot(in_use), expected) << ::testing::PrintToString(in_use);
  }
}

}  // namespace
}  // namespace dactyra
