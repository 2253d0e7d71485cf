#include "biometric/winbio_texts.h"

#include <string>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/service_texts.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

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
  for (const TRejectRow& row : kRejectRows) {
    if (row.detail == detail) {
      return texts.Get(row.hint);
    }
  }
  return Format(texts.Get(kUnknownRejectHint), Hex8(detail));
}

std::u16string SubFactorName(std::uint8_t sub_factor, const TextSource& texts) {
  const std::u16string key = Hex2Lower(sub_factor);
  for (const TranslatableText& name : kFingerNames) {
    if (name.key == key) {
      return texts.Get(name);
    }
  }
  return kUnknownFingerName.Get(texts, Hex2(sub_factor));
}

std::u16string GetCurrentUserName(const TextSource& texts) {
  if (auto name = platform::UserName()) {
    return *std::move(name);
  }
  return texts.Get(kUnknownUserName);
}

std::u16string IdentitySidText(const TWinBioIdentity& identity, const TextSource& texts) {
  // The SID's own header gives its length; type and size of the record are not consulted.
  if (auto text = platform::SidToText(identity.SidData)) {
    return *std::move(text);
  }
  return texts.Get(kSidNotConverted);
}

}  // namespace dactyra
