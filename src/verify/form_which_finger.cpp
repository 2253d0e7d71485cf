#include "verify/form_which_finger.h"

#include <algorithm>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"

namespace dactyra {

TFormWhichFinger::TFormWhichFinger(ui::Form* owner, const TextSource& texts)
    : TIdentifyDialog(owner, texts, u"which", {13, 105, 348, 84}) {
  SetCaption(SectionText(u"title", u"Which finger is this?"));
  lblReason.SetText(SectionText(u"label.reason",
                                u"Touch a sensor with one finger: you are told whose finger it is, "
                                u"and yours is shown in the list."));
  btnClose.SetText(SectionText(u"button.close", u"&Close"));
}

void TFormWhichFinger::ClearAnswer() {
  FoundIndex.reset();
  Answer.clear();
}

void TFormWhichFinger::ShowWhichAnswer(TStateLight light, std::u16string text, ui::Color color) {
  ShowAnswer(light, SectionText(u"label.answer", u"Answer"), text, color);
  Answer = std::move(text);
}

void TFormWhichFinger::UsersFingerIdentified() {
  const auto listed = std::ranges::find_if(Fingers, [this](const TFingerRecord& record) {
    return record.UnitId == FoundUnit() && record.SubFactor == FoundSubFactor();
  });
  if (listed == Fingers.end()) {
    // Enrolled since the listing, or on a sensor the listing could not read.
    ShowWhichAnswer(
        TStateLight::kNearMiss,
        Format(SectionText(u"result.unlisted",
                           u"This is one of your fingers (%s, Fingerprint ID: 0x%s) "
                           u"on the sensor with Device ID %d, but it is not in the "
                           u"list: read the fingerprints again."),
               SubFactorName(FoundSubFactor(), Texts()), Hex2(FoundSubFactor()), FoundUnit()),
        kHintText);
    return;
  }
  FoundIndex = static_cast<std::size_t>(listed - Fingers.begin());
  ShowWhichAnswer(TStateLight::kSuccess,
                  Format(SectionText(u"result.own",
                                     u"This is your fingerprint \"%s\": %s (Fingerprint ID: 0x%s) "
                                     u"on %s (Device ID: %d)."),
                         listed->Description, listed->SubName, Hex2(listed->SubFactor),
                         listed->DeviceName, listed->UnitId),
                  kSuccessText);
}

void TFormWhichFinger::OtherUsersFingerIdentified() {
  ShowWhichAnswer(TStateLight::kFailure,
                  SectionText(u"result.other_user", u"This fingerprint belongs to another user."),
                  kFailureText);
}

void TFormWhichFinger::IdentificationFailed(HRESULT error) {
  ShowWhichAnswer(
      TStateLight::kFailure,
      error == WINBIO_E_UNKNOWN_ID
          ? SectionText(u"result.unknown", u"This finger is not enrolled.")
          : SectionText(u"result.failure", u"Failure: ") + WinBioErrorText(error, Texts()),
      kFailureText);
}

}  // namespace dactyra
