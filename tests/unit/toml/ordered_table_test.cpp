#include "toml/ordered_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toml/exceptions.h"
#include "toml/value.h"

namespace dactyra::toml {
namespace {

std::unique_ptr<TTOMLValue> Int(std::int64_t v) {
  return std::make_unique<TTOMLInteger>(v);
}

std::int64_t IntAt(const TTOMLOrderedTable& t, std::u16string_view key) {
  const TTOMLValue* value = nullptr;
  EXPECT_TRUE(t.TryGetValue(key, value));
  return value == nullptr ? -1 : value->AsInteger();
}

// Small tables are searched directly and large ones through the key map; both must behave alike.
class OrderedTableSizes : public ::testing::TestWithParam<int> {
 protected:
  // Fills `filler` keys "f0".."fN" after b, a, c.
  void Fill(TTOMLOrderedTable& t) {
    t.Add(u"b", Int(1));
    t.Add(u"a", Int(2));
    t.Add(u"c", Int(3));
    for (int i = 0; i < GetParam(); ++i) {
      t.Add(u"f" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
                std::u16string(static_cast<std::size_t>(i / 10), u'x'),
            Int(100 + i));
    }
  }
};

TEST_P(OrderedTableSizes, KeepsInsertionOrderAndReplacesInPlace) {
  TTOMLOrderedTable t;
  Fill(t);
  const std::vector<std::u16string> keys = t.Keys();
  ASSERT_EQ(keys.size(), static_cast<std::size_t>(3 + GetParam()));
  EXPECT_EQ(keys[0], u"b");
  EXPECT_EQ(keys[1], u"a");
  EXPECT_EQ(keys[2], u"c");

  std::unique_ptr<TTOMLValue> old = t.AddOrSetValue(u"a", Int(20));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->AsInteger(), 2);
  EXPECT_EQ(t.GetKey(1), u"a");
  EXPECT_EQ(t.GetValue(1)->AsInteger(), 20);
  EXPECT_EQ(t.Count(), 3 + GetParam());

  EXPECT_EQ(t.AddOrSetValue(u"z", Int(9)), nullptr);
  EXPECT_EQ(t.GetKey(t.Count() - 1), u"z");
}

TEST_P(OrderedTableSizes, RemoveRewritesPositions) {
  TTOMLOrderedTable t;
  Fill(t);
  std::unique_ptr<TTOMLValue> removed = t.Remove(u"b");
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(removed->AsInteger(), 1);
  EXPECT_EQ(t.GetKey(0), u"a");
  EXPECT_EQ(t.GetKey(1), u"c");
  EXPECT_EQ(IntAt(t, u"c"), 3);
  EXPECT_FALSE(t.ContainsKey(u"b"));
  for (std::int32_t i = 0; i < t.Count(); ++i) {
    TTOMLValue* found = nullptr;
    ASSERT_TRUE(t.TryGetValue(t.GetKey(i), found));
    EXPECT_EQ(found, t.GetValue(i)) << "position " << i;
  }
  // Removing down across the map threshold and adding again keeps lookups right.
  while (t.Count() > 1) {
    t.Remove(t.GetKey(0));
  }
  t.Add(u"b", Int(1));
  EXPECT_EQ(IntAt(t, u"b"), 1);
}

TEST_P(OrderedTableSizes, DuplicateAddRaisesAndChangesNothing) {
  TTOMLOrderedTable t;
  Fill(t);
  try {
    t.Add(u"a", Int(7));
    FAIL() << "no exception";
  } catch (const ETOMLParserException& e) {
    EXPECT_EQ(e.Message(), u"Duplicate key \"a\" found");
  }
  EXPECT_EQ(t.Count(), 3 + GetParam());
  EXPECT_EQ(IntAt(t, u"a"), 2);
}

INSTANTIATE_TEST_SUITE_P(SmallAndMapped, OrderedTableSizes, ::testing::Values(0, 6, 20));

TEST(OrderedTable, AbsentKeyAndLetterCase) {
  TTOMLOrderedTable t;
  t.Add(u"Key", Int(1));
  t.Add(u"key", Int(2));
  EXPECT_EQ(t.Count(), 2);
  EXPECT_EQ(t.Remove(u"KEY"), nullptr);
  EXPECT_EQ(t.Count(), 2);
  TTOMLValue* value = reinterpret_cast<TTOMLValue*>(&t);
  EXPECT_FALSE(t.TryGetValue(u"kEy", value));
  EXPECT_EQ(value, nullptr);
  EXPECT_EQ(IntAt(t, u"key"), 2);
}

TEST(OrderedTable, PositionsOutOfRangeRaise) {
  TTOMLOrderedTable t;
  t.Add(u"a", Int(1));
  EXPECT_THROW(t.GetKey(-1), std::out_of_range);
  EXPECT_THROW(t.GetValue(1), std::out_of_range);
  EXPECT_THROW(t.SetValue(1, Int(2)), std::out_of_range);
  std::unique_ptr<TTOMLValue> old = t.SetValue(0, Int(5));
  EXPECT_EQ(old->AsInteger(), 1);
  EXPECT_EQ(t.GetValue(0)->AsInteger(), 5);
}

TEST(OrderedTable, CopiesDoNotFollowLaterChanges) {
  TTOMLOrderedTable t;
  t.Add(u"a", Int(1));
  const std::vector<TTOMLTableEntry> entries = t.Entries();
  const std::vector<const TTOMLValue*> values = t.Values();
  t.Add(u"b", Int(2));
  t.Clear();
  EXPECT_EQ(t.Count(), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Key, u"a");
  EXPECT_EQ(values.size(), 1u);
}

}  // namespace
}  // namespace dactyra::toml
