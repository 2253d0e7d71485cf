#include "toml/document_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/utf.h"
#include "document_builder.h"
#include "temp_folder.h"
#include "toml/path_helpers.h"

namespace dactyra::toml {
namespace {

using dactyra::testing::TempFolder;
using testing::AddInteger;
using testing::AddString;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

std::string Utf16Be(std::u16string_view text) {
  std::string bytes = "\xFE\xFF";
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c >> 8));
    bytes.push_back(static_cast<char>(c & 0xFF));
  }
  return bytes;
}

TEST(ParseFile, EveryEncodingAndLineEndReadsToTheSameDocument) {
  TempFolder folder;
  const std::u16string text = u"# c\n[main]\ntitle = \"Dactyra \u4E2D\U0001F44D\"\nwidth = 30";
  const std::string utf8 =
      "# c\n[main]\ntitle = \"Dactyra \xE4\xB8\xAD\xF0\x9F\x91\x8D\"\nwidth = 30";
  std::string crlf;
  std::string cr;
  for (const char c : utf8) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  const std::pair<const char16_t*, std::string> files[] = {
      {u"utf8.toml", utf8},
      {u"bom.toml", "\xEF\xBB\xBF" + crlf + "\r\n"},
      {u"cr.toml", cr},
      {u"le.toml", Utf16Le(text)},
      {u"be.toml", Utf16Be(text)},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(Utf16ToUtf8Lossy(name));
    WriteBytes(folder.path() / name, bytes);
    const auto document = ParseFile(folder.File(name), true);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(GetString(document.get(), u"main.title", u""), u"Dactyra \u4E2D\U0001F44D");
    EXPECT_EQ(GetInteger(document.get(), u"main.width", 0), 30);
    EXPECT_EQ(SerializeToString(*document, 0, true),
              u"# c\r\n[main]\r\ntitle = \"Dactyra \u4E2D\U0001F44D\"\r\nwidth = 30\r\n");
  }
}

TEST(ParseFile, InvalidBytesGiveNoDocument) {
  TempFolder folder;
  WriteBytes(folder.path() / "bad8.toml", "title = \"caf\xE9\"\n");  // Latin-1, not UTF-8
  EXPECT_EQ(ParseFile(folder.File(u"bad8.toml"), false), nullptr);
  WriteBytes(folder.path() / "bad16.toml", Utf16Le(u"t = \"") + "\x3D\xD8" + "\"\0\n\0");
  EXPECT_EQ(ParseFile(folder.File(u"bad16.toml"), false), nullptr);
  WriteBytes(folder.path() / "broken.toml", "title = \n");
  EXPECT_EQ(ParseFile(folder.File(u"broken.toml"), false), nullptr);
}

TEST(ParseFile, FileOfManyPiecesReadsWhole) {
  TempFolder folder;
  // Far more than the reader takes at once, with two-byte characters across its cuts.
  std::string bytes;
  for (int i = 0; i < 20000; ++i) {
    bytes += "k" + std::to_string(i) + " = \"\xC3\xA9\"\r\n";
  }
  WriteBytes(folder.path() / "big.toml", bytes);
  const auto document = ParseFile(folder.File(u"big.toml"), false);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->Items().Count(), 20000);
  EXPECT_EQ(GetString(document.get(), u"k19999", u""), u"\u00E9");
  WriteBytes(folder.path() / "late.toml", bytes + "bad = \"\xE9\"\n");
  EXPECT_EQ(ParseFile(folder.File(u"late.toml"), false), nullptr);
}

TEST(ParseFile, MissingFileRaisesAndLoadFromFileGivesNone) {
  TempFolder folder;
  EXPECT_THROW(ParseFile(folder.File(u"missing.toml"), false), ETOMLFileOpenError);
  EXPECT_EQ(LoadFromFile(folder.File(u"missing.toml"), false), nullptr);
  EXPECT_EQ(LoadFromFile(folder.path().u16string(), false), nullptr);
  WriteBytes(folder.path() / "ok.toml", "a = 1");
  const auto document = LoadFromFile(folder.File(u"ok.toml"), false);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(GetInteger(document.get(), u"a", 0), 1);
}

// Whoever must say why a file is left unread can say where: every reason names a line and a
// column, also for the rules about the document as a whole.
TEST(ParseString, TheReasonNamesLineAndColumn) {
  const struct {
    std::u16string_view text;
    std::u16string_view place;
  } kCases[] = {
      {u"a = 1\nb = = 2\n", u"at line 2, column 5"},
      {u"[[finger]\nunitid = 1\n", u"at line 1, column 10"},
      {u"a = 1\na = 2\n", u"at line 2"},
  };
  for (const auto& c : kCases) {
    std::u16string reason;
    EXPECT_EQ(ParseString(c.text, false, &reason), nullptr);
    EXPECT_NE(reason.find(c.place), std::u16string::npos) << Utf16ToUtf8Lossy(reason);
  }
  std::u16string reason = u"kept";
  EXPECT_NE(ParseString(u"a = 1", false, &reason), nullptr);
  EXPECT_EQ(reason, u"kept") << "no failure, no reason";
}

TEST(SerializeToFile, WritesTheMarkAndCrLfAfterEveryLine) {
  TempFolder folder;
  TTOMLTable root;
  AddString(root, u"text", u"caf\u00E9");
  AddInteger(root, u"n", 1);
  const auto path = folder.File(u"CFG.TOML");
  ASSERT_TRUE(SerializeToFile(root, path, true, 0, false));
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFn = 1\r\ntext = \"caf\xC3\xA9\"\r\n");
  ASSERT_TRUE(SerializeToFile(root, path, false, 0, false));
  EXPECT_EQ(ReadBytes(path), "n = 1\r\ntext = \"caf\xC3\xA9\"\r\n");
  ASSERT_TRUE(SerializeToFile(TTOMLTable(), path, true, 0, false));
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF");
  ASSERT_TRUE(SaveToFile(&root, path, true, 0, false));
  const auto read_back = LoadFromFile(path, false);
  ASSERT_NE(read_back, nullptr);
  EXPECT_EQ(SerializeToString(*read_back, 0, false), SerializeToString(root, 0, false));
  EXPECT_FALSE(SaveToFile(nullptr, path, true, 0, false));
}

TEST(SerializeToFile, FailureLeavesTheOldFileByteForByte) {
  TempFolder folder;
  const auto path = folder.path() / "CFG.TOML";
  WriteBytes(path, "old = \"content\"\r\n");
  TTOMLTable bad;
  AddInteger(bad, u"a", 1);
  bad.Add(u"d", std::make_unique<TTOMLValue>(tvtDateTime));
  const FileWriteResult serializer_failed = SerializeToFile(bad, path.u16string(), true, 0, false);
  EXPECT_FALSE(serializer_failed);
  EXPECT_EQ(serializer_failed.reason, u"Invalid datetime value type");
  EXPECT_EQ(ReadBytes(path), "old = \"content\"\r\n");

  TTOMLTable lone_surrogate;
  AddString(lone_surrogate, u"s", std::u16string(1, char16_t{0xD800}));
  EXPECT_FALSE(SerializeToFile(lone_surrogate, path.u16string(), true, 0, false));
  EXPECT_EQ(ReadBytes(path), "old = \"content\"\r\n");
  EXPECT_EQ(folder.EntryCount(), 1u);

  const auto folder_in_place = folder.path() / "sub";
  std::filesystem::create_directory(folder_in_place);
  TTOMLTable good;
  AddInteger(good, u"a", 1);
  EXPECT_FALSE(SerializeToFile(good, folder_in_place.u16string(), true, 0, false));
  EXPECT_TRUE(std::filesystem::is_directory(folder_in_place));
  EXPECT_EQ(folder.EntryCount(), 2u);
}

TEST(MergeFromFile, MovesTopLevelEntriesInKeepingPositions) {
  TempFolder folder;
  WriteBytes(folder.path() / "more.toml", "m = 3\nn = 4\n");
  TTOMLTable root;
  AddInteger(root, u"k", 1);
  AddInteger(root, u"m", 2);
  ASSERT_TRUE(MergeFromFile(&root, folder.File(u"more.toml"), false, false));
  EXPECT_EQ(root.Items().Keys(), (std::vector<std::u16string>{u"k", u"m", u"n"}));
  EXPECT_EQ(GetInteger(&root, u"m", 0), 3);
  EXPECT_EQ(GetInteger(&root, u"n", 0), 4);
  ASSERT_TRUE(MergeFromFile(&root, folder.File(u"more.toml"), true, false));
  EXPECT_EQ(root.Items().Keys(), (std::vector<std::u16string>{u"m", u"n"}));
}

TEST(MergeFromFile, MissingOrBrokenFileLeavesTheTableEvenWithClear) {
  TempFolder folder;
  WriteBytes(folder.path() / "broken.toml", "m = \n");
  TTOMLTable root;
  AddInteger(root, u"k", 1);
  EXPECT_FALSE(MergeFromFile(&root, folder.File(u"missing.toml"), true, false));
  EXPECT_FALSE(MergeFromFile(&root, folder.File(u"broken.toml"), true, false));
  EXPECT_FALSE(MergeFromFile(nullptr, folder.File(u"broken.toml"), true, false));
  EXPECT_EQ(GetInteger(&root, u"k", 0), 1);
  EXPECT_EQ(root.Items().Count(), 1);
}

}  // namespace
}  // namespace dactyra::toml
