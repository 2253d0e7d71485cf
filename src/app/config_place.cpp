#include "app/config_place.h"

#include "app/language.h"
#include "base/file.h"

namespace dactyra {

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
