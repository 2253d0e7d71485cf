#include "toml/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "toml/date_time.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

template <typename F>
std::u16string ConversionMessage(F&& read) {
  try {
    read();
  } catch (const ETOMLException& e) {
    return e.Message();
  }
  return u"(no exception)";
}

TEST(Values, OnlyIntegerWidensToFloat) {
  TTOMLInteger three(3);
  EXPECT_EQ(three.AsFloat(), 3.0);
  EXPECT_EQ(three.ValueType(), tvtInteger);
  EXPECT_EQ(ConversionMessage([&] { three.AsString(); }),
            u"Cannot convert this TOML value to string");
  TTOMLFloat half(0.5, u"0.5");
  EXPECT_EQ(ConversionMessage([&] { half.AsInteger(); }),
            u"Cannot convert this TOML value to integer");
  TTOMLString text(u"x");
  EXPECT_EQ(ConversionMessage([&] { text.AsFloat(); }), u"Cannot convert this TOML value to float");
  EXPECT_EQ(ConversionMessage([&] { text.AsBoolean(); }),
            u"Cannot convert this TOML value to boolean");
  EXPECT_EQ(ConversionMessage([&] { text.AsDateTime(); }),
            u"Cannot convert this TOML value to datetime");
}

TEST(Values, DateTimeTextFromRawOrFromValue) {
  const double date = *EncodeDate(1979, 5, 27);
  const double time = *EncodeTime(7, 32, 5, 0);
  TTOMLDateTime raw(date, u"1979-05-27 07:32", tdkLocalDateTime, 0);
  EXPECT_EQ(raw.AsString(), u"1979-05-27 07:32");

  TTOMLDateTime dt(ComposeDateTime(date, time), u"", tdkOffsetDateTime, 90);
  EXPECT_EQ(dt.AsString(), u"1979-05-27T07:32:05+01:30");
  dt.SetTimeZoneOffset(-330);
  EXPECT_EQ(dt.AsString(), u"1979-05-27T07:32:05-05:30");
  dt.SetTimeZoneOffset(0);
  EXPECT_EQ(dt.AsString(), u"1979-05-27T07:32:05Z");
  dt.SetKind(tdkLocalDateTime);
  EXPECT_EQ(dt.AsString(), u"1979-05-27T07:32:05");
  dt.SetKind(tdkLocalDate);
  EXPECT_EQ(dt.AsString(), u"1979-05-27");
  TTOMLDateTime t(time, u"", tdkLocalTime, 0);
  EXPECT_EQ(t.AsString(), u"07:32:05");
}

TEST(Values, DatesBeforeTheEpochKeepTheirTimeOfDay) {
  const double value = ComposeDateTime(*EncodeDate(1066, 10, 14), *EncodeTime(9, 30, 0, 250));
  const TDateTimeParts p = DecodeDateTime(value);
  EXPECT_EQ(p.Year, 1066);
  EXPECT_EQ(p.Month, 10);
  EXPECT_EQ(p.Day, 14);
  EXPECT_EQ(p.Hour, 9);
  EXPECT_EQ(p.Minute, 30);
  EXPECT_EQ(p.Millisecond, 250);
  EXPECT_EQ(*EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(*EncodeDate(1900, 1, 1), 2.0);
  EXPECT_FALSE(EncodeDate(1900, 2, 29));
  EXPECT_TRUE(EncodeDate(2000, 2, 29));
  EXPECT_FALSE(EncodeDate(0, 1, 1));
  EXPECT_FALSE(EncodeTime(0, 0, 60, 0));
}

// Counts its own destruction.
class Probe : public TTOMLValue {
 public:
  explicit Probe(int& destroyed) : TTOMLValue(tvtString), destroyed_(destroyed) {}
  ~Probe() override { ++destroyed_; }

 private:
  int& destroyed_;
};

TEST(Values, AsGivesTheValueOfItsOwnClassOnly) {
  TTOMLString text(u"x");
  EXPECT_EQ(text.As<TTOMLArray>(), nullptr);
  TTOMLArray array;
  EXPECT_EQ(array.As<TTOMLArray>(), &array);
  EXPECT_EQ(array.As<TTOMLTable>(), nullptr);
  const TTOMLTable table;
  EXPECT_EQ(table.As<TTOMLTable>(), &table);
  EXPECT_EQ(table.ValueType(), tvtTable);
  int destroyed = 0;
  Probe claims_string(destroyed);
  EXPECT_EQ(claims_string.As<TTOMLString>(), nullptr);
}

TEST(Values, ContainersDestroyWhatTheyHoldButNotWhatWasRemoved) {
  int destroyed = 0;
  std::unique_ptr<TTOMLValue> kept;
  {
    auto root = std::make_unique<TTOMLTable>();
    auto inner = std::make_unique<TTOMLTable>();
    auto array = std::make_unique<TTOMLArray>();
    array->Add(std::make_unique<Probe>(destroyed));
    array->Add(std::make_unique<Probe>(destroyed));
    inner->Add(u"list", std::move(array));
    inner->Add(u"p", std::make_unique<Probe>(destroyed));
    root->Add(u"inner", std::move(inner));
    root->Add(u"gone", std::make_unique<Probe>(destroyed));
    kept = root->Items().Remove(u"gone");
  }
  EXPECT_EQ(destroyed, 3);
  kept.reset();
  EXPECT_EQ(destroyed, 4);
}

TEST(Values, ArrayPositions) {
  TTOMLArray array;
  array.Add(std::make_unique<TTOMLInteger>(1));
  array.Add(std::make_unique<TTOMLString>(u"two"));
  EXPECT_EQ(array.Count(), 2);
  EXPECT_EQ(array.GetItem(1)->AsString(), u"two");
  EXPECT_THROW(array.GetItem(2), std::out_of_range);
  EXPECT_THROW(array.GetItem(-1), std::out_of_range);
  EXPECT_THROW(array.Remove(2), std::out_of_range);
  std::unique_ptr<TTOMLValue> first = array.Remove(0);
  EXPECT_EQ(first->AsInteger(), 1);
  EXPECT_EQ(array.GetItem(0)->AsString(), u"two");
}

}  // namespace
}  // namespace dactyra::toml
