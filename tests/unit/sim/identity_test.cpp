// Identities as the state and the touches write them, and as records carry them.
#include <gtest/gtest.h>

#include "base/utf.h"
#include "platform/platform.h"
#include "sim/identity.h"

namespace dactyra::sim {
namespace {

std::u16string RoundTrip(std::u16string_view text) {
  const auto sid = SidFromText(text);
  return sid ? platform::SidToText(*sid).value_or(u"(no text)") : u"(none)";
}

TEST(SidText, ReadsWhatTheSystemWrites) {
  EXPECT_EQ(RoundTrip(u"S-1-5-21-7-8-9-1002"), u"S-1-5-21-7-8-9-1002");
  EXPECT_EQ(RoundTrip(u"S-1-5-18"), u"S-1-5-18");
  EXPECT_EQ(RoundTrip(u"S-1-1-0"), u"S-1-1-0");
  EXPECT_EQ(RoundTrip(u"S-1-5-21-4294967295"), u"S-1-5-21-4294967295");
  EXPECT_EQ(RoundTrip(u"S-1-5-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15"),
            u"S-1-5-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15");
  EXPECT_EQ(SidFromText(u"S-1-5-21-7-8-9-1002")->size(), 8u + 5 * 4);
}

TEST(SidText, RejectsAnythingElse) {
  for (const std::u16string_view text :
       {u"", u"current", u"S-1", u"S-1-", u"S-1-5-", u"S-1-5--21", u"S-2-5-21", u"s-1-5-21",
        u"S-1-5-21-x", u"S-1-5-+21", u"S-1-5-21-4294967296", u"S-1-281474976710656-1",
        u"S-1-5-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-16", u" S-1-5-21", u"S-1-5-21 "}) {
    EXPECT_FALSE(SidFromText(text)) << Utf16ToUtf8Lossy(text);
  }
}

TEST(Identity, CurrentStandsForTheCallingUser) {
  const Sid me = platform::CurrentUserSid().value();
  EXPECT_EQ(ResolveIdentity(u"current", me), me);
  EXPECT_FALSE(ResolveIdentity(u"current", Sid{})) << "unknown when the user's SID is";
  EXPECT_EQ(ResolveIdentity(u"S-1-5-18", me), SidFromText(u"S-1-5-18"));
  EXPECT_EQ(IdentityText(me, me), u"current");
  EXPECT_EQ(IdentityText(*SidFromText(u"S-1-5-18"), me), u"S-1-5-18");
}

TEST(Identity, RecordsMustCarryExactlyOneWellFormedSid) {
  const Sid sid = *SidFromText(u"S-1-5-21-7-8-9-1002");
  TWinBioIdentity record = IdentityOfSid(sid);
  EXPECT_EQ(record.IdentityType, WINBIO_ID_TYPE_SID);
  EXPECT_EQ(SidOfIdentity(record), sid);

  TWinBioIdentity wrong_type = record;
  wrong_type.IdentityType = 2;  // a GUID identity
  EXPECT_FALSE(SidOfIdentity(wrong_type));
  TWinBioIdentity wrong_size = record;
  wrong_size.SidSize -= 4;  // cuts the last sub-authority off
  EXPECT_FALSE(SidOfIdentity(wrong_size));
  TWinBioIdentity oversized = record;
  oversized.SidSize = 200;
  EXPECT_FALSE(SidOfIdentity(oversized));
  EXPECT_FALSE(SidOfIdentity(TWinBioIdentity{}));
}

}  // namespace
}  // namespace dactyra::sim
