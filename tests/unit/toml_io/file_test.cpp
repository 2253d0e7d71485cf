#include "base/file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "temp_folder.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace dactyra {
namespace {

using testing::TempFolder;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

TEST(ReadWholeFile, ReadsEveryByte) {
  TempFolder folder;
  const std::string bytes("a\0b\r\n\xFF", 6);
  WriteBytes(folder.path() / u"f\u00E9.toml", bytes);
  const FileReadResult read = ReadWholeFile(folder.File(u"f\u00E9.toml"));
  EXPECT_EQ(read.status, FileReadResult::Status::kOk);
  EXPECT_EQ(read.bytes, bytes);
  EXPECT_TRUE(read.reason.empty());
}

TEST(ReadWholeFile, MissingFileOrFolderCannotBeOpened) {
  TempFolder folder;
  const FileReadResult missing = ReadWholeFile(folder.File(u"missing.toml"));
  EXPECT_EQ(missing.status, FileReadResult::Status::kCannotOpen);
  EXPECT_NE(missing.reason.find(u"missing.toml"), std::u16string::npos);
  EXPECT_EQ(ReadWholeFile(folder.path().u16string()).status, FileReadResult::Status::kCannotOpen);
}

TEST(FileNamesIn, ListsTheFilesOfAFolderButNotItsFolders) {
  TempFolder folder;
  WriteBytes(folder.path() / u"\u65E5\u672C.TOML", "");
  std::filesystem::create_directory(folder.path() / "sub");
  EXPECT_EQ(FileNamesIn(folder.File(u"")), std::vector<std::u16string>{u"\u65E5\u672C.TOML"});
  EXPECT_TRUE(FileNamesIn(folder.File(u"missing/")).empty());
}

TEST(WriteFileAtomically, CreatesAndReplaces) {
  TempFolder folder;
  const auto path = folder.File(u"CFG.TOML");
  ASSERT_TRUE(WriteFileAtomically(path, "first, longer content"));
  EXPECT_EQ(ReadBytes(path), "first, longer content");
  ASSERT_TRUE(WriteFileAtomically(path, "second"));
  EXPECT_EQ(ReadBytes(path), "second");
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(folder.EntryCount(), 1u) << "a temporary file was left behind";
}

TEST(WriteFileAtomically, FolderInTheFilesPlaceIsLeftAsItWas) {
  TempFolder folder;
  const auto path = folder.path() / "CFG.TOML";
  std::filesystem::create_directory(path);
  WriteBytes(path / "inside", "kept");
  const FileWriteResult result = WriteFileAtomically(path.u16string(), "new");
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(ReadBytes(path / "inside"), "kept");
  EXPECT_EQ(folder.EntryCount(), 1u) << "a temporary file was left behind";
}

TEST(WriteFileAtomically, MissingFolderFails) {
  TempFolder folder;
  const FileWriteResult result = WriteFileAtomically(folder.File(u"no/such/CFG.TOML"), "x");
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_EQ(folder.EntryCount(), 0u);
}

#if !defined(_WIN32)
TEST(WriteFileAtomically, ReadOnlyFolderLeavesTheOldFile) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "running as root: a read-only folder does not stop root here "
                    "(a folder in the file's place covers the failure natively; a read-only "
                    "file covers it on Windows)";
  }
  TempFolder folder;
  const auto path = folder.path() / "CFG.TOML";
  WriteBytes(path, "old content");
  std::filesystem::permissions(folder.path(),
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  const FileWriteResult result = WriteFileAtomically(path.u16string(), "new");
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(result);
  EXPECT_EQ(ReadBytes(path), "old content");
  EXPECT_EQ(folder.EntryCount(), 1u);
}
#else
// Windows refuses to replace a file marked read-only; the old file must then stay as it was.
TEST(WriteFileAtomically, ReadOnlyFileIsLeftAsItWas) {
  TempFolder folder;
  const auto path = folder.path() / "CFG.TOML";
  WriteBytes(path, "old content");
  std::filesystem::permissions(path,
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  const FileWriteResult result = WriteFileAtomically(path.u16string(), "new");
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(result);
  EXPECT_EQ(ReadBytes(path), "old content");
  EXPECT_EQ(folder.EntryCount(), 1u) << "a temporary file was left behind";
}
#endif

TEST(FileLock, HasOneHolderAtATime) {
  TempFolder folder;
  const std::u16string path = folder.File(u"CFG.TOML.lock");
  {
    const FileLock first(path, std::chrono::milliseconds(0));
    ASSERT_EQ(first.status(), FileLock::Status::kHeld);
    const FileLock second(path, std::chrono::milliseconds(50));
    EXPECT_EQ(second.status(), FileLock::Status::kInUse);
    EXPECT_FALSE(second.Reason().empty());
  }
  EXPECT_EQ(FileLock(path, std::chrono::milliseconds(0)).status(), FileLock::Status::kHeld);
  const FileLock nowhere(folder.File(u"missing/CFG.TOML.lock"), std::chrono::milliseconds(0));
  EXPECT_EQ(nowhere.status(), FileLock::Status::kCannotOpen);
}

}  // namespace
}  // namespace dactyra
