// The service's life as the state file tells it: sign-in settings, sensors that come and go and
// what their drivers say, and a service that stops and starts again.
#include <future>
#include <string>
#include <thread>

#include "biometric/sensor_facts.h"
#include "biometric/sign_in_state.h"
#include "sim_fixture.h"

namespace dactyra::sim {
namespace {

using SimServiceLife = SimTest;

std::string Stopped(std::string_view state) {
  return "service = \"stopped\"\n" + std::string(state);
}

TEST_F(SimServiceLife, SettingsEssAndFactorsAreReadThroughTheBinding) {
  TSignInState state = ReadSignInState(lib_);
  EXPECT_EQ(state.FBiometrics, (TSignInSetting{true, TSettingSource::kDefault}));
  EXPECT_EQ(state.FFingerprintsEnrolled, true) << "the account has templates";
  EXPECT_EQ(state.FEssCapable, false);

  WriteState(R"(sign_in = false
sign_in_source = "policy"
domain_sign_in_source = "local"
biometrics_source = "invalid"
ess_capable = true
enrolled_factors = 0
)");
  state = ReadSignInState(lib_);
  EXPECT_EQ(state.FBiometrics, TSignInSetting{}) << "a setting without a source is not known";
  EXPECT_EQ(state.FSignIn, (TSignInSetting{false, TSettingSource::kPolicy}));
  EXPECT_EQ(state.FDomainSignIn, (TSignInSetting{true, TSettingSource::kLocal}));
  EXPECT_EQ(state.FEssCapable, true);
  EXPECT_EQ(state.FFingerprintsEnrolled, false);

  TWinBioLib without_optional_entries = lib_;
  without_optional_entries.GetLogonSetting = nullptr;
  without_optional_entries.IsESSCapable = nullptr;
  without_optional_entries.GetEnrolledFactors = nullptr;
  state = ReadSignInState(without_optional_entries);
  EXPECT_EQ(state.FSignIn, TSignInSetting{});
  EXPECT_EQ(state.FEssCapable, std::nullopt);
  EXPECT_EQ(state.FFingerprintsEnrolled, std::nullopt);
}

TEST_F(SimServiceLife, UnitsComeAndGoWithTheirDriversFields) {
  std::vector<WINBIO_UNIT_SCHEMA> units;
  ASSERT_EQ(ReadUnits(lib_, units), S_OK);
  ASSERT_EQ(units.size(), 2u);

  WriteState(R"([[unit]]
id = 3
description = ")" +
             std::string(300, 'x') + R"("
firmware = "2.17"
type = "swipe"
capabilities = 0x10F
pool = "private"
)");
  ASSERT_EQ(ReadUnits(lib_, units), S_OK);
  ASSERT_EQ(units.size(), 1u);
  EXPECT_EQ(units[0].UnitId, 3u);
  EXPECT_EQ(units[0].Description.back(), u'x') << "a long text fills the field, unterminated";
  EXPECT_EQ(UnitDescription(units[0]), std::u16string(256, u'x'));
  EXPECT_EQ(units[0].FirmwareVersion.MajorVersion, 2u);
  EXPECT_EQ(units[0].FirmwareVersion.MinorVersion, 17u);
  EXPECT_EQ(units[0].SensorSubType, WINBIO_FP_SENSOR_SUBTYPE_SWIPE);
  EXPECT_EQ(units[0].Capabilities, 0x10Fu);
  EXPECT_EQ(units[0].PoolType, WINBIO_POOL_PRIVATE);

  for (const char* bad : {"firmware = \"2\"", "type = \"press\"", "pool = 4"}) {
    WriteState(std::string("[[unit]]\nid = 3\n") + bad + "\n");
    EXPECT_EQ(ReadUnits(lib_, units), WINBIO_E_CONFIGURATION_FAILURE) << bad;
  }
}

TEST_F(SimServiceLife, StoppedServiceFailsEveryCallAndForgetsItsSessions) {
  const WINBIO_SESSION_HANDLE before = Open();
  WriteState(Stopped(kTwoSensors));

  std::vector<WINBIO_UNIT_SCHEMA> units;
  EXPECT_EQ(ReadUnits(lib_, units), kRpcServerUnavailable);
  WINBIO_SESSION_HANDLE session = 0;
  EXPECT_EQ(lib_.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT,
                             nullptr, 0, kDatabaseIdNull, &session),
            kRpcServerUnavailable);
  EXPECT_EQ(lib_.EnrollBegin(before, 0xF7, 1), kRpcServerUnavailable);
  const TSignInState state = ReadSignInState(lib_);
  EXPECT_EQ(state.FSignIn, TSignInSetting{});
  EXPECT_EQ(state.FFingerprintsEnrolled, std::nullopt);

  WriteState(kTwoSensors);  // started again
  EXPECT_EQ(lib_.CloseSession(before), E_HANDLE);
  const WINBIO_SESSION_HANDLE after = Open();
  EXPECT_NE(after, before);
  EXPECT_EQ(lib_.CloseSession(after), S_OK);
}

TEST_F(SimServiceLife, ACallWaitingForATouchFailsWhenTheServiceStops) {
  const WINBIO_SESSION_HANDLE session = Open();
  auto waiting = std::async(std::launch::async, [&] {
    WINBIO_UNIT_ID unit = 0;
    return lib_.LocateSensor(session, &unit);
  });
  while (sim_.service().WaitingCalls() != 1) {
    std::this_thread::yield();
  }
  WriteState(Stopped(kTwoSensors));
  EXPECT_EQ(waiting.get(), kRpcCallFailed);
}

}  // namespace
}  // namespace dactyra::sim
