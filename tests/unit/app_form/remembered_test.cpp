// Fingers that CFG.TOML describes but the service no longer lists: remembered rows, Add again,
// forgetting them; and Replace, which deletes a template and enrolls the finger in its place.

#include <functional>
#include <string>

#include "enroll/form_enroll.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using Texts = std::vector<std::string>;
using ui::Key;
using ui::headless::PumpUntil;

// An entry of the user's on sensor 1.
std::string Entry(const std::string& finger_id, const std::string& description) {
  return "[[finger]]\nunitid = 1\nfingerid = \"" + finger_id + "\"\ndescription = \"" +
         description + "\"\n";
}

// The descriptions in CFG.TOML, in the file's order.
Texts StoredDescriptions(const std::string& cfg) {
  Texts found;
  const std::string key = "description = \"";
  for (std::size_t at = cfg.find(key); at != std::string::npos; at = cfg.find(key, at + 1)) {
    found.push_back(cfg.substr(at + key.size(), cfg.find('"', at + key.size()) - at - key.size()));
  }
  return found;
}

class Remembered : public FormTest {
 protected:
  // The owner's proof by his 0xF5; the verification dialog asks to replace the finger; the
  // enrollment dialog noted, then to `enroll`.
  ui::headless::ScopedModalDriver Drive(const std::function<void(TFormEnroll&)>& enroll) {
    return ui::headless::ScopedModalDriver([this, enroll](ui::Form& form) {
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
        ProveOwner();
        AwaitProof(*check);
        return;
      }
      if (auto* verify = dynamic_cast<TFormVerify*>(&form)) {
        verify->btnReplaceClick();
        return;
      }
      auto& dialog = dynamic_cast<TFormEnroll&>(form);
      asked_ = dialog.Request();
      enroll(dialog);
    });
  }
  // Enrolls with the touches written before, then presses Done.
  static void Complete(TFormEnroll& form) {
    ASSERT_TRUE(PumpUntil(form, [&] { return form.btnCancel.Text() == u"&Done"; }));
    form.btnCancel.Click();
  }
  // Two captures and the check of the finger.
  void TouchThrice(WINBIO_BIOMETRIC_SUBTYPE finger) {
    touches().Finger(1, finger);
    touches().Finger(1, finger);
    touches().Finger(1, finger);
  }

  TEnrollRequest asked_;
};

// Only the user's entries on a sensor that was listed become rows: another user's, and those of
// a sensor that is not there, are kept as they are.
TEST_F(Remembered, RowsFollowTheEnrolledOnesAndOutliveEveryWrite) {
  StartService(OneSensor({0xF5, 0xF6}));
  WriteCfg(Entry("0xF7", "left thumb") + "tested = 2024-01-02\nrecognised = 3\ntouches = 4\n" +
           Entry("0xF6", "index") +
           "[[finger]]\nunitid = 1\nfingerid = \"0xF8\"\ndescription = \"theirs\"\n"
           "user = \"S-1-5-21-7-8-9-1002\"\n" +
           "[[finger]]\nunitid = 9\nfingerid = \"0xF9\"\ndescription = \"unplugged\"\n");
  Open();
  EXPECT_EQ(Row(2), (Lines{u"3", u"Integrated Sensor", u"1", u"0xF7", u"left thumb"}));
  EXPECT_EQ(Column(5), (Lines{u"", u"", u"not enrolled"}));
  EXPECT_EQ(form().ListView.Tone(1), ui::RowTone::kNormal);
  EXPECT_EQ(form().ListView.Tone(2), ui::RowTone::kGrey);
  EXPECT_EQ(Log().end()[-2], u"Fingerprints recorded: 2");
  form().ListView.Select(2);
  EXPECT_FALSE(form().btnVerify.Enabled());

  form().ListView.Select(0);
  const ui::headless::ScopedModalDriver rename([](ui::Form& dialog) {
    ui::headless::FindAll<ui::LabeledEdit>(dialog).front()->SetText(u"thumb");
    ui::headless::PressEnter(dialog);
  });
  EXPECT_TRUE(form().KeyDown(Key::kF2));
  const Texts kept = {"thumb", "left thumb", "index", "theirs", "unplugged"};
  EXPECT_EQ(StoredDescriptions(ReadCfg()), kept) << "renamed";
  CloseAndDestroy();
  EXPECT_EQ(StoredDescriptions(ReadCfg()), kept) << "closed";
  EXPECT_NE(ReadCfg().find("recognised = 3"), std::string::npos) << "its last test is kept";

  WriteState(OneSensor({0xF5}));  // 0xF6 deleted behind the program's back
  Open();
  EXPECT_EQ(Column(4), (Lines{u"thumb", u"left thumb", u"index"}));
  EXPECT_EQ(Column(5), (Lines{u"", u"not enrolled", u"not enrolled"}));
}

// Enter, a double click and the menu's default item enroll a remembered finger again: into its
// own slot while that is free, with its description; its entry keeps its place.
TEST_F(Remembered, AddAgainEnrollsTheFingerIntoItsOwnSlot) {
  StartService("samples = 2\n" + OneSensor({0xF5}));
  WriteCfg(Entry("0xF7", "left thumb") + Entry("0xF5", "thumb"));
  Open();
  ui::headless::ScopedPopupMenuResponder menu([](const ui::PopupMenuRequest& request) {
    return std::ranges::find_if(request.items, &ui::MenuItem::is_default)->id;
  });
  const struct {
    const char* what;
    std::function<void()> ask;
    WINBIO_BIOMETRIC_SUBTYPE slot;
  } cases[] = {
      {"Enter", [this] { form().ListView.KeyDown(Key::kEnter); }, 0xF7},
      {"double click", [this] { form().ListView.DoubleClickRow(1); }, 0xF7},
      {"context menu", [this] { form().ListView.ContextMenuKey(); }, 0xF7},
      {"its slot taken meanwhile",
       [this] {
         WriteState(OneSensor({0xF5, 0xF7}));
         form().ListView.KeyDown(Key::kEnter);
       },
       0xF8},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    form().ListView.Select(1);
    const auto driver = Drive([](TFormEnroll& dialog) { dialog.Close(); });
    test.ask();
    EXPECT_EQ(asked_.SubFactor, test.slot);
    EXPECT_EQ(asked_.Description, u"left thumb");
  }

  WriteState("samples = 2\n" + OneSensor({0xF5}));
  form().ListView.Select(1);
  const auto driver = Drive([this](TFormEnroll& dialog) {
    TouchThrice(0xF7);
    Complete(dialog);
  });
  form().ListView.KeyDown(Key::kEnter);
  EXPECT_EQ(form().Fingers().CountOf(TFingerState::kEnrolled), 2u);
  EXPECT_EQ(StoredDescriptions(ReadCfg()), (Texts{"left thumb", "thumb"}));
}

TEST_F(Remembered, DeleteForgetsTheDescriptionWithoutTheOwnersProof) {
  StartService(OneSensor({0xF5}));
  WriteCfg(Entry("0xF7", "left thumb"));
  Open();
  box_answer_ = ui::ModalResult::kYes;
  const ui::headless::ScopedModalDriver no_dialog([](ui::Form& form) {
    ADD_FAILURE() << "nothing changes in Windows: no proof is asked";
    form.Close();
  });
  form().ListView.Select(1);
  EXPECT_TRUE(form().ListView.KeyDown(Key::kDelete));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(Boxes()[0].request.text.starts_with(u"Forget the following fingerprint?"));
  EXPECT_EQ(Column(3), (Lines{u"0xF5"}));
  EXPECT_EQ(ReadCfg().find("left thumb"), std::string::npos);
}

// Replace deletes the old template first (the service refuses a second one of the same finger)
// and enrolls the finger into the same slot with the same description, in the same place in the
// file, with its check as its only test. An enrollment that does not end leaves it remembered.
TEST_F(Remembered, ReplaceEnrollsTheFingerInPlaceOfItsOldTemplate) {
  const auto completed = [this](TFormEnroll& dialog) {
    TouchThrice(0xF6);
    Complete(dialog);
  };
  const struct {
    const char* what;
    std::function<void()> ask;
    std::function<void(TFormEnroll&)> enroll;
    bool enrolled;
  } cases[] = {
      {"Ctrl+H", [this] { form().KeyDown(Key::kCtrlH); }, completed, true},
      {"the verification dialog's Replace...", [this] { form().btnVerify.Click(); }, completed,
       true},
      {"cancelled half-way", [this] { form().KeyDown(Key::kCtrlH); },
       [this](TFormEnroll& dialog) {
         touches().Finger(1, 0xF6);
         ASSERT_TRUE(PumpUntil(dialog, [&] { return dialog.ProgressBar.Position() > 0; }));
         dialog.btnCancel.Click();
       },
       false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    WriteCfg(Entry("0xF5", "thumb") + Entry("0xF6", "index") +
             "tested = 2024-01-02\nrecognised = 3\ntouches = 4\n" + Entry("0xF7", "middle"));
    StartService("samples = 2\n" + OneSensor({0xF5, 0xF6, 0xF7}));
    Open();
    box_answer_ = ui::ModalResult::kYes;
    form().ListView.Select(1);
    const auto driver = Drive(test.enroll);
    test.ask();
    EXPECT_NE(Boxes().back().request.text.find(u"0xF6, Fingerprint description: index\r\n\r\nIts "
                                               u"old print is deleted first"),
              std::u16string::npos);
    EXPECT_EQ(asked_.SubFactor, 0xF6);
    EXPECT_EQ(asked_.Description, u"index");
    EXPECT_EQ(Column(4).back(), u"index") << "the service lists it last";
    EXPECT_EQ(Column(5).back().starts_with(u"1 of 1"), test.enrolled);
    EXPECT_EQ(ReadCfg().find("recognised = 3") == std::string::npos, test.enrolled);
    EXPECT_EQ(std::ranges::count(Log(),
                                 u"\"index\" was not enrolled again: its description is "
                                 u"kept, and it is listed as not enrolled. To add it "
                                 u"again, select it and choose Add Again."),
              test.enrolled ? 0 : 1);
    CloseAndDestroy();
    EXPECT_EQ(StoredDescriptions(ReadCfg()), (Texts{"thumb", "index", "middle"}));
  }
}

}  // namespace
}  // namespace dactyra::testing
