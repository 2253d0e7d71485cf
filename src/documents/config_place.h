#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dactyra {

// The folder of the executable, trailing separator included ("C:\Tools\" for
// "C:\Tools\Dactyra.exe"); empty when the path names no folder.
std::u16string ExecutableDirectory(std::u16string_view executable_path);

// The configuration file beside the executable.
std::u16string ConfigFilePath(std::u16string_view executable_directory);

// Where CFG.TOML is kept: beside the program as a rule; in the user's own folder when the file
// beside the program cannot be written (its folder is not writable, or the file is read-only),
// or when only the user's file exists.
struct TConfigPlace {
  std::u16string Path;  // the file that is read and written
  // A file to read while Path does not exist yet (the one beside the program that cannot be
  // written, so that its descriptions still show); empty when there is none.
  std::u16string Seed;
  bool BesideProgram = true;
};

// The place for a program in `executable_directory`; `per_user_folder` is the user's folder for
// program data (%LOCALAPPDATA%, trailing separator included), none when there is no such folder:
// the file then stays beside the program.
TConfigPlace ChooseConfigPlace(std::u16string_view executable_directory,
                               const std::optional<std::u16string>& per_user_folder);

}  // namespace dactyra
