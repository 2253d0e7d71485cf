// The simulator installed as system32\winbio.dll, driven through TWinBioLib the way the program
// lists, enrolls, identifies and deletes, with touches written by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "base/file.h"
#include "biometric/sign_in_state.h"
#include "biometric/winbio_lib.h"
#include "sim/touch_writer.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra::sim {
namespace {

constexpr char kUnitsAndTemplates[] = R"(

[[unit]]
id = 1
description = "Integrated Fingerprint Sensor"

[[unit]]
id = 2
description = "USB Fingerprint Reader"

[[template]]
unit = 1
identity = "current"
subfactor = 0xF5
)";

// Touches for any process unless `focus`: this test program has no window to be in front with,
// but in the one test of the focus rule.
std::string State(bool focus = false) {
  return std::string("samples = 3\nfocus = ") + (focus ? "true" : "false") + "\n" +
         kUnitsAndTemplates;
}

std::vector<WINBIO_BIOMETRIC_SUBTYPE> Enrolled(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                                               WINBIO_UNIT_ID unit, TWinBioIdentity identity) {
  WINBIO_BIOMETRIC_SUBTYPE* array = nullptr;
  std::size_t count = 0;
  EXPECT_EQ(lib.EnumEnroll(session, unit, &identity, &array, &count), S_OK);
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> subfactors(array, array + count);
  if (array != nullptr) {
    EXPECT_EQ(lib.Free(array), S_OK);
  }
  return subfactors;
}

// One state file and spool for the whole program: the DLL reads WINBIO_SIM_STATE when it makes
// its service, on its first call after being loaded.
class WinBioDll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new testing::TempFolder();
    PointToTheTestState();
  }
  static void PointToTheTestState() {
    ASSERT_TRUE(SetEnvironmentVariableW(L"WINBIO_SIM_STATE",
                                        (folder_->path() / "winbio-sim.toml").wstring().c_str()));
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(WriteFileAtomically(folder_->File(u"winbio-sim.toml"), State()));
    ASSERT_TRUE(lib_.Load()) << "winbio.dll from system32 with all twelve entries";
    ASSERT_TRUE(GetCurrentIdentity(me_));
  }
  void TearDown() override { lib_.Unload(); }

  WINBIO_SESSION_HANDLE Open() {
    WINBIO_SESSION_HANDLE session = 0;
    EXPECT_EQ(lib_.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT,
                               nullptr, 0, kDatabaseIdNull, &session),
              S_OK);
    return session;
  }

  static testing::TempFolder* folder_;
  TWinBioLib lib_;
  TWinBioIdentity me_{};
  TouchWriter touches_{folder_->path() / "touches"};
};

testing::TempFolder* WinBioDll::folder_ = nullptr;

TEST_F(WinBioDll, IsTheSystemLibrary) {
  wchar_t path[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(reinterpret_cast<HMODULE>(lib_.hLib), path, MAX_PATH), 0u);
  std::wstring lower(path);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return std::towlower(c); });
  EXPECT_NE(lower.find(L"\\system32\\winbio.dll"), std::wstring::npos);
}

// Without WINBIO_SIM_STATE the state is winbio-sim.toml beside the DLL. The variable is read
// when the DLL makes its service, so the DLL is loaded afresh for this.
TEST_F(WinBioDll, StateBesideTheLibraryByDefault) {
  lib_.Unload();
  wchar_t system[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::u16string beside =
      reinterpret_cast<const char16_t*>(system) + std::u16string(u"\\winbio-sim.toml");
  ASSERT_TRUE(WriteFileAtomically(beside, "[[unit]]\nid = 5\ndescription = \"Beside\"\n"));
  ASSERT_TRUE(SetEnvironmentVariableW(L"WINBIO_SIM_STATE", nullptr));
  ASSERT_TRUE(lib_.Load());

  WINBIO_UNIT_SCHEMA* units = nullptr;
  std::size_t count = 0;
  EXPECT_EQ(lib_.EnumUnits(WINBIO_TYPE_FINGERPRINT, &units, &count), S_OK);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(UnitDescription(units[0]), u"Beside");
  EXPECT_EQ(lib_.Free(units), S_OK);

  lib_.Unload();
  DeleteFileW(reinterpret_cast<const wchar_t*>(beside.c_str()));
  PointToTheTestState();
}

// The optional entries come from the DLL; Wine has no biometric service for the service
// manager to know, so its state is unknown.
TEST_F(WinBioDll, SignInSettingsThroughTheOptionalEntries) {
  ASSERT_TRUE(WriteFileAtomically(folder_->File(u"winbio-sim.toml"),
                                  "sign_in = false\nsign_in_source = \"policy\"\n"
                                  "ess_capable = true\n" +
                                      State()));
  const TSignInState state = ReadSignInState(lib_);
  EXPECT_EQ(state.FBiometrics, (TSignInSetting{true, TSettingSource::kDefault}));
  EXPECT_EQ(state.FSignIn, (TSignInSetting{false, TSettingSource::kPolicy}));
  EXPECT_EQ(state.FEssCapable, true);
  EXPECT_EQ(state.FFingerprintsEnrolled, true);
  EXPECT_EQ(state.FService.run_state, platform::ServiceRunState::kUnknown);
}

TEST_F(WinBioDll, ListEnrollIdentifyDelete) {
  // List, as the list command does.
  WINBIO_UNIT_SCHEMA* units = nullptr;
  std::size_t unit_count = 0;
  ASSERT_EQ(lib_.EnumUnits(WINBIO_TYPE_FINGERPRINT, &units, &unit_count), S_OK);
  ASSERT_EQ(unit_count, 2u);
  EXPECT_EQ(UnitDescription(units[1]), u"USB Fingerprint Reader");
  EXPECT_EQ(lib_.Free(units), S_OK);
  WINBIO_SESSION_HANDLE session = Open();
  EXPECT_EQ(Enrolled(lib_, session, 1, me_), (std::vector<WINBIO_BIOMETRIC_SUBTYPE>{0xF5}));
  EXPECT_TRUE(Enrolled(lib_, session, 2, me_).empty());

  // Enroll on the sensor that is touched, as the enrollment worker does.
  ASSERT_TRUE(touches_.Finger(2, 0xF6));
  WINBIO_UNIT_ID unit = 0;
  ASSERT_EQ(lib_.LocateSensor(session, &unit), S_OK);
  EXPECT_EQ(unit, 2u);
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF6, unit), S_OK);
  touches_.Finger(2, 0xF6);
  touches_.Bad(2, 0x04);
  touches_.Finger(2, 0xF6);
  touches_.Finger(2, 0xF6);
  std::vector<HRESULT> captures;
  for (HRESULT result = WINBIO_I_MORE_DATA; result != S_OK && captures.size() < 10;) {
    WINBIO_REJECT_DETAIL detail = 0;
    result = lib_.EnrollCapture(session, &detail);
    captures.push_back(result);
  }
  EXPECT_EQ(captures, (std::vector<HRESULT>{WINBIO_I_MORE_DATA, WINBIO_E_BAD_CAPTURE,
                                            WINBIO_I_MORE_DATA, S_OK}));
  TWinBioIdentity committed = me_;
  WINBIO_BOOLEAN is_new = 0;
  ASSERT_EQ(lib_.EnrollCommit(session, &committed, &is_new), S_OK);
  EXPECT_EQ(is_new, 1);
  EXPECT_EQ(Enrolled(lib_, session, 2, me_), (std::vector<WINBIO_BIOMETRIC_SUBTYPE>{0xF6}));

  // Identify, as the verification worker does.
  touches_.Finger(2, 0xF6);
  touches_.Finger(1, 0xF9);
  WINBIO_UNIT_ID found_unit = 0;
  TWinBioIdentity found{};
  WINBIO_BIOMETRIC_SUBTYPE found_subfactor = 0;
  WINBIO_REJECT_DETAIL detail = 0;
  ASSERT_EQ(lib_.Identify(session, &found_unit, &found, &found_subfactor, &detail), S_OK);
  EXPECT_EQ(found_unit, 2u);
  EXPECT_TRUE(SameIdentity(found, me_));
  EXPECT_EQ(found_subfactor, 0xF6);
  EXPECT_EQ(lib_.Identify(session, &found_unit, &found, &found_subfactor, &detail),
            WINBIO_E_UNKNOWN_ID);

  // Delete, as the delete command does, on a fresh session.
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
  session = Open();
  EXPECT_EQ(lib_.DeleteTpl(session, 2, &me_, 0xF6), S_OK);
  EXPECT_EQ(lib_.DeleteTpl(session, 2, &me_, 0xF6), WINBIO_E_DATABASE_NO_SUCH_RECORD);
  EXPECT_TRUE(Enrolled(lib_, session, 2, me_).empty());
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

// A blocked call in another thread is released by WinBioCancel, as the platform documents it.
TEST_F(WinBioDll, CancelReleasesAWaitingWorker) {
  ASSERT_NE(lib_.Cancel, nullptr) << "the DLL exports WinBioCancel";
  const WINBIO_SESSION_HANDLE session = Open();
  const TWinBioLib worker_copy = lib_;
  auto worker = std::async(std::launch::async, [worker_copy, session] {
    WINBIO_UNIT_ID unit = 0;
    return worker_copy.LocateSensor(session, &unit);
  });
  // The DLL offers no way to see that the worker waits: cancel until it has returned.
  while (worker.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    EXPECT_EQ(lib_.Cancel(session), S_OK);
  }
  EXPECT_EQ(worker.get(), WINBIO_E_CANCELED);
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

// Touches go to the process whose window is in front; the touch waits while it is not.
TEST_F(WinBioDll, TouchesGoToTheProcessInFront) {
  ASSERT_TRUE(WriteFileAtomically(folder_->File(u"winbio-sim.toml"), State(/*focus=*/true)));
  SetForegroundWindow(GetDesktopWindow());
  const WINBIO_SESSION_HANDLE session = Open();
  const TWinBioLib worker_copy = lib_;
  auto worker = std::async(std::launch::async, [worker_copy, session] {
    WINBIO_UNIT_ID unit = 0;
    const HRESULT result = worker_copy.LocateSensor(session, &unit);
    return result == S_OK ? static_cast<HRESULT>(unit) : result;
  });
  touches_.Finger(2, 0xF6);
  EXPECT_EQ(worker.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout)
      << "no window of ours is in front";
  HWND window = CreateWindowExW(0, L"STATIC", L"in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  while (worker.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
  EXPECT_EQ(worker.get(), 2);
  DestroyWindow(window);
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

}  // namespace
}  // namespace dactyra::sim
