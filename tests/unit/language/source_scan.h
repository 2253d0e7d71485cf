#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dactyra::language_test {

// One C++ source file: its path (its folder scopes the wrappers found in it) and its text.
struct TSourceText {
  std::string path;
  std::string text;
};

// A language lookup whose section and key are written in the source.
struct TLangCall {
  std::u16string section;
  std::u16string key;
  std::optional<std::u16string> default_text;  // when the default is a literal text
  std::optional<std::int64_t> default_number;  // when it is an integer literal
  std::string where;                           // "path:line"
};

// The lookups GetLangStr(section, key, default) and GetLangInt(...) in the sources, with or
// without a document argument before the section, whose section and key are string literals
// (adjacent literals joined) or names of string constants defined in the sources. A function
// that passes its own parameter on as the key of a literal section (a dialog's LangText(key,
// default)) is followed too: its calls with a literal key count, in the files of its folder.
// Comments are skipped; line breaks between arguments do not matter.
std::vector<TLangCall> FindLangCalls(const std::vector<TSourceText>& sources);

// The .cpp and .h files below a folder, in path order.
std::vector<TSourceText> ReadSources(const std::filesystem::path& root);

}  // namespace dactyra::language_test
