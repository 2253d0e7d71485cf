// The verify, add and delete commands on the headless main window over the simulated service:
// what they log, what the dialogs get and give back, and what becomes of CFG.TOML.

#include <functional>

#include "enroll/form_enroll.h"
#include "sim/touch_writer.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;

constexpr char kTwoSensors[] =
    "samples = 2\n"
    "[[unit]]\nid = 1\ndescription = \"Left sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"Right sensor\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";

// The log lines from `first` on.
Lines From(const Lines& log, std::size_t first) {
  return first < log.size() ? Lines(log.begin() + static_cast<std::ptrdiff_t>(first), log.end())
                            : Lines{};
}

class Commands : public FormTest {
 protected:
  // Every modal form goes to the handler that fits it; `shown` counts all but the owner's
  // proof.
  struct Dialogs {
    std::function<void(ui::Form&)> sensor = [](ui::Form& form) { form.Close(); };
    std::function<void(TFormEnroll&)> enroll = [](TFormEnroll& form) { form.Close(); };
    std::function<void(TFormVerify&)> verify = [](TFormVerify& form) { form.Close(); };
    std::function<void(TFormOwnerCheck&)> owner = AwaitProof;
    int shown = 0;
  };
  ScopedModalDriver Drive(Dialogs& dialogs) {
    return ScopedModalDriver([&dialogs](ui::Form& form) {
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
        dialogs.owner(*check);
        return;
      }
      ++dialogs.shown;
      if (auto* enroll = dynamic_cast<TFormEnroll*>(&form)) {
        dialogs.enroll(*enroll);
      } else if (auto* verify = dynamic_cast<TFormVerify*>(&form)) {
        dialogs.verify(*verify);
      } else {
        dialogs.sensor(form);
      }
    });
  }
  // Picks the radio button whose text is `choice` and presses Enter.
  static std::function<void(ui::Form&)> Choose(std::u16string choice) {
    return [choice](ui::Form& form) {
      ui::RadioButton* radio = ui::headless::FindByText<ui::RadioButton>(form, choice);
      ASSERT_NE(radio, nullptr);
      radio->Click();
      ui::headless::PressEnter(form);
    };
  }
  // Enrolls with the touches written before, then presses Done.
  static void Complete(TFormEnroll& form) {
    ASSERT_TRUE(PumpUntil(form, [&] { return form.btnCancel.Text() == u"&Done"; }));
    form.btnCancel.Click();
  }
};

// ---- The next free slot ------------------------------------------------------------------

// A finger in the last slot leaves the nine below it free; ten fingers leave none.
TEST_F(Commands, AddFindsTheFreeSlotsBelowTheLastOneAndNoneWhenTenAreTaken) {
  StartService(std::string("samples = 2\n") + OneSensor({0xFE}));
  Open();
  EXPECT_TRUE(form().btnAdd.Enabled());
  ProveOwner(1, 0xFE);
  for (int touch = 0; touch < 3; ++touch) {
    touches().Finger(1, 0xF7);  // two captures and the check of the new finger
  }
  Dialogs dialogs;
  dialogs.enroll = Complete;
  const auto driver = Drive(dialogs);
  form().btnAdd.Click();
  EXPECT_EQ(Column(3), (Lines{u"0xFE", u"0xF5"}));

  StartService(OneSensor({0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE}));
  form().btnEnum.Click();
  EXPECT_FALSE(form().btnAdd.Enabled());
}

// ---- Verify -------------------------------------------------------------------------------

TEST_F(Commands, VerifyWithoutASelectionAsksForOne) {
  StartService(OneSensor({0xF5}));
  Open();
  form().btnVerify.Click();  // disabled: nothing happens
  form().btnVerifyClick();
  EXPECT_EQ(LastLog(), u"Please select a fingerprint from the list first.");
}

// A verification with a touch keeps its result in the row and the file; one closed before any
// touch changes nothing.
TEST_F(Commands, VerifyGivesTheRecordAndKeepsTheResultOfItsTouches) {
  StartService(OneSensor({0xF5, 0xF6}));
  WriteCfg("[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"index\"\n");
  Open();
  Dialogs dialogs;
  dialogs.verify = [&](TFormVerify& form) {
    if (dialogs.shown > 1) {
      form.btnClose.Click();
      return;
    }
    EXPECT_EQ(form.lblTitle.Text(), u"index");
    EXPECT_EQ(form.Record().SubFactor, 0xF6);
    EXPECT_EQ(form.Record().SubName, u"fingerprint #2");
    EXPECT_NE(form.Context().Session, 0u);
    touches().Finger(1, 0xF6);
    ASSERT_TRUE(PumpUntil(form, [&] { return !form.lblResult.Text().empty(); }));
    EXPECT_EQ(form.lblResult.Text(),
              u"Verification successful!\r\nThe fingerprint belongs to the current user and "
              u"matches the selected record.");
    form.btnClose.Click();
  };
  const auto driver = Drive(dialogs);
  form().ListView.Select(1);
  const std::size_t before = Log().size();
  form().btnVerify.Click();
  EXPECT_EQ(From(Log(), before),
            (Lines{u"", u"Verify fingerprint: index (Device ID: 1, Fingerprint ID: 0xF6)",
                   u"The verification window has been closed.", u"The configuration is saved."}));
  EXPECT_TRUE(Column(static_cast<int>(TColumn::kRecognition))[1].starts_with(u"1 of 1 \u00B7 "));
  const std::string tested = ReadCfg();
  EXPECT_NE(tested.find("fingerid = \"0xF6\"\r\n" + TestedTodayLines(1, 1)), std::string::npos)
      << tested;

  form().btnVerify.Click();
  EXPECT_EQ(LastLog(), u"The verification window has been closed.");
  EXPECT_EQ(ReadCfg(), tested);
}

TEST_F(Commands, OneChangedCharacterRewritesTheConfiguration) {
  StartService(OneSensor({0xF5}));
  Open();
  Dialogs dialogs;
  dialogs.verify = [](TFormVerify& form) {
    form.lblTitle.SetText(u"fingerprint #2");
    form.btnClose.Click();
  };
  const auto driver = Drive(dialogs);
  form().ListView.DoubleClickRow(0);  // a double-click verifies like the button
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(Row(0)[4], u"fingerprint #2");
  EXPECT_EQ(Log().end()[-2], u"The verification window has been closed.");
  EXPECT_EQ(LastLog(), u"The configuration is saved.");
  EXPECT_NE(ReadCfg().find("description = \"fingerprint #2\"\r\nfingerid = \"0xF5\""),
            std::string::npos)
      << ReadCfg();
}

// A dialog closed while its worker waits in the service gets the worker released; the next
// verification gets the one touch, and no close ever waited on a blocked call.
TEST_F(Commands, VerifyAfterADialogClosedWhileWaitingGetsTheTouch) {
  StartService(OneSensor({0xF5}));
  Open();
  form().ListView.Select(0);
  Dialogs dialogs;
  dialogs.verify = [&](TFormVerify& form) {
    ASSERT_TRUE(PumpUntil(form, [&] { return service_->service().WaitingCalls() == 1; }));
    form.btnClose.Click();
  };
  {
    const auto driver = Drive(dialogs);
    form().btnVerify.Click();
  }
  std::u16string result;
  dialogs.verify = [&](TFormVerify& form) {
    touches().Finger(1, 0xF5);
    PumpUntil(form, [&] { return !form.lblResult.Text().empty(); });
    result = form.lblResult.Text();
    form.btnClose.Click();
  };
  const auto driver = Drive(dialogs);
  form().btnVerify.Click();
  EXPECT_TRUE(result.starts_with(u"Verification successful!")) << result.size();
  EXPECT_TRUE(service_->service().Misuses().empty());
}

// ---- Add ----------------------------------------------------------------------------------

TEST_F(Commands, AddOnTheOnlySensorNeedsNoChoiceAndStoresTheDescription) {
  StartService(std::string("samples = 2\n") + OneSensor({0xF5}));
  Open();
  ProveOwner();
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);  // checks the new finger
  Dialogs dialogs;
  dialogs.enroll = [](TFormEnroll& form) {
    EXPECT_EQ(form.Request().UnitId, 1u);
    EXPECT_EQ(form.Request().SubFactor, 0xF6);
    EXPECT_EQ(form.Request().Description, u"fingerprint #2");
    form.lblInstruction.SetText(u"left thumb");
    Complete(form);
  };
  const auto driver = Drive(dialogs);
  const std::size_t before = Log().size();
  form().btnAdd.Click();
  EXPECT_EQ(dialogs.shown, 1);
  const Lines log = From(Log(), before);
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(Lines(log.begin(), log.begin() + 5),
            (Lines{u"The owner of this account is confirmed.", u"",
                   u"Add fingerprint: (Device ID: 1, Fingerprint ID: 0xF6)",
                   u"Add fingerprint: (Device ID: 1), Fingerprint ID: 0xF6",
                   u"Reading fingerprint data..."}));
  EXPECT_EQ(LastLog(), u"Fingerprints recorded: 2");
  EXPECT_EQ(Row(1), (Lines{u"2", u"Integrated Sensor", u"1", u"0xF6", u"left thumb"}));
  // The listing wrote only "units" so far: the "finger" array is made for the new entry.
  EXPECT_NE(ReadCfg().find("[[finger]]\r\ndescription = \"left thumb\"\r\nfingerid = \"0xF6\"\r\n" +
                           TestedTodayLines(1, 1) + "unitid = 1\r\n"),
            std::string::npos)
      << ReadCfg();
}

TEST_F(Commands, AddWithAutomaticLocationTakesTheTouchedSensor) {
  StartService(kTwoSensors);
  WriteCfg("[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"kept\"\n");
  Open();
  ProveOwner();
  touches().Finger(2, 0xF6);  // locates
  touches().Finger(2, 0xF6);
  touches().Finger(2, 0xF6);
  touches().Finger(2, 0xF6);  // checks the new finger
  Dialogs dialogs;
  dialogs.sensor = [](ui::Form& form) { ui::headless::PressEnter(form); };
  dialogs.enroll = [](TFormEnroll& form) {
    EXPECT_EQ(form.Request().UnitId, 0u);
    Complete(form);
  };
  const auto driver = Drive(dialogs);
  const std::size_t before = Log().size();
  form().btnAdd.Click();
  const Lines log = From(Log(), before);
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[2], u"Add fingerprint: (Fingerprint ID: 0xF6, automatically locates the sensor)");
  EXPECT_EQ(log[3], u"Add fingerprint: (Device ID: 2), Fingerprint ID: 0xF6");
  EXPECT_EQ(Column(4), (Lines{u"kept", u"fingerprint #2"}));
  EXPECT_EQ(Column(2), (Lines{u"1", u"2"}));
  const std::string cfg = ReadCfg();
  EXPECT_LT(cfg.find("\"kept\""), cfg.find("\"fingerprint #2\"")) << cfg;
}

TEST_F(Commands, AddOnAChosenSensor) {
  StartService(kTwoSensors);
  Open();
  ProveOwner();
  touches().Finger(2, 0xF6);
  touches().Finger(2, 0xF6);
  touches().Finger(2, 0xF6);  // checks the new finger
  Dialogs dialogs;
  dialogs.sensor = Choose(u"Right sensor  (UnitID\uFF1A2)");
  dialogs.enroll = [](TFormEnroll& form) {
    EXPECT_EQ(form.Request().UnitId, 2u);
    Complete(form);
  };
  const auto driver = Drive(dialogs);
  const std::size_t before = Log().size();
  form().btnAdd.Click();
  EXPECT_EQ(From(Log(), before)[2], u"Add fingerprint: (Device ID: 2, Fingerprint ID: 0xF6)");
  EXPECT_EQ(Column(3), (Lines{u"0xF5", u"0xF6"}));
}

TEST_F(Commands, CancelledSensorChoiceAddsNothing) {
  StartService(kTwoSensors);
  Open();
  Dialogs dialogs;
  dialogs.sensor = [](ui::Form& form) { ui::headless::PressEscape(form); };
  const auto driver = Drive(dialogs);
  ProveOwner();
  const std::size_t before = Log().size();
  form().btnAdd.Click();
  EXPECT_EQ(From(Log(), before),
            (Lines{u"The owner of this account is confirmed.", u"Cancel adding fingerprint."}));
  EXPECT_EQ(dialogs.shown, 1);
}

TEST_F(Commands, CancelledEnrollmentLogsItsStatusAndFreesTheSession) {
  StartService(kTwoSensors);
  const std::string cfg = "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"x\"\n";
  WriteCfg(cfg);
  Open();
  const std::string listed = ReadCfg();
  Dialogs dialogs;
  dialogs.sensor = Choose(u"Left sensor  (UnitID\uFF1A1)");
  std::u16string status;
  dialogs.enroll = [&](TFormEnroll& form) {
    ASSERT_TRUE(PumpUntil(form, [&] { return service_->service().WaitingCalls() == 1; }));
    status = form.lblStatus.Text();
    form.btnCancel.Click();
  };
  {
    const auto driver = Drive(dialogs);
    ProveOwner();
    const std::size_t before = Log().size();
    form().btnAdd.Click();
    const Lines log = From(Log(), before);
    ASSERT_EQ(log.size(), 5u);
    EXPECT_FALSE(status.empty());
    EXPECT_EQ(log[3], status) << "the dialog's last status line";
    EXPECT_EQ(log[4], u"Fingerprint addition has been cancelled.");
    EXPECT_EQ(Column(3), (Lines{u"0xF5"}));
    EXPECT_EQ(ReadCfg(), listed);
  }
  // The next command works on a session of its own.
  std::u16string result;
  dialogs.verify = [&](TFormVerify& form) {
    touches().Finger(1, 0xF5);
    PumpUntil(form, [&] { return !form.lblResult.Text().empty(); });
    result = form.lblResult.Text();
    form.btnClose.Click();
  };
  const auto driver = Drive(dialogs);
  form().ListView.Select(0);
  form().btnVerify.Click();
  EXPECT_TRUE(result.starts_with(u"Verification successful!")) << result.size();
  EXPECT_TRUE(service_->service().Misuses().empty());
}

// After a listing that failed the rows are empty, yet Add stays enabled: the slot comes from the
// service, so the user's 0xF5 is not enrolled over.
TEST_F(Commands, AddAfterAFailedListingNeverTakesASlotInUse) {
  const std::string state = std::string("samples = 2\n") + OneSensor({0xF5, 0xF6});
  StartService(state);
  Open();
  WriteState(state + "[[fail]]\nfunction = \"WinBioOpenSession\"\ncode = 0x80098034\n");
  form().btnEnum.Click();
  ASSERT_EQ(form().ListView.RowCount(), 0);
  ASSERT_TRUE(form().btnAdd.Enabled());
  ProveOwner();
  touches().Finger(1, 0xF7);
  touches().Finger(1, 0xF7);
  touches().Finger(1, 0xF7);  // checks the new finger
  Dialogs dialogs;
  dialogs.enroll = [](TFormEnroll& form) {
    EXPECT_EQ(form.Request().SubFactor, 0xF7);
    Complete(form);
  };
  const auto driver = Drive(dialogs);
  form().btnAdd.Click();
  EXPECT_EQ(Column(3), (Lines{u"0xF5", u"0xF6", u"0xF7"}));
}

// A sensor the finger may go to that cannot be listed: no enrollment at all.
TEST_F(Commands, AddWithoutTheServicesListEnrollsNothing) {
  StartService(kTwoSensors);
  Open();
  ProveOwner();
  Dialogs dialogs;
  dialogs.sensor = [this](ui::Form& form) {
    WriteState(std::string(kTwoSensors) +
               "[[fail]]\nfunction = \"WinBioEnumEnrollments\"\ncode = 0x80098036\n");
    ui::headless::PressEnter(form);  // Auto
  };
  const auto driver = Drive(dialogs);
  const std::size_t before = Log().size();
  form().btnAdd.Click();
  EXPECT_EQ(dialogs.shown, 1) << "no enrollment dialog";
  EXPECT_EQ(From(Log(), before),
            (Lines{u"The owner of this account is confirmed.", u"",
                   u"  >> WinBioEnumEnrollments [WINBIO_E_DEVICE_FAILURE] A biometric sensor has "
                   u"failed. (0x80098036)",
                   u"Fingerprint addition has been cancelled."}));
}

// Cancel, Esc and the close box while "Saving..." change nothing; the close box after the
// commit is a Done: the finger is listed with its description, also in CFG.TOML.
TEST_F(Commands, ACommittedFingerIsStoredHoweverTheDialogCloses) {
  StartService(std::string("samples = 2\n") + OneSensor({0xF5}));
  Open();
  ProveOwner();
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);  // checks the new finger
  Dialogs dialogs;
  dialogs.enroll = [](TFormEnroll& form) {
    form.lblInstruction.SetText(u"index");
    ASSERT_TRUE(
        PumpUntil(form, [&] { return form.lblStatus.Text() == u"Saving fingerprint data..."; }));
    form.btnCancel.Click();
    ui::headless::PressEscape(form);
    ui::headless::PressCloseBox(form);
    ASSERT_TRUE(PumpUntil(form, [&] { return form.btnCancel.Text() == u"&Done"; }));
    ui::headless::PressCloseBox(form);
  };
  const auto driver = Drive(dialogs);
  form().btnAdd.Click();
  EXPECT_EQ(Row(1), (Lines{u"2", u"Integrated Sensor", u"1", u"0xF6", u"index"}));
  EXPECT_NE(ReadCfg().find("description = \"index\"\r\nfingerid = \"0xF6\""), std::string::npos)
      << ReadCfg();
}

TEST_F(Commands, AddNeverOverwritesAConfigurationThatDoesNotParse) {
  StartService(std::string("samples = 2\n") + OneSensor({0xF5}));
  const std::string broken = "[[finger]\nunitid = = 1\n";
  WriteCfg(broken);
  Open();
  ProveOwner();
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);  // checks the new finger
  Dialogs dialogs;
  dialogs.enroll = Complete;
  const auto driver = Drive(dialogs);
  form().btnAdd.Click();
  EXPECT_EQ(ReadCfg(), broken);
  const Lines log = Log();
  EXPECT_NE(std::find(log.end() - 8, log.end(),
                      u"The configuration file could not be read and was left unchanged."),
            log.end());
  EXPECT_EQ(Column(3), (Lines{u"0xF5", u"0xF6"}));
}

TEST_F(Commands, AFailedWriteIsLogged) {
  StartService(std::string("samples = 2\n") + OneSensor({0xF5}));
  Open(folder_.File(u"no-such-folder/Dactyra.exe"));
  ProveOwner();
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);
  touches().Finger(1, 0xF6);  // checks the new finger
  Dialogs dialogs;
  dialogs.enroll = Complete;
  const auto driver = Drive(dialogs);
  const std::size_t before = Log().size();
  form().btnAdd.Click();
  const Lines log = From(Log(), before);
  ASSERT_GE(log.size(), 5u);
  EXPECT_TRUE(log[4].starts_with(u"Error occurred when saving configuration: ")) << log[4].size();
  EXPECT_GT(log[4].size(),
            std::u16string_view(u"Error occurred when saving configuration: ").size());
}

// ---- Delete -------------------------------------------------------------------------------

TEST_F(Commands, DeleteAsksWithTheFingerAndRemovesTheFirstMatchingEntry) {
  StartService(OneSensor({0xF5, 0xF6}));
  WriteCfg(
      "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"first\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"second\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"thumb\"\n");
  Open();
  box_answer_ = ui::ModalResult::kYes;
  ProveOwner();
  form().ListView.Select(1);
  const std::size_t before = Log().size();
  form().btnDelete.Click();
  ASSERT_EQ(Boxes().size(), 1u);
  const ui::MessageBoxRequest& box = Boxes()[0].request;
  EXPECT_EQ(box.caption, u"Query");
  EXPECT_EQ(box.text,
            u"Confirm deletion of the following fingerprint? \r\n\r\n"
            u"  Fingerprint device: Integrated Sensor (Device ID: 1)\r\n"
            u"  Fingerprint ID: 0xF6, Fingerprint description: first\r\n\r\n"
            u"This operation is irreversible!");
  EXPECT_EQ(box.icon, ui::MessageIcon::kQuestion);
  EXPECT_EQ(box.buttons, ui::MessageButtons::kYesNo);
  EXPECT_EQ(box.default_button, 2);
  const Lines log = From(Log(), before);
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], u"The owner of this account is confirmed.");
  EXPECT_EQ(log[1], u"Delete this finger: first (UnitId=1, 0xF6)");
  EXPECT_EQ(log[2], u"Deletion successful! Refreshing the list...");
  EXPECT_EQ(log[3], u"Reading fingerprint data...");
  EXPECT_EQ(Column(3), (Lines{u"0xF5", u"0xF6"})) << "the second entry is remembered";
  const std::string cfg = ReadCfg();
  EXPECT_EQ(cfg.find("\"first\""), std::string::npos) << cfg;
  EXPECT_NE(cfg.find("\"second\""), std::string::npos) << cfg;
  EXPECT_NE(cfg.find("\"thumb\""), std::string::npos) << cfg;
}

TEST_F(Commands, RefusedDeletionDeletesNothing) {
  StartService(OneSensor({0xF5}));
  Open();
  box_answer_ = ui::ModalResult::kNo;
  form().ListView.Select(0);
  form().btnDelete.Click();
  EXPECT_EQ(LastLog(), u"Canceled deletion.");
  box_answer_ = ui::ModalResult::kCancel;  // the box closed otherwise
  form().btnDelete.Click();
  EXPECT_EQ(LastLog(), u"Canceled deletion.");
  form().btnEnum.Click();
  EXPECT_EQ(form().ListView.RowCount(), 1);
}

TEST_F(Commands, DeleteWithoutASelectionAsksForOne) {
  StartService(OneSensor({0xF5}));
  Open();
  form().btnDeleteClick();
  EXPECT_EQ(LastLog(), u"Please first select the fingerprint you want to delete from the list.");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Commands, FailedDeletionLeavesListAndConfiguration) {
  StartService(OneSensor({0xF5}) +
               "[[fail]]\nfunction = \"WinBioDeleteTemplate\"\ncode = 0x80098036\n");
  WriteCfg("[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"thumb\"\n");
  Open();
  const std::string listed = ReadCfg();
  box_answer_ = ui::ModalResult::kYes;
  ProveOwner();
  form().ListView.Select(0);
  form().btnDelete.Click();
  EXPECT_EQ(LastLog(),
            u"  WinBioDeleteTemplate [WINBIO_E_DEVICE_FAILURE] A biometric sensor has failed. "
            u"(0x80098036)");
  EXPECT_EQ(form().ListView.RowCount(), 1);
  EXPECT_EQ(ReadCfg(), listed);
}

TEST_F(Commands, DeletingAFingerWithoutEntryRewritesTheSameContent) {
  StartService(OneSensor({0xF5, 0xF6}));
  WriteCfg("[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"thumb\"\n");
  Open();
  const std::string listed = ReadCfg();
  box_answer_ = ui::ModalResult::kYes;
  ProveOwner();
  form().ListView.Select(1);
  form().btnDelete.Click();
  EXPECT_EQ(Log().end()[-6], u"Deletion successful! Refreshing the list...");
  EXPECT_EQ(Column(3), (Lines{u"0xF5"}));
  EXPECT_EQ(ReadCfg(), listed);
}

TEST_F(Commands, DeleteNeverOverwritesAConfigurationThatDoesNotParse) {
  StartService(OneSensor({0xF5}));
  const std::string broken = "finger = [\n";
  WriteCfg(broken);
  Open();
  box_answer_ = ui::ModalResult::kYes;
  ProveOwner();
  form().ListView.Select(0);
  form().btnDelete.Click();
  EXPECT_EQ(form().ListView.RowCount(), 0);
  EXPECT_EQ(ReadCfg(), broken);
}

}  // namespace
}  // namespace dactyra::testing
