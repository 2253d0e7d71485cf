#include "documents/config_place.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "unit/documents/file_helpers.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra {
namespace {

// Beside the program first; the user's own file when the program's cannot be written or only
// the user's exists.
TEST(ChooseConfigPlace, BesideTheProgramUnlessItCannotBeWritten) {
  testing::TempFolder folder;
  const std::u16string program = folder.File(u"program/");
  const std::u16string per_user = folder.File(u"appdata/");
  std::filesystem::create_directories(folder.path() / "program");
  const std::u16string beside = program + u"CFG.TOML";
  const std::u16string users = per_user + u"Dactyra/CFG.TOML";

  EXPECT_EQ(ChooseConfigPlace(program, per_user).Path, beside) << "neither exists";
  EXPECT_EQ(ChooseConfigPlace(program, std::nullopt).Path, beside) << "no user folder";
  EXPECT_EQ(ChooseConfigPlace(folder.File(u"gone/"), per_user).Path, users) << "no such folder";

  std::filesystem::create_directories(folder.path() / "appdata" / "Dactyra");
  testing::WriteBytes(folder.path() / "appdata" / "Dactyra" / "CFG.TOML", "");
  EXPECT_EQ(ChooseConfigPlace(program, per_user).Path, users) << "only the user's exists";

  testing::WriteBytes(folder.path() / "program" / "CFG.TOML", "");
  EXPECT_EQ(ChooseConfigPlace(program, per_user).Path, beside) << "both exist";

  std::filesystem::permissions(folder.path() / "program" / "CFG.TOML",
                               std::filesystem::perms::owner_read);
  const TConfigPlace read_only = ChooseConfigPlace(program, per_user);
  EXPECT_EQ(read_only.Path, users);
  EXPECT_EQ(read_only.Seed, u"") << "the user's file exists already";
  std::filesystem::remove(folder.path() / "appdata" / "Dactyra" / "CFG.TOML");
  EXPECT_EQ(ChooseConfigPlace(program, per_user).Seed, beside);
  std::filesystem::permissions(folder.path() / "program" / "CFG.TOML",
                               std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace dactyra
