#include "documents/language.h"
#include "documents/config_place.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "toml/document_io.h"
#include "unit/documents/file_helpers.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra {
namespace {

std::unique_ptr<toml::TTOMLTable> Parse(std::u16string_view text) {
  auto document = toml::ParseString(text, false);
  EXPECT_NE(document, nullptr);
  return document;
}

TEST(LanguagePaths, SitBesideTheExecutable) {
  const std::u16string directory = ExecutableDirectory(u"C:\\Tools\\Dactyra.exe");
  EXPECT_EQ(directory, u"C:\\Tools\\");
  EXPECT_EQ(ConfigFilePath(directory), u"C:\\Tools\\CFG.TOML");
  EXPECT_EQ(LanguageFolder(directory), u"C:\\Tools\\language\\");
  EXPECT_EQ(LanguageFolder(ExecutableDirectory(u"/opt/d/Dactyra")), u"/opt/d/language/");
  EXPECT_EQ(ExecutableDirectory(u"Dactyra.exe"), u"");
}

TEST(LanguageFile, IsTheLocalesOwnElseOneOfItsLanguageElseNone) {
  const std::vector<std::u16string> shipped{u"de-DE.TOML", u"en-US.TOML", u"zh-CN.TOML",
                                            u"zh-TW.TOML", u"ko-kr.toml"};
  const std::pair<std::u16string_view, std::optional<std::u16string>> cases[] = {
      {u"de-DE", u"de-DE.TOML"}, {u"zh-HK", u"zh-TW.TOML"}, {u"zh-MO", u"zh-TW.TOML"},
      {u"zh-SG", u"zh-CN.TOML"}, {u"de-AT", u"de-DE.TOML"}, {u"sv-SE", std::nullopt},
      {u"zh-XX", std::nullopt},  {u"DE-de", u"de-DE.TOML"}, {u"ko-KR", u"ko-kr.toml"},
  };
  for (const auto& [locale, file] : cases) {
    EXPECT_EQ(ChooseLanguageFile(locale, shipped), file) << ::testing::PrintToString(locale);
  }
}

TEST(LanguageFile, MissingOrBrokenGivesNoDocument) {
  testing::TempFolder folder;
  EXPECT_EQ(LoadLanguage(folder.File(u"missing.TOML")), nullptr);
  testing::WriteBytes(folder.path() / "broken.TOML", "[main\ntitle = \"x\"\n");
  EXPECT_EQ(LoadLanguage(folder.File(u"broken.TOML")), nullptr);
  testing::WriteBytes(folder.path() / "good.TOML", "[main]\ntitle = \"Finger\"\n");
  const auto lang = LoadLanguage(folder.File(u"good.TOML"));
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"title", u"Dactyra"), u"Finger");
}

TEST(GetLangStr, WithoutDocumentGivesTheDefault) {
  EXPECT_EQ(GetLangStr(nullptr, u"main", u"title", u"Dactyra"), u"Dactyra");
  EXPECT_EQ(GetLangInt(nullptr, u"main", u"list.columns.2.width", 300), 300);
}

TEST(GetLangStr, FindsDottedKeysHoweverWritten) {
  const auto lang = Parse(
      u"[main]\nbutton.enum = \"Lesen\"\n[main.label]\nuser = \"Benutzer: \"\n"
      u"[deep.section]\nkey = \"tief\"\n");
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"button.enum", u"&Read"), u"Lesen");
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"label.user", u"User: "), u"Benutzer: ");
  EXPECT_EQ(GetLangStr(lang.get(), u"deep.section", u"key", u"d"), u"tief");
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"button.del", u"&Delete"), u"&Delete");
  EXPECT_EQ(GetLangStr(lang.get(), u"log", u"saved", u"saved"), u"saved");
  // The key path must reach a value: a table is not a text.
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"button", u"b"), u"b");
}

TEST(GetLangStr, OnlyStringsAreTexts) {
  const auto lang = Parse(u"[main]\ntitle = 5\nabout = \"\"\nauthor = true\nlog = \"%d %s\"\n");
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"title", u"Dactyra"), u"Dactyra");
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"about", u"&About..."), u"");
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"author", u"Author: "), u"Author: ");
  // Texts are handed over as they are; formatting is the caller's.
  EXPECT_EQ(GetLangStr(lang.get(), u"main", u"log", u""), u"%d %s");
}

TEST(GetLangInt, OnlyIntegersAreWidths) {
  const auto lang = Parse(
      u"[main.list.columns.1]\nwidth = \"40\"\n[main.list.columns.2]\nwidth = 250\n"
      u"[main.list.columns.3]\nwidth = 250.0\n[main.list.columns.4]\nwidth = true\n"
      u"[main.list.columns.5]\nwidth = 4294967546\n[main.list.columns.6]\nwidth = 4294967295\n");
  EXPECT_EQ(GetLangInt(lang.get(), u"main", u"list.columns.1.width", 30), 30);
  EXPECT_EQ(GetLangInt(lang.get(), u"main", u"list.columns.2.width", 300), 250);
  EXPECT_EQ(GetLangInt(lang.get(), u"main", u"list.columns.3.width", 60), 60);
  EXPECT_EQ(GetLangInt(lang.get(), u"main", u"list.columns.4.width", 80), 80);
  // The low 32 bits, taken as signed.
  EXPECT_EQ(GetLangInt(lang.get(), u"main", u"list.columns.5.width", 170), 250);
  EXPECT_EQ(GetLangInt(lang.get(), u"main", u"list.columns.6.width", 170), -1);
}

}  // namespace
}  // namespace dactyra
