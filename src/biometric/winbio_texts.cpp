#include "biometric/winbio_texts.h"

#include <array>
#include <string_view>

#include "base/format.h"
#include "base/hex.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

struct RejectRow {
  std::uint32_t detail;
  std::u16string_view key;
  std::u16string_view text;
};

// The reasons a fingerprint capture is rejected (WINBIO_FP_TOO_HIGH ... WINBIO_FP_MERGE_FAILURE),
// one number each, and 0 when the sensor gives none.
constexpr std::array<RejectRow, 11> kRejectRows{{
    {0x00000001, u"00000001", u"Finger too high on the sensor: move it down a little."},
    {0x00000002, u"00000002", u"Finger too low on the sensor: move it up a little."},
    {0x00000003, u"00000003", u"Finger too far to the left: move it to the right."},
    {0x00000004, u"00000004", u"Finger too far to the right: move it to the left."},
    {0x00000005, u"00000005", u"Finger moved too fast"},
    {0x00000006, u"00000006", u"Finger movement too slow"},
    {0x00000007, u"00000007", u"Poor image quality, please clean the sensor or your finger."},
    {0x00000008, u"00000008", u"Finger tilted: place it flat and straight on the sensor."},
    {0x00000009, u"00000009", u"Finger placement time is too short"},
    {0x0000000A, u"0000000A", u"The samples could not be merged: please try again."},
    {0x00000000, u"00000000", u"Poor data acquisition quality (reason unknown)"},
}};

// The built-in names of the ANSI 381 positions 1 to 10.
constexpr std::array<std::u16string_view, 10> kAnsiFingerNames{
    u"right thumb",         u"right index finger", u"right middle finger", u"right ring finger",
    u"right little finger", u"left thumb",         u"left index finger",   u"left middle finger",
    u"left ring finger",    u"left little finger",
};

// Two lower-case hexadecimal digits: the language key of a finger position ("02", "f5").
std::u16string Hex2Lower(std::uint8_t value) {
  std::u16string digits = Hex2(value);
  for (char16_t& c : digits) {
    if (c >= u'A' && c <= u'F') {
      c = static_cast<char16_t>(c - u'A' + u'a');
    }
  }
  return digits;
}

}  // namespace

std::u16string RejectDetailText(std::uint32_t detail, const TextSource& texts) {
  for (const RejectRow& row : kRejectRows) {
    if (row.detail == detail) {
      return texts.GetLangStr(u"errorcode", row.key, row.text);
    }
  }
  return Format(texts.GetLangStr(u"errorcode", u"reject_unknown", u"Capture failed (Detail=0x%s)"),
                Hex8(detail));
}

std::u16string SubFactorName(std::uint8_t sub_factor, const TextSource& texts) {
  if (sub_factor >= WINBIO_ANSI_381_POS_RH_THUMB &&
      sub_factor <= WINBIO_ANSI_381_POS_LH_LITTLE_FINGER) {
    return texts.GetLangStr(u"fingers", Hex2Lower(sub_factor),
                            kAnsiFingerNames[sub_factor - WINBIO_ANSI_381_POS_RH_THUMB]);
  }
  if (sub_factor >= WINBIO_FINGER_UNSPECIFIED_POS_01 &&
      sub_factor <= WINBIO_FINGER_UNSPECIFIED_POS_10) {
    const int number = sub_factor - WINBIO_FINGER_UNSPECIFIED_POS_01 + 1;
    return texts.GetLangStr(u"fingers", Hex2Lower(sub_factor), Format(u"fingerprint #%d", number));
  }
  // The composed text is the default: a translation replaces it whole, value included.
  return texts.GetLangStr(u"fingers", u"fingerprint_unknown",
                          u"unknown\uFF1A0x" + Hex2(sub_factor));
}

std::u16string GetCurrentUserName(const TextSource& texts) {
  if (auto name = platform::UserName()) {
    return *std::move(name);
  }
  return texts.GetLangStr(u"log", u"unknown", u"(Unknown)");
}

std::u16string IdentitySidText(const TWinBioIdentity& identity, const TextSource& texts) {
  // The SID's own header gives its length; type and size of the record are not consulted.
  if (auto text = platform::SidToText(identity.SidData)) {
    return *std::move(text);
  }
  return texts.GetLangStr(u"log", u"conversion_failed", u"(Conversion failed)");
}

}  // namespace dactyra
