// The list as a Windows list: its keys and context menu give the window's commands when they
// are enabled; F2 renames without a touch; F3 tells which finger a touch was.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/posix/stand_in_account_names.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"
#include "verify/form_which_finger.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using ui::Key;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;
using ui::headless::ScopedPopupMenuResponder;

constexpr char16_t kOtherUser[] = u"S-1-5-21-7-8-9-1002";

// The user's 0xF5 and right index finger (2) on sensor 1; another user's 0xF7 there.
const std::string kState =
    OneSensor({0xF5, 2}) +
    "[[template]]\nunit = 1\nidentity = \"S-1-5-21-7-8-9-1002\"\nsubfactor = 0xF7\n";

class ListKeys : public FormTest {
 protected:
  // Answers the dialogs that the commands open and notes which command ran: the verification,
  // "which finger" and rename dialogs are closed, the deletion question is answered No.
  ScopedModalDriver Note() {
    return ScopedModalDriver([this](ui::Form& form) {
      if (dynamic_cast<TFormVerify*>(&form) != nullptr) {
        ran_ = "verify";
      } else if (dynamic_cast<TFormWhichFinger*>(&form) != nullptr) {
        ran_ = "which";
      } else {
        ran_ = "rename";
      }
      form.Close();
    });
  }
  // What ran since the last call: a dialog's command, "delete" or "replace" (its question),
  // "read" (a new listing) or nothing.
  std::string Ran() {
    if (Boxes().size() > boxes_seen_) {
      boxes_seen_ = Boxes().size();
      ran_ = Boxes().back().request.text.starts_with(u"Replace") ? "replace" : "delete";
    }
    const Lines log = Log();
    if (std::find(log.begin() + static_cast<std::ptrdiff_t>(log_seen_), log.end(),
                  u"Reading fingerprint data...") != log.end()) {
      ran_ = "read";
    }
    log_seen_ = log.size();
    return std::exchange(ran_, "");
  }

  std::string ran_;
  std::size_t boxes_seen_ = 0;
  std::size_t log_seen_ = 0;
};

TEST_F(ListKeys, KeysGiveTheirCommandsWhenEnabled) {
  StartService(kState);
  Open();
  box_answer_ = ui::ModalResult::kNo;
  const auto driver = Note();
  struct Case {
    ui::Control& focused;
    Key key;
    bool row_selected;
    std::string ran;
  };
  const Case cases[] = {
      {form().ListView, Key::kEnter, true, "verify"},  {form().ListView, Key::kEnter, false, ""},
      {form().ListView, Key::kDelete, true, "delete"}, {form().ListView, Key::kDelete, false, ""},
      {form().memoLog, Key::kDelete, true, ""},  // Del deletes from the list only
      {form().memoLog, Key::kEnter, true, ""},         {form().ListView, Key::kF2, true, "rename"},
      {form().memoLog, Key::kF2, true, "rename"},      {form().ListView, Key::kF2, false, ""},
      {form().ListView, Key::kF3, false, "which"},     {form().memoLog, Key::kF3, true, "which"},
      {form().ListView, Key::kF5, true, "read"},       {form().memoLog, Key::kF5, false, "read"},
      {form().memoLog, Key::kCtrlH, true, "replace"},  {form().ListView, Key::kCtrlH, false, ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(test.key) << " "
                                      << (&test.focused == &form().ListView ? "list" : "log")
                                      << (test.row_selected ? " selected" : ""));
    form().ListView.Select(test.row_selected ? 0 : -1);
    Ran();
    EXPECT_EQ(test.focused.KeyDown(test.key), !test.ran.empty());
    EXPECT_EQ(Ran(), test.ran);
  }
}

TEST_F(ListKeys, ContextMenuItemsAreEnabledAsTheButtonsAndGiveTheirCommands) {
  struct Case {
    const char* what;
    std::string state;
    int row;                    // the row right-clicked, -1 beside the rows
    std::vector<bool> enabled;  // Verify, Rename, Replace, Delete, Which finger, Read, Sensors
  };
  const Case cases[] = {
      {"on a row", kState, 1, {true, true, true, true, true, true, true}},
      {"beside the rows", kState, -1, {false, false, false, false, true, true, true}},
      {"without a sensor", "", -1, {false, false, false, false, false, true, true}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    StartService(test.state);
    Open();
    ScopedPopupMenuResponder menu([](const ui::PopupMenuRequest&) { return 0u; });
    form().ListView.RightClick(test.row, {40, 50});
    ASSERT_EQ(menu.Calls().size(), 1u);
    const ui::PopupMenuRequest& shown = menu.Calls()[0].request;
    EXPECT_EQ(shown.position, (ui::Point{40, 50}));
    std::vector<bool> enabled;
    for (const ui::MenuItem& item : shown.items) {
      if (!item.text.empty()) {
        enabled.push_back(item.enabled);
      }
    }
    EXPECT_EQ(enabled, test.enabled);
    CloseAndDestroy();
  }

  // Each item gives its command; the Menu key opens the menu for the selected row.
  StartService(kState);
  Open();
  box_answer_ = ui::ModalResult::kNo;
  const auto driver = Note();
  form().ListView.Select(0);
  Ran();
  for (const auto& [item, ran] : std::vector<std::pair<std::u16string, std::string>>{
           {u"&Verify Fingerprint\tEnter", "verify"},
           {u"Rena&me\tF2", "rename"},
           {u"Re&place Fingerprint\tCtrl+H", "replace"},
           {u"&Delete Fingerprint\tDel", "delete"},
           {u"&Which finger is this?\tF3", "which"},
           {u"&Read Fingerprints\tF5", "read"}}) {
    SCOPED_TRACE(ran);
    ScopedPopupMenuResponder menu([&item](const ui::PopupMenuRequest& request) {
      for (const ui::MenuItem& shown : request.items) {
        if (shown.text == item) {
          return shown.id;
        }
      }
      return 0u;
    });
    form().ListView.Select(0);
    Ran();
    form().ListView.ContextMenuKey();
    EXPECT_EQ(Ran(), ran);
  }
}

// The menus name each command's key as its row gives it, in the language of the texts; a
// translation that still names a key after a tab shows the row's key instead.
TEST_F(ListKeys, MenusNameTheKeysOfTheirRowsInTheUsersLanguage) {
  struct Case {
    const char* what;
    std::string language;  // the language file; none: the built-in English
    Lines items;           // the context menu's, separators left out; its last is the system menu's
  };
  const Case cases[] = {
      {"English",
       "",
       {u"&Verify Fingerprint\tEnter", u"Rena&me\tF2", u"Re&place Fingerprint\tCtrl+H",
        u"&Delete Fingerprint\tDel", u"&Which finger is this?\tF3", u"&Read Fingerprints\tF5",
        u"Sensors and sign-&in...\tCtrl+I"}},
      {"German",
       ReadBytes(std::filesystem::path(DACTYRA_LANGUAGE_DIR) / "de-DE.TOML"),
       {u"Finger &pr\u00FCfen\tEingabe", u"&Umbenennen\tF2", u"Finger e&rsetzen\tStrg+H",
        u"Finger &entfernen\tEntf", u"&Welcher Finger ist das?\tF3",
        u"Fingerabdr\u00FCcke &lesen\tF5", u"&Sensoren und Anmeldung...\tStrg+I"}},
      {"a translation that names the keys in its items",
       "[main]\nmenu.del = \"Finger &entfernen\\tEntf\"\nmenu.enum = \"&Lesen\\tF4\"\n"
       "menu.sensors = \"&Sensoren\\tStrg+I\"\n",
       {u"&Verify Fingerprint\tEnter", u"Rena&me\tF2", u"Re&place Fingerprint\tCtrl+H",
        u"Finger &entfernen\tDel", u"&Which finger is this?\tF3", u"&Lesen\tF5",
        u"&Sensoren\tCtrl+I"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    WriteLanguage(test.language);
    StartService(kState);
    Open();
    ScopedPopupMenuResponder menu([](const ui::PopupMenuRequest&) { return 0u; });
    form().ListView.RightClick(0, {40, 50});
    ASSERT_EQ(menu.Calls().size(), 1u);
    Lines items;
    for (const ui::MenuItem& item : menu.Calls()[0].request.items) {
      if (!item.text.empty()) {
        items.push_back(item.text);
      }
    }
    EXPECT_EQ(items, test.items);
    EXPECT_EQ(form().SystemMenuItems().back().text, test.items.back());
    CloseAndDestroy();
  }
}

// ---- Renaming without a touch ------------------------------------------------------------

TEST_F(ListKeys, RenameStoresTheDescriptionForItsOwner) {
  StartService(kState);
  Open();
  form().ListView.Select(0);
  std::u16string shown;
  const ScopedModalDriver driver([&](ui::Form& dialog) {
    auto* edit = ui::headless::FindAll<ui::LabeledEdit>(dialog).front();
    shown = edit->Text();
    edit->SetText(u"left thumb");
    ui::headless::PressEnter(dialog);
  });
  const std::size_t before = Log().size();
  EXPECT_TRUE(form().ListView.KeyDown(Key::kF2));
  EXPECT_EQ(shown, u"fingerprint #1");
  EXPECT_EQ(Row(0), (Lines{u"1", u"Integrated Sensor", u"1", u"0xF5", u"left thumb"}));
  EXPECT_EQ(Log().size() - before, 2u);
  EXPECT_EQ(Log().end()[-2],
            u"Fingerprint renamed from \"fingerprint #1\" to \"left thumb\" (Device ID: 1, "
            u"Fingerprint ID: 0xF5)");
  EXPECT_EQ(LastLog(), u"The configuration is saved.");
  EXPECT_NE(ReadCfg().find("description = \"left thumb\"\r\nfingerid = \"0xF5\"\r\nunitid = 1\r\n"
                           "user = \"S-1-5-21-1000-2000-3000-1001\"\r\n"),
            std::string::npos)
      << ReadCfg();
  form().btnEnum.Click();
  EXPECT_EQ(Row(0)[4], u"left thumb") << "listed again, the description stays";
}

TEST_F(ListKeys, RenameCancelledOrUnchangedChangesNothing) {
  StartService(kState);
  Open();
  const std::string listed = ReadCfg();
  form().ListView.Select(1);
  struct Case {
    const char* what;
    std::u16string typed;
    std::function<void(ui::Form&)> leave;
  };
  const Case cases[] = {
      {"Esc", u"changed", [](ui::Form& dialog) { ui::headless::PressEscape(dialog); }},
      {"Cancel", u"changed",
       [](ui::Form& dialog) { ui::headless::FindByText<ui::Button>(dialog, u"&Cancel")->Click(); }},
      {"the close box", u"changed", [](ui::Form& dialog) { ui::headless::PressCloseBox(dialog); }},
      {"OK without a change", u"right index finger",
       [](ui::Form& dialog) { ui::headless::PressEnter(dialog); }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const ScopedModalDriver driver([&](ui::Form& dialog) {
      ui::headless::FindAll<ui::LabeledEdit>(dialog).front()->SetText(test.typed);
      test.leave(dialog);
    });
    const std::size_t before = Log().size();
    EXPECT_TRUE(form().ListView.KeyDown(Key::kF2));
    EXPECT_EQ(Row(1)[4], u"right index finger");
    EXPECT_EQ(Log().size(), before);
    EXPECT_EQ(ReadCfg(), listed);
  }
}

// A description changed in the verification dialog is a rename like F2's, with its log line.
TEST_F(ListKeys, BothWaysOfRenamingLogTheSameLine) {
  struct Case {
    const char* what;
    std::function<void(ui::Form&)> type;  // types "left thumb" into the dialog and leaves it
    std::function<void()> open;
  };
  const Case cases[] = {
      {"F2",
       [](ui::Form& dialog) {
         ui::headless::FindAll<ui::LabeledEdit>(dialog).front()->SetText(u"left thumb");
         ui::headless::PressEnter(dialog);
       },
       [this] { form().ListView.KeyDown(Key::kF2); }},
      {"the verification dialog",
       [](ui::Form& dialog) {
         dynamic_cast<TFormVerify&>(dialog).lblTitle.SetText(u"left thumb");
         dialog.Close();
       },
       [this] { form().btnVerify.Click(); }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    std::filesystem::remove(CfgPath());
    StartService(kState);
    Open();
    form().ListView.Select(0);
    const ScopedModalDriver driver(test.type);
    test.open();
    const Lines log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(),
                         u"Fingerprint renamed from \"fingerprint #1\" to \"left thumb\" (Device "
                         u"ID: 1, Fingerprint ID: 0xF5)"),
              1);
    CloseAndDestroy();
  }
}

// ---- Which finger is this? ---------------------------------------------------------------

TEST_F(ListKeys, WhichFingerAnswersATouchAndSelectsTheUsersRow) {
  struct Case {
    const char* what;
    std::function<void(sim::TouchWriter&)> touch;  // none: cancelled while waiting
    int selected;                                  // the row selected afterwards
    std::u16string logged;
  };
  const Case cases[] = {
      {"the user's finger", [](sim::TouchWriter& touches) { touches.Finger(1, 2); }, 1,
       u"Which finger is this? This is your fingerprint \"right index finger\": right index "
       u"finger (Fingerprint ID: 0x02) on Integrated Sensor (Device ID: 1)."},
      {"the user's finger enrolled since the listing",
       [this](sim::TouchWriter& touches) {
         WriteState(kState + "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF6\n");
         touches.Finger(1, 0xF6);
       },
       0,
       u"Which finger is this? This is one of your fingers (fingerprint #2, Fingerprint ID: 0xF6) "
       u"on the sensor with Device ID 1, but it is not in the list: read the fingerprints again."},
      {"another account's finger",
       [](sim::TouchWriter& touches) { touches.Finger(1, 0xF7, kOtherUser); }, 0,
       u"Which finger is this? This fingerprint belongs to the account PC\\Anna on this PC."},
      {"a finger nobody enrolled", [](sim::TouchWriter& touches) { touches.Finger(1, 0xF9); }, 0,
       u"Which finger is this? This finger is not enrolled."},
      {"cancelled while waiting", nullptr, 0,
       u"Which finger is this? No finger was identified (cancelled)."},
  };
  const platform::ScopedStandInAccountNames accounts(
      {platform::StandInAccountName{.sid = kOtherUser, .name = u"PC\\Anna"}});
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    StartService(kState);
    Open();
    const std::string listed = ReadCfg();
    form().ListView.Select(0);
    const ScopedModalDriver driver([&](ui::Form& form) {
      auto& dialog = dynamic_cast<TFormWhichFinger&>(form);
      if (test.touch) {
        test.touch(touches());
        ASSERT_TRUE(PumpUntil(dialog, [&] { return dialog.btnRetry.Enabled(); }));
      } else {
        ASSERT_TRUE(PumpUntil(dialog, [&] { return service_->service().WaitingCalls() == 1; }));
      }
      ui::headless::PressEscape(dialog);
    });
    EXPECT_TRUE(form().KeyDown(Key::kF3));
    EXPECT_EQ(LastLog(), test.logged);
    EXPECT_EQ(form().ListView.SelectedIndex(), test.selected);
    EXPECT_EQ(ReadCfg(), listed);
    EXPECT_TRUE(service_->service().Misuses().empty());
    CloseAndDestroy();
  }
}

}  // namespace
}  // namespace dactyra::testing
