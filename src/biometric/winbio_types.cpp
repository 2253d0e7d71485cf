#include "biometric/winbio_types.h"

#include <algorithm>

namespace dactyra {

std::u16string WinBioStringText(const WINBIO_STRING& field) {
  const auto end = std::find(field.begin(), field.end(), u'\0');
  return std::u16string(field.begin(), end);
}

void SetWinBioString(WINBIO_STRING& field, std::u16string_view text) {
  field.fill(u'\0');
  const std::size_t length = std::min(text.size(), field.size() - 1);
  std::copy_n(text.begin(), length, field.begin());
}

std::optional<std::size_t> FindFingerRecord(const std::vector<TFingerRecord>& records,
                                            std::uint32_t unit, std::uint8_t sub_factor) {
  const auto found = std::ranges::find_if(records, [&](const TFingerRecord& record) {
    return record.UnitId == unit && record.SubFactor == sub_factor;
  });
  if (found == records.end()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(found - records.begin());
}

}  // namespace dactyra
