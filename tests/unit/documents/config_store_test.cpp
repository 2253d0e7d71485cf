// Several accounts may share one CFG.TOML: a copy of the program must never drop a change that
// another copy makes at the same time.

#include "documents/config_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/file.h"
#include "base/strings.h"
#include "documents/finger_entry.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"
#include "unit/documents/file_helpers.h"
#include "unit/toml_io/temp_folder.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dactyra {
namespace {

TEST(LoadConfig, TellsMissingLoadedAndUnreadableApart) {
  testing::TempFolder folder;
  const TConfigDocument missing = LoadConfig(folder.File(u"CFG.TOML"));
  EXPECT_EQ(missing.State, TConfigDocument::TState::kMissing);
  ASSERT_NE(missing.Document, nullptr);
  EXPECT_EQ(missing.Document->Items().Count(), 0);

  testing::WriteBytes(folder.path() / "CFG.TOML", "[units]\n1 = \"Sensor\"\n");
  const TConfigDocument loaded = LoadConfig(folder.File(u"CFG.TOML"));
  EXPECT_EQ(loaded.State, TConfigDocument::TState::kLoaded);
  EXPECT_EQ(toml::GetString(loaded.Document.get(), u"units.1", u""), u"Sensor");

  testing::WriteBytes(folder.path() / "CFG.TOML", "[[finger]\nunitid = 1\n");
  const TConfigDocument broken = LoadConfig(folder.File(u"CFG.TOML"));
  EXPECT_EQ(broken.State, TConfigDocument::TState::kUnreadable);
  EXPECT_EQ(broken.Document, nullptr);

  // Something at the path that is no file is not "missing" either: it must not be replaced.
  std::filesystem::create_directories(folder.path() / "DIR.TOML");
  EXPECT_EQ(LoadConfig(folder.File(u"DIR.TOML")).State, TConfigDocument::TState::kUnreadable);
}

TEST(ConfigStore, WhileAnotherCopyHoldsTheLockNothingIsWritten) {
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "CFG.TOML", "[units]\n1 = \"Sensor\"\n");
  const BuiltInTexts texts;
  int lines = 0;
  const TConfigStore store({.Path = folder.File(u"CFG.TOML"), .Seed = {}, .BesideProgram = true},
                           texts, [&lines](std::u16string_view) { ++lines; });
  const FileLock other_copy(folder.File(u"CFG.TOML.lock"), std::chrono::milliseconds(0));
  std::u16string seen;
  EXPECT_FALSE(store.Change([&seen](toml::TTOMLTable& document) {
    seen = toml::GetString(&document, u"units.1", u"");
    toml::SetString(&document, u"units.1", u"Renamed", true);
    return std::u16string();
  }));
  EXPECT_EQ(seen, u"Sensor") << "what the change reads still holds";
  EXPECT_EQ(testing::ReadBytes(folder.path() / "CFG.TOML"), "[units]\n1 = \"Sensor\"\n");
  EXPECT_EQ(lines, 1) << "one line says that the change was not saved";
}

#if !defined(_WIN32)
// Two accounts that share the file each rename their own finger 0xF5 of unit 1.
std::u16string DescriptionOf(const toml::TTOMLTable& document, std::u16string_view owner) {
  return FindDescription(toml::GetArray(&document, u"finger"), {1, u"0xF5", std::u16string(owner)});
}

// One account's copy renaming its finger again and again; gives how many of its renames were
// lost: not saved, or found undone at its next one.
int RenameRepeatedly(const TConfigStore& store, std::u16string_view owner, int renames) {
  int lost = 0;
  for (int i = 1; i <= renames; ++i) {
    const bool saved = store.Change([&](toml::TTOMLTable& document) {
      lost += DescriptionOf(document, owner) == (i == 1 ? u"" : IntToText(i - 1)) ? 0 : 1;
      RemoveFingerEntry(document, 1, u"0xF5", owner);
      AppendFingerEntry(document, 1, u"0xF5", IntToText(i), owner);
      return std::u16string();
    });
    lost += saved ? 0 : 1;
    // As long as the lock's own retry step: the other copy gets its turn, the saves interleave.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return lost;
}

TEST(ConfigStore, TwoCopiesRenamingAtOnceLoseNoChange) {
  constexpr int kRenames = 110;  // per copy
  testing::TempFolder folder;
  const BuiltInTexts texts;
  const TConfigStore store({.Path = folder.File(u"CFG.TOML"), .Seed = {}, .BesideProgram = true},
                           texts, [](std::u16string_view) {});
  const std::u16string owners[] = {u"S-1-5-21-1-2-3-1001", u"S-1-5-21-1-2-3-1002"};
  pid_t copies[2];
  for (int copy = 0; copy < 2; ++copy) {
    copies[copy] = fork();
    if (copies[copy] == 0) {
      _exit(RenameRepeatedly(store, owners[copy], kRenames) == 0 ? 0 : 1);
    }
  }
  for (const pid_t copy : copies) {
    int status = -1;
    ASSERT_EQ(waitpid(copy, &status, 0), copy);
    EXPECT_EQ(status, 0) << "renames lost";
  }
  const auto document = toml::LoadFromFile(folder.File(u"CFG.TOML"), false);
  ASSERT_NE(document, nullptr);
  for (const std::u16string& owner : owners) {
    EXPECT_EQ(DescriptionOf(*document, owner), IntToText(kRenames));
  }
}
#endif

}  // namespace
}  // namespace dactyra
