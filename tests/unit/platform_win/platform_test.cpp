// The Win32 platform calls under Wine, compared with what the system itself answers.
#include <windows.h>
// Separate include block: sddl.h needs the types of windows.h.
#include <sddl.h>

#include <gtest/gtest.h>

#include "base/text_source.h"
#include "biometric/winbio_lib.h"
#include "biometric/winbio_texts.h"
#include "platform/account_name.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

std::u16string Text(const wchar_t* text) {
  return reinterpret_cast<const char16_t*>(text);
}

// The process user's SID as the token gives it, and its text form.
struct TokenUserSid {
  std::vector<std::uint8_t> sid;
  std::u16string text;
};

TokenUserSid ReadTokenUser() {
  HANDLE token = nullptr;
  EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  DWORD needed = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
  std::vector<std::uintptr_t> buffer(needed / sizeof(std::uintptr_t) + 1);
  EXPECT_TRUE(GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed));
  CloseHandle(token);
  const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
  TokenUserSid user;
  const auto* bytes = static_cast<const std::uint8_t*>(sid);
  user.sid.assign(bytes, bytes + GetLengthSid(sid));
  LPWSTR text = nullptr;
  EXPECT_TRUE(ConvertSidToStringSidW(sid, &text));
  user.text = Text(text);
  LocalFree(text);
  return user;
}

TEST(Win32Identity, CurrentIdentityIsTheTokensUser) {
  const TokenUserSid user = ReadTokenUser();
  TWinBioIdentity identity{};
  ASSERT_TRUE(GetCurrentIdentity(identity));
  EXPECT_EQ(identity.IdentityType, WINBIO_ID_TYPE_SID);
  ASSERT_EQ(identity.SidSize, user.sid.size());
  EXPECT_TRUE(std::equal(user.sid.begin(), user.sid.end(), identity.SidData.begin()));
  EXPECT_TRUE(SameIdentity(identity, identity));

  const BuiltInTexts texts;
  EXPECT_EQ(IdentitySidText(identity, texts), user.text);
  EXPECT_EQ(user.text.substr(0, 4), u"S-1-");

  TWinBioIdentity other = identity;
  other.SidData[identity.SidSize - 1] ^= 1;
  EXPECT_FALSE(SameIdentity(identity, other));
  EXPECT_EQ(IdentitySidText(TWinBioIdentity{}, texts), u"(Conversion failed)");
}

TEST(Win32User, UserNameIsTheSystemsName) {
  wchar_t expected[257] = {};
  DWORD size = 257;
  ASSERT_TRUE(GetUserNameW(expected, &size));
  EXPECT_EQ(platform::UserName(), Text(expected));
  EXPECT_EQ(GetCurrentUserName(BuiltInTexts{}), Text(expected));
}

// The system's names: the user's own account by its name, a SID that no account has as an
// account that no longer exists, and bytes that are no SID as a lookup that failed.
TEST(Win32User, AccountNamesBySid) {
  const platform::AccountName own = platform::AccountNameOfSid(ReadTokenUser().sid);
  EXPECT_EQ(own.lookup, platform::AccountNameLookup::kFound);
  EXPECT_TRUE(own.name.ends_with(u"\\" + platform::UserName().value_or(u"?")))
      << std::string(own.name.begin(), own.name.end());

  const std::vector<std::uint8_t> nobody = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0, 7, 0,
                                            0, 0, 7, 0, 0, 0, 7, 0, 0,  0, 0xEA, 3, 0, 0};
  EXPECT_EQ(platform::AccountNameOfSid(nobody).lookup, platform::AccountNameLookup::kNoSuchAccount);
  EXPECT_EQ(platform::AccountNameOfSid(std::vector<std::uint8_t>{1, 5, 0}).lookup,
            platform::AccountNameLookup::kFailed);
}

TEST(Win32Locale, LocaleNameAndTimeSeparator) {
  wchar_t expected[LOCALE_NAME_MAX_LENGTH] = {};
  ASSERT_GT(GetUserDefaultLocaleName(expected, LOCALE_NAME_MAX_LENGTH), 0);
  const std::u16string name = platform::UserDefaultLocaleName();
  EXPECT_EQ(name, Text(expected));
  EXPECT_NE(name.find(u'-'), std::u16string::npos) << "a name such as en-US";
  EXPECT_FALSE(platform::TimeSeparator().empty());
}

TEST(Win32Files, ExecutablePathIsThisProgram) {
  const std::u16string path = platform::ExecutablePath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path.substr(1, 2), u":\\");
  EXPECT_TRUE(path.ends_with(u"\\platform_win_tests.exe"));
}

TEST(Win32Files, VersionFieldComesFromTheFirstTranslationsBlock) {
  const std::u16string self = platform::ExecutablePath();
  EXPECT_EQ(platform::FileVersionField(self, u"FileVersion"), u"9.8.7.6");
  EXPECT_EQ(platform::FileVersionField(self, u"FileDescription"), u"Platform tests");
  EXPECT_EQ(platform::FileVersionField(self, u"OnlyHere"), u"") << "other blocks are not read";
  EXPECT_EQ(platform::FileVersionField(self, u"Empty"), u"");
  EXPECT_EQ(platform::FileVersionField(self, u"NoSuchField"), u"");
}

TEST(Win32Files, VersionFieldWithoutTranslationListOrResource) {
  const std::u16string self = platform::ExecutablePath();
  const std::u16string folder = self.substr(0, self.rfind(u'\\') + 1);
  EXPECT_EQ(platform::FileVersionField(folder + u"dactyra_test_winbio_planted.dll", u"FileVersion"),
            u"1.2.3.4");
  EXPECT_EQ(platform::FileVersionField(folder + u"helpers\\instance_holder.exe", u"FileVersion"),
            u"")
      << "no version resource";
  EXPECT_EQ(platform::FileVersionField(folder + u"no_such_file.exe", u"FileVersion"), u"");
}

}  // namespace
}  // namespace dactyra
