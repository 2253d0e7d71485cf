#include "enroll/form_enroll.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"

namespace dactyra {
namespace {

// Status-line colours.
constexpr ui::Color kIdleText{0x808080};
constexpr ui::Color kInstructionText{0x000080};

// The progress bar's name for screen readers.
constexpr std::u16string_view kProgressNameSection = u"add";
constexpr std::u16string_view kProgressNameKey = u"progress.name";
constexpr std::u16string_view kProgressName = u"Enrollment progress";

}  // namespace

int EnrollProgress(std::int32_t captures) {
  // After a few hundred samples the power is lost in the rounding and the product would be
  // exactly 90; the bar stays below it however long the service goes on.
  return std::min(static_cast<int>((1.0 - std::pow(0.85, captures)) * 90.0), 89);
}

TFormEnroll::TFormEnroll(ui::Form* owner, const TextSource& texts)
    : TWorkerDialog(owner, 380, 217, texts) {
  btnCancel.OnClick = [this] { btnCancelClick(); };
  OnShow = [this] { FormShow(); };
  // A commit under way ends in success or failure, never in "cancelled"; after a success the
  // close box, like Done, gives OK.
  OnCloseQuery = [this] { return !FCommitting; };
  OnClose = [this] {
    if (FDone) {
      SetModalResult(ui::ModalResult::kOk);
    }
  };
  SetMessageHandler(WM_ENROLL_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMEnrollStatus(wparam, lparam);
  });
  FormCreate();
}

TFormEnroll::~TFormEnroll() {
  FormDestroy();
}

std::u16string TFormEnroll::LangText(std::u16string_view key,
                                     std::u16string_view default_text) const {
  return Texts().GetLangStr(u"add", key, default_text);
}

void TFormEnroll::SetStatus(std::u16string_view text, ui::Color color) {
  lblStatus.SetColor(color);
  lblStatus.SetText(text);
}

void TFormEnroll::FormCreate() {
  SetCaption(LangText(u"title", u"Add a fingerprint"));
  lblInstruction.SetLabelText(LangText(u"edit.title", u"Add fingerprint: "));
  lblStatus.SetText(LangText(u"label.status.1", u"Please waiting..."));
  btnCancel.SetText(LangText(u"button.cancel.1", u"&Cancel"));
  ProgressBar.SetAccessibleName(
      Texts().GetLangStr(kProgressNameSection, kProgressNameKey, kProgressName));
}

void TFormEnroll::FormShow() {
  // Each showing has a worker of its own, with a result slot of its own.
  FResult = std::make_shared<TEnrollResultSlot>();
  FCommitting = false;
  FDone = false;
  FCaptureCount = 0;
  ResultUnitId = 0;
  ResultSubFactor = 0;
  ResultIsNew = false;
  ResultError = S_OK;

  lblInstruction.SetLabelText(LangText(u"edit.title", u"Add fingerprint: "));
  SetStatus(LangText(u"label.status.2",
                     u"Please swipe your finger on the sensor to locate the device..."),
            kIdleText);
  SetIcon(TStateLight::kIdle);
  ProgressBar.SetPosition(0);
  lblCount.SetText(u"");
  btnCancel.SetText(LangText(u"button.cancel.1", u"&Cancel"));
  btnCancel.SetEnabled(true);
  btnCancel.SetModalResult(ui::ModalResult::kNone);
  BringToFront();

  auto param = std::make_unique<TEnrollThreadParam>();
  param->Window = PosterOf(WM_ENROLL_STATUS);
  param->Lib = Lib;
  param->Session = Session;
  param->SubFactor = SubFactor;
  param->Cancel = NewCancelFlag();
  param->Identity = Identity;
  param->PresetUnitId = UnitId;
  param->Result = FResult;
  HoldWorker(StartEnrollThread(std::move(param)));
}

void TFormEnroll::WMEnrollStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case enroll_event::kLocating:
      SetStatus(LangText(u"label.status.2",
                         u"Please swipe your finger on the sensor to locate the device..."),
                kInstructionText);
      SetIcon(TStateLight::kWaiting);
      break;
    case enroll_event::kSensorKnown:
      SetStatus(Format(LangText(u"label.status.3",
                                u"Sensor ready (Device ID: %d), please start data acquisition..."),
                       EventLow32(lparam)),
                kInstructionText);
      break;
    case enroll_event::kWaiting:
      SetStatus(LangText(u"label.status.4", u"Please place your finger on the sensor..."),
                kInstructionText);
      SetIcon(TStateLight::kWaiting);
      break;
    case enroll_event::kGoodCapture:
      FCaptureCount = static_cast<std::int32_t>(lparam);
      ProgressBar.SetPosition(EnrollProgress(FCaptureCount));
      lblCount.SetText(Format(LangText(u"label.count.1",
                                       u"%d times have been collected. Please lift your finger and "
                                       u"place it on again..."),
                              FCaptureCount));
      SetStatus(LangText(u"label.status.5", u"The collection was successful this time!"),
                kSuccessText);
      SetIcon(TStateLight::kWaiting);
      break;
    case enroll_event::kBadCapture:
      lblCount.SetText(LangText(u"label.count.2", u"Poor collection quality, please try again..."));
      SetStatus(
          LangText(u"label.status.6", u"Hint: ") + RejectDetailText(EventLow32(lparam), Texts()),
          kHintText);
      break;
    case enroll_event::kCommitting:
      FCommitting = true;
      btnCancel.SetEnabled(false);
      ProgressBar.SetPosition(95);
      SetStatus(LangText(u"label.status.7", u"Saving fingerprint data..."), kInstructionText);
      break;
    case enroll_event::kDone: {
      // The message says only that the result is there; one that came from elsewhere finds none.
      const std::optional<TEnrollResult> result = FResult->Take();
      if (!result) {
        break;
      }
      FCommitting = false;
      ResultUnitId = result->UnitId;
      ResultSubFactor = result->SubFactor;
      ResultIsNew = result->IsNew;
      FDone = true;
      ProgressBar.SetPosition(100);
      SetIcon(TStateLight::kSuccess);
      SetStatus(ResultIsNew ? LangText(u"label.status.8",
                                       u"Fingerprint registration successful! (New fingerprint)")
                            : LangText(u"label.status.9",
                                       u"Fingerprint registration successful! (Existing "
                                       u"fingerprints updated)"),
                kSuccessText);
      lblCount.SetText(Format(LangText(u"label.count.3",
                                       u"A total of %d fingerprints were collected. Device ID: %d, "
                                       u"Fingerprint ID: 0x%s"),
                              FCaptureCount, ResultUnitId, Hex2(ResultSubFactor)));
      btnCancel.SetText(LangText(u"button.cancel.3", u"&Done"));
      btnCancel.SetEnabled(true);
      btnCancel.SetModalResult(ui::ModalResult::kOk);
      break;
    }
    case enroll_event::kFailed:
      FCommitting = false;
      FDone = false;
      ResultError = static_cast<HRESULT>(EventLow32(lparam));
      SetIcon(TStateLight::kFailure);
      SetStatus(LangText(u"label.status.10", u"Fail: ") + WinBioErrorText(ResultError, Texts()),
                kFailureText);
      lblCount.SetText(u"");
      btnCancel.SetText(LangText(u"button.cancel.3", u"&Close"));
      btnCancel.SetEnabled(true);
      break;
    case enroll_event::kCanceled:
      SetModalResult(ui::ModalResult::kCancel);
      break;
    default:
      break;
  }
}

void TFormEnroll::btnCancelClick() {
  if (FDone) {
    SetModalResult(ui::ModalResult::kOk);
    return;
  }
  btnCancel.SetEnabled(false);
  btnCancel.SetText(LangText(u"button.cancel.2", u"Canceling..."));
  StopWorker();
  SetModalResult(ui::ModalResult::kCancel);
  Close();
}

void TFormEnroll::FormDestroy() {
  StopWorker();
}

}  // namespace dactyra
