#include "documents/finger_entry.h"

#include <gtest/gtest.h>

#include <optional>

#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra::testing {
namespace {

std::unique_ptr<toml::TTOMLTable> Parse(std::u16string_view text) {
  return toml::ParseString(text, false);
}

std::u16string Descriptions(toml::TTOMLTable& document) {
  std::u16string all;
  toml::ForEachTable(
      toml::GetArray(&document, u"finger"),
      [&all](std::int32_t, toml::TTOMLTable& table) {
        all += toml::GetString(&table, u"description", u"?") + u";";
        return true;
      },
      true);
  return all;
}

// The description the listing would show for a row (empty: the finger name).
std::u16string Lookup(const toml::TTOMLTable* document, std::int64_t unit_id,
                      std::u16string finger) {
  return FindDescription(toml::GetArray(document, u"finger"), {unit_id, std::move(finger), u""});
}

TEST(DescriptionLookup, FirstExactMatchWins) {
  const auto document = Parse(
      u"[[finger]]\nunitid = 1\nfingerid = \"0xf5\"\ndescription = \"lower case\"\n"
      u"[[finger]]\nunitid = 2\nfingerid = \"0xF5\"\ndescription = \"other sensor\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"first\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"second\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"too late\"\n"
      u"[[finger]]\nunitid = \"1\"\nfingerid = \"0xF7\"\ndescription = \"id is text\"\n");
  EXPECT_EQ(Lookup(document.get(), 1, u"0xF5"), u"first");
  EXPECT_EQ(Lookup(document.get(), 2, u"0xF5"), u"other sensor");
  // A matching entry with an empty description ends the walk: the row keeps its finger name.
  EXPECT_EQ(Lookup(document.get(), 1, u"0xF6"), u"");
  EXPECT_EQ(Lookup(document.get(), 1, u"0xF7"), u"");
  EXPECT_EQ(Lookup(document.get(), 1, u"0xf5 "), u"");
}

TEST(DescriptionLookup, NoFingerArrayOrOddEntriesFindNothing) {
  EXPECT_EQ(Lookup(Parse(u"[units]\n1 = \"Sensor\"\n").get(), 1, u"0xF5"), u"");
  EXPECT_EQ(Lookup(Parse(u"finger = 5\n").get(), 1, u"0xF5"), u"");
  const auto mixed =
      Parse(u"finger = [1, \"x\", {unitid = 1, fingerid = \"0xF5\", description = \"inline\"}]\n");
  EXPECT_EQ(Lookup(mixed.get(), 1, u"0xF5"), u"inline");
}

TEST(FingerEntries, AppendCreatesTheArrayWhenMissing) {
  auto document = Parse(u"[units]\n1 = \"Sensor\"\n");
  ASSERT_TRUE(AppendFingerEntry(*document, 1, u"0xF6", u"left thumb", u""));
  EXPECT_EQ(Descriptions(*document), u"left thumb;");
  toml::TTOMLTable* entry =
      toml::GetArray(document.get(), u"finger")->GetItem(0)->As<toml::TTOMLTable>();
  EXPECT_EQ(toml::GetInteger(entry, u"unitid", 0), 1);
  EXPECT_EQ(toml::GetString(entry, u"fingerid", u""), u"0xF6");
  EXPECT_EQ(toml::GetString(document.get(), u"units.1", u""), u"Sensor");
}

TEST(FingerEntries, AppendGoesAfterTheExistingEntries) {
  auto document = Parse(u"[[finger]]\ndescription = \"a\"\n[[finger]]\ndescription = \"b\"\n");
  ASSERT_TRUE(AppendFingerEntry(*document, 2, u"0xF7", u"c", u""));
  EXPECT_EQ(Descriptions(*document), u"a;b;c;");
}

TEST(FingerEntries, AFingerEntryThatIsNoArrayIsLeftAlone) {
  auto document = Parse(u"finger = 5\n");
  EXPECT_FALSE(AppendFingerEntry(*document, 1, u"0xF5", u"x", u""));
  EXPECT_EQ(toml::GetInteger(document.get(), u"finger", 0), 5);
}

TEST(FingerEntries, RemoveTakesOnlyTheFirstExactMatch) {
  auto document = Parse(
      u"[[finger]]\nunitid = 1\nfingerid = \"0xf6\"\ndescription = \"lower\"\n"
      u"[[finger]]\nunitid = 2\nfingerid = \"0xF6\"\ndescription = \"other unit\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"first\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"second\"\n");
  EXPECT_TRUE(RemoveFingerEntry(*document, 1, u"0xF6", u""));
  EXPECT_EQ(Descriptions(*document), u"lower;other unit;second;");
  EXPECT_TRUE(RemoveFingerEntry(*document, 1, u"0xF6", u""));
  EXPECT_FALSE(RemoveFingerEntry(*document, 1, u"0xF6", u""));
  EXPECT_EQ(Descriptions(*document), u"lower;other unit;");
}

TEST(FingerEntries, RemoveWithoutArrayOrEntryChangesNothing) {
  auto document = Parse(u"finger = [1, 2]\n");
  EXPECT_FALSE(RemoveFingerEntry(*document, 1, u"0xF5", u""));
  EXPECT_EQ(toml::GetArray(document.get(), u"finger")->Count(), 2);
  auto empty = Parse(u"");
  EXPECT_FALSE(RemoveFingerEntry(*empty, 1, u"0xF5", u""));
}

// An entry is its owner's, or anybody's while it has none; every other entry is left alone.
TEST(FingerEntries, OnlyTheOwnersOrOwnerlessEntriesAreHis) {
  const struct {
    std::u16string_view user_line;
    std::u16string_view owner;
    bool belongs;
  } kCases[] = {
      {u"", u"S-1-5-21-1", true},
      {u"", u"", true},
      {u"user = \"S-1-5-21-1\"\n", u"S-1-5-21-1", true},
      {u"user = \"S-1-5-21-2\"\n", u"S-1-5-21-1", false},
      {u"user = \"S-1-5-21-1\"\n", u"", false},
      {u"user = 5\n", u"S-1-5-21-1", false},
  };
  for (const auto& c : kCases) {
    const auto entry = Parse(u"unitid = 1\n" + std::u16string(c.user_line));
    EXPECT_EQ(EntryBelongsTo(*entry, c.owner), c.belongs)
        << std::string(c.user_line.begin(), c.user_line.end());
  }
  auto document = Parse(
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"theirs\"\nuser = \"S-2\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"mine\"\nuser = \"S-1\"\n");
  EXPECT_TRUE(RemoveFingerEntry(*document, 1, u"0xF6", u"S-1"));
  EXPECT_EQ(Descriptions(*document), u"theirs;");
  ASSERT_TRUE(AppendFingerEntry(*document, 1, u"0xF7", u"new", u"S-1"));
  const toml::TTOMLTable* added =
      toml::GetArray(document.get(), u"finger")->GetItem(1)->As<toml::TTOMLTable>();
  EXPECT_EQ(toml::GetString(added, kEntryOwnerKey, u""), u"S-1");
}

// A result out of shape reads as "not tested", whatever is wrong with it.
TEST(FingerEntries, TheLastTestReadsBackOnlyWhenWellFormed) {
  const TRecognition seven_of_nine{.Recognised = 7, .Touches = 9, .Tested = {2026, 12, 9}};
  const struct {
    std::u16string_view fields;
    std::optional<TRecognition> read;
  } kCases[] = {
      {u"", std::nullopt},
      {u"tested = 2026-12-09\nrecognised = 7\ntouches = 9", seven_of_nine},
      {u"recognised = 7\ntouches = 9", std::nullopt},
      {u"tested = \"2026-12-09\"\nrecognised = 7\ntouches = 9", std::nullopt},
      {u"tested = 2026-12-09T10:00:00\nrecognised = 7\ntouches = 9", std::nullopt},
      {u"tested = 2026-12-09\nrecognised = 7.0\ntouches = 9", std::nullopt},
      {u"tested = 2026-12-09\nrecognised = -1\ntouches = 9", std::nullopt},
      {u"tested = 2026-12-09\nrecognised = 10\ntouches = 9", std::nullopt},
      {u"tested = 2026-12-09\nrecognised = 0\ntouches = 0", std::nullopt},
      {u"tested = 2026-12-09\nrecognised = 1\ntouches = 9223372036854775807", std::nullopt},
  };
  for (const auto& c : kCases) {
    const auto document =
        Parse(u"[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\n" + std::u16string(c.fields));
    EXPECT_EQ(FindRecognition(toml::GetArray(document.get(), u"finger"), {1, u"0xF5", u""}), c.read)
        << std::string(c.fields.begin(), c.fields.end());
  }
  auto written = Parse(u"");
  ASSERT_TRUE(AppendFingerEntry(*written, 1, u"0xF5", u"thumb", u"", seven_of_nine));
  EXPECT_EQ(FindRecognition(toml::GetArray(written.get(), u"finger"), {1, u"0xF5", u""}),
            seven_of_nine);
}

}  // namespace
}  // namespace dactyra::testing
