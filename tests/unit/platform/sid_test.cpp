// SID handling that both builds share: lengths from the header, comparison and text form.
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"

namespace dactyra::platform {
namespace {

// S-1-5-21-1-2-3-500
const std::vector<std::uint8_t> kSid = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0, 1, 0,
                                        0, 0, 2, 0, 0, 0, 3, 0, 0,  0, 0xF4, 1, 0, 0};

TEST(Sid, DeclaredLengthMustFitTheBytes) {
  EXPECT_EQ(DeclaredSidLength(kSid), 28u);
  std::vector<std::uint8_t> padded = kSid;
  padded.resize(68, 0);
  EXPECT_EQ(DeclaredSidLength(padded), 28u);
  EXPECT_EQ(DeclaredSidLength(std::span(kSid).first(27)), std::nullopt);
  EXPECT_EQ(DeclaredSidLength(std::span(kSid).first(7)), std::nullopt);
  EXPECT_EQ(DeclaredSidLength({}), std::nullopt);
}

TEST(Sid, EqualOnlyWhenBothAreWellFormedAndTheSame) {
  std::vector<std::uint8_t> padded = kSid;
  padded.resize(68, 0xCC);  // bytes after the SID do not count
  EXPECT_TRUE(EqualSids(kSid, padded));

  std::vector<std::uint8_t> other = kSid;
  other.back() = 1;
  EXPECT_FALSE(EqualSids(kSid, other));

  const std::vector<std::uint8_t> zeroed(68, 0);
  EXPECT_FALSE(EqualSids(zeroed, zeroed));

  std::vector<std::uint8_t> overlong = kSid;
  overlong[1] = 200;  // claims more than it holds
  EXPECT_FALSE(EqualSids(overlong, overlong));
}

TEST(Sid, TextFormOfValidSidsOnly) {
  EXPECT_EQ(SidToText(kSid), u"S-1-5-21-1-2-3-500");
  const std::vector<std::uint8_t> everyone = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(SidToText(everyone), u"S-1-1-0");

  EXPECT_EQ(SidToText(std::vector<std::uint8_t>(68, 0)), std::nullopt);
  std::vector<std::uint8_t> bad_revision = kSid;
  bad_revision[0] = 2;
  EXPECT_EQ(SidToText(bad_revision), std::nullopt);
  std::vector<std::uint8_t> truncated = kSid;
  truncated.pop_back();
  EXPECT_EQ(SidToText(truncated), std::nullopt);
}

TEST(Sid, CurrentUserSidIsWellFormed) {
  const auto sid = CurrentUserSid();
  ASSERT_TRUE(sid);
  EXPECT_EQ(DeclaredSidLength(*sid), sid->size());
  const auto text = SidToText(*sid);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(0, 4), u"S-1-");
}

}  // namespace
}  // namespace dactyra::platform
