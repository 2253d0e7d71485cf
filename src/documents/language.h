#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toml/value.h"

namespace dactyra {

// The folder of the language files beside the executable ("C:\Tools\language\"), whose files
// are named <locale name>.TOML.
std::u16string LanguageFolder(std::u16string_view executable_directory);

// The language file to load for a user's locale, one of the names of the files in the language
// folder: the locale's own file; else one file of the same language (zh-HK and zh-MO read
// zh-TW, zh-SG reads zh-CN, any other locale the only file of its language); else none, and the
// built-in English texts are used. Windows file names ignore case, and so does the choice.
std::optional<std::u16string> ChooseLanguageFile(std::u16string_view locale_name,
                                                 const std::vector<std::u16string>& file_names);

// A loaded language document; null for none (the built-in texts).
using TLanguageDocument = std::unique_ptr<toml::TTOMLTable>;

// The language document for the locale from the language folder beside the executable (the
// file ChooseLanguageFile picks), or none.
TLanguageDocument LoadLanguageFor(std::u16string_view executable_directory,
                                  std::u16string_view locale_name);

// The user's default locale name ("zh-CN"), "en-US" when the system gives none.
std::u16string GetLocaleName();

// The language document of the file, or none when the file is missing or does not parse.
TLanguageDocument LoadLanguage(std::u16string_view path);

// A text of the language document: `module` is the section (a dotted path), `id` the key path
// inside it. The default when there is no document, no such section or key, or the value is not
// a string. An empty string is a text like any other.
std::u16string GetLangStr(toml::TTOMLTable* lang, std::u16string_view module,
                          std::u16string_view id, std::u16string_view default_text);

// As GetLangStr for an integer: the low 32 bits of a TOML integer, taken as signed. A float, a
// boolean or a string of digits gives the default.
std::int32_t GetLangInt(toml::TTOMLTable* lang, std::u16string_view module, std::u16string_view id,
                        std::int32_t default_value);

}  // namespace dactyra
