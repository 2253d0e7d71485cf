#include "documents/link_time.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "unit/documents/file_helpers.h"
#include "unit/documents/pe_file.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra::testing {
namespace {

constexpr std::uint32_t kStamp = 1700000000;  // 2023-11-14 22:13:20 UTC
const BuiltInTexts kBuiltIn;

TEST(LinkTime, TheFileHeaderStampInLocalTime) {
  TempFolder folder;
  WriteBytes(folder.path() / "a.exe", PeHeaders(kStamp));
  const TLinkTime read = ReadLinkTime(folder.File(u"a.exe"), kBuiltIn);
  EXPECT_TRUE(read.Error.empty());
  EXPECT_EQ(read.Time, platform::UtcSecondsToLocalTime(kStamp).value());
  // The headers may lie anywhere the DOS header says.
  WriteBytes(folder.path() / "b.exe", PeHeaders(kStamp + 60, 0x200));
  EXPECT_EQ(ReadLinkTime(folder.File(u"b.exe"), kBuiltIn).Time,
            platform::UtcSecondsToLocalTime(kStamp + 60).value());
}

TEST(LinkTime, ShortFilesGiveTheZeroDateAndAReason) {
  TempFolder folder;
  const std::string whole = PeHeaders(kStamp);
  for (const std::size_t length : {std::size_t{0x3C}, std::size_t{0x90}, whole.size() - 1}) {
    WriteBytes(folder.path() / "short.exe", whole.substr(0, length));
    const TLinkTime read = ReadLinkTime(folder.File(u"short.exe"), kBuiltIn);
    EXPECT_EQ(read.Time, kZeroDateTime) << length;
    EXPECT_FALSE(read.Error.empty()) << length;
  }
  std::string far = whole;
  far.replace(0x3C, 4, "\xF0\xFF\xFF\xFF");  // e_lfanew far past the end
  WriteBytes(folder.path() / "far.exe", far);
  EXPECT_FALSE(ReadLinkTime(folder.File(u"far.exe"), kBuiltIn).Error.empty());
}

TEST(LinkTime, AFileThatCannotBeOpenedRaises) {
  TempFolder folder;
  EXPECT_THROW(ReadLinkTime(folder.File(u"missing.exe"), kBuiltIn), Error);
}

TEST(LinkTime, MidnightShowsTheDateAlone) {
  EXPECT_EQ(FormatDateTime(kZeroDateTime), platform::FormatShortDate(kZeroDateTime));
  const platform::LocalDateTime evening{2026, 12, 8, 19, 5, 0};
  EXPECT_EQ(FormatDateTime(evening),
            platform::FormatShortDate(evening) + u" " + platform::FormatLongTime(evening));
}

}  // namespace
}  // namespace dactyra::testing
