#include "verify/form_which_finger.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"

namespace dactyra {
namespace {

constexpr ui::Color kOwnText{0x008000};
constexpr ui::Color kRefusalText{0xFF0000};
constexpr ui::Color kHintText{0xFF8000};

}  // namespace

TFormWhichFinger::TFormWhichFinger(ui::Form* owner, const TextSource& texts)
    : TWorkerDialog(owner, 380, 242, texts) {
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnClose.OnClick = [this] { btnCloseClick(); };
  OnShow = [this] { FormShow(); };
  SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMWhichStatus(wparam, lparam);
  });
  SetCaption(WhichText(u"title", u"Which finger is this?"));
  lblReason.SetText(WhichText(u"label.reason",
                              u"Touch a sensor with one finger: you are told whose finger it is, "
                              u"and yours is shown in the list."));
  btnRetry.SetText(WhichText(u"button.retry", u"&Retry"));
  btnClose.SetText(WhichText(u"button.close", u"&Close"));
  btnRetry.SetEnabled(false);
}

TFormWhichFinger::~TFormWhichFinger() {
  // Closed by its close box the dialog never went through btnCloseClick.
  StopWorker();
}

std::u16string TFormWhichFinger::WhichText(std::u16string_view key,
                                           std::u16string_view default_text) const {
  return Texts().GetLangStr(u"which", key, default_text);
}

void TFormWhichFinger::FormShow() {
  SetIcon(TStateLight::kIdle);
  BringToFront();
  StartIdentify();
}

void TFormWhichFinger::StartIdentify() {
  StopWorker();
  FoundIndex.reset();
  Answer.clear();
  FFoundUnit = 0;
  FFoundSubFactor = 0;
  lblStatus.SetText(WhichText(u"label.waiting", u"Please touch the fingerprint sensor..."));
  lblResult.SetText(u"");
  btnRetry.SetEnabled(false);
  SetIcon(TStateLight::kWaiting);

  // Any finger is answered: the record the worker compares with is none.
  auto param = std::make_unique<TVerifyThreadParam>();
  param->Window = PosterOf(WM_VERIFY_STATUS);
  param->Lib = Lib;
  param->Session = Session;
  param->CurrentIdent = CurrentIdent;
  param->ReportFound = true;
  param->Cancel = NewCancelFlag();
  HoldWorker(StartVerifyThread(std::move(param)));
}

void TFormWhichFinger::ShowAnswer(TStateLight light, std::u16string text, ui::Color color) {
  SetIcon(light);
  lblStatus.SetText(WhichText(u"label.answer", u"Answer"));
  lblResult.SetColor(color);
  lblResult.SetText(text);
  Answer = std::move(text);
  btnRetry.SetEnabled(true);
  btnRetry.SetFocus();
}

void TFormWhichFinger::ShowOwnFinger() {
  const auto listed = std::ranges::find_if(Fingers, [this](const TFingerRecord& record) {
    return record.UnitId == FFoundUnit && record.SubFactor == FFoundSubFactor;
  });
  if (listed == Fingers.end()) {
    // Enrolled since the listing, or on a sensor the listing could not read.
    ShowAnswer(TStateLight::kNearMiss,
               Format(WhichText(u"result.unlisted",
                                u"This is one of your fingers (%s, Fingerprint ID: 0x%s) on the "
                                u"sensor with Device ID %d, but it is not in the list: read "
                                u"the fingerprints again."),
                      SubFactorName(FFoundSubFactor, Texts()), Hex2(FFoundSubFactor), FFoundUnit),
               kHintText);
    return;
  }
  FoundIndex = static_cast<std::size_t>(listed - Fingers.begin());
  ShowAnswer(TStateLight::kSuccess,
             Format(WhichText(u"result.own",
                              u"This is your fingerprint \"%s\": %s (Fingerprint ID: 0x%s) on %s "
                              u"(Device ID: %d)."),
                    listed->Description, listed->SubName, Hex2(listed->SubFactor),
                    listed->DeviceName, listed->UnitId),
             kOwnText);
}

void TFormWhichFinger::WMWhichStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kWaiting:
      lblStatus.SetText(WhichText(u"label.waiting", u"Please touch the fingerprint sensor..."));
      SetIcon(TStateLight::kWaiting);
      break;
    case verify_event::kFoundUnit:
      FFoundUnit = EventLow32(lparam);
      break;
    case verify_event::kFoundSubFactor:
      FFoundSubFactor = static_cast<WINBIO_BIOMETRIC_SUBTYPE>(lparam);
      break;
    case verify_event::kIdentified:
      if (lparam == static_cast<std::intptr_t>(VerifyOutcome::kOtherUser)) {
        ShowAnswer(TStateLight::kFailure,
                   WhichText(u"result.other_user", u"This fingerprint belongs to another user."),
                   kRefusalText);
      } else if (lparam >= 0 && lparam <= static_cast<std::intptr_t>(VerifyOutcome::kOtherSensor)) {
        ShowOwnFinger();
      }
      break;
    case verify_event::kBadCapture:
      lblStatus.SetText(WhichText(u"label.bad_capture",
                                  u"Poor fingerprint quality, please touch the sensor again."));
      lblResult.SetColor(kHintText);
      lblResult.SetText(RejectDetailText(EventLow32(lparam), Texts()));
      SetIcon(TStateLight::kNearMiss);
      break;
    case verify_event::kFailed:
      if (static_cast<HRESULT>(EventLow32(lparam)) == WINBIO_E_UNKNOWN_ID) {
        ShowAnswer(TStateLight::kFailure,
                   WhichText(u"result.unknown", u"This finger is not enrolled."), kRefusalText);
      } else {
        ShowAnswer(TStateLight::kFailure,
                   WhichText(u"result.failure", u"Failure: ") +
                       WinBioErrorText(static_cast<HRESULT>(EventLow32(lparam)), Texts()),
                   kRefusalText);
      }
      break;
    default:
      break;
  }
}

void TFormWhichFinger::btnRetryClick() {
  BringToFront();
  StartIdentify();
}

void TFormWhichFinger::btnCloseClick() {
  StopWorker();
  Close();
}

}  // namespace dactyra
