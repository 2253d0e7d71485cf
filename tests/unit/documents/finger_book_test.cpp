#include "documents/finger_book.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/text_source.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"
#include "unit/documents/file_helpers.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra::testing {
namespace {

class FingerBook : public ::testing::Test {
 protected:
  std::filesystem::path Path() const { return folder_.path() / "CFG.TOML"; }

  // A book over the file in the test's folder.
  TFingerBook Book() const {
    return TFingerBook(TConfigStore({.Path = Path().u16string(), .Seed = {}, .BesideProgram = true},
                                    texts_, [](std::u16string_view) {}));
  }
  // Writes the list after a listing that read the enrollments of `listed_units`; gives the
  // document written.
  std::unique_ptr<toml::TTOMLTable> WriteList(const std::vector<TFingerRecord>& records,
                                              const std::set<std::int64_t>& listed_units) const {
    TFingerBook book = Book();
    book.ReadListing({}, listed_units, records, u"");
    book.WriteList(records, u"");
    return toml::LoadFromFile(Path().u16string(), false);
  }

  TempFolder folder_;
  BuiltInTexts texts_;
};

// A record as the listing makes it, with the description the list shows.
TFingerRecord Record(std::uint32_t unit, std::u16string device, std::uint8_t finger,
                     std::u16string description) {
  return {.UnitId = unit,
          .DeviceName = std::move(device),
          .SubFactor = finger,
          .SubName = u"",
          .Description = std::move(description)};
}

TEST_F(FingerBook, OneEntryPerRecordAndOneUnitPerListedSensor) {
  const std::vector<TFingerRecord> records = {
      Record(1, u"Sensor A", 0xF5, u"left index"),
      Record(1, u"Sensor A", 0xF6, u"fingerprint #2"),
      Record(7, u"Sensor B", 0xF5, u""),
  };
  WriteBytes(Path(), "title = \"dropped\"\n[units]\n9 = \"gone\"\n");
  const auto root = WriteList(records, {1, 7});
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

TEST_F(FingerBook, KeepsTheFingersOfSensorsNotListed) {
  const std::vector<TFingerRecord> records = {Record(1, u"Sensor A", 0xF5, u"new")};
  WriteBytes(Path(),
             "[[finger]]\nunitid = 3\nfingerid = \"0xF5\"\ndescription = \"unplugged one\"\n"
             "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"old\"\n"
             "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"deleted\"\n"
             "[[finger]]\nunitid = 2\nfingerid = \"0xF7\"\ndescription = \"failed one\"\n"
             "[[finger]]\nunitid = 3\nfingerid = \"0xF6\"\ndescription = \"unplugged two\"\n");
  const auto root = WriteList(records, {1});
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

TEST_F(FingerBook, EmptyListGivesEmptyTables) {
  const auto root = WriteList({}, {});
  EXPECT_EQ(toml::FindTable(root.get(), u"units")->Items().Count(), 0);
  EXPECT_EQ(toml::GetArray(root.get(), u"finger")->Count(), 0);
}

TEST_F(FingerBook, FileLayoutForTwoFingersOnOneSensor) {
  const std::vector<TFingerRecord> records = {
      Record(1, u"Sensor \"A\"", 0xF5, u"左手"),
      Record(1, u"Sensor \"A\"", 0xF6, u"fingerprint #2"),
  };
  WriteList(records, {1});
  EXPECT_EQ(ReadBytes(Path()),
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

// Rows that do not show the stored fingers would wipe their entries from the file.
TEST_F(FingerBook, WritesTheListOnlyAfterACompletedListing) {
  WriteBytes(Path(), "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"thumb\"\n");
  TFingerBook book = Book();
  const struct {
    const char* when;
    std::function<void()> before;
  } kCases[] = {
      {"never listed", [] {}},
      {"listing again",
       [&book] {
         book.ReadListing({}, {1}, {}, u"");
         book.ForgetListing();
       }},
  };
  for (const auto& c : kCases) {
    c.before();
    const std::string before = ReadBytes(Path());
    book.WriteList({}, u"");
    EXPECT_EQ(ReadBytes(Path()), before) << c.when;
  }
}

}  // namespace
}  // namespace dactyra::testing
