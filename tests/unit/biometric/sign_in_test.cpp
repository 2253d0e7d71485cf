// What the program says about the sign-in state and the service, and the facts it copies for a
// support request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biometric/sensor_facts.h"
#include "biometric/session_lost.h"
#include "biometric/sign_in_texts.h"
#include "biometric/winbio_texts.h"

namespace dactyra {
namespace {

using platform::ServiceRunState;

// Gives "section/key" for every text, so that a test sees which text was chosen.
class KeyTexts final : public TextSource {
 public:
  std::u16string GetLangStr(std::u16string_view section, std::u16string_view key,
                            std::u16string_view) const override {
    return std::u16string(section) + u"/" + std::u16string(key);
  }
  std::int32_t GetLangInt(std::u16string_view, std::u16string_view,
                          std::int32_t value) const override {
    return value;
  }
};

TEST(SignInTexts, EachSettingAndSourceGivesItsLinesAndButton) {
  struct Case {
    const char* name;
    TSignInState state;
    std::vector<std::u16string> log;
    bool button;
  };
  using enum TSettingSource;
  constexpr auto kRun = ServiceRunState::kRunning;
  constexpr auto kStop = ServiceRunState::kStopped;
  const TSignInSetting on{true, kDefault};
  const auto off = [](TSettingSource source) { return TSignInSetting{false, source}; };
  const auto state = [](ServiceRunState run, bool disabled, TSignInSetting biometrics,
                        TSignInSetting sign_in, bool unreachable = false) {
    TSignInState result;
    result.FService = {run, disabled};
    result.FServiceUnreachable = unreachable;
    result.FBiometrics = biometrics;
    result.FSignIn = sign_in;
    return result;
  };
  const Case cases[] = {
      {"all well", state(kRun, false, on, on), {}, false},
      {"nothing known", TSignInState{}, {}, false},
      {"service disabled", state(kStop, true, on, on), {u"signin/log.service_disabled"}, false},
      {"service stopped, started on demand", state(kStop, false, on, on), {}, false},
      {"service unreachable",
       state(kStop, false, on, on, true),
       {u"signin/log.service_stopped"},
       false},
      {"biometrics off by policy",
       state(kRun, false, off(kPolicy), on),
       {u"signin/log.biometrics_off_policy"},
       false},
      {"biometrics off locally",
       state(kRun, false, off(kLocal), on),
       {u"signin/log.biometrics_off_local"},
       true},
      {"biometrics off by default",
       state(kRun, false, off(kDefault), on),
       {u"signin/log.biometrics_off"},
       true},
      {"sign-in off by policy",
       state(kRun, false, on, off(kPolicy)),
       {u"signin/log.signin_off_policy"},
       false},
      {"sign-in off locally",
       state(kRun, false, on, off(kLocal)),
       {u"signin/log.signin_off_local"},
       true},
      {"sign-in off, source unknown",
       state(kRun, false, on, off(kUnknown)),
       {u"signin/log.signin_off"},
       true},
      {"unreachable and sign-in off locally",
       state(kStop, false, on, off(kLocal), true),
       {u"signin/log.service_stopped", u"signin/log.signin_off_local"},
       false},
      {"biometrics by policy and sign-in locally",
       state(kRun, false, off(kPolicy), off(kLocal)),
       {u"signin/log.biometrics_off_policy", u"signin/log.signin_off_local"},
       false},
  };
  const KeyTexts texts;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SignInLogLines(c.state, texts), c.log);
    const std::u16string status = SignInStatusLine(c.state, texts);
    if (c.log.empty()) {
      EXPECT_EQ(status, u"");
    } else {
      // The first problem, in its short form, which does not tell the local setting apart.
      const std::u16string_view first = c.log.front();
      const std::u16string_view name = first.substr(first.find(u"/log.") + 5);
      EXPECT_EQ(status, u"signin/status." + std::u16string(name.substr(0, name.find(u"_local"))));
    }
    EXPECT_EQ(OffersSignInOptions(c.state), c.button);
  }
}

TEST(SessionLost, ServiceGoneCodesAskForANewSessionAndSaySo) {
  const BuiltInTexts texts;
  const HRESULT lost[] = {E_HANDLE, kRpcServerUnavailable, kRpcCallFailed,
                          kRpcCallFailedDidNotExecute, kRpcDisconnected};
  for (const HRESULT code : lost) {
    EXPECT_TRUE(SessionLost(code));
    EXPECT_NE(WinBioErrorText(code, texts).find(u"Windows Biometric Service is not running"),
              std::u16string::npos);
  }
  for (const HRESULT code : {S_OK, WINBIO_E_CANCELED, E_ACCESSDENIED, WINBIO_E_DEVICE_FAILURE}) {
    EXPECT_FALSE(SessionLost(code));
  }
  EXPECT_EQ(WinBioErrorText(kRpcServerUnavailable, KeyTexts()),
            u"[RPC_S_SERVER_UNAVAILABLE] errorcode/service_gone (0x800706BA)");
}

WINBIO_UNIT_SCHEMA Unit(WINBIO_UNIT_ID id, std::u16string_view description) {
  WINBIO_UNIT_SCHEMA unit{};
  unit.UnitId = id;
  SetWinBioString(unit.Description, description);
  return unit;
}

TEST(SensorFacts, ServiceSettingsAndTwoSensorsWithEveryField) {
  const TSignInState state{.FService = {ServiceRunState::kRunning, false},
                           .FBiometrics = {true, TSettingSource::kDefault},
                           .FSignIn = {false, TSettingSource::kPolicy},
                           .FDomainSignIn = {true, TSettingSource::kLocal},
                           .FEssCapable = false,
                           .FFingerprintsEnrolled = true};
  WINBIO_UNIT_SCHEMA units[] = {Unit(1, u"Integrated Fingerprint Sensor"),
                                Unit(7, u"USB Fingerprint Reader")};
  SetWinBioString(units[0].Manufacturer, u"Synaptics");
  SetWinBioString(units[0].Model, u"FS7605");
  SetWinBioString(units[0].SerialNumber, u"A1B2");
  units[0].FirmwareVersion = {10, 2};
  units[0].SensorSubType = WINBIO_FP_SENSOR_SUBTYPE_TOUCH;
  units[0].Capabilities = WINBIO_CAPABILITY_SENSOR | WINBIO_CAPABILITY_SECURE_SENSOR | 0x10000;
  units[0].PoolType = WINBIO_POOL_SYSTEM;
  SetWinBioString(units[1].Manufacturer, u"Elan");
  SetWinBioString(units[1].Model, u"EF-1");
  SetWinBioString(units[1].SerialNumber, u"9");
  units[1].SensorSubType = WINBIO_FP_SENSOR_SUBTYPE_SWIPE;
  units[1].PoolType = WINBIO_POOL_PRIVATE;

  EXPECT_EQ(SensorsAndSignInText(state, units, BuiltInTexts()),
            u"Windows Biometric Service: Running\r\n"
            u"Allow the use of biometrics: on (Windows default)\r\n"
            u"Allow users to log on using biometrics: off (your organisation's policy)\r\n"
            u"Allow domain users to log on using biometrics: on (this computer's setting)\r\n"
            u"Device supports Enhanced Sign-in Security: no\r\n"
            u"Fingerprints set up for this account: yes\r\n"
            u"\r\nIntegrated Fingerprint Sensor\r\n"
            u"    Unit ID: 1\r\n    Manufacturer: Synaptics\r\n    Model: FS7605\r\n"
            u"    Serial number: A1B2\r\n    Firmware version: 10.2\r\n"
            u"    Sensor type: Touch\r\n"
            u"    Capabilities: Sensor, Secure sensor, 0x00010000\r\n"
            u"    Sensor pool: System\r\n"
            u"\r\nUSB Fingerprint Reader\r\n"
            u"    Unit ID: 7\r\n    Manufacturer: Elan\r\n    Model: EF-1\r\n"
            u"    Serial number: 9\r\n    Firmware version: 0.0\r\n"
            u"    Sensor type: Swipe\r\n    Capabilities: none\r\n    Sensor pool: Private\r\n");
}

TEST(SensorFacts, UnknownCallsAndUnterminatedStrings) {
  WINBIO_UNIT_SCHEMA unit{};
  unit.Description.fill(u'd');  // no terminator in any of the 256 units
  unit.Manufacturer.fill(u'm');
  unit.Model.fill(u'o');
  unit.SerialNumber.fill(u's');
  unit.FirmwareVersion.MajorVersion = 0x41;  // what lies after the serial number
  const std::u16string text = SensorsAndSignInText(TSignInState{}, {&unit, 1}, BuiltInTexts());

  EXPECT_NE(text.find(u"Windows Biometric Service: unknown\r\n"
                      u"Allow the use of biometrics: unknown\r\n"),
            std::u16string::npos);
  EXPECT_NE(text.find(u"Enhanced Sign-in Security: unknown\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\n" + std::u16string(256, u'd') + u"\r\n"), std::u16string::npos);
  for (const char16_t filled : {u'm', u'o', u's'}) {
    EXPECT_NE(text.find(u": " + std::u16string(256, filled) + u"\r\n"), std::u16string::npos);
  }
  EXPECT_EQ(text.find(std::u16string(257, u'd')), std::u16string::npos);
}

}  // namespace
}  // namespace dactyra
