#include "biometric/winbio_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "base/error.h"
#include "base/hex.h"
#include "base/utf.h"
#include "biometric/winbio_lib.h"
#include "platform/platform.h"
#include "support/map_text_source.h"

namespace dactyra {
namespace {

using testing::MapTextSource;

TEST(WinBioErrorText, KnownCodesGiveNameMessageAndAllEightDigits) {
  const BuiltInTexts texts;
  EXPECT_EQ(WinBioErrorText(WINBIO_E_CANCELED, texts),
            u"[WINBIO_E_CANCELED] The biometric operation was canceled before it could complete. "
            u"(0x80098004)");
  EXPECT_EQ(WinBioErrorText(WINBIO_I_MORE_DATA, texts),
            u"[WINBIO_I_MORE_DATA] Another sample is needed for the current enrollment template. "
            u"(0x00090001)");
  EXPECT_EQ(WinBioErrorText(E_ACCESSDENIED, texts), u"[E_ACCESSDENIED] Access denied (0x80070005)");
  EXPECT_EQ(WinBioErrorText(E_POINTER, texts), u"[E_POINTER] Null pointer error (0x80004003)");
  EXPECT_EQ(WinBioErrorText(WINBIO_E_ADAPTER_INTEGRITY_FAILURE, texts),
            u"[WINBIO_E_ADAPTER_INTEGRITY_FAILURE] The adapter did not pass its integrity check. "
            u"(0x8009803D)");
}

// Every code of the service's range either has its own row (named after itself) or takes the
// unknown-error line; the gaps are the codes the service does not define.
TEST(WinBioErrorText, EveryServiceCodeHasItsRowExceptTheGaps) {
  const BuiltInTexts texts;
  const std::u16string gaps[] = {u"8009800A", u"80098017", u"80098023", u"80098028",
                                 u"80098029", u"8009802E", u"8009802F"};
  for (std::uint32_t code = 0x80098001; code <= 0x8009803D; ++code) {
    const std::u16string digits = Hex8(code);
    const std::u16string line = WinBioErrorText(static_cast<HRESULT>(code), texts);
    const bool gap = std::find(std::begin(gaps), std::end(gaps), digits) != std::end(gaps);
    if (gap) {
      EXPECT_EQ(line, u"[Unknown error] (0x" + digits + u")");
    } else {
      EXPECT_EQ(line.substr(0, 10), u"[WINBIO_E_") << Utf16ToUtf8Lossy(line);
      EXPECT_EQ(line.substr(line.size() - 12), u"(0x" + digits + u")");
    }
  }
  EXPECT_NE(WinBioErrorText(WINBIO_E_BAD_CAPTURE, texts).find(u"[WINBIO_E_BAD_CAPTURE] "),
            std::u16string::npos);
  EXPECT_NE(WinBioErrorText(E_INVALIDARG, texts).find(u"[E_INVALIDARG] Invalid parameter"),
            std::u16string::npos);
}

TEST(WinBioErrorText, SuccessAndUnknownCodesGiveTheUnknownLine) {
  const BuiltInTexts texts;
  EXPECT_EQ(WinBioErrorText(S_OK, texts), u"[Unknown error] (0x00000000)");
  EXPECT_EQ(WinBioErrorText(static_cast<HRESULT>(0x80004005u), texts),
            u"[Unknown error] (0x80004005)");
  EXPECT_EQ(WinBioErrorText(-1, texts), u"[Unknown error] (0xFFFFFFFF)");
}

TEST(WinBioErrorText, TranslationReplacesOnlyTheMessage) {
  MapTextSource texts;
  texts.Set(u"errorcode", u"E_ACCESSDENIED", u"Zugriff verweigert");
  texts.Set(u"errorcode", u"80098004", u"Abgebrochen");
  EXPECT_EQ(WinBioErrorText(E_ACCESSDENIED, texts),
            u"[E_ACCESSDENIED] Zugriff verweigert (0x80070005)");
  EXPECT_EQ(WinBioErrorText(WINBIO_E_CANCELED, texts),
            u"[WINBIO_E_CANCELED] Abgebrochen (0x80098004)");
  texts.Set(u"errorcode", u"80070005", u"keyed by code, not used");
  texts.Set(u"errorcode", u"E_POINTER", u"");
  EXPECT_EQ(WinBioErrorText(E_POINTER, texts), u"[E_POINTER]  (0x80004003)");
}

TEST(WinBioErrorText, TranslatedMessageIsNeverAFormat) {
  MapTextSource texts;
  texts.Set(u"errorcode", u"8009800B", u"%d%s %% busy");
  EXPECT_EQ(WinBioErrorText(WINBIO_E_DATA_COLLECTION_IN_PROGRESS, texts),
            u"[WINBIO_E_DATA_COLLECTION_IN_PROGRESS] %d%s %% busy (0x8009800B)");
}

TEST(WinBioErrorText, TranslatedUnknownLineIsAFormatOfTheDigits) {
  MapTextSource texts;
  texts.Set(u"log", u"unknown_error", u"Unbekannter Fehler 0x%s");
  EXPECT_EQ(WinBioErrorText(0x1234, texts), u"Unbekannter Fehler 0x00001234");
  texts.Set(u"log", u"unknown_error", u"Unbekannter Fehler");
  EXPECT_EQ(WinBioErrorText(0x1234, texts), u"Unbekannter Fehler");
  texts.Set(u"log", u"unknown_error", u"%s %s");
  EXPECT_THROW(WinBioErrorText(0x1234, texts), FormatError);
  texts.Set(u"log", u"unknown_error", u"%d");
  EXPECT_THROW(WinBioErrorText(0x1234, texts), FormatError);
}

// The values the platform's headers give: the service's codes the program tells apart, and the
// reject details of a fingerprint capture, which are plain numbers 1 to 10.
TEST(PlatformValues, ResultCodesAndRejectDetailsAreTheHeaders) {
  EXPECT_EQ(WINBIO_I_MORE_DATA, 0x00090001);
  EXPECT_EQ(static_cast<std::uint32_t>(WINBIO_E_CANCELED), 0x80098004u);
  EXPECT_EQ(static_cast<std::uint32_t>(WINBIO_E_BAD_CAPTURE), 0x80098008u);
  EXPECT_EQ(static_cast<std::uint32_t>(WINBIO_E_DATABASE_FULL), 0x80098018u);
  EXPECT_EQ(static_cast<std::uint32_t>(WINBIO_E_LOCK_VIOLATION), 0x8009802Au);
  EXPECT_EQ(static_cast<std::uint32_t>(WINBIO_E_DUPLICATE_TEMPLATE), 0x8009802Bu);
  EXPECT_EQ(kDatabaseIdNull, nullptr);

  // Too high, too low, too far left, too far right, too fast, too slow, poor quality, too
  // skewed, too short, merge failure: each its own hint, none the catch-all line.
  const BuiltInTexts texts;
  std::vector<std::u16string> hints;
  for (std::uint32_t detail = 1; detail <= 10; ++detail) {
    const std::u16string hint = RejectDetailText(detail, texts);
    EXPECT_EQ(hint.find(u"Detail="), std::u16string::npos) << detail;
    EXPECT_EQ(std::count(hints.begin(), hints.end(), hint), 0) << detail;
    hints.push_back(hint);
  }
  EXPECT_EQ(RejectDetailText(5, texts), u"Finger moved too fast");
  EXPECT_EQ(RejectDetailText(0, texts), u"Poor data acquisition quality (reason unknown)");
}

TEST(RejectDetailText, HintsAndTheCatchAllAreTranslatable) {
  const BuiltInTexts texts;
  EXPECT_EQ(RejectDetailText(11, texts), u"Capture failed (Detail=0x0000000B)");
  EXPECT_EQ(RejectDetailText(0x41, texts), u"Capture failed (Detail=0x00000041)");
  EXPECT_EQ(RejectDetailText(0x80000000u, texts), u"Capture failed (Detail=0x80000000)");

  MapTextSource translated;
  translated.Set(u"errorcode", u"0000000A", u"Noch einmal");
  translated.Set(u"errorcode", u"00000000", u"%d");
  translated.Set(u"errorcode", u"reject_unknown", u"Fehler %s");
  EXPECT_EQ(RejectDetailText(10, translated), u"Noch einmal");
  EXPECT_EQ(RejectDetailText(0, translated), u"%d") << "a hint is no format";
  EXPECT_EQ(RejectDetailText(0x41, translated), u"Fehler 00000041");
  translated.Set(u"errorcode", u"reject_unknown", u"%d");
  EXPECT_THROW(RejectDetailText(0x41, translated), FormatError);
}

// The positions of the hands (1 to 10) and the unspecified ones (0xF5 to 0xFE), each looked up
// by its two lower-case hexadecimal digits.
TEST(SubFactorName, PositionsAreNamedAndTranslatable) {
  MapTextSource texts;
  const std::pair<std::uint8_t, std::u16string_view> built_in[] = {
      {1, u"right thumb"},         {5, u"right little finger"}, {6, u"left thumb"},
      {10, u"left little finger"}, {0xF5, u"fingerprint #1"},   {0xFE, u"fingerprint #10"},
  };
  for (const auto& [sub_factor, name] : built_in) {
    EXPECT_EQ(SubFactorName(sub_factor, texts), name);
  }
  texts.Set(u"fingers", u"02", u"Zeigefinger rechts");
  texts.Set(u"fingers", u"fa", u"Daumen");
  texts.Set(u"fingers", u"0A", u"upper-case key, not used");
  texts.Set(u"fingers", u"FB", u"upper-case key, not used");
  EXPECT_EQ(SubFactorName(2, texts), u"Zeigefinger rechts");
  EXPECT_EQ(SubFactorName(0xFA, texts), u"Daumen");
  EXPECT_EQ(SubFactorName(10, texts), u"left little finger");
  EXPECT_EQ(SubFactorName(0xFB, texts), u"fingerprint #7");
}

TEST(SubFactorName, OtherValuesShowTheirHexUnlessTranslated) {
  MapTextSource texts;
  EXPECT_EQ(SubFactorName(0, texts), u"unknown\uFF1A0x00");
  EXPECT_EQ(SubFactorName(0xFF, texts), u"unknown\uFF1A0xFF");
  EXPECT_EQ(SubFactorName(11, texts), u"unknown\uFF1A0x0B");
  EXPECT_EQ(SubFactorName(0xF4, texts), u"unknown\uFF1A0xF4");
  texts.Set(u"fingers", u"fingerprint_unknown", u"unbekannt");
  EXPECT_EQ(SubFactorName(0xFF, texts), u"unbekannt");
}

TEST(IdentitySidText, GivesTheSidOrConversionFailed) {
  MapTextSource texts;
  TWinBioIdentity identity{};
  EXPECT_EQ(IdentitySidText(identity, texts), u"(Conversion failed)");
  texts.Set(u"log", u"conversion_failed", u"(fehlgeschlagen)");
  EXPECT_EQ(IdentitySidText(identity, texts), u"(fehlgeschlagen)");

  // S-1-5-21-1-2-3-500; type and size are not consulted.
  const std::uint8_t sid[] = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0, 1, 0,
                              0, 0, 2, 0, 0, 0, 3, 0, 0,  0, 0xF4, 1, 0, 0};
  std::copy(std::begin(sid), std::end(sid), identity.SidData.begin());
  EXPECT_EQ(IdentitySidText(identity, texts), u"S-1-5-21-1-2-3-500");

  identity.SidData[1] = 16;  // claims 72 bytes, more than the record holds
  EXPECT_EQ(IdentitySidText(identity, texts), u"(fehlgeschlagen)");
}

TEST(IdentitySidText, MatchesTheCurrentUsersSid) {
  const BuiltInTexts texts;
  TWinBioIdentity identity{};
  ASSERT_TRUE(GetCurrentIdentity(identity));
  const auto sid = platform::CurrentUserSid();
  ASSERT_TRUE(sid);
  const std::u16string text = IdentitySidText(identity, texts);
  EXPECT_EQ(text, platform::SidToText(*sid));
  EXPECT_EQ(text.substr(0, 4), u"S-1-");
}

TEST(GetCurrentUserName, GivesTheSystemsName) {
  const BuiltInTexts texts;
  const auto name = platform::UserName();
  ASSERT_TRUE(name);
  EXPECT_FALSE(name->empty());
  EXPECT_EQ(GetCurrentUserName(texts), *name);
}

}  // namespace
}  // namespace dactyra
