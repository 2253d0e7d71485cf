#include "documents/config_place.h"

#include "base/file.h"

namespace dactyra {

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

TConfigPlace ChooseConfigPlace(std::u16string_view executable_directory,
                               const std::optional<std::u16string>& per_user_folder) {
  const std::u16string beside = ConfigFilePath(executable_directory);
  if (!per_user_folder || per_user_folder->empty()) {
    return {beside, {}, true};
  }
  // The folder's own separator (a backslash on Windows) also goes after "Dactyra".
  const std::u16string per_user =
      ConfigFilePath(*per_user_folder + u"Dactyra" + per_user_folder->back());
  if (PathExists(beside)) {
    if (!FileIsReadOnly(beside) && FolderIsWritable(executable_directory)) {
      return {beside, {}, true};
    }
    return {per_user, PathExists(per_user) ? std::u16string() : beside, false};
  }
  if (PathExists(per_user) || !FolderIsWritable(executable_directory)) {
    return {per_user, {}, false};
  }
  return {beside, {}, true};
}

}  // namespace dactyra
