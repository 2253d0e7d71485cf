#pragma once

// The simulated biometric service: sessions, enrollment transactions, identification and the
// template database of one state file, behind the twelve entries of winbio.dll with their
// arguments and results.
//
// Each call reads the state file; a due injected failure is taken first (after the argument
// and session checks). Blocking calls (Identify, LocateSensor, EnrollCapture) take the next
// touch from the spool, or wait for one, polling, until their session is closed, which makes
// them return WINBIO_E_CANCELED. Only one blocking call may wait on a session at a time; a
// second one gets WINBIO_E_SESSION_BUSY.
//
// What a touch does:
// - Identify: a finger enrolled on the touched unit (same identity and sub-factor) is
//   identified (unit, SID identity, sub-factor); any other finger gives WINBIO_E_UNKNOWN_ID
//   with the unit set. A bad touch gives WINBIO_E_BAD_CAPTURE with its reject detail.
// - LocateSensor: any touch on a unit locates it, a bad one too (the finger was there, even if
//   the image is poor).
// - EnrollCapture: any finger on any unit is a good sample; WINBIO_I_MORE_DATA until the
//   state's number of samples is reached, then S_OK. A bad touch gives WINBIO_E_BAD_CAPTURE.
// - Every call: a `fail` touch makes it fail with that code; a touch file that is not valid, or
//   names a unit the state does not have, gives WINBIO_E_DEVICE_FAILURE.
//
// Other results: a null pointer gives E_POINTER; an unknown or closed session E_HANDLE; other
// bad arguments E_INVALIDARG; a state file that cannot be read or is not valid
// WINBIO_E_CONFIGURATION_FAILURE; one that cannot be written WINBIO_E_DATABASE_WRITE_ERROR.
// WinBioCloseSession and WinBioFree do not read the state and take no injected failures.
//
// Thread-safe: one mutex guards the sessions and the state file; it is not held while a call
// waits for a touch.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "biometric/winbio_types.h"
#include "sim/blocks.h"
#include "sim/identity.h"
#include "sim/state.h"
#include "sim/touch.h"

namespace dactyra::sim {

inline constexpr HRESULT E_HANDLE_RESULT = static_cast<HRESULT>(0x80070006u);  // E_HANDLE

class Service {
 public:
  static constexpr std::chrono::milliseconds kDefaultPollInterval{100};

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

  // Closes every session: calls waiting on them return WINBIO_E_CANCELED.
  void CloseAllSessions();

  // Blocks handed out and not yet freed.
  std::size_t OutstandingBlocks() const;

  // Calls waiting for a touch right now.
  std::size_t WaitingCalls() const;

 private:
  struct Enrollment {
    WINBIO_UNIT_ID unit = 0;
    WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
    std::int64_t good_samples = 0;
  };
  struct Session {
    std::optional<Enrollment> enrollment;
    bool waiting = false;  // a blocking call waits for a touch
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
  Session* FindSession(WINBIO_SESSION_HANDLE session);
  std::filesystem::path SpoolFolder(const SimState& state) const;
  // Waits for the next touch for `session`; the mutex is held on entry and on return, but not
  // while waiting.
  std::variant<Arrival, HRESULT> WaitForTouch(Lock& lock, WINBIO_SESSION_HANDLE session,
                                              const std::filesystem::path& spool);
  // Starts a blocking call: the checks of StartCall plus a session that nobody waits on yet.
  HRESULT StartBlockingCall(std::u16string_view function, WINBIO_SESSION_HANDLE session,
                            std::filesystem::path& spool);

  const std::u16string state_path_;
  const Sid current_user_;
  const std::chrono::milliseconds poll_interval_;

  mutable std::mutex mutex_;
  std::condition_variable sessions_changed_;
  std::map<WINBIO_SESSION_HANDLE, Session> sessions_;
  WINBIO_SESSION_HANDLE next_session_ = 1;
  Blocks blocks_;
};

}  // namespace dactyra::sim
