// Why fingerprint sign-in works or not, told at every listing; and a list that follows the
// hardware: sensors plugged in or pulled out and the computer waking from sleep list the
// fingerprints again once the events have settled, never in the middle of a command.

#include <chrono>
#include <utility>

#include "app/main_form.h"
#include "app/sensors_texts.h"
#include "biometric/session_lost.h"
#include "biometric/sign_in_texts.h"

namespace dactyra {
namespace {

// How long the events of one change take to settle: a reader's arrival comes in several
// messages, and the service enumerates a new unit a moment after it.
constexpr std::chrono::milliseconds kSettleTime{1000};

const TranslatableText* LineOf(platform::SensorChange change) {
  switch (change) {
    case platform::SensorChange::kReaderArrived:
      return &kLogSensorConnected;
    case platform::SensorChange::kReaderRemoved:
      return &kLogSensorRemoved;
    case platform::SensorChange::kResumed:
      return &kLogResumed;
    case platform::SensorChange::kNone:
      break;
  }
  return nullptr;
}

}  // namespace

void TForm1::ShowSignInState(HRESULT sensors_result) {
  TSignInState state = ReadSignInState(FLib);
  state.FServiceUnreachable = SessionLost(sensors_result);
  for (const std::u16string& line : SignInLogLines(state, *this)) {
    AddLog(line);
  }
  lblSignInStatus.SetText(SignInStatusLine(state, *this));
  if (OffersSignInOptions(state)) {
    OfferSignInOptions();
  }
}

void TForm1::WatchHardware() {
  OnSystemMessage = [this](std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    WMSystemMessage(message, wparam, lparam);
  };
  OnTimer = [this] { SensorChangesSettled(); };
  FReaderNotification.emplace(NativeWindow());
}

void TForm1::WMSystemMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  const TranslatableText* line = LineOf(platform::SensorChangeOf(message, wparam, lparam));
  if (line == nullptr) {
    return;
  }
  // After a resume the sessions may be gone: that is the line to tell, whatever came with it.
  if (FSettlingChange != &kLogResumed) {
    FSettlingChange = line;
  }
  StartTimer(kSettleTime);
}

void TForm1::SensorChangesSettled() {
  FListDue = FSettlingChange;
  FSettlingChange = nullptr;
  ListAgainWhenDue();
}

void TForm1::NoteRowsOutOfDate() {
  if (FListDue == nullptr) {
    FListDue = &kLogListOutOfDate;
  }
}

void TForm1::ListAgainWhenDue() {
  if (FListDue == nullptr || FCommandRunning) {
    return;
  }
  AddLog(u"");
  AddLog(Get(*std::exchange(FListDue, nullptr)));
  // The listing closes the session and opens a new one: after sleep the old one may be gone.
  RunCommand(CommandOf(TCommandId::kRead));
}

}  // namespace dactyra
