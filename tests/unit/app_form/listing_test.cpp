#include <regex>

#include "base/utf.h"
#include "unit/app_form/form_fixture.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;

class Listing : public FormTest {};

TEST_F(Listing, OneSensorWithTwoFingersLogsFiveLines) {
  StartService(OneSensor({0xF5, 0xF6}));
  Open();
  EXPECT_EQ(
      Log(),
      (Lines{u"Reading fingerprint data...", u"User: user", std::u16string(u"SID: ") + kUserSid,
             u"1 fingerprint collection devices were found.", u"Fingerprints recorded: 2"}));
  const std::string first = Utf16ToUtf8Lossy(form().memoLog.Lines().front());
  EXPECT_TRUE(std::regex_match(first, std::regex(R"(\[\d\d:\d\d:\d\d\] Reading.*)"))) << first;
  EXPECT_EQ(Row(0), (Lines{u"1", u"Integrated Sensor", u"1", u"0xF5", u"fingerprint #1"}));
  EXPECT_EQ(Row(1), (Lines{u"2", u"Integrated Sensor", u"1", u"0xF6", u"fingerprint #2"}));
  EXPECT_EQ(form().lblUser.Text(), u"User: user");
  EXPECT_FALSE(form().GetSelectedRecord());
  form().ListView.Select(1);
  const std::optional<TFingerRecord> record = form().GetSelectedRecord();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->UnitId, 1u);
  EXPECT_EQ(record->DeviceName, u"Integrated Sensor");
  EXPECT_EQ(record->SubFactor, 0xF6);
  EXPECT_EQ(record->SubName, u"fingerprint #2");
}

TEST_F(Listing, FirstRunCreatesTheConfigurationWithUnitsOnly) {
  StartService(OneSensor({0xF5}) + "[[unit]]\nid = 7\ndescription = \"USB Reader\"\n");
  Open();
  EXPECT_EQ(ReadCfg(),
            "\xEF\xBB\xBF[units]\r\n"
            "1 = \"Integrated Sensor\"\r\n"
            "7 = \"USB Reader\"\r\n");
}

TEST_F(Listing, RowsAreNumberedAcrossSensorsAndEmptySensorsSaySo) {
  StartService(
      "[[unit]]\nid = 1\ndescription = \"A\"\n[[unit]]\nid = 2\ndescription = \"B\"\n"
      "[[unit]]\nid = 3\ndescription = \"C\"\n"
      "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
      "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF7\n"
      "[[template]]\nunit = 3\nidentity = \"current\"\nsubfactor = 0xF6\n"
      "[[template]]\nunit = 2\nidentity = \"S-1-5-21-9-9-9-1002\"\nsubfactor = 0xF5\n");
  Open();
  EXPECT_EQ(Column(0), (Lines{u"1", u"2", u"3"}));
  EXPECT_EQ(Column(1), (Lines{u"A", u"A", u"C"}));
  EXPECT_EQ(Column(3), (Lines{u"0xF5", u"0xF7", u"0xF6"}));
  const Lines log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), u"No fingerprints were recorded."), 1);
  EXPECT_EQ(log[3], u"3 fingerprint collection devices were found.");
  EXPECT_EQ(log.back(), u"Fingerprints recorded: 3");
}

TEST_F(Listing, DescriptionsComeFromTheFingerEntries) {
  StartService(OneSensor({0xF5, 0xF6, 0xF7, 0xF8}));
  WriteCfg(
      "[[finger]]\nunitid = 1\nfingerid = \"0xf5\"\ndescription = \"lower case\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"first\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"second\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF7\"\ndescription = \"\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF7\"\ndescription = \"later\"\n"
      "[[finger]]\nunitid = 2\nfingerid = \"0xF8\"\ndescription = \"other sensor\"\n");
  Open();
  EXPECT_EQ(Column(4), (Lines{u"fingerprint #1", u"first", u"fingerprint #3", u"fingerprint #4"}));
  // The records keep the finger names.
  form().ListView.Select(1);
  const std::optional<TFingerRecord> record = form().GetSelectedRecord();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->SubName, u"fingerprint #2");
}

TEST_F(Listing, ConfigurationWithoutFingersGivesFingerNamesAndKeepsOtherEntries) {
  StartService(OneSensor({0xF5}, "New name"));
  WriteCfg("theme = \"dark\"\n[units]\n1 = \"Old name\"\n9 = \"Gone\"\n");
  Open();
  EXPECT_EQ(Column(4), (Lines{u"fingerprint #1"}));
  EXPECT_EQ(ReadCfg(),
            "\xEF\xBB\xBFtheme = \"dark\"\r\n\r\n[units]\r\n1 = \"New name\"\r\n9 = \"Gone\"\r\n");
}

TEST_F(Listing, UnitsThatIsNoTableIsLeftAlone) {
  StartService(OneSensor({0xF5}));
  WriteCfg("units = 5\n");
  Open();
  EXPECT_EQ(Column(4), (Lines{u"fingerprint #1"}));
  EXPECT_EQ(LastLog(), u"Fingerprints recorded: 1");
  EXPECT_EQ(ReadCfg(), "\xEF\xBB\xBFunits = 5\r\n");
}

// ---- Failures: the first one is logged and the command stops --------------------------------

TEST_F(Listing, WithoutTheServiceLogsTheDllError) {
  Open();
  EXPECT_EQ(Log(), (Lines{u"Reading fingerprint data...", u"User: user",
                          u"Unable to load winbio.dll or failed to get the function address."}));
  EXPECT_EQ(form().ListView.RowCount(), 0);
  EXPECT_EQ(form().lblUser.Text(), u"Current user: ");
  EXPECT_FALSE(form().btnAdd.Enabled());
  EXPECT_FALSE(CfgExists());
  // The window stays usable: a later listing finds the service once it is there.
  StartService(OneSensor({0xF5}));
  form().btnEnum.Click();
  EXPECT_EQ(form().ListView.RowCount(), 1);
}

TEST_F(Listing, FailedSensorEnumerationLogsItsResult) {
  StartService(OneSensor({0xF5}) +
               "[[fail]]\nfunction = \"WinBioEnumBiometricUnits\"\ncode = 0x80098036\n");
  Open();
  EXPECT_EQ(LastLog(),
            u"WinBioEnumBiometricUnits [WINBIO_E_DEVICE_FAILURE] A biometric sensor has failed. "
            u"(0x80098036)");
  EXPECT_EQ(form().ListView.RowCount(), 0);
  EXPECT_FALSE(form().btnAdd.Enabled());
  EXPECT_FALSE(CfgExists());
}

TEST_F(Listing, NoSensorDisablesAdd) {
  StartService("samples = 4\n");
  Open();
  EXPECT_EQ(LastLog(), u"No fingerprint device found.");
  EXPECT_FALSE(form().btnAdd.Enabled());
  EXPECT_FALSE(CfgExists());
}

TEST_F(Listing, FailedSessionLeavesTheConfigurationUntouched) {
  StartService(OneSensor({0xF5}) +
               "[[fail]]\nfunction = \"WinBioOpenSession\"\ncode = 0x80098034\n");
  WriteCfg("[units]\n1 = \"x\"\n");
  Open();
  EXPECT_EQ(LastLog(),
            u"WinBioOpenSession [WINBIO_E_SENSOR_UNAVAILABLE] A private pool cannot be created "
            u"because one or more biometric units are not available. (0x80098034)");
  EXPECT_EQ(form().ListView.RowCount(), 0);
  EXPECT_EQ(ReadCfg(), "[units]\n1 = \"x\"\n");
}

TEST_F(Listing, FailedEnrollmentEnumerationSkipsOnlyThatSensor) {
  StartService(
      "[[unit]]\nid = 1\ndescription = \"A\"\n[[unit]]\nid = 2\ndescription = \"B\"\n"
      "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
      "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n"
      "[[fail]]\nfunction = \"WinBioEnumEnrollments\"\ncode = 0x80098012\n");
  Open();
  EXPECT_EQ(Log()[4],
            u"  >> WinBioEnumEnrollments [WINBIO_E_DATABASE_CANT_OPEN] The storage adapter was "
            u"not able to open an existing database. (0x80098012)");
  EXPECT_EQ(Column(1), (Lines{u"B"}));
  EXPECT_EQ(Column(0), (Lines{u"1"}));
  EXPECT_EQ(LastLog(), u"Fingerprints recorded: 1");
  EXPECT_EQ(ReadCfg(), "\xEF\xBB\xBF[units]\r\n1 = \"A\"\r\n2 = \"B\"\r\n");
}

TEST_F(Listing, ConfigurationThatCannotBeWrittenIsLogged) {
  StartService(OneSensor({0xF5}));
  Open(folder_.File(u"no-such-folder/Dactyra.exe"));
  const Lines log = Log();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_TRUE(log[4].starts_with(u"Error occurred when saving configuration: ")) << log[4].size();
  EXPECT_GT(log[4].size(),
            std::u16string_view(u"Error occurred when saving configuration: ").size());
  EXPECT_EQ(log[5], u"Fingerprints recorded: 1");
  EXPECT_EQ(form().ListView.RowCount(), 1);
}

TEST_F(Listing, ListingAgainReplacesRowsAndReleasesWhatTheServiceGave) {
  StartService(OneSensor({0xF5, 0xF6}));
  Open();
  form().btnEnum.Click();
  form().btnEnum.Click();
  EXPECT_EQ(form().ListView.RowCount(), 2);
  EXPECT_EQ(Column(0), (Lines{u"1", u"2"}));
  // The sensor array of the last listing is the only block still held.
  EXPECT_EQ(service_->service().OutstandingBlocks(), 1u);
  form_.reset();
  EXPECT_EQ(service_->service().OutstandingBlocks(), 0u);
}

}  // namespace
}  // namespace dactyra::testing
