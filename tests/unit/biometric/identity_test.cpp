#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "biometric/winbio_lib.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

// S-1-5-21-1-2-3-500: 28 bytes.
std::vector<std::uint8_t> SampleSid(std::uint8_t last = 0xF4) {
  return {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, last, 1, 0, 0};
}

TEST(Identity, RecordLayoutMatchesTheService) {
  TWinBioIdentity identity{};
  identity.IdentityType = WINBIO_ID_TYPE_SID;
  identity.SidSize = 28;
  identity.SidData[0] = 1;
  identity.SidData[67] = 0xAB;
  std::uint8_t raw[76];
  std::memcpy(raw, &identity, sizeof raw);
  EXPECT_EQ(raw[0], 3);   // type, little-endian
  EXPECT_EQ(raw[4], 28);  // size
  EXPECT_EQ(raw[8], 1);   // first SID byte
  EXPECT_EQ(raw[75], 0xAB);
}

TEST(Identity, FromSidCopiesUpToTheRecordsCapacity) {
  TWinBioIdentity identity{};
  identity.SidData.fill(0xEE);
  const auto sid = SampleSid();
  ASSERT_TRUE(IdentityFromSid(sid, identity));
  EXPECT_EQ(identity.IdentityType, WINBIO_ID_TYPE_SID);
  EXPECT_EQ(identity.SidSize, sid.size());
  EXPECT_TRUE(std::equal(sid.begin(), sid.end(), identity.SidData.begin()));
  EXPECT_EQ(identity.SidData[sid.size()], 0) << "the rest of the record is zero";

  const std::vector<std::uint8_t> exactly_68(68, 7);
  ASSERT_TRUE(IdentityFromSid(exactly_68, identity));
  EXPECT_EQ(identity.SidSize, 68u);
  EXPECT_EQ(identity.SidData[67], 7);

  const std::vector<std::uint8_t> too_long(72, 7);
  EXPECT_FALSE(IdentityFromSid(too_long, identity));
  EXPECT_EQ(identity.IdentityType, WINBIO_ID_TYPE_SID);
  EXPECT_EQ(identity.SidSize, 72u);
  EXPECT_EQ(identity.SidData, decltype(identity.SidData){}) << "no SID bytes when it is too long";
}

TEST(Identity, CurrentIdentityHoldsTheProcessUsersSid) {
  TWinBioIdentity identity{};
  ASSERT_TRUE(GetCurrentIdentity(identity));
  const auto sid = platform::CurrentUserSid();
  ASSERT_TRUE(sid);
  EXPECT_EQ(identity.SidSize, sid->size());
  EXPECT_TRUE(SameIdentity(identity, identity));
}

TEST(SameIdentity, ComparesTypeSizeAndSid) {
  TWinBioIdentity a{};
  TWinBioIdentity b{};
  EXPECT_FALSE(SameIdentity(a, b)) << "zeroed records";

  ASSERT_TRUE(IdentityFromSid(SampleSid(), a));
  ASSERT_TRUE(IdentityFromSid(SampleSid(), b));
  EXPECT_TRUE(SameIdentity(a, b));
  EXPECT_TRUE(SameIdentity(a, a));

  ASSERT_TRUE(IdentityFromSid(SampleSid(0xF5), b));
  EXPECT_FALSE(SameIdentity(a, b)) << "different last sub-authority";

  ASSERT_TRUE(IdentityFromSid(SampleSid(), b));
  b.IdentityType = 1;
  EXPECT_FALSE(SameIdentity(a, b)) << "different type";

  b = a;
  b.SidSize = 32;
  EXPECT_FALSE(SameIdentity(a, b)) << "different size";
}

TEST(SameIdentity, NeverReadsASidBeyondTheBytesInUse) {
  TWinBioIdentity a{};
  ASSERT_TRUE(IdentityFromSid(SampleSid(), a));
  a.SidData[1] = 200;  // the header now claims 808 bytes
  TWinBioIdentity b = a;
  EXPECT_FALSE(SameIdentity(a, b));

  a.SidData[1] = 5;
  a.SidSize = 200;  // more than the record holds
  b = a;
  EXPECT_FALSE(SameIdentity(a, b));
}

TEST(UnitSchema, DescriptionStopsAtTheTerminatorOrTheFieldsEnd) {
  WINBIO_UNIT_SCHEMA unit{};
  SetWinBioString(unit.Description, u"Synaptics FS7605");
  EXPECT_EQ(UnitDescription(unit), u"Synaptics FS7605");

  unit.Description.fill(u'x');  // no terminator in all 256 units
  unit.Manufacturer.fill(u'y');
  EXPECT_EQ(UnitDescription(unit), std::u16string(256, u'x'));

  SetWinBioString(unit.Description, std::u16string(300, u'z'));
  EXPECT_EQ(UnitDescription(unit), std::u16string(255, u'z')) << "cut to leave a terminator";
}

}  // namespace
}  // namespace dactyra
