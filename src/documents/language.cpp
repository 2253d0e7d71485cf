#include "documents/language.h"

#include <algorithm>
#include <exception>

#include "base/file.h"
#include "platform/platform.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

constexpr std::u16string_view kLanguageFileExtension = u".TOML";

// Locales whose language has several shipped files, and the file each of them reads.
struct TLocaleFile {
  std::u16string_view Locale;
  std::u16string_view FileLocale;
};
constexpr TLocaleFile kLocaleFiles[] = {
    {u"zh-HK", u"zh-TW"},
    {u"zh-MO", u"zh-TW"},
    {u"zh-SG", u"zh-CN"},
};

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

bool StartsIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool EndsIgnoringCase(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// The listed file of exactly this locale, whatever the case of its name.
std::optional<std::u16string> FileOfLocale(std::u16string_view locale_name,
                                           const std::vector<std::u16string>& file_names) {
  const std::u16string wanted =
      std::u16string(locale_name) + std::u16string(kLanguageFileExtension);
  for (const std::u16string& name : file_names) {
    if (EqualIgnoringCase(name, wanted)) {
      return name;
    }
  }
  return std::nullopt;
}

// The one listed file of the locale's language ("de-" for "de-AT"); none when there is no such
// file or several.
std::optional<std::u16string> OnlyFileOfLanguage(std::u16string_view locale_name,
                                                 const std::vector<std::u16string>& file_names) {
  const std::size_t dash = locale_name.find(u'-');
  if (dash == std::u16string_view::npos || dash == 0) {
    return std::nullopt;
  }
  const std::u16string_view prefix = locale_name.substr(0, dash + 1);
  std::optional<std::u16string> found;
  for (const std::u16string& name : file_names) {
    if (StartsIgnoringCase(name, prefix) && EndsIgnoringCase(name, kLanguageFileExtension)) {
      if (found) {
        return std::nullopt;
      }
      found = name;
    }
  }
  return found;
}

// The value at `id` in section `module`, or null.
const toml::TTOMLValue* FindLangValue(toml::TTOMLTable* lang, std::u16string_view module,
                                      std::u16string_view id) {
  if (lang == nullptr) {
    return nullptr;
  }
  toml::TTOMLTable* section = toml::FindTable(lang, module);
  if (section == nullptr || !toml::HasPath(section, id)) {
    return nullptr;
  }
  return toml::FindValue(section, id);
}

}  // namespace

std::u16string LanguageFolder(std::u16string_view executable_directory) {
  // The folder's own separator (a backslash on Windows) also goes after "language".
  const char16_t separator = executable_directory.empty() ? u'\\' : executable_directory.back();
  return std::u16string(executable_directory) + u"language" + separator;
}

std::optional<std::u16string> ChooseLanguageFile(std::u16string_view locale_name,
                                                 const std::vector<std::u16string>& file_names) {
  if (std::optional<std::u16string> own = FileOfLocale(locale_name, file_names)) {
    return own;
  }
  for (const TLocaleFile& row : kLocaleFiles) {
    if (EqualIgnoringCase(row.Locale, locale_name)) {
      return FileOfLocale(row.FileLocale, file_names);
    }
  }
  return OnlyFileOfLanguage(locale_name, file_names);
}

TLanguageDocument LoadLanguageFor(std::u16string_view executable_directory,
                                  std::u16string_view locale_name) {
  const std::u16string folder = LanguageFolder(executable_directory);
  const std::optional<std::u16string> file = ChooseLanguageFile(locale_name, FileNamesIn(folder));
  return file ? LoadLanguage(folder + *file) : nullptr;
}

std::u16string GetLocaleName() {
  return platform::UserDefaultLocaleName();
}

TLanguageDocument LoadLanguage(std::u16string_view path) {
  return toml::LoadFromFile(path, false);
}

std::u16string GetLangStr(toml::TTOMLTable* lang, std::u16string_view module,
                          std::u16string_view id, std::u16string_view default_text) {
  try {
    const toml::TTOMLValue* value = FindLangValue(lang, module, id);
    if (const auto* text = value == nullptr ? nullptr : value->As<toml::TTOMLString>()) {
      return text->Value();
    }
  } catch (const std::exception&) {
    // A broken document gives the default like a missing text.
  }
  return std::u16string(default_text);
}

std::int32_t GetLangInt(toml::TTOMLTable* lang, std::u16string_view module, std::u16string_view id,
                        std::int32_t default_value) {
  try {
    const toml::TTOMLValue* value = FindLangValue(lang, module, id);
    if (const auto* number = value == nullptr ? nullptr : value->As<toml::TTOMLInteger>()) {
      const auto bits = static_cast<std::uint64_t>(number->Value());
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    }
  } catch (const std::exception&) {
    // As for texts.
  }
  return default_value;
}

}  // namespace dactyra
