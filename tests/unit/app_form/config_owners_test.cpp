// Two accounts of one computer sharing one CFG.TOML, and CFG.TOML where the program's folder
// cannot take it.

#include <functional>

#include "enroll/form_enroll.h"
#include "platform/posix/stand_in_user.h"
#include "sim/identity.h"
#include "sim/touch_writer.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;

constexpr char16_t kUserB[] = u"S-1-5-21-1000-2000-3000-1002";

// Both users have 0xF5 on sensor 1.
constexpr char kState[] =
    "samples = 1\n[[unit]]\nid = 1\ndescription = \"Sensor\"\n"
    "[[template]]\nunit = 1\nidentity = \"S-1-5-21-1000-2000-3000-1001\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 1\nidentity = \"S-1-5-21-1000-2000-3000-1002\"\nsubfactor = 0xF5\n";

// The file's text of one entry, as the program writes it; `tested`: the lines of its last test.
std::string Entry(const std::string& description, const std::string& finger,
                  const std::string& user, const std::string& tested = "") {
  return "[[finger]]\r\ndescription = \"" + description + "\"\r\nfingerid = \"" + finger +
         "\"\r\n" + tested + "unitid = 1\r\nuser = \"" + user + "\"\r\n";
}

class ConfigOwners : public FormTest {
 protected:
  // Runs the window as the other account (its own service registration: "current" is him).
  void AsUserB(const std::function<void()>& steps) {
    const platform::ScopedStandInUser user(sim::SidFromText(kUserB).value());
    RegisterService();
    steps();
    if (form_) {
      CloseAndDestroy();
    }
    RegisterService();
  }
  // Verifies the selected row, typing `description` into the dialog.
  void Rename(int row, std::u16string description) {
    const ui::headless::ScopedModalDriver driver([&](ui::Form& dialog) {
      dynamic_cast<TFormVerify&>(dialog).lblTitle.SetText(description);
      dialog.Close();
    });
    form().ListView.Select(row);
    form().btnVerify.Click();
  }
};

TEST_F(ConfigOwners, EachUserSeesAndChangesOnlyHisOwnEntries) {
  const std::string theirs = Entry("their finger", "0xF6", "S-1-5-21-7-8-9-1003");
  WriteCfg(theirs);
  StartService(kState);
  Open();
  Rename(0, u"A thumb");
  CloseAndDestroy();
  const std::string mine = Entry("A thumb", "0xF5", "S-1-5-21-1000-2000-3000-1001");
  ASSERT_NE(ReadCfg().find(mine), std::string::npos) << ReadCfg();

  AsUserB([&] {
    Open();
    EXPECT_EQ(Column(4), (Lines{u"fingerprint #1"})) << "A's description is not his";
    Rename(0, u"B index");
    // Add and delete as B, each after his proof.
    const ui::headless::ScopedModalDriver driver([](ui::Form& dialog) {
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&dialog)) {
        AwaitProof(*check);
        return;
      }
      auto& enroll = dynamic_cast<TFormEnroll&>(dialog);
      ASSERT_TRUE(
          ui::headless::PumpUntil(enroll, [&] { return enroll.btnCancel.Text() == u"&Done"; }));
      enroll.btnCancel.Click();
    });
    ProveOwner();
    touches().Finger(1, 0xF7);
    touches().Finger(1, 0xF7);  // checks the new finger
    form().btnAdd.Click();
    EXPECT_EQ(Column(4), (Lines{u"B index", u"fingerprint #2"}));
    box_answer_ = ui::ModalResult::kYes;
    ProveOwner();
    form().ListView.Select(0);
    form().btnDelete.Click();
    EXPECT_EQ(Column(4), (Lines{u"fingerprint #2"}));
  });
  const std::string cfg = ReadCfg();
  EXPECT_NE(cfg.find(mine), std::string::npos) << cfg;
  EXPECT_NE(cfg.find(theirs), std::string::npos) << cfg;
  EXPECT_LT(cfg.find(mine), cfg.find(theirs)) << "in their order";
  EXPECT_EQ(cfg.find("B index"), std::string::npos) << "B's deleted entry went";
  EXPECT_NE(cfg.find(Entry("fingerprint #2", "0xF6", "S-1-5-21-1000-2000-3000-1002",
                           TestedTodayLines(1, 1))),
            std::string::npos)
      << cfg;

  Open();
  EXPECT_EQ(Column(4), (Lines{u"A thumb"}));
}

// Closing the window saves: the first user who closes takes the old entries over.
TEST_F(ConfigOwners, AnOldFileWithoutOwnersIsTakenOverByTheFirstWhoSaves) {
  WriteCfg("[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"old thumb\"\n");
  StartService(kState);
  AsUserB([&] {
    Open();
    EXPECT_EQ(Column(4), (Lines{u"old thumb"}));
    form_.reset();  // gone without closing: nothing saved
  });
  Open();
  EXPECT_EQ(Column(4), (Lines{u"old thumb"}));
  CloseAndDestroy();
  EXPECT_NE(ReadCfg().find(Entry("old thumb", "0xF5", "S-1-5-21-1000-2000-3000-1001")),
            std::string::npos)
      << ReadCfg();
  AsUserB([&] {
    Open();
    EXPECT_EQ(Column(4), (Lines{u"fingerprint #1"}));
  });
}

// Where the program's folder cannot take CFG.TOML (here: a folder that cannot be written, and a
// file marked read-only), the user's own file keeps the descriptions, and the log says where.
TEST_F(ConfigOwners, AnUnwritableProgramFolderUsesTheUsersFile) {
  StartService(kState);
  const std::u16string per_user = folder_.File(u"appdata/");
  std::filesystem::create_directories(folder_.path() / "appdata");
  const std::u16string program = folder_.File(u"no-such-folder/Dactyra.exe");
  Open(program, per_user);
  const std::u16string user_file = folder_.File(u"appdata/Dactyra/CFG.TOML");
  EXPECT_EQ(Log()[2], u"The descriptions are kept in " + user_file + u".");
  Rename(0, u"kept");
  CloseAndDestroy();
  Open(program, per_user);
  EXPECT_EQ(Column(4), (Lines{u"kept"}));
  const Lines log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), u"The descriptions are kept in " + user_file + u"."),
            1)
      << "said once";
  CloseAndDestroy();

  // A read-only CFG.TOML beside the program: its descriptions show, changes go to the user's.
  std::filesystem::remove_all(folder_.path() / "appdata" / "Dactyra");
  const std::string readonly =
      "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"from beside\"\n";
  WriteCfg(readonly);
  std::filesystem::permissions(CfgPath(), std::filesystem::perms::owner_read);
  Open(folder_.File(u"Dactyra.exe"), per_user);
  EXPECT_EQ(Column(4), (Lines{u"from beside"}));
  CloseAndDestroy();
  std::filesystem::permissions(CfgPath(), std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadCfg(), readonly);
  EXPECT_NE(ReadBytes(folder_.path() / "appdata" / "Dactyra" / "CFG.TOML").find("from beside"),
            std::string::npos);
}

}  // namespace
}  // namespace dactyra::testing
