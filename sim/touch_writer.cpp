#include "sim/touch_writer.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <system_error>

#include "base/file.h"
#include "base/utf.h"

namespace dactyra::sim {
namespace {

std::u16string FileName(std::uint64_t stamp) {
  std::string digits = std::to_string(stamp);
  digits.insert(0, 20 - std::min<std::size_t>(20, digits.size()), '0');
  return u"touch-" + std::u16string(digits.begin(), digits.end()) + u".toml";
}

}  // namespace

TouchWriter::TouchWriter(std::filesystem::path spool) : spool_(std::move(spool)) {
  std::error_code ignored;  // a folder that cannot be made shows when writing
  std::filesystem::create_directories(spool_, ignored);
}

bool TouchWriter::Finger(WINBIO_UNIT_ID unit, WINBIO_BIOMETRIC_SUBTYPE subfactor,
                         std::u16string_view identity) {
  Touch touch;
  touch.unit = unit;
  touch.identity = identity;
  touch.subfactor = subfactor;
  return Write(touch);
}

bool TouchWriter::Bad(WINBIO_UNIT_ID unit, WINBIO_REJECT_DETAIL reject_detail) {
  Touch touch;
  touch.kind = Touch::Kind::kBad;
  touch.unit = unit;
  touch.reject_detail = reject_detail;
  return Write(touch);
}

bool TouchWriter::Fail(WINBIO_UNIT_ID unit, HRESULT code) {
  Touch touch;
  touch.kind = Touch::Kind::kFail;
  touch.unit = unit;
  touch.code = code;
  return Write(touch);
}

bool TouchWriter::Write(const Touch& touch) {
  const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  last_stamp_ = std::max(last_stamp_ + 1, static_cast<std::uint64_t>(now.count()));
  const auto text = Utf16ToUtf8(TouchText(touch));
  return text && WriteFileAtomically((spool_ / FileName(last_stamp_)).u16string(), *text).ok;
}

std::size_t TouchWriter::Pending() const {
  std::size_t count = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(spool_, error), end; !error && it != end;
       it.increment(error)) {
    count += it->path().extension() == ".toml" ? 1 : 0;
  }
  return count;
}

}  // namespace dactyra::sim
