// Several accounts may share one CFG.TOML: a copy of the program must never drop a change that
// another copy makes at the same time.

#include "app/config_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/config_file.h"
#include "app/finger_entries.h"
#include "base/file.h"
#include "base/strings.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"
#include "unit/app/file_helpers.h"
#include "unit/toml_io/temp_folder.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dactyra {
namespace {

TConfigStore StoreIn(const testing::TempFolder& folder, const TextSource& texts,
                     std::vector<std::u16string>* log) {
  TConfigPlace place;
  place.Path = folder.File(u"CFG.TOML");
  return TConfigStore(place, texts, [log](std::u16string_view line) {
    if (log != nullptr) {
      log->emplace_back(line);
    }
  });
}

TEST(ConfigStore, WhileAnotherCopyHoldsTheLockNothingIsWritten) {
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "CFG.TOML", "[units]\n1 = \"Sensor\"\n");
  const BuiltInTexts texts;
  std::vector<std::u16string> log;
  const TConfigStore store = StoreIn(folder, texts, &log);
  const FileLock other_copy(folder.File(u"CFG.TOML.lock"), std::chrono::milliseconds(0));
  std::u16string seen;
  EXPECT_FALSE(store.Change([&seen](toml::TTOMLTable& document) {
    seen = toml::GetString(&document, u"units.1", u"");
    toml::SetString(&document, u"units.1", u"Renamed", true);
    return std::u16string();
  }));
  EXPECT_EQ(seen, u"Sensor") << "what the change reads still holds";
  EXPECT_EQ(testing::ReadBytes(folder.path() / "CFG.TOML"), "[units]\n1 = \"Sensor\"\n");
  EXPECT_EQ(log.size(), 1u) << "one line says that the change was not saved";
}

#if !defined(_WIN32)
constexpr int kRenamesPerCopy = 110;

std::u16string DescriptionOf(const toml::TTOMLTable& document, std::u16string_view owner,
                             std::u16string_view finger_id) {
  TDescriptionLookup lookup;
  lookup.UnitId = 1;
  lookup.FingerId = finger_id;
  lookup.Owner = owner;
  toml::ForEachTable(
      toml::GetArray(&document, u"finger"),
      [&lookup](std::int32_t index, const toml::TTOMLTable& table) {
        return lookup.FindDescription(index, table);
      },
      true);
  return lookup.Description;
}

// One account's copy of the program renaming its own finger again and again; gives how many of
// its renames were lost: not saved, or found undone by its next one.
int RenameRepeatedly(const TConfigStore& store, std::u16string_view owner,
                     std::u16string_view finger_id) {
  int lost = 0;
  for (int i = 1; i <= kRenamesPerCopy; ++i) {
    const std::u16string last = i == 1 ? u"" : IntToText(i - 1);
    const bool saved = store.Change([&](toml::TTOMLTable& document) {
      lost += DescriptionOf(document, owner, finger_id) == last ? 0 : 1;
      RemoveFingerEntry(document, 1, finger_id, owner);
      AppendFingerEntry(document, 1, finger_id, IntToText(i), owner);
      return std::u16string();
    });
    lost += saved ? 0 : 1;
    // As long as the lock's own retry step: the other copy gets its turn, the saves interleave.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return lost;
}

TEST(ConfigStore, TwoCopiesRenamingAtOnceLoseNoChange) {
  testing::TempFolder folder;
  const BuiltInTexts texts;
  const TConfigStore store = StoreIn(folder, texts, nullptr);
  const std::u16string owners[] = {u"S-1-5-21-1-2-3-1001", u"S-1-5-21-1-2-3-1002"};
  const std::u16string fingers[] = {u"0xF5", u"0xF6"};
  std::vector<pid_t> copies;
  for (int copy = 0; copy < 2; ++copy) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      _exit(std::min(RenameRepeatedly(store, owners[copy], fingers[copy]), 100));
    }
    copies.push_back(pid);
  }
  for (const pid_t pid : copies) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "renames lost";
  }
  const auto document = toml::LoadFromFile(folder.File(u"CFG.TOML"), false);
  ASSERT_NE(document, nullptr);
  for (int copy = 0; copy < 2; ++copy) {
    EXPECT_EQ(DescriptionOf(*document, owners[copy], fingers[copy]), IntToText(kRenamesPerCopy));
  }
}
#endif

}  // namespace
}  // namespace dactyra
