#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "toml/value.h"

namespace dactyra {

// The language file for a locale: language\<locale name>.TOML beside the executable.
std::u16string LanguageFilePath(std::u16string_view executable_directory,
                                std::u16string_view locale_name);

// The user's default locale name ("zh-CN"), "en-US" when the system gives none.
std::u16string GetLocaleName();

// The language document of the file, or none when the file is missing or does not parse.
std::unique_ptr<toml::TTOMLTable> LoadLanguage(std::u16string_view path);

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
