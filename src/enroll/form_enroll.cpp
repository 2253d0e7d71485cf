#include "enroll/form_enroll.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "enroll/enroll_texts.h"

namespace dactyra {
namespace {

// Status-line colours.
constexpr ui::Color kIdleText{0x808080};
constexpr ui::Color kInstructionText{0x000080};

}  // namespace

int EnrollProgress(std::int32_t captures) {
  // After a few hundred samples the power is lost in the rounding and the product would be
  // exactly 90; the bar stays below it however long the service goes on.
  return std::min(static_cast<int>((1.0 - std::pow(0.85, captures)) * 90.0), 89);
}

TFormEnroll::TFormEnroll(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
                         TEnrollRequest request)
    : TWorkerDialog(owner, 380, 217, texts, context), FRequest(std::move(request)) {
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

void TFormEnroll::SetStatus(std::u16string_view text, ui::Color color) {
  lblStatus.SetColor(color);
  lblStatus.SetText(text);
}

void TFormEnroll::FormCreate() {
  lblInstruction.SetText(FRequest.Description);
  SetCaption(Texts().Get(kEnrollCaption));
  lblInstruction.SetLabelText(Texts().Get(kEnrollDescriptionLabel));
  lblStatus.SetText(Texts().Get(kEnrollPleaseWait));
  btnCancel.SetText(Texts().Get(kEnrollCancel));
  ProgressBar.SetAccessibleName(Texts().Get(kEnrollProgressName));
}

void TFormEnroll::FormShow() {
  // Each showing has a worker of its own, with a result slot of its own.
  FResult = std::make_shared<TEnrollResultSlot>();
  FCommitting = false;
  FDone = false;
  FCaptureCount = 0;
  FCommitted.reset();
  FResultError = S_OK;

  lblInstruction.SetLabelText(Texts().Get(kEnrollDescriptionLabel));
  SetStatus(Texts().Get(kEnrollLocatingSensor), kIdleText);
  SetIcon(TStateLight::kIdle);
  ProgressBar.SetPosition(0);
  lblCount.SetText(u"");
  btnCancel.SetText(Texts().Get(kEnrollCancel));
  btnCancel.SetEnabled(true);
  btnCancel.SetModalResult(ui::ModalResult::kNone);
  BringToFront();

  auto param = std::make_unique<TEnrollThreadParam>();
  param->Window = PosterOf(WM_ENROLL_STATUS);
  param->Lib = Context().Lib;
  param->Session = Context().Session;
  param->SubFactor = FRequest.SubFactor;
  param->Cancel = NewCancelFlag();
  param->Identity = Context().Identity;
  param->PresetUnitId = FRequest.UnitId;
  param->Result = FResult;
  HoldWorker(StartEnrollThread(std::move(param)));
}

void TFormEnroll::WMEnrollStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case enroll_event::kLocating:
      SetStatus(Texts().Get(kEnrollLocatingSensor), kInstructionText);
      SetIcon(TStateLight::kWaiting);
      break;
    case enroll_event::kSensorKnown:
      SetStatus(Format(Texts().Get(kEnrollSensorReady), EventLow32(lparam)), kInstructionText);
      break;
    case enroll_event::kWaiting:
      SetStatus(Texts().Get(kEnrollPlaceFinger), kInstructionText);
      SetIcon(TStateLight::kWaiting);
      break;
    case enroll_event::kGoodCapture:
      FCaptureCount = static_cast<std::int32_t>(lparam);
      ProgressBar.SetPosition(EnrollProgress(FCaptureCount));
      lblCount.SetText(Format(Texts().Get(kEnrollCapturesSoFar), FCaptureCount));
      SetStatus(Texts().Get(kEnrollGoodCapture), kSuccessText);
      SetIcon(TStateLight::kWaiting);
      break;
    case enroll_event::kBadCapture:
      lblCount.SetText(Texts().Get(kEnrollPoorCapture));
      SetStatus(Texts().Get(kEnrollHintPrefix) + RejectDetailText(EventLow32(lparam), Texts()),
                kHintText);
      break;
    case enroll_event::kCommitting:
      FCommitting = true;
      btnCancel.SetEnabled(false);
      ProgressBar.SetPosition(95);
      SetStatus(Texts().Get(kEnrollSaving), kInstructionText);
      break;
    case enroll_event::kDone: {
      // The message says only that the result is there; one that came from elsewhere finds none.
      const std::optional<TEnrollResult> result = FResult->Take();
      if (!result) {
        break;
      }
      FCommitting = false;
      FCommitted = result;
      FDone = true;
      ProgressBar.SetPosition(100);
      SetIcon(TStateLight::kSuccess);
      SetStatus(result->IsNew ? Texts().Get(kEnrollNewFinger) : Texts().Get(kEnrollUpdatedFinger),
                kSuccessText);
      lblCount.SetText(Format(Texts().Get(kEnrollSummary), FCaptureCount, result->UnitId,
                              Hex2(result->SubFactor)));
      btnCancel.SetText(Texts().Get(kEnrollDone));
      btnCancel.SetEnabled(true);
      btnCancel.SetModalResult(ui::ModalResult::kOk);
      break;
    }
    case enroll_event::kFailed:
      FCommitting = false;
      FDone = false;
      FResultError = static_cast<HRESULT>(EventLow32(lparam));
      SetIcon(TStateLight::kFailure);
      SetStatus(Texts().Get(kEnrollFailurePrefix) + WinBioErrorText(FResultError, Texts()),
                kFailureText);
      lblCount.SetText(u"");
      btnCancel.SetText(Texts().Get(kEnrollClose));
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
  btnCancel.SetText(Texts().Get(kEnrollCanceling));
  StopWorker();
  SetModalResult(ui::ModalResult::kCancel);
  Close();
}

}  // namespace dactyra
