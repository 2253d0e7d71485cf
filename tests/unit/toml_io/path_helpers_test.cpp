#include "toml/path_helpers.h"

#include <gtest/gtest.h>

#include "document_builder.h"

namespace dactyra::toml {
namespace {

using testing::AddArray;
using testing::AddInteger;
using testing::AddString;
using testing::AddTable;
using testing::AppendTable;

using Parts = std::vector<std::u16string>;

TEST(SplitPath, QuotesAndDots) {
  EXPECT_EQ(SplitPath(u""), Parts{u""});
  EXPECT_EQ(SplitPath(u"a.b"), (Parts{u"a", u"b"}));
  EXPECT_EQ(SplitPath(u"a..b"), (Parts{u"a", u"", u"b"}));
  EXPECT_EQ(SplitPath(u"a."), (Parts{u"a", u""}));
  EXPECT_EQ(SplitPath(u"\"a.b\".c"), (Parts{u"a.b", u"c"}));
  EXPECT_EQ(SplitPath(u"a.\"b.c\".d"), (Parts{u"a", u"b.c", u"d"}));
  EXPECT_EQ(SplitPath(u"'it\"s'.x"), (Parts{u"it\"s", u"x"}));
  EXPECT_EQ(SplitPath(u"\"it's\".x"), (Parts{u"it's", u"x"}));
  EXPECT_EQ(SplitPath(u"a.\"b.c"), (Parts{u"a", u"b.c"})) << "an unclosed quote runs to the end";
  EXPECT_EQ(SplitPath(u" a "), Parts{u" a "});
}

class PathHelpers : public ::testing::Test {
 protected:
  PathHelpers() {
    AddString(root, u"a.b", u"dotted key");
    TTOMLTable& a = AddTable(root, u"a");
    AddString(a, u"b", u"inside a");
    AddInteger(a, u"n", 7);
    a.Add(u"f", std::make_unique<TTOMLFloat>(5.0));
    TTOMLArray& fingers = AddArray(root, u"finger");
    for (std::int64_t unit : {1, 2, 3}) {
      AddInteger(AppendTable(fingers), u"unitid", unit);
    }
    AddArray(root, u"none");
    TTOMLArray& strings = AddArray(root, u"strings");
    AddInteger(AppendTable(strings), u"unitid", 9);
    strings.Add(std::make_unique<TTOMLString>(u"last"));
  }

  TTOMLTable root;
};

TEST_F(PathHelpers, FindValueWalksTablesAndLastTableOfArrays) {
  EXPECT_EQ(FindValue(&root, u""), nullptr);
  EXPECT_EQ(FindValue(nullptr, u"a"), nullptr);
  EXPECT_EQ(GetString(&root, u"a.b", u""), u"inside a");
  EXPECT_EQ(GetString(&root, u"\"a.b\"", u""), u"dotted key");
  EXPECT_EQ(GetString(&root, u"'a.b'", u""), u"dotted key");
  EXPECT_EQ(GetString(&root, u"\"a\".\"b\"", u""), u"inside a");
  EXPECT_EQ(GetInteger(&root, u"finger.unitid", 0), 3);
  EXPECT_EQ(FindValue(&root, u"none.unitid"), nullptr);
  EXPECT_EQ(FindValue(&root, u"strings.unitid"), nullptr);
  EXPECT_EQ(FindValue(&root, u"a.b.c"), nullptr);
  EXPECT_EQ(FindValue(&root, u"missing"), nullptr);
}

TEST_F(PathHelpers, WhollyQuotedPathWithoutSuchKeyFindsNothingForHasPath) {
  EXPECT_TRUE(HasPath(&root, u"a.b"));
  EXPECT_TRUE(HasPath(&root, u"\"a.b\""));
  EXPECT_FALSE(HasPath(&root, u"\"a\".\"b\""));
  EXPECT_FALSE(HasPath(&root, u""));
  EXPECT_FALSE(HasPath(nullptr, u"a"));
  TTOMLTable only_nested;
  AddString(AddTable(only_nested, u"a"), u"b", u"x");
  EXPECT_EQ(FindValue(&only_nested, u"\"a.b\""), nullptr);
}

TEST_F(PathHelpers, FindTableAndGetArray) {
  EXPECT_EQ(FindTable(&root, u""), &root);
  EXPECT_EQ(FindTable(nullptr, u""), nullptr);
  EXPECT_EQ(FindTable(&root, u"a"), root.Items().GetValue(1));
  EXPECT_EQ(FindTable(&root, u"finger"), nullptr);
  EXPECT_NE(GetArray(&root, u"finger"), nullptr);
  EXPECT_EQ(GetArray(&root, u"a"), nullptr);
  EXPECT_EQ(FindTable(&root, u"a.b"), nullptr);
}

TEST_F(PathHelpers, GettersNeverConvertBetweenKinds) {
  EXPECT_EQ(GetInteger(&root, u"a.f", -1), -1);
  EXPECT_EQ(GetString(&root, u"a.n", u"default"), u"default");
  EXPECT_EQ(GetInteger(&root, u"a.b", -1), -1);
  EXPECT_EQ(GetInteger(&root, u"a.n", -1), 7);
}

TEST(PathSetters, CreateTablesOnTheWayAndRespectOverwrite) {
  TTOMLTable root;
  EXPECT_TRUE(SetString(&root, u"a.b.c", u"v", false));
  EXPECT_FALSE(SetString(&root, u"a.b.c", u"w", false));
  EXPECT_EQ(GetString(&root, u"a.b.c", u""), u"v");
  TTOMLTable* b = FindTable(&root, u"a.b");
  ASSERT_NE(b, nullptr);
  AddInteger(*b, u"after", 1);
  EXPECT_TRUE(SetString(&root, u"a.b.c", u"w", true));
  EXPECT_EQ(b->Items().GetKey(0), u"c") << "a replaced value keeps its place";
  EXPECT_EQ(GetString(&root, u"a.b.c", u""), u"w");
  EXPECT_FALSE(SetString(nullptr, u"x", u"v", true));
}

TEST(PathSetters, QuotedPartsAndEmptyPaths) {
  TTOMLTable root;
  EXPECT_TRUE(SetString(&root, u"\"a.b\"", u"one key", true));
  EXPECT_EQ(root.Items().GetKey(0), u"a.b");
  EXPECT_EQ(GetString(&root, u"\"a.b\"", u""), u"one key");
  EXPECT_TRUE(SetInteger(&root, u"", 5, true));
  EXPECT_TRUE(root.Items().ContainsKey(u""));
}

TEST(PathSetters, ScalarInTheWayFailsAndTableIsReplacedWhole) {
  TTOMLTable root;
  AddString(root, u"a", u"text");
  EXPECT_FALSE(SetString(&root, u"a.b", u"v", true));
  EXPECT_EQ(GetString(&root, u"a", u""), u"text");
  EXPECT_EQ(root.Items().Count(), 1);
  AddInteger(AddTable(root, u"x"), u"inner", 1);
  EXPECT_TRUE(SetString(&root, u"x", u"v", true));
  EXPECT_EQ(GetString(&root, u"x", u""), u"v");
}

TEST(PathSetters, SetArrayOwnershipFollowsTheResult) {
  TTOMLTable root;
  EXPECT_FALSE(SetArray(&root, u"a", nullptr, true));
  AddString(root, u"s", u"text");
  auto array = std::make_unique<TTOMLArray>();
  TTOMLArray* raw = array.get();
  EXPECT_FALSE(SetArray(&root, u"s.list", std::move(array), true));
  ASSERT_EQ(array.get(), raw) << "after a false result the array is still the caller's";
  EXPECT_TRUE(SetArray(&root, u"t.list", std::move(array), true));
  EXPECT_EQ(array, nullptr);
  EXPECT_EQ(GetArray(&root, u"t.list"), raw);
  // Storing the value that is already in place keeps it alive.
  std::unique_ptr<TTOMLArray> same(raw);
  EXPECT_TRUE(SetArray(&root, u"t.list", std::move(same), true));
  EXPECT_EQ(GetArray(&root, u"t.list"), raw);
}

TEST(ArrayHelpers, AddTableDeleteAndClear) {
  TTOMLArray array;
  EXPECT_EQ(AddTable(&array, nullptr), &array);
  EXPECT_EQ(array.Count(), 0);
  auto table = std::make_unique<TTOMLTable>();
  EXPECT_EQ(AddTable(nullptr, std::move(table)), nullptr);
  EXPECT_NE(table, nullptr) << "the table stays the caller's";
  EXPECT_EQ(AddTable(&array, std::move(table)), &array);
  EXPECT_EQ(array.Count(), 1);
  EXPECT_FALSE(Delete(&array, -1));
  EXPECT_FALSE(Delete(&array, 1));
  EXPECT_FALSE(Delete(nullptr, 0));
  std::unique_ptr<TTOMLValue> taken;
  EXPECT_TRUE(Delete(&array, 0, &taken));
  EXPECT_NE(taken, nullptr);
  EXPECT_EQ(array.Count(), 0);

  TTOMLTable root;
  AddInteger(root, u"a", 1);
  AddInteger(root, u"b", 2);
  std::vector<std::unique_ptr<TTOMLValue>> values;
  Clear(&root, &values);
  EXPECT_EQ(root.Items().Count(), 0);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[1]->AsInteger(), 2);
  Clear(nullptr);
}

TEST(ArrayHelpers, ForEachTableSkipsOrStopsAtNonTables) {
  TTOMLArray array;
  AppendTable(array);
  array.Add(std::make_unique<TTOMLInteger>(7));
  AppendTable(array);
  std::vector<std::int32_t> seen;
  const auto record = [&seen](std::int32_t index, TTOMLTable&) {
    seen.push_back(index);
    return true;
  };
  ForEachTable(&array, record, true);
  EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 2}));
  seen.clear();
  ForEachTable(&array, record, false);
  EXPECT_EQ(seen, (std::vector<std::int32_t>{0}));
  int calls = 0;
  ForEachTable(
      &array, [&calls](std::int32_t, TTOMLTable&) { return ++calls, false; }, true);
  EXPECT_EQ(calls, 1);
  ForEachTable(nullptr, record, true);
  ForEachTable(&array, nullptr, true);
}

TEST(ArrayHelpers, ForEachTableEndsQuietlyWhenTheCallbackRemovesOrRaises) {
  TTOMLArray array;
  AppendTable(array);
  AppendTable(array);
  AppendTable(array);
  int calls = 0;
  ForEachTable(
      &array,
      [&](std::int32_t index, TTOMLTable&) {
        ++calls;
        return Delete(&array, index) && Delete(&array, 0);
      },
      true);
  EXPECT_EQ(calls, 1);
  ForEachTable(
      &array, [](std::int32_t, TTOMLTable&) -> bool { throw std::runtime_error("callback"); },
      true);
}

}  // namespace
}  // namespace dactyra::toml
