#pragma once

// The simulated biometric service: sessions, enrollment transactions, identification and the
// template database of one state file, behind the entries of winbio.dll with their arguments
// and results.
//
// Each call reads the state file; a due injected failure is taken first (after the argument
// and session checks). Blocking calls (Identify, LocateSensor, EnrollCapture) take the next
// touch from the spool, or wait for one, polling. Only one blocking call may wait on a session
// at a time; a second one gets WINBIO_E_SESSION_BUSY.
//
// As the platform documents it, a waiting call is released by WinBioCancel from another thread
// (it returns WINBIO_E_CANCELED), not by closing its session: a close while a call waits gives
// that call a short grace to end, then fails with WINBIO_E_SESSION_BUSY and leaves the call
// waiting. Such a close is the caller's mistake; it is recorded as a misuse (Misuses(), and a
// line in "winbio-sim-misuse.log" beside the state file), so that a test can fail on it.
//
// Touches go to the process that owns the foreground window, as the service arbitrates between
// applications by window focus; while another one is in front, waiting calls keep waiting. The
// state can turn this off (`focus = false`).
//
// What a touch does (a touch names whose finger it is and which finger):
// - Identify: a template on the touched unit made from that finger is identified (unit, the
//   template's account, its sub-factor); any other finger gives WINBIO_E_UNKNOWN_ID with the
//   unit set. A bad touch gives WINBIO_E_BAD_CAPTURE with its reject detail.
// - LocateSensor: any touch on a unit locates it, a bad one too (the finger was there, even if
//   the image is poor).
// - EnrollCapture: any finger on any unit is a good sample, remembered for the commit;
//   WINBIO_I_MORE_DATA until the state's number of samples is reached, then S_OK. A bad touch
//   gives WINBIO_E_BAD_CAPTURE.
// - EnrollCommit: a finger touched during the enrollment that a template of the unit already
//   holds under another account or sub-factor gives WINBIO_E_DUPLICATE_TEMPLATE, and the
//   transaction stays open until EnrollDiscard; committing into a sub-factor the user already
//   has replaces that template (not new).
// - Every call: a `fail` touch makes it fail with that code; a touch file that is not valid, or
//   names a unit the state does not have, gives WINBIO_E_DEVICE_FAILURE.
//
// A state that says the service is stopped makes every call fail as the remote call to a
// stopped service does (RPC_S_SERVER_UNAVAILABLE; a call waiting for a touch then ends with
// RPC_S_CALL_FAILED) and forgets every session: when the service runs again, the handles
// opened before are unknown (E_HANDLE). The settings then read off, of an invalid source.
//
// Other results: a null pointer gives E_POINTER; an unknown or closed session E_HANDLE; other
// bad arguments E_INVALIDARG; a state file that cannot be read or is not valid
// WINBIO_E_CONFIGURATION_FAILURE; one that cannot be written WINBIO_E_DATABASE_WRITE_ERROR.
// WinBioCloseSession, WinBioCancel and WinBioFree do not read the state and take no injected
// failures.
//
// Thread-safe: one mutex guards the sessions and the state file; it is not held while a call
// waits for a touch.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "biometric/winbio_types.h"
#include "sim/blocks.h"
#include "sim/identity.h"
#include "sim/state.h"
#include "sim/touch.h"

namespace dactyra::sim {

class Service {
 public:
  static constexpr std::chrono::milliseconds kDefaultPollInterval{100};
  // How long a close waits for a call still waiting on its session before it fails.
  static constexpr std::chrono::milliseconds kCloseGrace{1000};

  // Whether the calling process owns the foreground window.
  using ForegroundCheck = std::function<bool()>;

  // `current_user`: the SID that "current" stands for (the calling process's user).
  Service(std::u16string state_path, Sid current_user,
          std::chrono::milliseconds poll_interval = kDefaultPollInterval);
  ~Service();
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  HRESULT EnumBiometricUnits(WINBIO_BIOMETRIC_TYPE factor, WINBIO_UNIT_SCHEMA** schema_array,
                             std::size_t* unit_count);
  HRESULT OpenSession(WINBIO_BIOMETRIC_TYPE factor, WINBIO_POOL_TYPE pool_type,
                      WINBIO_SESSION_FLAGS flags, WINBIO_UNIT_ID* unit_array,
                      std::size_t unit_count, WINBIO_UUID* database_id,
                      WINBIO_SESSION_HANDLE* session);
  HRESULT CloseSession(WINBIO_SESSION_HANDLE session);
  // Releases the call waiting on the session in another thread (WINBIO_E_CANCELED); S_OK and
  // nothing else when none waits.
  HRESULT Cancel(WINBIO_SESSION_HANDLE session);
  HRESULT EnumEnrollments(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID unit_id,
                          const TWinBioIdentity* identity,
                          WINBIO_BIOMETRIC_SUBTYPE** subfactor_array, std::size_t* subfactor_count);
  HRESULT Identify(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID* unit_id,
                   TWinBioIdentity* identity, WINBIO_BIOMETRIC_SUBTYPE* subfactor,
                   WINBIO_REJECT_DETAIL* reject_detail);
  HRESULT LocateSensor(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID* unit_id);
  HRESULT EnrollBegin(WINBIO_SESSION_HANDLE session, WINBIO_BIOMETRIC_SUBTYPE subfactor,
                      WINBIO_UNIT_ID unit_id);
  HRESULT EnrollCapture(WINBIO_SESSION_HANDLE session, WINBIO_REJECT_DETAIL* reject_detail);
  // The template is the calling user's (as the system service does it): `identity` receives
  // that user's identity.
  HRESULT EnrollCommit(WINBIO_SESSION_HANDLE session, TWinBioIdentity* identity,
                       WINBIO_BOOLEAN* is_new_template);
  HRESULT EnrollDiscard(WINBIO_SESSION_HANDLE session);
  HRESULT DeleteTemplate(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID unit_id,
                         const TWinBioIdentity* identity, WINBIO_BIOMETRIC_SUBTYPE subfactor);
  HRESULT Free(void* address);
  // A sign-in setting and who decided it; nothing when a pointer is null.
  void GetSetting(Setting setting, WINBIO_BOOLEAN* value, WINBIO_SETTING_SOURCE_TYPE* source);
  // The state's enrolled_factors, else fingerprint when the account has a template.
  HRESULT GetEnrolledFactors(const TWinBioIdentity* account_owner,
                             WINBIO_BIOMETRIC_TYPE* enrolled_factors);
  HRESULT IsESSCapable(WINBIO_BOOLEAN* value);

  // Closes every session, as the service does when it goes: calls waiting on them return
  // WINBIO_E_CANCELED.
  void CloseAllSessions();

  // Who owns the foreground window (by default: this process always does).
  void SetForegroundCheck(ForegroundCheck foreground);

  // What callers did that the platform does not allow, one line each, as also written to the
  // misuse log beside the state file.
  std::vector<std::u16string> Misuses() const;

  // Blocks handed out and not yet freed.
  std::size_t OutstandingBlocks() const;

  // Calls waiting for a touch right now.
  std::size_t WaitingCalls() const;

  // Appends the name of a call made to the journal beside the state file
  // ("winbio-sim-calls.log"), one line each, so that a test can tell what a program asked.
  void RecordCall(std::u16string_view function);

 private:
  struct Enrollment {
    WINBIO_UNIT_ID unit = 0;
    WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
    std::int64_t good_samples = 0;
    std::vector<Finger> fingers;  // the fingers of the good samples, each once
  };
  struct Session {
    std::optional<Enrollment> enrollment;
    std::u16string waiting;     // the blocking call that waits for a touch; empty: none
    std::uint64_t cancels = 0;  // cancels of waiting calls so far
  };
  // What a blocking call waited for: a touch (with the state read when it came), or the
  // result to end with.
  struct Arrival {
    Touch touch;
    SimState state;
  };

  using Lock = std::unique_lock<std::mutex>;

  // Reads the state and takes a due failure of `function`: S_OK with `state` filled, or the
  // result to return.
  HRESULT StartCall(std::u16string_view function, std::optional<SimState>& state);
  // The checks shared by the calls on a user's templates of one unit, in the service's order:
  // an open session, an identity that holds a SID, StartCall, a known unit.
  HRESULT StartTemplateCall(std::u16string_view function, WINBIO_SESSION_HANDLE session,
                            WINBIO_UNIT_ID unit_id, const std::optional<Sid>& sid,
                            std::optional<SimState>& state);
  HRESULT SaveState(const SimState& state);
  // True when the state says the service is stopped; every session is then forgotten.
  bool StoppedNow();
  // S_OK while the service runs, else the failure of a call to a stopped service.
  HRESULT CheckRunning();
  void ForgetSessions();
  Session* FindSession(WINBIO_SESSION_HANDLE session);
  std::filesystem::path SpoolFolder(const SimState& state) const;
  // Where and how a blocking call waits.
  struct WaitPlace {
    std::filesystem::path spool;
    bool needs_focus = true;
  };
  // Waits for the next touch for `session` and ends its wait, whatever the outcome; the mutex
  // is held on entry and on return, but not while waiting.
  std::variant<Arrival, HRESULT> WaitForTouch(Lock& lock, WINBIO_SESSION_HANDLE session,
                                              const WaitPlace& place);
  // Starts a blocking call: the checks of StartCall plus a session that nobody waits on yet,
  // which `function` then waits on.
  HRESULT StartBlockingCall(std::u16string_view function, WINBIO_SESSION_HANDLE session,
                            WaitPlace& place);
  void RecordMisuse(std::u16string line);

  const std::u16string state_path_;
  const Sid current_user_;
  const std::chrono::milliseconds poll_interval_;
  ForegroundCheck foreground_;

  mutable std::mutex mutex_;
  std::condition_variable sessions_changed_;
  std::map<WINBIO_SESSION_HANDLE, Session> sessions_;
  WINBIO_SESSION_HANDLE next_session_ = 1;
  Blocks blocks_;
  std::vector<std::u16string> misuses_;
  std::mutex journal_mutex_;
};

}  // namespace dactyra::sim
