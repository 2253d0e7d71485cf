#include "app/language.h"

#include <exception>

#include "platform/platform.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

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

std::u16string ExecutableDirectory(std::u16string_view executable_path) {
  const std::size_t separator = executable_path.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos) {
    return {};
  }
  return std::u16string(executable_path.substr(0, separator + 1));
}

std::u16string ConfigFilePath(std::u16string_view executable_directory) {
  return std::u16string(executable_directory) + u"CFG.TOML";
}

std::u16string LanguageFilePath(std::u16string_view executable_directory,
                                std::u16string_view locale_name) {
  // The folder's own separator (a backslash on Windows) also goes after "language".
  const char16_t separator = executable_directory.empty() ? u'\\' : executable_directory.back();
  return std::u16string(executable_directory) + u"language" + separator +
         std::u16string(locale_name) + u".TOML";
}

std::u16string GetLocaleName() {
  return platform::UserDefaultLocaleName();
}

std::unique_ptr<toml::TTOMLTable> LoadLanguage(std::u16string_view path) {
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
