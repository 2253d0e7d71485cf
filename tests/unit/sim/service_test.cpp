// The entries that answer at once, through the program's binding: units, sessions, listing and
// deleting templates, memory, argument checks, injected failures and the state file.
#include <cstring>

#include "sim_fixture.h"

namespace dactyra::sim {
namespace {

using SimService = SimTest;

std::vector<WINBIO_BIOMETRIC_SUBTYPE> Enrolled(TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                                               WINBIO_UNIT_ID unit, TWinBioIdentity identity) {
  WINBIO_BIOMETRIC_SUBTYPE* array = nullptr;
  std::size_t count = 99;
  const HRESULT result = lib.EnumEnroll(session, unit, &identity, &array, &count);
  EXPECT_EQ(result, S_OK);
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> subfactors(array, array + count);
  if (array != nullptr) {
    EXPECT_EQ(lib.Free(array), S_OK);
  }
  return subfactors;
}

TEST_F(SimService, UnitsComeAsSchemaArrayReleasedByFree) {
  WINBIO_UNIT_SCHEMA* units = nullptr;
  std::size_t count = 0;
  ASSERT_EQ(lib_.EnumUnits(WINBIO_TYPE_FINGERPRINT, &units, &count), S_OK);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(units[0].UnitId, 1u);
  EXPECT_EQ(UnitDescription(units[0]), u"Integrated Fingerprint Sensor");
  EXPECT_EQ(WinBioStringText(units[0].Manufacturer), u"Dactyra Labs");
  EXPECT_EQ(WinBioStringText(units[0].Model), u"FS-100");
  EXPECT_EQ(WinBioStringText(units[0].SerialNumber), u"0001");
  EXPECT_EQ(units[0].PoolType, WINBIO_POOL_SYSTEM);
  EXPECT_EQ(units[0].BiometricFactor, WINBIO_TYPE_FINGERPRINT);
  // The second element begins 2588 bytes after the first.
  std::uint32_t second_id = 0;
  std::memcpy(&second_id, reinterpret_cast<const std::byte*>(units) + 2588, sizeof second_id);
  EXPECT_EQ(second_id, 2u);
  EXPECT_EQ(UnitDescription(units[1]), u"USB Fingerprint Reader");
  EXPECT_EQ(WinBioStringText(units[1].Model), u"");

  EXPECT_EQ(lib_.Free(units), S_OK);
  EXPECT_EQ(lib_.Free(units), E_INVALIDARG) << "a second release is refused, not a crash";
}

TEST_F(SimService, UnitEnumerationFailures) {
  WINBIO_UNIT_SCHEMA* units = nullptr;
  std::size_t count = 5;
  EXPECT_EQ(lib_.EnumUnits(4, &units, &count), WINBIO_E_UNSUPPORTED_FACTOR);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(lib_.EnumUnits(WINBIO_TYPE_FINGERPRINT, nullptr, &count), E_POINTER);
  EXPECT_EQ(lib_.EnumUnits(WINBIO_TYPE_FINGERPRINT, &units, nullptr), E_POINTER);

  WriteState("samples = 4\n");
  EXPECT_EQ(lib_.EnumUnits(WINBIO_TYPE_FINGERPRINT, &units, &count), S_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(units, nullptr);
}

TEST_F(SimService, SessionsOpenOnlyOnTheSystemPoolAndCloseOnce) {
  WINBIO_SESSION_HANDLE session = 77;
  WINBIO_UNIT_ID unit = 1;
  WINBIO_UUID database{};
  EXPECT_EQ(lib_.OpenSession(WINBIO_TYPE_FINGERPRINT, 1, 0, nullptr, 0, nullptr, nullptr),
            E_POINTER);
  EXPECT_EQ(lib_.OpenSession(2, 1, 0, nullptr, 0, nullptr, &session), WINBIO_E_UNSUPPORTED_FACTOR);
  EXPECT_EQ(session, 0u) << "no handle on failure";
  EXPECT_EQ(lib_.OpenSession(8, 2, 0, nullptr, 0, nullptr, &session), E_INVALIDARG);
  EXPECT_EQ(lib_.OpenSession(8, 1, 1, nullptr, 0, nullptr, &session), E_INVALIDARG);
  EXPECT_EQ(lib_.OpenSession(8, 1, 0, &unit, 1, nullptr, &session), E_INVALIDARG);
  EXPECT_EQ(lib_.OpenSession(8, 1, 0, nullptr, 0, &database, &session), E_INVALIDARG);

  const WINBIO_SESSION_HANDLE first = Open();
  const WINBIO_SESSION_HANDLE second = Open();
  EXPECT_NE(first, second);
  EXPECT_EQ(lib_.CloseSession(first), S_OK);
  EXPECT_EQ(lib_.CloseSession(first), E_HANDLE);
  EXPECT_EQ(lib_.CloseSession(0), E_HANDLE);
  EXPECT_EQ(lib_.EnrollBegin(first, 0xF5, 1), E_HANDLE) << "a closed session is gone";
  EXPECT_EQ(lib_.EnrollBegin(second, 0xF5, 1), S_OK);
  EXPECT_EQ(lib_.CloseSession(second), S_OK);
}

TEST_F(SimService, EnrollmentsAreListedPerIdentityAndUnit) {
  const WINBIO_SESSION_HANDLE session = Open();
  EXPECT_EQ(Enrolled(lib_, session, 1, me_), (std::vector<WINBIO_BIOMETRIC_SUBTYPE>{0xF5, 0xF6}));
  EXPECT_TRUE(Enrolled(lib_, session, 2, me_).empty());
  EXPECT_EQ(Enrolled(lib_, session, 2, IdentityOf(kOtherUser)),
            (std::vector<WINBIO_BIOMETRIC_SUBTYPE>{0xF5}));

  // A template written with the current user's SID text is his as much as one written "current".
  WriteState(std::string(kTwoSensors) + "[[template]]\nunit = 2\nsubfactor = 3\nidentity = \"" +
             Utf16ToUtf8(platform::SidToText(*platform::CurrentUserSid()).value()).value() +
             "\"\n");
  EXPECT_EQ(Enrolled(lib_, session, 2, me_), (std::vector<WINBIO_BIOMETRIC_SUBTYPE>{3}));
}

TEST_F(SimService, EnrollmentListingFailures) {
  const WINBIO_SESSION_HANDLE session = Open();
  WINBIO_BIOMETRIC_SUBTYPE* array = nullptr;
  std::size_t count = 0;
  EXPECT_EQ(lib_.EnumEnroll(session, 9, &me_, &array, &count), WINBIO_E_INVALID_UNIT);
  EXPECT_EQ(lib_.EnumEnroll(session + 1, 1, &me_, &array, &count), E_HANDLE);
  EXPECT_EQ(lib_.EnumEnroll(session, 1, nullptr, &array, &count), E_POINTER);
  EXPECT_EQ(lib_.EnumEnroll(session, 1, &me_, nullptr, &count), E_POINTER);
  EXPECT_EQ(lib_.EnumEnroll(session, 1, &me_, &array, nullptr), E_POINTER);
  TWinBioIdentity zeroed{};
  EXPECT_EQ(lib_.EnumEnroll(session, 1, &zeroed, &array, &count), E_INVALIDARG);
  EXPECT_EQ(array, nullptr);
}

TEST_F(SimService, DeletedTemplatesLeaveTheStateFile) {
  const WINBIO_SESSION_HANDLE session = Open();
  EXPECT_EQ(lib_.DeleteTpl(session, 1, &me_, 0xF6), S_OK);
  EXPECT_EQ(Enrolled(lib_, session, 1, me_), (std::vector<WINBIO_BIOMETRIC_SUBTYPE>{0xF5}));
  ASSERT_TRUE(State());
  EXPECT_EQ(State()->Templates().size(), 2u);
  EXPECT_EQ(StateText().find("Integrated Fingerprint Sensor") != std::string::npos, true)
      << "the rest of the file stays";

  EXPECT_EQ(lib_.DeleteTpl(session, 1, &me_, 0xF6), WINBIO_E_DATABASE_NO_SUCH_RECORD);
  EXPECT_EQ(lib_.DeleteTpl(session, 2, &me_, 0xF5), WINBIO_E_DATABASE_NO_SUCH_RECORD)
      << "another user's template is not the caller's";
  EXPECT_EQ(lib_.DeleteTpl(session, 9, &me_, 0xF5), WINBIO_E_INVALID_UNIT);
  EXPECT_EQ(lib_.DeleteTpl(session, 1, nullptr, 0xF5), E_POINTER);
  TWinBioIdentity zeroed{};
  EXPECT_EQ(lib_.DeleteTpl(session, 1, &zeroed, 0xF5), E_INVALIDARG);
  EXPECT_EQ(lib_.DeleteTpl(0, 1, &me_, 0xF5), E_HANDLE);
  EXPECT_EQ(State()->Templates().size(), 2u);
}

TEST_F(SimService, FreeTakesOnlyWhatTheServiceHandedOut) {
  int not_from_the_service = 0;
  EXPECT_EQ(lib_.Free(nullptr), E_POINTER);
  EXPECT_EQ(lib_.Free(&not_from_the_service), E_INVALIDARG);
}

TEST_F(SimService, InjectedFailuresComeFirstAndAreCountedDownInTheFile) {
  WriteState(std::string(kTwoSensors) +
             "[[fail]]\nfunction = \"WinBioOpenSession\"\ncode = 0x80098034\ncount = 2\n"
             "[[fail]]\nfunction = \"WinBioIdentify\"\ncode = 0x80098036\n"
             "[[fail]]\nfunction = \"WinBioCloseSession\"\ncode = 0x80098036\n");
  WINBIO_SESSION_HANDLE session = 0;
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(lib_.OpenSession(8, 1, 0, nullptr, 0, nullptr, &session),
              WINBIO_E_SENSOR_UNAVAILABLE);
    EXPECT_EQ(session, 0u);
  }
  session = Open();

  WINBIO_UNIT_ID unit = 0;
  TWinBioIdentity identity{};
  WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
  WINBIO_REJECT_DETAIL detail = 0;
  EXPECT_EQ(lib_.Identify(session, &unit, &identity, &subfactor, &detail), WINBIO_E_DEVICE_FAILURE)
      << "fails at once, without waiting for a touch";
  EXPECT_EQ(StateText().find("WinBioIdentify"), std::string::npos) << "used up and gone";
  EXPECT_EQ(lib_.CloseSession(session), S_OK) << "closing is never made to fail";
}

TEST_F(SimService, UnreadableStateFailsCallsButClosingAndFreeing) {
  const WINBIO_SESSION_HANDLE session = Open();
  WINBIO_UNIT_SCHEMA* units = nullptr;
  std::size_t count = 0;
  ASSERT_EQ(lib_.EnumUnits(8, &units, &count), S_OK);

  WriteState("[[unit]]\nid = 0\n");
  WINBIO_UNIT_SCHEMA* none = nullptr;
  EXPECT_EQ(lib_.EnumUnits(8, &none, &count), WINBIO_E_CONFIGURATION_FAILURE);
  WriteState("this is not TOML");
  EXPECT_EQ(lib_.EnrollBegin(session, 0xF5, 1), WINBIO_E_CONFIGURATION_FAILURE);
  std::filesystem::remove(StatePath());
  WINBIO_SESSION_HANDLE other = 0;
  EXPECT_EQ(lib_.OpenSession(8, 1, 0, nullptr, 0, nullptr, &other), WINBIO_E_CONFIGURATION_FAILURE);
  EXPECT_EQ(lib_.Free(units), S_OK);
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

TEST(SimRegistration, EndingItUnregistersAndReleasesWhatWasLeft) {
  const testing::TempFolder folder;
  ASSERT_TRUE(WriteFileAtomically(folder.File(u"state.toml"), kTwoSensors));
  TWinBioLib lib;
  {
    const InProcessService sim = RegisterInProcess(folder.File(u"state.toml"));
    ASSERT_TRUE(lib.Load());
    WINBIO_UNIT_SCHEMA* units = nullptr;
    std::size_t count = 0;
    ASSERT_EQ(lib.EnumUnits(8, &units, &count), S_OK);  // never freed: goes with the service
    EXPECT_EQ(sim.service().OutstandingBlocks(), 1u);
  }
  WINBIO_SESSION_HANDLE session = 0;
  EXPECT_EQ(lib.OpenSession(8, 1, 0, nullptr, 0, nullptr, &session), E_HANDLE)
      << "entries held past the registration fail cleanly";
  lib.Unload();
  EXPECT_FALSE(lib.Load()) << "no longer registered";
}

}  // namespace
}  // namespace dactyra::sim
