// The language files shipped beside the program, checked against the tables of the texts the
// program shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "all_texts.h"
#include "app/main_texts.h"
#include "base/format.h"
#include "base/utf.h"
#include "documents/language.h"
#include "placeholders.h"
#include "toml/document_io.h"

namespace dactyra::language_test {
namespace {

namespace fs = std::filesystem;
using TKeySet = std::set<std::pair<std::u16string, std::u16string>>;

constexpr std::u16string_view kAbsent = u"\u0001absent";
constexpr std::int32_t kAbsentWidth = std::numeric_limits<std::int32_t>::min();

fs::path SourceFile(const std::string& name) {
  return fs::path(DACTYRA_LANGUAGE_DIR) / name;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The shipped language files in name order; the translations leave out English.
std::vector<std::string> ShippedFiles(bool translations_only) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(DACTYRA_LANGUAGE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".TOML") && !(translations_only && name == "en-US.TOML")) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::unique_ptr<toml::TTOMLTable> Load(const std::string& name) {
  const std::u16string path = *Utf8ToUtf16(SourceFile(name).string());
  return toml::ParseFile(path, false);
}

std::string Show(std::u16string_view text) {
  return Utf16ToUtf8Lossy(text);
}

std::string Show(const TKey& key) {
  return Show(key.first) + " / " + Show(key.second);
}

// Every value below a table that is not itself a table, as a dotted path.
void CollectKeys(const toml::TTOMLTable& table, const std::u16string& prefix,
                 const std::u16string& section, TKeySet& keys) {
  for (const toml::TTOMLTableEntry& entry : table.Items().Entries()) {
    const std::u16string path = prefix.empty() ? entry.Key : prefix + u"." + entry.Key;
    if (entry.Value->ValueType() == toml::tvtTable) {
      CollectKeys(*entry.Value->As<toml::TTOMLTable>(), path, section, keys);
    } else {
      keys.insert({section, path});
    }
  }
}

// (section, key) of every value of a language document; a value outside any section has the
// section "".
TKeySet FileKeys(const toml::TTOMLTable& document) {
  TKeySet keys;
  for (const toml::TTOMLTableEntry& entry : document.Items().Entries()) {
    if (entry.Value->ValueType() == toml::tvtTable) {
      CollectKeys(*entry.Value->As<toml::TTOMLTable>(), u"", entry.Key, keys);
    } else {
      keys.insert({u"", entry.Key});
    }
  }
  return keys;
}

// The keys of the program's texts and numbers; with `composed`, those of the composed texts too.
TKeySet ProgramKeys(const TProgramTexts& program, bool composed) {
  TKeySet keys;
  for (const TranslatableText& text : program.fixed) {
    keys.emplace(text.section, text.key);
  }
  if (composed) {
    for (const TranslatableText& text : program.composed) {
      keys.emplace(text.section, text.key);
    }
  }
  for (const TranslatableNumber& number : program.numbers) {
    keys.emplace(number.section, number.key);
  }
  keys.emplace(program.font_name.section, program.font_name.key);
  keys.emplace(program.font_height.section, program.font_height.key);
  return keys;
}

std::string Describe(const TKeySet& keys) {
  std::string text;
  for (const auto& [section, key] : keys) {
    text += "  " + Show(section) + " / " + Show(key) + "\n";
  }
  return text;
}

void ExpectSameKeys(const TKeySet& in_file, const TKeySet& expected) {
  TKeySet missing;
  TKeySet extra;
  std::set_difference(expected.begin(), expected.end(), in_file.begin(), in_file.end(),
                      std::inserter(missing, missing.end()));
  std::set_difference(in_file.begin(), in_file.end(), expected.begin(), expected.end(),
                      std::inserter(extra, extra.end()));
  EXPECT_TRUE(missing.empty()) << "missing keys:\n" << Describe(missing);
  EXPECT_TRUE(extra.empty()) << "keys the program never looks up:\n" << Describe(extra);
}

// Arguments of the kinds a text's directives take, as its caller passes them.
std::vector<FormatArg> SampleArguments(std::u16string_view format) {
  std::vector<FormatArg> arguments;
  for (const std::u16string& directive : Placeholders(format)) {
    if (directive.back() == u's') {
      arguments.emplace_back(u"text");
    } else {
      arguments.emplace_back(std::int32_t{7});
    }
  }
  return arguments;
}

TEST(LanguageFiles, AreUtf8WithByteOrderMarkAndCrLfLineEnds) {
  for (const std::string& name : ShippedFiles(false)) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadBytes(SourceFile(name));
    ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
    EXPECT_TRUE(Utf8ToUtf16(std::string_view(bytes).substr(3)).has_value());
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const bool lone_lf = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
      const bool lone_cr = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
      ASSERT_FALSE(lone_lf || lone_cr) << "line end at byte " << i;
    }
  }
}

TEST(LanguageFiles, AreCopiedBesideTheProgram) {
  for (const std::string& name : ShippedFiles(false)) {
    const fs::path copy = fs::path(DACTYRA_BUILT_LANGUAGE_DIR) / name;
    ASSERT_TRUE(fs::exists(copy)) << copy;
    EXPECT_TRUE(ReadBytes(copy) == ReadBytes(SourceFile(name))) << copy << " is out of date";
  }
}

// Each text has one home: no key is declared twice, in one table or in two.
TEST(ProgramTexts, DeclareEachKeyOnce) {
  const TProgramTexts program = AllProgramTexts();
  std::set<TKey> seen;
  for (const auto* list : {&program.fixed, &program.composed}) {
    for (const TranslatableText& text : *list) {
      // The tables' gathering keeps one of entries that are the same; another text under a key
      // already taken could never be translated right.
      EXPECT_TRUE(seen.insert(KeyOf(text)).second) << Show(KeyOf(text));
    }
  }
  for (const TranslatableNumber& number : program.numbers) {
    EXPECT_TRUE(seen.insert({number.section, number.key}).second) << Show(number.key);
  }
  EXPECT_TRUE(seen.insert(KeyOf(program.font_name)).second);
  EXPECT_TRUE(seen.insert({program.font_height.section, program.font_height.key}).second);
}

// The English file is what an en-US system loads: it must change nothing, so it leaves out (as
// comments for translators) the keys whose built-in text is composed around a value.
TEST(EnglishFile, HoldsEveryFixedKeyAndNoOther) {
  const TProgramTexts program = AllProgramTexts();
  const auto lang = Load("en-US.TOML");
  ASSERT_NE(lang, nullptr);
  ExpectSameKeys(FileKeys(*lang), ProgramKeys(program, false));

  const std::string text = ReadBytes(SourceFile("en-US.TOML"));
  for (const TranslatableText& composed : program.composed) {
    EXPECT_NE(text.find("\r\n# " + Show(composed.key) + " = \""), std::string::npos)
        << Show(KeyOf(composed)) << " is not shown to translators";
  }
}

TEST(EnglishFile, GivesExactlyTheBuiltInValues) {
  const TProgramTexts program = AllProgramTexts();
  const auto lang = Load("en-US.TOML");
  ASSERT_NE(lang, nullptr);
  for (const TranslatableText& text : program.fixed) {
    EXPECT_EQ(GetLangStr(lang.get(), text.section, text.key, kAbsent), text.english)
        << Show(KeyOf(text));
  }
  for (const TranslatableNumber& number : program.numbers) {
    EXPECT_EQ(GetLangInt(lang.get(), number.section, number.key, kAbsentWidth), number.built_in)
        << Show(number.key);
  }
}

// Every translation, each a test of its own.
class Translation : public ::testing::TestWithParam<std::string> {};
INSTANTIATE_TEST_SUITE_P(Shipped, Translation, ::testing::ValuesIn(ShippedFiles(true)));

TEST_P(Translation, HoldsEveryKeyAndNoOther) {
  const auto lang = Load(GetParam());
  ASSERT_NE(lang, nullptr);
  ExpectSameKeys(FileKeys(*lang), ProgramKeys(AllProgramTexts(), true));
}

// A translation of `english`, or of a composed text when `english` is empty, fits its caller.
void ExpectFits(toml::TTOMLTable* lang, const TranslatableText& entry,
                std::u16string_view english) {
  SCOPED_TRACE(Show(KeyOf(entry)));
  const std::u16string text = GetLangStr(lang, entry.section, entry.key, kAbsent);
  ASSERT_NE(text, kAbsent) << "not a text the program finds";
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(Placeholders(text), Placeholders(english)) << Show(text);
  if (!Placeholders(english).empty()) {
    const std::vector<FormatArg> arguments = SampleArguments(english);
    EXPECT_NO_THROW(FormatWith(text, arguments)) << Show(text);
  }
  if (english.find(u'&') != std::u16string_view::npos) {
    EXPECT_NE(text.find(u'&'), std::u16string::npos) << "no keyboard shortcut: " << Show(text);
  }
}

TEST_P(Translation, TextsAreFoundAndFitTheirCallers) {
  const TProgramTexts program = AllProgramTexts();
  const auto lang = Load(GetParam());
  ASSERT_NE(lang, nullptr);
  for (const TranslatableText& text : program.fixed) {
    ExpectFits(lang.get(), text, text.english);
  }
  for (const TranslatableText& text : program.composed) {
    ExpectFits(lang.get(), text, u"");
  }
  for (const TranslatableNumber& number : program.numbers) {
    const std::int32_t width = GetLangInt(lang.get(), number.section, number.key, kAbsentWidth);
    EXPECT_GE(width, 16) << Show(number.key);
    EXPECT_LE(width, 1000) << Show(number.key);
  }
}

// Every file names its language's window font, at a height the program takes.
TEST(LanguageFiles, NameTheWindowFont) {
  const TProgramTexts program = AllProgramTexts();
  const auto [lowest, highest] = kMainFontHeightRange;
  for (const std::string& name : ShippedFiles(false)) {
    SCOPED_TRACE(name);
    const auto lang = Load(name);
    ASSERT_NE(lang, nullptr);
    const TranslatableText& face = program.font_name;
    EXPECT_NE(GetLangStr(lang.get(), face.section, face.key, u""), u"");
    const TranslatableNumber& height = program.font_height;
    const std::int32_t pixels = GetLangInt(lang.get(), height.section, height.key, kAbsentWidth);
    EXPECT_GE(pixels, lowest);
    EXPECT_LE(pixels, highest);
  }
}

// Keyboard shortcuts of the controls shown together must differ, in every shipped file.
TEST(LanguageFiles, ShortcutsOfOneWindowDiffer) {
  for (const std::string& name : ShippedFiles(false)) {
    SCOPED_TRACE(name);
    const auto lang = Load(name);
    ASSERT_NE(lang, nullptr);
    for (const std::vector<TKey>& window : ShortcutGroups()) {
      std::set<char16_t> letters;
      for (const TKey& key : window) {
        const std::u16string text = GetLangStr(lang.get(), key.first, key.second, kAbsent);
        const std::size_t amp = text.find(u'&');
        ASSERT_LT(amp + 1, text.size()) << Show(key);
        EXPECT_TRUE(letters.insert(text[amp + 1]).second) << Show(key) << ": " << Show(text);
      }
    }
  }
}

}  // namespace
}  // namespace dactyra::language_test
