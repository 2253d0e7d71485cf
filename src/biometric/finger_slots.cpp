#include "biometric/finger_slots.h"

namespace dactyra {

WINBIO_BIOMETRIC_SUBTYPE NextFreeSlot(std::span<const WINBIO_BIOMETRIC_SUBTYPE> in_use) {
  int highest = -1;
  for (const WINBIO_BIOMETRIC_SUBTYPE sub_factor : in_use) {
    for (int slot = 0; slot < static_cast<int>(kFingerSlots.size()); ++slot) {
      if (sub_factor == kFingerSlots[slot] && slot > highest) {
        highest = slot;
      }
    }
  }
  if (highest + 1 >= static_cast<int>(kFingerSlots.size())) {
    return 0;
  }
  return kFingerSlots[highest + 1];
}

}  // namespace dactyra
