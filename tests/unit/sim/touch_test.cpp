// Touch files: their format, the order they are taken in, and the writer for tests.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/file.h"
#include "base/utf.h"
#include "sim/touch.h"
#include "sim/touch_writer.h"
#include "toml/document_io.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra::sim {
namespace {

std::optional<Touch> Parse(std::string_view text) {
  const auto document = toml::ParseString(Utf8ToUtf16(text).value(), false);
  return document ? TouchFromDocument(*document) : std::nullopt;
}

TEST(TouchFormat, FingerBadOrFail) {
  const auto finger = Parse("unit = 2\nidentity = \"S-1-5-18\"\nsubfactor = 0xF6");
  ASSERT_TRUE(finger);
  EXPECT_EQ(finger->kind, Touch::Kind::kFinger);
  EXPECT_EQ(finger->unit, 2u);
  EXPECT_EQ(finger->identity, u"S-1-5-18");
  EXPECT_EQ(finger->subfactor, 0xF6);
  EXPECT_EQ(Parse("unit = 1\nsubfactor = 1")->identity, u"current") << "the default";

  const auto bad = Parse("unit = 1\nbad = 4");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->kind, Touch::Kind::kBad);
  EXPECT_EQ(bad->reject_detail, 4u);

  const auto fail = Parse("unit = 1\nfail = 0x80098036");
  ASSERT_TRUE(fail);
  EXPECT_EQ(fail->kind, Touch::Kind::kFail);
  EXPECT_EQ(fail->code, WINBIO_E_DEVICE_FAILURE);
}

TEST(TouchFormat, RejectsIncompleteOrAmbiguousTouches) {
  for (const char* text :
       {"", "subfactor = 0xF5", "unit = 0\nsubfactor = 0xF5", "unit = 1",
        "unit = 1\nsubfactor = 0xF5\nbad = 4", "unit = 1\nbad = 4\nfail = 1",
        "unit = 1\nsubfactor = 0x1F5", "unit = 1\nsubfactor = '0xF5'",
        "unit = 1\nsubfactor = 1\nidentity = 'someone'", "unit = 1\nsubfactor = 1\nidentity = 5",
        "unit = 1\nbad = -1", "unit = 1\nfail = 0x100000000"}) {
    EXPECT_FALSE(Parse(text)) << text;
  }
}

TEST(TouchFormat, TextReadsBackAsTheSameTouch) {
  Touch other;
  other.unit = 7;
  other.identity = u"S-1-5-21-7-8-9-1002";
  other.subfactor = 0xFE;
  const auto back = Parse(Utf16ToUtf8(TouchText(other)).value());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->unit, 7u);
  EXPECT_EQ(back->identity, other.identity);
  EXPECT_EQ(back->subfactor, 0xFE);

  Touch fail;
  fail.kind = Touch::Kind::kFail;
  fail.unit = 1;
  fail.code = WINBIO_E_CANCELED;
  EXPECT_EQ(Parse(Utf16ToUtf8(TouchText(fail)).value())->code, WINBIO_E_CANCELED);
}

TEST(Spool, TakesTouchesInNameOrderAndDeletesThem) {
  const testing::TempFolder folder;
  const auto spool = folder.path();
  ASSERT_TRUE(WriteFileAtomically((spool / "b.toml").u16string(), "unit = 2\nsubfactor = 2"));
  ASSERT_TRUE(WriteFileAtomically((spool / "a.TOML").u16string(), "unit = 1\nsubfactor = 1"));
  ASSERT_TRUE(WriteFileAtomically((spool / "c.toml").u16string(), "not a touch"));
  ASSERT_TRUE(WriteFileAtomically((spool / "0.tmp").u16string(), "unit = 9\nsubfactor = 9"));
  std::filesystem::create_directory(spool / "0.toml");  // a folder is no touch

  auto first = TakeNextTouch(spool);
  ASSERT_TRUE(first && first->touch);
  EXPECT_EQ(first->touch->unit, 1u);
  EXPECT_FALSE(std::filesystem::exists(spool / "a.TOML"));
  EXPECT_EQ(TakeNextTouch(spool)->touch->unit, 2u);
  const auto broken = TakeNextTouch(spool);
  ASSERT_TRUE(broken);
  EXPECT_FALSE(broken->touch) << "taken, and reported as no valid touch";
  EXPECT_EQ(broken->file.filename(), "c.toml");
  EXPECT_FALSE(TakeNextTouch(spool)) << "temporary files and folders are left alone";
  EXPECT_TRUE(std::filesystem::exists(spool / "0.tmp"));
  EXPECT_FALSE(TakeNextTouch(spool / "missing"));
}

TEST(Spool, WriterKeepsItsOrderAndMakesTheFolder) {
  const testing::TempFolder folder;
  TouchWriter writer(folder.path() / "new" / "spool");
  for (int i = 1; i <= 20; ++i) {
    ASSERT_TRUE(writer.Finger(static_cast<WINBIO_UNIT_ID>(i), 0xF5));
  }
  ASSERT_TRUE(writer.Bad(21, 8));
  ASSERT_TRUE(writer.Fail(22, WINBIO_E_DEVICE_FAILURE));
  EXPECT_EQ(writer.Pending(), 22u);
  for (WINBIO_UNIT_ID i = 1; i <= 22; ++i) {
    const auto taken = TakeNextTouch(writer.spool());
    ASSERT_TRUE(taken && taken->touch);
    EXPECT_EQ(taken->touch->unit, i);
  }
  EXPECT_EQ(writer.Pending(), 0u);
}

}  // namespace
}  // namespace dactyra::sim
