#include <gtest/gtest.h>

#include "platform/platform.h"

namespace dactyra::platform {
namespace {

TEST(DateTime, LocalTimeFieldsAreInRange) {
  const LocalDateTime now = CurrentLocalTime();
  EXPECT_GE(now.year, 2020);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.day >= 1 && now.day <= 31);
  EXPECT_TRUE(now.hour >= 0 && now.hour <= 23);

  // 2021-06-15 12:00:00 UTC; no time zone moves it by more than a day.
  const auto local = UtcSecondsToLocalTime(1623758400);
  ASSERT_TRUE(local);
  EXPECT_EQ(local->year, 2021);
  EXPECT_EQ(local->month, 6);
  EXPECT_TRUE(local->day >= 14 && local->day <= 16);
  EXPECT_EQ(local->second, 0);
}

TEST(DateTime, FormatsCarryTheFieldsAndRejectInvalidValues) {
  const LocalDateTime value{2021, 6, 15, 13, 5, 9};
  const std::u16string date = FormatShortDate(value);
  EXPECT_NE(date.find(u"2021"), std::u16string::npos);
  EXPECT_NE(date.find(u"15"), std::u16string::npos);
  const std::u16string time = FormatLongTime(value);
  EXPECT_NE(time.find(u"05"), std::u16string::npos);
  EXPECT_NE(time.find(u"09"), std::u16string::npos);

  // The zero of the program's date-time type.
  EXPECT_NE(FormatShortDate({1899, 12, 30, 0, 0, 0}).find(u"1899"), std::u16string::npos);

  EXPECT_EQ(FormatShortDate({2021, 13, 1, 0, 0, 0}), u"");
  EXPECT_EQ(FormatLongTime({2021, 1, 1, 24, 0, 0}), u"");
  EXPECT_EQ(FormatShortDate(LocalDateTime{}), u"");
}

}  // namespace
}  // namespace dactyra::platform
