#pragma once

// The slots the program enrolls into: WINBIO_FINGER_UNSPECIFIED_POS_01 to _10, and how the
// slot for a new finger is chosen.

#include <array>
#include <span>

#include "biometric/winbio_types.h"

namespace dactyra {

inline constexpr std::array<WINBIO_BIOMETRIC_SUBTYPE, 10> kFingerSlots = {
    0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE};

// The slot for a new enrollment: the one after the highest of the slots among `in_use`; when
// that is past the last slot, the lowest free one; 0 only when all ten are in use.
WINBIO_BIOMETRIC_SUBTYPE NextFreeSlot(std::span<const WINBIO_BIOMETRIC_SUBTYPE> in_use);

}  // namespace dactyra
