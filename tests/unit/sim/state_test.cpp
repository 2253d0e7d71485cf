// The state file: what makes it valid, injected failures, and what the service writes back.
#include <gtest/gtest.h>

#include "base/file.h"
#include "base/utf.h"
#include "sim/state.h"
#include "toml/document_io.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra::sim {
namespace {

std::optional<SimState> Parse(std::string_view text) {
  return SimState::FromDocument(toml::ParseString(Utf8ToUtf16(text).value(), true));
}

TEST(State, EmptyFileHasDefaults) {
  const auto state = Parse("");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->Samples(), 4);
  EXPECT_EQ(state->Spool(), u"");
  EXPECT_TRUE(state->Units().empty());
  EXPECT_TRUE(state->Templates().empty());
}

TEST(State, ReadsUnitsAndTemplates) {
  const auto state = Parse(R"(
samples = 7
spool = 'C:\winbio-sim\touches'
[[unit]]
id = 3
description = "Reader"
serial = "42"
[[template]]
unit = 3
subfactor = 0xF5
[[template]]
unit = 3
identity = "S-1-5-21-7-8-9-1002"
subfactor = 2
)");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->Samples(), 7);
  EXPECT_EQ(state->Spool(), u"C:\\winbio-sim\\touches");
  ASSERT_NE(state->FindUnit(3), nullptr);
  EXPECT_EQ(state->FindUnit(3)->description, u"Reader");
  EXPECT_EQ(state->FindUnit(3)->serial, u"42");
  EXPECT_EQ(state->FindUnit(3)->model, u"");
  EXPECT_EQ(state->FindUnit(1), nullptr);
  ASSERT_EQ(state->Templates().size(), 2u);
  EXPECT_EQ(state->Templates()[0].identity, u"current") << "the default identity";
  EXPECT_EQ(state->Templates()[0].subfactor, 0xF5);
  EXPECT_EQ(state->Templates()[1].identity, u"S-1-5-21-7-8-9-1002");
}

TEST(State, RejectsValuesOfTheWrongKindOrRange) {
  for (const char* text :
       {"samples = 0", "samples = '4'", "spool = 1", "unit = 5", "unit = [1]",
        "[[unit]]\ndescription = 'no id'", "[[unit]]\nid = 0", "[[unit]]\nid = 0x100000000",
        "[[unit]]\nid = 1\ndescription = 5", "[[unit]]\nid = 1\n[[unit]]\nid = 1",
        "[[template]]\nunit = 1\nsubfactor = 256", "[[template]]\nunit = 1",
        "[[template]]\nunit = 1\nsubfactor = 1\nidentity = 'bob'",
        "[[fail]]\nfunction = 'WinBioIdentify'", "[[fail]]\ncode = 1",
        "[[fail]]\nfunction = 'WinBioIdentify'\ncode = 0x100000000",
        "[[fail]]\nfunction = 'WinBioIdentify'\ncode = 1\ncount = -1"}) {
    EXPECT_FALSE(Parse(text)) << text;
  }
  EXPECT_FALSE(SimState::FromDocument(nullptr));
}

TEST(State, FailuresAreTakenInOrderAndCountedDown) {
  auto state = Parse(R"(
[[fail]]
function = "WinBioIdentify"
code = 0x80098036
count = 2
[[fail]]
function = "WinBioOpenSession"
code = -2146861004
[[fail]]
function = "WinBioIdentify"
code = 0x80098003
)");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->TakeFailure(u"WinBioEnrollBegin"), std::nullopt);
  EXPECT_EQ(state->TakeFailure(u"WinBioIdentify"), WINBIO_E_DEVICE_FAILURE);
  EXPECT_EQ(state->TakeFailure(u"WinBioIdentify"), WINBIO_E_DEVICE_FAILURE);
  EXPECT_EQ(state->TakeFailure(u"WinBioIdentify"), WINBIO_E_UNKNOWN_ID) << "the next rule";
  EXPECT_EQ(state->TakeFailure(u"WinBioIdentify"), std::nullopt) << "all used up";
  EXPECT_EQ(state->TakeFailure(u"WinBioOpenSession"), WINBIO_E_SENSOR_UNAVAILABLE)
      << "a code written as a signed number";
  EXPECT_EQ(state->TakeFailure(u"WinBioOpenSession"), std::nullopt);
}

TEST(State, WritesBackChangesKeepingCommentsAndOtherEntries) {
  const testing::TempFolder folder;
  const std::u16string path = folder.File(u"state.toml");
  ASSERT_TRUE(WriteFileAtomically(path, R"(# the sensors of my desk
samples = 5
[[unit]]
id = 1
description = "Desk"
[[template]]
unit = 1
identity = "current"
subfactor = 0xF5
[[fail]]
function = "WinBioIdentify"
code = 0x80098036
count = 3
)"));
  auto state = SimState::Load(path);
  ASSERT_TRUE(state);
  state->AddTemplate(
      {.unit = 1, .identity = u"S-1-5-18", .subfactor = 0xF7, .finger = {u"S-1-5-18", 0xF7}});
  EXPECT_EQ(state->RemoveTemplates([](const TemplateEntry& t) { return t.subfactor == 0xF5; }), 1);
  EXPECT_TRUE(state->TakeFailure(u"WinBioIdentify"));
  ASSERT_TRUE(state->Save(path));

  const std::string text = ReadWholeFile(path).bytes;
  EXPECT_NE(text.find("# the sensors of my desk"), std::string::npos) << text;
  auto reread = SimState::Load(path);
  ASSERT_TRUE(reread);
  EXPECT_EQ(reread->Samples(), 5);
  ASSERT_EQ(reread->Templates().size(), 1u);
  EXPECT_EQ(reread->Templates()[0].identity, u"S-1-5-18");
  EXPECT_EQ(reread->Templates()[0].subfactor, 0xF7);
  EXPECT_TRUE(reread->TakeFailure(u"WinBioIdentify"));
  EXPECT_TRUE(reread->TakeFailure(u"WinBioIdentify"));
  EXPECT_FALSE(reread->TakeFailure(u"WinBioIdentify")) << "3 - 1 written back, 2 left";
}

TEST(State, TemplatesCanBeAddedToAFileWithoutAny) {
  auto state = Parse("[[unit]]\nid = 1\n");
  ASSERT_TRUE(state);
  state->AddTemplate(
      {.unit = 1, .identity = u"current", .subfactor = 0xF5, .finger = {u"current", 0xF5}});
  const testing::TempFolder folder;
  ASSERT_TRUE(state->Save(folder.File(u"state.toml")));
  const auto reread = SimState::Load(folder.File(u"state.toml"));
  ASSERT_TRUE(reread);
  EXPECT_EQ(reread->Templates().size(), 1u);
}

TEST(State, MissingOrBrokenFilesGiveNone) {
  const testing::TempFolder folder;
  EXPECT_FALSE(SimState::Load(folder.File(u"missing.toml")));
  ASSERT_TRUE(WriteFileAtomically(folder.File(u"broken.toml"), "samples = = 4"));
  EXPECT_FALSE(SimState::Load(folder.File(u"broken.toml")));
}

}  // namespace
}  // namespace dactyra::sim
