#pragma once

// Puts touches into a spool folder, for tests and demonstrations. Each touch is one file named
// "touch-<nanoseconds since 1970, 20 digits>.toml", always later than the one this writer wrote
// before (scripts/touch names its files the same way), and appears in one step so that the
// service never reads half a file.
//
//   sim::TouchWriter touches(spool);
//   touches.Finger(1, 0xF5);                          // the current user's finger on unit 1
//   touches.Finger(2, 0xF6, u"S-1-5-21-1-2-3-1001");  // another user's
//   touches.Bad(1, 4);                                // a poor capture, reject detail 4
//   touches.Fail(1, WINBIO_E_DEVICE_FAILURE);

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "sim/touch.h"

namespace dactyra::sim {

class TouchWriter {
 public:
  // Creates the folder when it is missing.
  explicit TouchWriter(std::filesystem::path spool);

  // Each gives false when the file could not be written.
  bool Finger(WINBIO_UNIT_ID unit, WINBIO_BIOMETRIC_SUBTYPE subfactor,
              std::u16string_view identity = u"current");
  bool Bad(WINBIO_UNIT_ID unit, WINBIO_REJECT_DETAIL reject_detail);
  bool Fail(WINBIO_UNIT_ID unit, HRESULT code);
  bool Write(const Touch& touch);

  // Touch files in the folder that nobody has taken yet.
  std::size_t Pending() const;

  const std::filesystem::path& spool() const { return spool_; }

 private:
  std::filesystem::path spool_;
  std::uint64_t last_stamp_ = 0;
};

}  // namespace dactyra::sim
