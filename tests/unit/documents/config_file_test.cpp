#include "documents/config_file.h"
#include "documents/config_place.h"
#include "documents/config_store.h"
#include "documents/finger_entry.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"
#include "unit/documents/file_helpers.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra {
namespace {

std::unique_ptr<toml::TTOMLTable> Parse(std::u16string_view text) {
  auto document = toml::ParseString(text, false);
  EXPECT_NE(document, nullptr);
  return document;
}

// The description the listing would show for a row (empty: the finger name).
std::u16string Lookup(toml::TTOMLTable* document, std::int64_t unit_id, std::u16string finger) {
  TDescriptionLookup lookup;
  lookup.Entry.UnitId = unit_id;
  lookup.Entry.FingerId = std::move(finger);
  toml::ForEachTable(
      toml::GetArray(document, u"finger"),
      [&lookup](std::int32_t index, toml::TTOMLTable& table) {
        return lookup.FindDescription(index, table);
      },
      true);
  return lookup.Description;
}

TEST(LoadConfig, TellsMissingLoadedAndUnreadableApart) {
  testing::TempFolder folder;
  const TConfigDocument missing = LoadConfig(folder.File(u"CFG.TOML"));
  EXPECT_EQ(missing.State, TConfigDocument::TState::kMissing);
  ASSERT_NE(missing.Document, nullptr);
  EXPECT_EQ(missing.Document->Items().Count(), 0);

  testing::WriteBytes(folder.path() / "CFG.TOML", "[units]\n1 = \"Sensor\"\n");
  const TConfigDocument loaded = LoadConfig(folder.File(u"CFG.TOML"));
  EXPECT_EQ(loaded.State, TConfigDocument::TState::kLoaded);
  EXPECT_EQ(toml::GetString(loaded.Document.get(), u"units.1", u""), u"Sensor");

  testing::WriteBytes(folder.path() / "CFG.TOML", "[[finger]\nunitid = 1\n");
  const TConfigDocument broken = LoadConfig(folder.File(u"CFG.TOML"));
  EXPECT_EQ(broken.State, TConfigDocument::TState::kUnreadable);
  EXPECT_EQ(broken.Document, nullptr);

  // Something at the path that is no file is not "missing" either: it must not be replaced.
  std::filesystem::create_directories(folder.path() / "DIR.TOML");
  EXPECT_EQ(LoadConfig(folder.File(u"DIR.TOML")).State, TConfigDocument::TState::kUnreadable);
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

// A record as the listing makes it, with the description the list shows.
TFingerRecord Record(std::uint32_t unit, std::u16string device, std::uint8_t finger,
                     std::u16string description) {
  return {.UnitId = unit,
          .DeviceName = std::move(device),
          .SubFactor = finger,
          .SubName = u"",
          .Description = std::move(description)};
}

TEST(BuildConfigFromRecords, OneEntryPerRecordAndOneUnitPerListedSensor) {
  const std::vector<TFingerRecord> records = {
      Record(1, u"Sensor A", 0xF5, u"left index"),
      Record(1, u"Sensor A", 0xF6, u"fingerprint #2"),
      Record(7, u"Sensor B", 0xF5, u""),
  };
  const auto previous = Parse(u"title = \"dropped\"\n[units]\n9 = \"gone\"\n");
  const auto root = BuildConfigFromRecords(records, previous.get(), {1, 7}, u"");
  EXPECT_FALSE(toml::HasPath(root.get(), u"title"));
  const toml::TTOMLTable* units = toml::FindTable(root.get(), u"units");
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(units->Items().Keys(), (std::vector<std::u16string>{u"1", u"7"}));
  EXPECT_EQ(toml::GetString(units, u"7", u""), u"Sensor B");
  toml::TTOMLArray* fingers = toml::GetArray(root.get(), u"finger");
  ASSERT_NE(fingers, nullptr);
  ASSERT_EQ(fingers->Count(), 3);
  const toml::TTOMLTable* last = fingers->GetItem(2)->As<toml::TTOMLTable>();
  EXPECT_EQ(toml::GetInteger(last, u"unitid", 0), 7);
  EXPECT_EQ(toml::GetString(last, u"fingerid", u""), u"0xF5");
  EXPECT_EQ(toml::GetString(last, u"description", u"?"), u"");
}

TEST(BuildConfigFromRecords, KeepsTheFingersOfSensorsNotListed) {
  const std::vector<TFingerRecord> records = {Record(1, u"Sensor A", 0xF5, u"new")};
  auto previous = Parse(
      u"[[finger]]\nunitid = 3\nfingerid = \"0xF5\"\ndescription = \"unplugged one\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"old\"\n"
      u"[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"deleted\"\n"
      u"[[finger]]\nunitid = 2\nfingerid = \"0xF7\"\ndescription = \"failed one\"\n"
      u"[[finger]]\nunitid = 3\nfingerid = \"0xF6\"\ndescription = \"unplugged two\"\n");
  const auto root = BuildConfigFromRecords(records, previous.get(), {1}, u"");
  toml::TTOMLArray* fingers = toml::GetArray(root.get(), u"finger");
  ASSERT_NE(fingers, nullptr);
  std::vector<std::u16string> descriptions;
  for (const auto& item : fingers->Items()) {
    descriptions.push_back(toml::GetString(item->As<toml::TTOMLTable>(), u"description", u""));
  }
  EXPECT_EQ(descriptions, (std::vector<std::u16string>{u"new", u"unplugged one", u"failed one",
                                                       u"unplugged two"}));
  // The units table still names only the sensors with rows.
  EXPECT_EQ(toml::FindTable(root.get(), u"units")->Items().Keys(),
            (std::vector<std::u16string>{u"1"}));
}

TEST(BuildConfigFromRecords, EmptyListGivesEmptyTables) {
  const auto root = BuildConfigFromRecords({}, nullptr, {}, u"");
  EXPECT_EQ(toml::FindTable(root.get(), u"units")->Items().Count(), 0);
  EXPECT_EQ(toml::GetArray(root.get(), u"finger")->Count(), 0);
}

TEST(BuildConfigFromRecords, FileLayoutForTwoFingersOnOneSensor) {
  testing::TempFolder folder;
  const std::vector<TFingerRecord> records = {
      Record(1, u"Sensor \"A\"", 0xF5, u"左手"),
      Record(1, u"Sensor \"A\"", 0xF6, u"fingerprint #2"),
  };
  const auto root = BuildConfigFromRecords(records, nullptr, {1}, u"");
  ASSERT_TRUE(toml::SaveToFile(root.get(), folder.File(u"CFG.TOML"), true, 0, false));
  EXPECT_EQ(testing::ReadBytes(folder.path() / "CFG.TOML"),
            "\xEF\xBB\xBF"
            "[[finger]]\r\n"
            "description = \"\xE5\xB7\xA6\xE6\x89\x8B\"\r\n"
            "fingerid = \"0xF5\"\r\n"
            "unitid = 1\r\n"
            "\r\n"
            "[[finger]]\r\n"
            "description = \"fingerprint #2\"\r\n"
            "fingerid = \"0xF6\"\r\n"
            "unitid = 1\r\n"
            "\r\n"
            "[units]\r\n"
            "1 = \"Sensor \\\"A\\\"\"\r\n");
}

}  // namespace
}  // namespace dactyra

namespace dactyra {
namespace {

// Beside the program first; the user's own file when the program's cannot be written or only
// the user's exists.
TEST(ChooseConfigPlace, BesideTheProgramUnlessItCannotBeWritten) {
  testing::TempFolder folder;
  const std::u16string program = folder.File(u"program/");
  const std::u16string per_user = folder.File(u"appdata/");
  std::filesystem::create_directories(folder.path() / "program");
  const std::u16string beside = program + u"CFG.TOML";
  const std::u16string users = per_user + u"Dactyra/CFG.TOML";

  EXPECT_EQ(ChooseConfigPlace(program, per_user).Path, beside) << "neither exists";
  EXPECT_EQ(ChooseConfigPlace(program, std::nullopt).Path, beside) << "no user folder";
  EXPECT_EQ(ChooseConfigPlace(folder.File(u"gone/"), per_user).Path, users) << "no such folder";

  std::filesystem::create_directories(folder.path() / "appdata" / "Dactyra");
  testing::WriteBytes(folder.path() / "appdata" / "Dactyra" / "CFG.TOML", "");
  EXPECT_EQ(ChooseConfigPlace(program, per_user).Path, users) << "only the user's exists";

  testing::WriteBytes(folder.path() / "program" / "CFG.TOML", "");
  EXPECT_EQ(ChooseConfigPlace(program, per_user).Path, beside) << "both exist";

  std::filesystem::permissions(folder.path() / "program" / "CFG.TOML",
                               std::filesystem::perms::owner_read);
  const TConfigPlace read_only = ChooseConfigPlace(program, per_user);
  EXPECT_EQ(read_only.Path, users);
  EXPECT_EQ(read_only.Seed, u"") << "the user's file exists already";
  std::filesystem::remove(folder.path() / "appdata" / "Dactyra" / "CFG.TOML");
  EXPECT_EQ(ChooseConfigPlace(program, per_user).Seed, beside);
  std::filesystem::permissions(folder.path() / "program" / "CFG.TOML",
                               std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace dactyra
