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

// The status line before the worker reports.
constexpr ui::Color kIdleText{0x808080};

}  // namespace

int EnrollProgress(std::int32_t captures) {
  // After a few hundred samples the power is lost in the rounding and the product would be
  // exactly 90; the bar stays below it however long the service goes on.
  return std::min(static_cast<int>((1.0 - std::pow(0.85, captures)) * 90.0), 89);
}

TFormEnroll::TFormEnroll(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
                         TEnrollRequest request)
    : TWorkerDialog(owner, 380, 286, texts, context), FRequest(std::move(request)) {
  btnCancel.OnClick = [this] { btnCancelClick(); };
  OnShow = [this] { FormShow(); };
  // A commit under way ends in success or failure, never in "cancelled"; after a success the
  // close box, like Done or Skip, gives OK.
  OnCloseQuery = [this] { return FPhase != TEnrollPhase::kCommitting; };
  OnClose = [this] {
    if (FCommitted) {
      StopWorker();  // a check that waits
      SetModalResult(ui::ModalResult::kOk);
    }
  };
  SetMessageHandler(WM_ENROLL_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMEnrollStatus(wparam, lparam);
  });
  SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    if (FPhase == TEnrollPhase::kFindingHolder) {
      WMHolderStatus(wparam, lparam);
    } else {
      WMCheckStatus(wparam, lparam);
    }
  });
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnRemove.OnClick = [this] { btnRemoveClick(); };
  btnKeep.OnClick = [this] { btnKeepClick(); };
  FormCreate();
}

TEnrollOutcome TFormEnroll::Outcome() const {
  return {.Committed = FCommitted,
          .Description = lblInstruction.Text(),
          .Check = FCheck,
          .Status = FStatus,
          .Error = FResultError,
          .Advice = FAdvice,
          .OwnDuplicate = FOwnDuplicate};
}

void TFormEnroll::SetStatus(std::u16string_view text, ui::Color color) {
  FStatus = text;
  lblStatus.SetColor(color);
  lblStatus.SetText(text);
}

void TFormEnroll::EnterPhase(TEnrollPhase phase) {
  FPhase = phase;
  const TranslatableText* caption = &kEnrollCancel;
  switch (phase) {
    case TEnrollPhase::kCapturing:
    case TEnrollPhase::kCommitting:
      break;
    case TEnrollPhase::kCancelling:
      caption = &kEnrollCanceling;
      break;
    case TEnrollPhase::kFailed:
    case TEnrollPhase::kFindingHolder:
      caption = &kEnrollClose;
      break;
    case TEnrollPhase::kChecking:
      caption = &kEnrollCheckSkip;
      break;
    case TEnrollPhase::kChecked:
      caption = &kEnrollDone;
      break;
  }
  btnCancel.SetText(Texts().Get(*caption));
  btnCancel.SetEnabled(phase != TEnrollPhase::kCommitting && phase != TEnrollPhase::kCancelling);
  // Once committed, the button ends the dialog with OK: the finger is there.
  btnCancel.SetModalResult(FCommitted ? ui::ModalResult::kOk : ui::ModalResult::kNone);
}

void TFormEnroll::FormCreate() {
  lblInstruction.SetText(FRequest.Description);
  SetCaption(Texts().Get(kEnrollCaption));
  lblInstruction.SetLabelText(Texts().Get(kEnrollDescriptionLabel));
  lblStatus.SetText(Texts().Get(kEnrollPleaseWait));
  btnRetry.SetText(Texts().Get(kEnrollCheckRetry));
  btnRemove.SetText(Texts().Get(kEnrollCheckRemove));
  btnKeep.SetText(Texts().Get(kEnrollCheckKeep));
  ProgressBar.SetAccessibleName(Texts().Get(kEnrollProgressName));
  ShowCheckAnswers(TCheckAnswer::kNone);
  EnterPhase(TEnrollPhase::kCapturing);
}

void TFormEnroll::FormShow() {
  // Each showing has a worker of its own, with a result slot of its own.
  FResult = std::make_shared<TEnrollResultSlot>();
  FCaptureCount = 0;
  FCommitted.reset();
  FResultError = S_OK;
  FCheck = TEnrollCheck::kUnchecked;
  FHolderFound.reset();
  FAdvice.clear();
  FOwnDuplicate.reset();
  ShowCheckAnswers(TCheckAnswer::kNone);
  EnterPhase(TEnrollPhase::kCapturing);

  lblInstruction.SetLabelText(Texts().Get(kEnrollDescriptionLabel));
  SetStatus(Texts().Get(kEnrollLocatingSensor), kIdleText);
  SetIcon(TStateLight::kIdle);
  ProgressBar.SetPosition(0);
  lblCount.SetSystemColor();
  lblCount.SetText(u"");
  BringToFront();

  auto param = std::make_unique<TEnrollThreadParam>();
  if (const HRESULT ready = PrepareWorker(*param, WM_ENROLL_STATUS, &TEnrollThreadParam::Identity);
      Failed(ready)) {
    WMEnrollStatus(enroll_event::kFailed, EventValue(static_cast<std::uint32_t>(ready)));
    return;
  }
  param->SubFactor = FRequest.SubFactor;
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
      EnterPhase(TEnrollPhase::kCommitting);
      ProgressBar.SetPosition(95);
      SetStatus(Texts().Get(kEnrollSaving), kInstructionText);
      break;
    case enroll_event::kDone: {
      // The message says only that the result is there; one that came from elsewhere finds none.
      const std::optional<TEnrollResult> result = FResult->Take();
      if (!result) {
        break;
      }
      FCommitted = result;
      ProgressBar.SetPosition(100);
      StartCheck();
      break;
    }
    case enroll_event::kFailed:
      FResultError = static_cast<HRESULT>(EventLow32(lparam));
      NoteFailure(FResultError);
      if (FResultError == WINBIO_E_DUPLICATE_TEMPLATE) {
        SetStatus(Texts().Get(kEnrollDuplicate), kFailureText);
        StartFindingHolder();
        break;
      }
      EnterPhase(TEnrollPhase::kFailed);
      SetIcon(TStateLight::kFailure);
      SetStatus(FailureText(FResultError), kFailureText);
      lblCount.SetText(u"");
      break;
    case enroll_event::kCanceled:
      SetModalResult(ui::ModalResult::kCancel);
      break;
    default:
      break;
  }
}

void TFormEnroll::btnCancelClick() {
  if (FCommitted) {
    // Done, or Skip while the check waits: the finger stays as it was committed.
    StopWorker();
    SetModalResult(ui::ModalResult::kOk);
    return;
  }
  EnterPhase(TEnrollPhase::kCancelling);
  StopWorker();
  SetModalResult(ui::ModalResult::kCancel);
  Close();
}

void TFormEnroll::ShowCheckAnswers(TCheckAnswer answer) {
  const bool not_recognised = answer == TCheckAnswer::kNotRecognised;
  btnRetry.SetVisible(answer != TCheckAnswer::kNone);
  btnRemove.SetVisible(not_recognised);
  btnKeep.SetVisible(not_recognised);
  btnCancel.SetVisible(!not_recognised);
}

void TFormEnroll::StartCheck() {
  StopWorker();
  FCheck = TEnrollCheck::kUnchecked;
  ShowCheckAnswers(TCheckAnswer::kNone);
  SetStatus(FCommitted->IsNew ? Texts().Get(kEnrollNewFinger) : Texts().Get(kEnrollUpdatedFinger),
            kSuccessText);
  if (!Context().Lib.IsReady()) {
    // Without the service nothing can be checked: the commit's word is the last.
    EnterPhase(TEnrollPhase::kChecked);
    SetIcon(TStateLight::kSuccess);
    lblCount.SetText(ClosingLine());
    return;
  }
  // The line below the commit's status asks for the touch.
  EnterPhase(TEnrollPhase::kChecking);
  SetIcon(TStateLight::kWaiting);
  lblCount.SetColor(kInstructionText);
  lblCount.SetText(Texts().Get(kEnrollCheckWaiting));
  if (const HRESULT started = StartIdentifyWorker(
          TIdentifyTarget{.UnitId = FCommitted->UnitId, .SubFactor = FCommitted->SubFactor});
      Failed(started)) {
    ShowNotRecognised(FailureText(started));
  }
}

void TFormEnroll::WMCheckStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  if (!FCommitted) {
    return;  // no check runs before the commit
  }
  switch (wparam) {
    case verify_event::kBadCapture:
      ShowTouchHint(EventLow32(lparam));
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
      ShowNotRecognised(error == WINBIO_E_UNKNOWN_ID ? std::u16string() : FailureText(error));
      break;
    }
    default:
      break;
  }
}

std::u16string TFormEnroll::FailureText(HRESULT error) const {
  return Texts().Get(kEnrollFailurePrefix) + WinBioErrorText(error, Texts());
}

void TFormEnroll::ShowTouchHint(std::uint32_t reject_detail) {
  lblCount.SetColor(kHintText);
  lblCount.SetText(Texts().Get(kEnrollHintPrefix) + RejectDetailText(reject_detail, Texts()));
  SetIcon(TStateLight::kNearMiss);
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
  EnterPhase(TEnrollPhase::kChecked);
  ShowCheckAnswers(TCheckAnswer::kWorks);
  btnCancel.SetFocus();
}

void TFormEnroll::ShowNotRecognised(std::u16string_view detail) {
  FCheck = TEnrollCheck::kNotRecognised;
  SetIcon(TStateLight::kFailure);
  SetStatus(Texts().Get(kEnrollCheckNotRecognised), kFailureText);
  lblCount.SetSystemColor();
  lblCount.SetText(detail);
  ShowCheckAnswers(TCheckAnswer::kNotRecognised);
  btnRetry.SetFocus();
}

void TFormEnroll::EndCheck(TEnrollCheck check) {
  StopWorker();
  FCheck = check;
  SetModalResult(ui::ModalResult::kOk);
}

void TFormEnroll::btnRetryClick() {
  BringToFront();
  if (FCommitted) {
    StartCheck();
  } else {
    StartFindingHolder();
  }
}

void TFormEnroll::btnRemoveClick() {
  EndCheck(TEnrollCheck::kRemove);
}

void TFormEnroll::btnKeepClick() {
  EndCheck(TEnrollCheck::kNotRecognised);
}

}  // namespace dactyra
