#include "sim/service.h"

#include <algorithm>
#include <fstream>
#include <span>
#include <utility>
#include <vector>

#include "base/strings.h"
#include "base/utf.h"
#include "platform/platform.h"

namespace dactyra::sim {
namespace {

bool IsFingerSubFactor(WINBIO_BIOMETRIC_SUBTYPE subfactor) {
  return (subfactor >= WINBIO_ANSI_381_POS_RH_THUMB &&
          subfactor <= WINBIO_ANSI_381_POS_LH_LITTLE_FINGER) ||
         (subfactor >= WINBIO_FINGER_UNSPECIFIED_POS_01 &&
          subfactor <= WINBIO_FINGER_UNSPECIFIED_POS_10);
}

// A driver's text: terminated when shorter than the field, and filling all of it, with no
// terminator, when it is as long or longer (nothing requires the driver to leave room for one).
void SetDriverString(WINBIO_STRING& field, std::u16string_view text) {
  field.fill(u'\0');
  std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

WINBIO_UNIT_SCHEMA Schema(const UnitInfo& unit) {
  WINBIO_UNIT_SCHEMA schema{};
  schema.UnitId = unit.id;
  schema.PoolType = unit.pool;
  schema.BiometricFactor = WINBIO_TYPE_FINGERPRINT;
  schema.SensorSubType = unit.sensor_type;
  schema.Capabilities = unit.capabilities;
  SetDriverString(schema.DeviceInstanceId, u"SIM\\FINGERPRINT\\" + IntToText(unit.id));
  SetDriverString(schema.Description, unit.description);
  SetDriverString(schema.Manufacturer, unit.manufacturer);
  SetDriverString(schema.Model, unit.model);
  SetDriverString(schema.SerialNumber, unit.serial);
  schema.FirmwareVersion = unit.firmware;
  return schema;
}

// `text` ("current" standing for `current_user`) names `sid`.
bool Names(std::u16string_view text, const Sid& sid, const Sid& current_user) {
  const auto named = ResolveIdentity(text, current_user);
  return named && platform::EqualSids(*named, sid);
}

// The template's account is `sid`.
bool BelongsTo(const TemplateEntry& entry, const Sid& sid, const Sid& current_user) {
  return Names(entry.identity, sid, current_user);
}

// The template was made from `finger`.
bool MadeFrom(const TemplateEntry& entry, const Finger& finger, const Sid& current_user) {
  const auto person = ResolveIdentity(finger.person, current_user);
  return person && entry.finger.position == finger.position &&
         Names(entry.finger.person, *person, current_user);
}

}  // namespace

Service::Service(std::u16string state_path, Sid current_user,
                 std::chrono::milliseconds poll_interval)
    : state_path_(std::move(state_path)),
      current_user_(std::move(current_user)),
      poll_interval_(poll_interval),
      foreground_([] { return true; }) {}

Service::~Service() = default;

// ---- Calls that answer at once ----------------------------------------------------------------

HRESULT Service::EnumBiometricUnits(WINBIO_BIOMETRIC_TYPE factor, WINBIO_UNIT_SCHEMA** schema_array,
                                    std::size_t* unit_count) {
  if (schema_array == nullptr || unit_count == nullptr) {
    return E_POINTER;
  }
  *schema_array = nullptr;
  *unit_count = 0;
  if (factor != WINBIO_TYPE_FINGERPRINT) {
    return WINBIO_E_UNSUPPORTED_FACTOR;
  }
  const std::lock_guard lock(mutex_);
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioEnumBiometricUnits", state); result != S_OK) {
    return result;
  }
  std::vector<WINBIO_UNIT_SCHEMA> schemas;
  for (const UnitInfo& unit : state->Units()) {
    schemas.push_back(Schema(unit));
  }
  *schema_array =
      static_cast<WINBIO_UNIT_SCHEMA*>(blocks_.Allocate(std::as_bytes(std::span(schemas))));
  *unit_count = schemas.size();
  return S_OK;
}

HRESULT Service::OpenSession(WINBIO_BIOMETRIC_TYPE factor, WINBIO_POOL_TYPE pool_type,
                             WINBIO_SESSION_FLAGS flags, WINBIO_UNIT_ID* unit_array,
                             std::size_t unit_count, WINBIO_UUID* database_id,
                             WINBIO_SESSION_HANDLE* session) {
  if (session == nullptr) {
    return E_POINTER;
  }
  *session = 0;
  if (factor != WINBIO_TYPE_FINGERPRINT) {
    return WINBIO_E_UNSUPPORTED_FACTOR;
  }
  // Only the system pool with its default database and flags: it takes no unit list.
  if (pool_type != WINBIO_POOL_SYSTEM || flags != WINBIO_FLAG_DEFAULT || unit_array != nullptr ||
      unit_count != 0 || database_id != kDatabaseIdNull) {
    return E_INVALIDARG;
  }
  const std::lock_guard lock(mutex_);
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioOpenSession", state); result != S_OK) {
    return result;
  }
  *session = next_session_++;
  sessions_.emplace(*session, Session{});
  return S_OK;
}

HRESULT Service::CloseSession(WINBIO_SESSION_HANDLE session) {
  Lock lock(mutex_);
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  const Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  if (!open->waiting.empty()) {
    const std::u16string waiting = open->waiting;
    const bool ended = sessions_changed_.wait_for(lock, kCloseGrace, [&] {
      const Session* still_open = FindSession(session);
      return still_open == nullptr || still_open->waiting.empty();
    });
    if (!ended) {
      RecordMisuse(u"WinBioCloseSession: session " + IntToText(session) + u" closed while " +
                   waiting + u" waited on it in another thread; WinBioCancel releases it.");
      return WINBIO_E_SESSION_BUSY;
    }
  }
  if (sessions_.erase(session) == 0) {
    return E_HANDLE;
  }
  sessions_changed_.notify_all();
  return S_OK;
}

HRESULT Service::Cancel(WINBIO_SESSION_HANDLE session) {
  const std::lock_guard lock(mutex_);
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  if (!open->waiting.empty()) {
    ++open->cancels;
    sessions_changed_.notify_all();
  }
  return S_OK;
}

HRESULT Service::EnumEnrollments(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID unit_id,
                                 const TWinBioIdentity* identity,
                                 WINBIO_BIOMETRIC_SUBTYPE** subfactor_array,
                                 std::size_t* subfactor_count) {
  if (identity == nullptr || subfactor_array == nullptr || subfactor_count == nullptr) {
    return E_POINTER;
  }
  *subfactor_array = nullptr;
  *subfactor_count = 0;
  const auto sid = SidOfIdentity(*identity);
  const std::lock_guard lock(mutex_);
  std::optional<SimState> state;
  if (const HRESULT result =
          StartTemplateCall(u"WinBioEnumEnrollments", session, unit_id, sid, state);
      result != S_OK) {
    return result;
  }
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> subfactors;
  for (const TemplateEntry& entry : state->Templates()) {
    if (entry.unit == unit_id && BelongsTo(entry, *sid, current_user_)) {
      subfactors.push_back(entry.subfactor);
    }
  }
  *subfactor_array = static_cast<WINBIO_BIOMETRIC_SUBTYPE*>(
      blocks_.Allocate(std::as_bytes(std::span(subfactors))));
  *subfactor_count = subfactors.size();
  return S_OK;
}

HRESULT Service::EnrollBegin(WINBIO_SESSION_HANDLE session, WINBIO_BIOMETRIC_SUBTYPE subfactor,
                             WINBIO_UNIT_ID unit_id) {
  const std::lock_guard lock(mutex_);
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  if (!IsFingerSubFactor(subfactor)) {
    return E_INVALIDARG;
  }
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioEnrollBegin", state); result != S_OK) {
    return result;
  }
  if (open->enrollment) {
    return WINBIO_E_ENROLLMENT_IN_PROGRESS;
  }
  if (state->FindUnit(unit_id) == nullptr) {
    return WINBIO_E_INVALID_UNIT;
  }
  open->enrollment =
      Enrollment{.unit = unit_id, .subfactor = subfactor, .good_samples = 0, .fingers = {}};
  return S_OK;
}

HRESULT Service::EnrollCommit(WINBIO_SESSION_HANDLE session, TWinBioIdentity* identity,
                              WINBIO_BOOLEAN* is_new_template) {
  if (identity == nullptr || is_new_template == nullptr) {
    return E_POINTER;
  }
  *is_new_template = 0;
  const std::lock_guard lock(mutex_);
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioEnrollCommit", state); result != S_OK) {
    return result;
  }
  if (!open->enrollment) {
    return WINBIO_E_INVALID_OPERATION;
  }
  const Enrollment enrollment = *open->enrollment;
  if (enrollment.good_samples < state->Samples()) {
    return WINBIO_E_INVALID_DEVICE_STATE;  // the template is not complete yet
  }
  const UnitInfo* unit = state->FindUnit(enrollment.unit);
  if (unit == nullptr) {
    return WINBIO_E_INVALID_UNIT;
  }
  if (current_user_.empty()) {
    return E_ACCESSDENIED;
  }
  // The template this commit replaces: the user's own of that sub-factor on the unit.
  const std::vector<TemplateEntry>& templates = state->Templates();
  std::optional<std::size_t> replaced;
  for (std::size_t index = 0; index < templates.size(); ++index) {
    const TemplateEntry& entry = templates[index];
    if (entry.unit == enrollment.unit && entry.subfactor == enrollment.subfactor &&
        BelongsTo(entry, current_user_, current_user_)) {
      replaced = index;
    }
  }
  // A finger the unit already knows is enrolled twice: under another account or sub-factor, and
  // in the very slot it is committed into as well (the old template must be deleted first).
  for (const TemplateEntry& entry : templates) {
    for (const Finger& finger : enrollment.fingers) {
      if (entry.unit == enrollment.unit && MadeFrom(entry, finger, current_user_)) {
        return WINBIO_E_DUPLICATE_TEMPLATE;
      }
    }
  }
  const TemplateEntry made{
      .unit = enrollment.unit,
      .identity = IdentityText(current_user_, current_user_),
      .subfactor = enrollment.subfactor,
      .finger = enrollment.fingers.empty()
                    ? Finger{IdentityText(current_user_, current_user_), enrollment.subfactor}
                    : enrollment.fingers.front(),
      .usable = !unit->unusable};
  if (!replaced || templates[*replaced] != made) {
    if (replaced) {
      state->ReplaceTemplate(*replaced, made);
    } else {
      state->AddTemplate(made);
    }
    if (const HRESULT result = SaveState(*state); result != S_OK) {
      return result;
    }
  }
  open->enrollment.reset();
  *identity = IdentityOfSid(current_user_);
  *is_new_template = replaced ? 0 : 1;
  return S_OK;
}

HRESULT Service::EnrollDiscard(WINBIO_SESSION_HANDLE session) {
  const std::lock_guard lock(mutex_);
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioEnrollDiscard", state); result != S_OK) {
    return result;
  }
  if (!open->enrollment) {
    return WINBIO_E_INVALID_OPERATION;
  }
  open->enrollment.reset();
  return S_OK;
}

HRESULT Service::DeleteTemplate(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID unit_id,
                                const TWinBioIdentity* identity,
                                WINBIO_BIOMETRIC_SUBTYPE subfactor) {
  if (identity == nullptr) {
    return E_POINTER;
  }
  const auto sid = SidOfIdentity(*identity);
  const std::lock_guard lock(mutex_);
  std::optional<SimState> state;
  if (const HRESULT result =
          StartTemplateCall(u"WinBioDeleteTemplate", session, unit_id, sid, state);
      result != S_OK) {
    return result;
  }
  const int removed = state->RemoveTemplates([&](const TemplateEntry& entry) {
    return entry.unit == unit_id && entry.subfactor == subfactor &&
           BelongsTo(entry, *sid, current_user_);
  });
  if (removed == 0) {
    return WINBIO_E_DATABASE_NO_SUCH_RECORD;
  }
  return SaveState(*state);
}

HRESULT Service::Free(void* address) {
  if (address == nullptr) {
    return E_POINTER;
  }
  const std::lock_guard lock(mutex_);
  return blocks_.Release(address) ? S_OK : E_INVALIDARG;
}

void Service::CloseAllSessions() {
  const std::lock_guard lock(mutex_);
  ForgetSessions();
}

std::size_t Service::OutstandingBlocks() const {
  const std::lock_guard lock(mutex_);
  return blocks_.Count();
}

std::size_t Service::WaitingCalls() const {
  const std::lock_guard lock(mutex_);
  std::size_t waiting = 0;
  for (const auto& [handle, session] : sessions_) {
    waiting += session.waiting.empty() ? 0 : 1;
  }
  return waiting;
}

void Service::SetForegroundCheck(ForegroundCheck foreground) {
  const std::lock_guard lock(mutex_);
  foreground_ = std::move(foreground);
}

std::vector<std::u16string> Service::Misuses() const {
  const std::lock_guard lock(mutex_);
  return misuses_;
}

void Service::RecordCall(std::u16string_view function) {
  const std::lock_guard lock(journal_mutex_);
  std::ofstream(std::filesystem::path(state_path_).parent_path() / u"winbio-sim-calls.log",
                std::ios::app | std::ios::binary)
      << Utf16ToUtf8(function).value_or("?") << "\n";
}

void Service::RecordMisuse(std::u16string line) {
  const std::filesystem::path log =
      std::filesystem::path(state_path_).parent_path() / u"winbio-sim-misuse.log";
  std::ofstream(log, std::ios::app | std::ios::binary)
      << Utf16ToUtf8(line).value_or("(a misuse whose text is not valid UTF-16)") << "\n";
  misuses_.push_back(std::move(line));
}

void Service::GetSetting(Setting setting, WINBIO_BOOLEAN* value,
                         WINBIO_SETTING_SOURCE_TYPE* source) {
  if (value == nullptr || source == nullptr) {
    return;
  }
  *value = 0;
  *source = WINBIO_SETTING_SOURCE_INVALID;
  const std::lock_guard lock(mutex_);
  const auto state = SimState::Load(state_path_);
  if (!state || state->Stopped()) {
    return;
  }
  const SettingValue read = state->SettingOf(setting);
  *value = read.on ? 1 : 0;
  *source = read.source;
}

HRESULT Service::GetEnrolledFactors(const TWinBioIdentity* account_owner,
                                    WINBIO_BIOMETRIC_TYPE* enrolled_factors) {
  if (account_owner == nullptr || enrolled_factors == nullptr) {
    return E_POINTER;
  }
  *enrolled_factors = 0;
  const auto sid = SidOfIdentity(*account_owner);
  if (!sid) {
    return E_INVALIDARG;
  }
  const std::lock_guard lock(mutex_);
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioGetEnrolledFactors", state); result != S_OK) {
    return result;
  }
  const bool has_template = std::ranges::any_of(
      state->Templates(),
      [&](const TemplateEntry& entry) { return BelongsTo(entry, *sid, current_user_); });
  *enrolled_factors = state->EnrolledFactors().value_or(has_template ? WINBIO_TYPE_FINGERPRINT : 0);
  return S_OK;
}

HRESULT Service::IsESSCapable(WINBIO_BOOLEAN* value) {
  if (value == nullptr) {
    return E_POINTER;
  }
  *value = 0;
  const std::lock_guard lock(mutex_);
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(u"WinBioIsESSCapable", state); result != S_OK) {
    return result;
  }
  *value = state->EssCapable() ? 1 : 0;
  return S_OK;
}

// ---- Calls that wait for a touch --------------------------------------------------------------

HRESULT Service::Identify(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID* unit_id,
                          TWinBioIdentity* identity, WINBIO_BIOMETRIC_SUBTYPE* subfactor,
                          WINBIO_REJECT_DETAIL* reject_detail) {
  if (unit_id == nullptr || identity == nullptr || subfactor == nullptr ||
      reject_detail == nullptr) {
    return E_POINTER;
  }
  *unit_id = 0;
  *identity = TWinBioIdentity{};
  *subfactor = 0;
  *reject_detail = 0;
  Lock lock(mutex_);
  WaitPlace place;
  if (const HRESULT result = StartBlockingCall(u"WinBioIdentify", session, place); result != S_OK) {
    return result;
  }
  auto waited = WaitForTouch(lock, session, place);
  if (const HRESULT* result = std::get_if<HRESULT>(&waited)) {
    return *result;
  }
  const auto& [touch, state] = std::get<Arrival>(waited);
  *unit_id = touch.unit;
  switch (touch.kind) {
    case Touch::Kind::kFail:
      return touch.code;
    case Touch::Kind::kBad:
      *reject_detail = touch.reject_detail;
      return WINBIO_E_BAD_CAPTURE;
    case Touch::Kind::kFinger:
      break;
  }
  const Finger finger{touch.identity, touch.subfactor};
  for (const TemplateEntry& entry : state.Templates()) {
    const auto account = ResolveIdentity(entry.identity, current_user_);
    if (entry.unit == touch.unit && entry.usable && account &&
        MadeFrom(entry, finger, current_user_)) {
      *identity = IdentityOfSid(*account);
      *subfactor = entry.subfactor;
      return S_OK;
    }
  }
  return WINBIO_E_UNKNOWN_ID;
}

HRESULT Service::LocateSensor(WINBIO_SESSION_HANDLE session, WINBIO_UNIT_ID* unit_id) {
  if (unit_id == nullptr) {
    return E_POINTER;
  }
  *unit_id = 0;
  Lock lock(mutex_);
  WaitPlace place;
  if (const HRESULT result = StartBlockingCall(u"WinBioLocateSensor", session, place);
      result != S_OK) {
    return result;
  }
  auto waited = WaitForTouch(lock, session, place);
  if (const HRESULT* result = std::get_if<HRESULT>(&waited)) {
    return *result;
  }
  const Touch& touch = std::get<Arrival>(waited).touch;
  if (touch.kind == Touch::Kind::kFail) {
    return touch.code;
  }
  *unit_id = touch.unit;  // a poor image still shows where the finger was
  return S_OK;
}

HRESULT Service::EnrollCapture(WINBIO_SESSION_HANDLE session, WINBIO_REJECT_DETAIL* reject_detail) {
  if (reject_detail == nullptr) {
    return E_POINTER;
  }
  *reject_detail = 0;
  Lock lock(mutex_);
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  const Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  if (!open->enrollment) {
    return WINBIO_E_INVALID_OPERATION;
  }
  WaitPlace place;
  if (const HRESULT result = StartBlockingCall(u"WinBioEnrollCapture", session, place);
      result != S_OK) {
    return result;
  }
  auto waited = WaitForTouch(lock, session, place);
  if (const HRESULT* result = std::get_if<HRESULT>(&waited)) {
    return *result;
  }
  const auto& [touch, state] = std::get<Arrival>(waited);
  Session* still_open = FindSession(session);
  if (still_open == nullptr || !still_open->enrollment) {
    return WINBIO_E_CANCELED;  // discarded while waiting
  }
  switch (touch.kind) {
    case Touch::Kind::kFail:
      return touch.code;
    case Touch::Kind::kBad:
      *reject_detail = touch.reject_detail;
      return WINBIO_E_BAD_CAPTURE;
    case Touch::Kind::kFinger:
      break;
  }
  Enrollment& enrollment = *still_open->enrollment;
  const Finger finger{touch.identity, touch.subfactor};
  if (std::ranges::find(enrollment.fingers, finger) == enrollment.fingers.end()) {
    enrollment.fingers.push_back(finger);
  }
  const std::int64_t good = ++enrollment.good_samples;
  return good >= state.Samples() ? S_OK : WINBIO_I_MORE_DATA;
}

// ---- Shared steps -----------------------------------------------------------------------------

HRESULT Service::StartCall(std::u16string_view function, std::optional<SimState>& state) {
  state = SimState::Load(state_path_);
  if (!state) {
    return WINBIO_E_CONFIGURATION_FAILURE;
  }
  if (state->Stopped()) {
    ForgetSessions();
    return kRpcServerUnavailable;
  }
  if (const auto failure = state->TakeFailure(function)) {
    SaveState(*state);  // when it cannot be written, the failure stays due
    return *failure;
  }
  return S_OK;
}

HRESULT Service::StartTemplateCall(std::u16string_view function, WINBIO_SESSION_HANDLE session,
                                   WINBIO_UNIT_ID unit_id, const std::optional<Sid>& sid,
                                   std::optional<SimState>& state) {
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  if (FindSession(session) == nullptr) {
    return E_HANDLE;
  }
  if (!sid) {
    return E_INVALIDARG;
  }
  if (const HRESULT result = StartCall(function, state); result != S_OK) {
    return result;
  }
  if (state->FindUnit(unit_id) == nullptr) {
    return WINBIO_E_INVALID_UNIT;
  }
  return S_OK;
}

HRESULT Service::SaveState(const SimState& state) {
  return state.Save(state_path_) ? S_OK : WINBIO_E_DATABASE_WRITE_ERROR;
}

bool Service::StoppedNow() {
  const auto state = SimState::Load(state_path_);
  if (!state || !state->Stopped()) {
    return false;  // a state that cannot be read fails the call itself
  }
  ForgetSessions();
  return true;
}

HRESULT Service::CheckRunning() {
  return StoppedNow() ? kRpcServerUnavailable : S_OK;
}

void Service::ForgetSessions() {
  sessions_.clear();
  sessions_changed_.notify_all();
}

Service::Session* Service::FindSession(WINBIO_SESSION_HANDLE session) {
  const auto found = sessions_.find(session);
  return found == sessions_.end() ? nullptr : &found->second;
}

std::filesystem::path Service::SpoolFolder(const SimState& state) const {
  const std::filesystem::path state_folder = std::filesystem::path(state_path_).parent_path();
  if (state.Spool().empty()) {
    return state_folder / u"touches";
  }
  return state_folder / std::filesystem::path(state.Spool());  // an absolute spool stays as it is
}

HRESULT Service::StartBlockingCall(std::u16string_view function, WINBIO_SESSION_HANDLE session,
                                   WaitPlace& place) {
  if (const HRESULT result = CheckRunning(); result != S_OK) {
    return result;
  }
  Session* open = FindSession(session);
  if (open == nullptr) {
    return E_HANDLE;
  }
  if (!open->waiting.empty()) {
    return WINBIO_E_SESSION_BUSY;
  }
  std::optional<SimState> state;
  if (const HRESULT result = StartCall(function, state); result != S_OK) {
    return result;
  }
  place = {.spool = SpoolFolder(*state), .needs_focus = state->Focus()};
  open->waiting = function;
  return S_OK;
}

std::variant<Service::Arrival, HRESULT> Service::WaitForTouch(Lock& lock,
                                                              WINBIO_SESSION_HANDLE session,
                                                              const WaitPlace& place) {
  const std::uint64_t cancels_before = FindSession(session)->cancels;
  // However the wait ends, the session is free again for the next call or a close.
  const auto end_wait = [&] {
    if (Session* open = FindSession(session)) {
      open->waiting.clear();
    }
    sessions_changed_.notify_all();
  };
  for (;;) {
    if (StoppedNow()) {
      return kRpcCallFailed;  // the service stopped under the call
    }
    Session* open = FindSession(session);
    if (open == nullptr) {
      return WINBIO_E_CANCELED;  // every session went with the service
    }
    if (open->cancels != cancels_before) {
      end_wait();
      return WINBIO_E_CANCELED;
    }
    if (!place.needs_focus || foreground_()) {
      if (auto taken = TakeNextTouch(place.spool)) {
        end_wait();
        if (!taken->touch) {
          return WINBIO_E_DEVICE_FAILURE;
        }
        auto state = SimState::Load(state_path_);
        if (!state) {
          return WINBIO_E_CONFIGURATION_FAILURE;
        }
        if (state->FindUnit(taken->touch->unit) == nullptr) {
          return WINBIO_E_DEVICE_FAILURE;
        }
        return Arrival{.touch = std::move(*taken->touch), .state = std::move(*state)};
      }
    }
    sessions_changed_.wait_for(lock, poll_interval_);
  }
}

}  // namespace dactyra::sim
