#include "documents/language.h"

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
    if (value != nullptr && value->ValueType() == toml::tvtString) {
      return static_cast<const toml::TTOMLString*>(value)->Value();
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
    if (value != nullptr && value->ValueType() == toml::tvtInteger) {
      const auto bits =
          static_cast<std::uint64_t>(static_cast<const toml::TTOMLInteger*>(value)->Value());
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    }
  } catch (const std::exception&) {
    // As for texts.
  }
  return default_value;
}

}  // namespace dactyra
