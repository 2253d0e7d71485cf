// The language files shipped beside the program, checked against the keys the program looks up.

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

#include "app/language.h"
#include "base/format.h"
#include "base/utf.h"
#include "known_keys.h"
#include "placeholders.h"
#include "source_scan.h"
#include "toml/document_io.h"

namespace dactyra::language_test {
namespace {

namespace fs = std::filesystem;
using TKeySet = std::set<std::pair<std::u16string, std::u16string>>;

constexpr std::u16string_view kAbsent = u"\u0001absent";
constexpr std::int32_t kAbsentWidth = std::numeric_limits<std::int32_t>::min();

fs::path SourceFile(const char* name) {
  return fs::path(DACTYRA_LANGUAGE_DIR) / name;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::unique_ptr<toml::TTOMLTable> Load(const char* name) {
  const std::u16string path = *Utf8ToUtf16(SourceFile(name).string());
  return toml::ParseFile(path, false);
}

std::string Show(std::u16string_view text) {
  return Utf16ToUtf8Lossy(text);
}

std::string Show(const TKnownKey& known) {
  return Show(known.section) + " / " + Show(known.key);
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

TKeySet KnownKeySet(bool fixed_only) {
  TKeySet keys;
  for (const TKnownKey& known : KnownKeys()) {
    if (!fixed_only || known.kind == TBuiltIn::kText || known.kind == TBuiltIn::kWidth) {
      keys.insert({std::u16string(known.section), std::u16string(known.key)});
    }
  }
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
  for (const char* name : {"en-US.TOML", "zh-CN.TOML"}) {
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
  for (const char* name : {"en-US.TOML", "zh-CN.TOML"}) {
    const fs::path copy = fs::path(DACTYRA_BUILT_LANGUAGE_DIR) / name;
    ASSERT_TRUE(fs::exists(copy)) << copy;
    EXPECT_TRUE(ReadBytes(copy) == ReadBytes(SourceFile(name))) << copy << " is out of date";
  }
}

// The English file is what an en-US system loads: it must change nothing, so it leaves out
// (as comments for translators) the keys whose built-in text is not one fixed text.
TEST(EnglishFile, HoldsEveryFixedKeyAndNoOther) {
  const auto lang = Load("en-US.TOML");
  ASSERT_NE(lang, nullptr);
  ExpectSameKeys(FileKeys(*lang), KnownKeySet(true));

  const std::string text = ReadBytes(SourceFile("en-US.TOML"));
  for (const TKnownKey& known : KnownKeys()) {
    if (known.kind == TBuiltIn::kTwoTexts || known.kind == TBuiltIn::kComposed) {
      EXPECT_NE(text.find("\r\n# " + Show(known.key) + " = \""), std::string::npos)
          << Show(known) << " is not shown to translators";
    }
  }
}

TEST(EnglishFile, GivesExactlyTheBuiltInValues) {
  const auto lang = Load("en-US.TOML");
  ASSERT_NE(lang, nullptr);
  for (const TKnownKey& known : KnownKeys()) {
    SCOPED_TRACE(Show(known));
    if (known.kind == TBuiltIn::kText) {
      EXPECT_EQ(GetLangStr(lang.get(), known.section, known.key, kAbsent), known.text);
    } else if (known.kind == TBuiltIn::kWidth) {
      EXPECT_EQ(GetLangInt(lang.get(), known.section, known.key, kAbsentWidth), known.width);
    }
  }
}

TEST(ChineseFile, HoldsEveryKeyAndNoOther) {
  const auto lang = Load("zh-CN.TOML");
  ASSERT_NE(lang, nullptr);
  ExpectSameKeys(FileKeys(*lang), KnownKeySet(false));
}

TEST(ChineseFile, TextsAreFoundAndFitTheirCallers) {
  const auto lang = Load("zh-CN.TOML");
  ASSERT_NE(lang, nullptr);
  for (const TKnownKey& known : KnownKeys()) {
    SCOPED_TRACE(Show(known));
    if (known.kind == TBuiltIn::kWidth) {
      const std::int32_t width = GetLangInt(lang.get(), known.section, known.key, kAbsentWidth);
      EXPECT_GE(width, 16);
      EXPECT_LE(width, 1000);
      continue;
    }
    const std::u16string text = GetLangStr(lang.get(), known.section, known.key, kAbsent);
    ASSERT_NE(text, kAbsent) << "not a text the program finds";
    EXPECT_FALSE(text.empty());
    const std::u16string_view english = known.kind == TBuiltIn::kComposed ? u"" : known.text;
    EXPECT_EQ(Placeholders(text), Placeholders(english)) << Show(text);
    if (known.kind == TBuiltIn::kTwoTexts) {
      EXPECT_EQ(Placeholders(text), Placeholders(known.other_text)) << Show(text);
    }
    if (!Placeholders(english).empty()) {
      const std::vector<FormatArg> arguments = SampleArguments(english);
      EXPECT_NO_THROW(FormatWith(text, arguments)) << Show(text);
    }
    if (english.find(u'&') != std::u16string_view::npos) {
      EXPECT_NE(text.find(u'&'), std::u16string::npos) << "no keyboard shortcut: " << Show(text);
    }
  }
}

// Keyboard shortcuts of the controls shown together must differ.
TEST(ChineseFile, ShortcutsOfOneWindowDiffer) {
  const auto lang = Load("zh-CN.TOML");
  ASSERT_NE(lang, nullptr);
  const std::vector<std::vector<std::pair<std::u16string_view, std::u16string_view>>> windows{
      {{u"main", u"button.enum"},
       {u"main", u"button.verify"},
       {u"main", u"button.add"},
       {u"main", u"button.del"},
       {u"main", u"button.exit"},
       {u"main", u"button.signin"}},
      {{u"main", u"menu.verify"},
       {u"main", u"menu.rename"},
       {u"main", u"menu.del"},
       {u"main", u"menu.which"},
       {u"main", u"menu.enum"}},
      {{u"main", u"button.ok"}, {u"main", u"button.cancel"}},
      {{u"verify", u"button.retry"}, {u"verify", u"button.close"}},
      {{u"which", u"button.retry"}, {u"which", u"button.close"}},
      {{u"owner", u"button.retry"}, {u"owner", u"button.cancel"}},
  };
  for (const auto& window : windows) {
    std::set<char16_t> letters;
    for (const auto& [section, key] : window) {
      const std::u16string text = GetLangStr(lang.get(), section, key, kAbsent);
      const std::size_t amp = text.find(u'&');
      ASSERT_LT(amp + 1, text.size()) << Show(key);
      EXPECT_TRUE(letters.insert(text[amp + 1]).second) << Show(key) << ": " << Show(text);
    }
  }
}

TEST(ProgramSources, LookUpOnlyKnownKeysWithTheirBuiltInValues) {
  const std::vector<TLangCall> calls = FindLangCalls(ReadSources(DACTYRA_SOURCE_DIR));
  ASSERT_FALSE(calls.empty()) << "no lookup found in " << DACTYRA_SOURCE_DIR;
  for (const TLangCall& call : calls) {
    SCOPED_TRACE(call.where + ": " + Show(call.section) + " / " + Show(call.key));
    const TKnownKey* known = FindKnownKey(call.section, call.key);
    ASSERT_NE(known, nullptr) << "a key missing from the language files";
    if (call.default_text) {
      const bool fits =
          (known->kind == TBuiltIn::kText && *call.default_text == known->text) ||
          (known->kind == TBuiltIn::kTwoTexts &&
           (*call.default_text == known->text || *call.default_text == known->other_text));
      EXPECT_TRUE(fits) << "built-in text " << Show(*call.default_text);
    }
    if (call.default_number) {
      EXPECT_EQ(known->kind, TBuiltIn::kWidth);
      EXPECT_EQ(*call.default_number, known->width);
    }
  }
}

}  // namespace
}  // namespace dactyra::language_test
