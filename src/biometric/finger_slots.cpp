#include "biometric/finger_slots.h"

#include <algorithm>

namespace dactyra {

WINBIO_BIOMETRIC_SUBTYPE NextFreeSlot(std::span<const WINBIO_BIOMETRIC_SUBTYPE> in_use) {
  const auto used = [&](WINBIO_BIOMETRIC_SUBTYPE slot) {
    return std::ranges::find(in_use, slot) != in_use.end();
  };
  const auto highest = std::ranges::find_if(kFingerSlots.rbegin(), kFingerSlots.rend(), used);
  // After the highest in use, as a rule; the slots before it once the last is taken.
  const auto after = highest == kFingerSlots.rend() ? kFingerSlots.begin() : highest.base();
  if (after != kFingerSlots.end()) {
    return *after;
  }
  const auto lowest_free = std::ranges::find_if_not(kFingerSlots, used);
  return lowest_free == kFingerSlots.end() ? 0 : *lowest_free;
}

}  // namespace dactyra
