#include "enroll/form_enroll.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "enroll/enroll_texts.h"
#include "ui/hello_verification.h"

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
  // close box, like Done or Skip, gives OK.
  OnCloseQuery = [this] { return !FCommitting; };
  OnClose = [this] {
    if (FDone) {
      StopWorker();  // a check that waits
      SetModalResult(ui::ModalResult::kOk);
    }
  };
  SetMessageHandler(WM_ENROLL_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMEnrollStatus(wparam, lparam);
  });
  SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMCheckStatus(wparam, lparam);
  });
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnRemove.OnClick = [this] { btnRemoveClick(); };
  btnKeep.OnClick = [this] { btnKeepClick(); };
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
  btnRetry.SetText(Texts().Get(kEnrollCheckRetry));
  btnRemove.SetText(Texts().Get(kEnrollCheckRemove));
  btnKeep.SetText(Texts().Get(kEnrollCheckKeep));
  ProgressBar.SetAccessibleName(Texts().Get(kEnrollProgressName));
  ShowCheckAnswers(false, false);
}

void TFormEnroll::FormShow() {
  // Each showing has a worker of its own, with a result slot of its own.
  FResult = std::make_shared<TEnrollResultSlot>();
  FCommitting = false;
  FDone = false;
  FCaptureCount = 0;
  FCommitted.reset();
  FResultError = S_OK;
  FCheck = TEnrollCheck::kUnchecked;
  ShowCheckAnswers(false, false);

  lblInstruction.SetLabelText(Texts().Get(kEnrollDescriptionLabel));
  SetStatus(Texts().Get(kEnrollLocatingSensor), kIdleText);
  SetIcon(TStateLight::kIdle);
  ProgressBar.SetPosition(0);
  lblCount.SetSystemColor();
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
      btnCancel.SetEnabled(true);
      btnCancel.SetModalResult(ui::ModalResult::kOk);
      StartCheck();
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
    // Done, or Skip while the check waits: the finger stays as it was committed.
    StopWorker();
    SetModalResult(ui::ModalResult::kOk);
    return;
  }
  btnCancel.SetEnabled(false);
  btnCancel.SetText(Texts().Get(kEnrollCanceling));
  StopWorker();
  SetModalResult(ui::ModalResult::kCancel);
  Close();
}

void TFormEnroll::ShowCheckAnswers(bool answered, bool recognised) {
  btnRetry.SetVisible(answered);
  btnRemove.SetVisible(answered && !recognised);
  btnKeep.SetVisible(answered && !recognised);
  btnCancel.SetVisible(!answered || recognised);
}

void TFormEnroll::StartCheck() {
  StopWorker();
  FCheck = TEnrollCheck::kUnchecked;
  ShowCheckAnswers(false, false);
  SetStatus(FCommitted->IsNew ? Texts().Get(kEnrollNewFinger) : Texts().Get(kEnrollUpdatedFinger),
            kSuccessText);
  if (!Context().Lib.IsReady()) {
    // Without the service nothing can be checked: the commit's word is the last.
    SetIcon(TStateLight::kSuccess);
    lblCount.SetText(ClosingLine());
    btnCancel.SetText(Texts().Get(kEnrollDone));
    return;
  }
  // The line below the commit's status asks for the touch.
  SetIcon(TStateLight::kWaiting);
  lblCount.SetColor(kInstructionText);
  lblCount.SetText(Texts().Get(kEnrollCheckWaiting));
  btnCancel.SetText(Texts().Get(kEnrollCheckSkip));

  TFingerRecord committed;
  committed.UnitId = FCommitted->UnitId;
  committed.SubFactor = FCommitted->SubFactor;
  if (const HRESULT started = StartIdentifyWorker(committed); Failed(started)) {
    ShowNotRecognised(Texts().Get(kEnrollFailurePrefix) + WinBioErrorText(started, Texts()));
  }
}

void TFormEnroll::WMCheckStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  if (!FCommitted) {
    return;  // no check runs before the commit
  }
  switch (wparam) {
    case verify_event::kBadCapture:
      lblCount.SetColor(kHintText);
      lblCount.SetText(Texts().Get(kEnrollHintPrefix) +
                       RejectDetailText(EventLow32(lparam), Texts()));
      SetIcon(TStateLight::kNearMiss);
      break;
    case verify_event::kIdentified:
      if (lparam == static_cast<std::intptr_t>(TVerifyOutcome::kMatch)) {
        ShowWorks();
      } else {
        ShowNotRecognised(u"");
      }
      break;
    case verify_event::kFailed: {
      const HRESULT error = static_cast<HRESULT>(EventLow32(lparam));
      NoteFailure(error);  // a session the service lost is replaced at Retry
      ShowNotRecognised(error == WINBIO_E_UNKNOWN_ID
                            ? std::u16string()
                            : Texts().Get(kEnrollFailurePrefix) + WinBioErrorText(error, Texts()));
      break;
    }
    default:
      break;
  }
}

std::u16string TFormEnroll::ClosingLine() const {
  if (FRequest.PinNeeded) {
    return ui::HelloPinNeededText(Texts());
  }
  return Format(Texts().Get(kEnrollSummary), FCaptureCount, FCommitted->UnitId,
                Hex2(FCommitted->SubFactor));
}

void TFormEnroll::ShowWorks() {
  FCheck = TEnrollCheck::kWorks;
  SetIcon(TStateLight::kSuccess);
  SetStatus(Texts().Get(kEnrollCheckWorks), kSuccessText);
  lblCount.SetSystemColor();
  lblCount.SetText(ClosingLine());
  btnCancel.SetText(Texts().Get(kEnrollDone));
  ShowCheckAnswers(true, true);
  btnCancel.SetFocus();
}

void TFormEnroll::ShowNotRecognised(std::u16string_view detail) {
  FCheck = TEnrollCheck::kNotRecognised;
  SetIcon(TStateLight::kFailure);
  SetStatus(Texts().Get(kEnrollCheckNotRecognised), kFailureText);
  lblCount.SetSystemColor();
  lblCount.SetText(detail);
  ShowCheckAnswers(true, false);
  btnRetry.SetFocus();
}

void TFormEnroll::EndCheck(TEnrollCheck check) {
  StopWorker();
  FCheck = check;
  SetModalResult(ui::ModalResult::kOk);
}

void TFormEnroll::btnRetryClick() {
  BringToFront();
  StartCheck();
}

void TFormEnroll::btnRemoveClick() {
  EndCheck(TEnrollCheck::kRemove);
}

void TFormEnroll::btnKeepClick() {
  EndCheck(TEnrollCheck::kNotRecognised);
}

}  // namespace dactyra
