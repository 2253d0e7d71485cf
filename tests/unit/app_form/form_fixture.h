#pragma once

// A main window on the headless widgets over the simulated biometric service, in a folder of
// its own: the "executable" lies there, beside CFG.TOML, the language folder and the
// simulator's state.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "sim/in_process.h"
#include "sim/touch_writer.h"
#include "ui/headless/driver.h"
#include "ui/headless/hello_responder.h"
#include "unit/documents/file_helpers.h"
#include "unit/toml_io/temp_folder.h"
#include "verify/form_owner_check.h"

namespace dactyra::testing {

// The SID of the stand-in user the platform layer gives in native builds.
inline constexpr char16_t kUserSid[] = u"S-1-5-21-1000-2000-3000-1001";

class FormTest : public ::testing::Test {
 protected:
  FormTest() : boxes_([this](const ui::MessageBoxRequest&) { return box_answer_; }) {}

  // The simulator's state: sensors and the current user's templates.
  void WriteState(const std::string& toml) { WriteBytes(folder_.path() / "state.toml", toml); }
  std::string ReadState() const { return ReadBytes(folder_.path() / "state.toml"); }
  void RegisterService() { service_.emplace(folder_.File(u"state.toml")); }
  // The service as it is at start of most tests: registered with the given state.
  void StartService(const std::string& state) {
    WriteState(state);
    RegisterService();
  }

  std::filesystem::path CfgPath() const { return folder_.path() / "CFG.TOML"; }
  void WriteCfg(const std::string& bytes) { WriteBytes(CfgPath(), bytes); }
  std::string ReadCfg() const { return ReadBytes(CfgPath()); }
  bool CfgExists() const { return std::filesystem::exists(CfgPath()); }
  void WriteLanguage(const std::string& toml) {
    WriteBytes(folder_.path() / "language" / "en-US.TOML", toml);
  }

  // Creates the window, which lists at once. Without a per-user folder CFG.TOML always stays
  // beside the program.
  TForm1& Open() { return Open(folder_.File(u"Dactyra.exe")); }
  TForm1& Open(const std::u16string& executable_path,
               std::optional<std::u16string> per_user_folder = std::nullopt) {
    form_ = std::make_unique<TForm1>(executable_path, std::move(per_user_folder));
    return *form_;
  }
  TForm1& form() { return *form_; }

  // Touches for the simulated service, in its spool beside the state.
  sim::TouchWriter& touches() {
    if (!touches_) {
      touches_.emplace(folder_.path() / "touches");
    }
    return *touches_;
  }
  // The owner's proof for the next add or delete: a touch of one of his fingers, written now so
  // that the proof dialog takes it before any touch written later.
  void ProveOwner(WINBIO_UNIT_ID unit = 1, WINBIO_BIOMETRIC_SUBTYPE finger = 0xF5) {
    touches().Finger(unit, finger);
  }
  // Lets the proof dialog work until it ends: with OK once a touch proved the owner.
  static void AwaitProof(TFormOwnerCheck& form) {
    ASSERT_TRUE(ui::headless::PumpUntil(
        form, [&] { return form.GetModalResult() != ui::ModalResult::kNone; }));
  }

  void CloseAndDestroy() {
    form_->Close();
    form_.reset();
  }

  // The log lines without their time stamps, which are checked once on their own.
  std::vector<std::u16string> Log() const {
    std::vector<std::u16string> lines;
    for (const std::u16string& line : form_->memoLog.Lines()) {
      lines.push_back(line.size() >= 11 ? line.substr(11) : line);
    }
    return lines;
  }
  std::u16string LastLog() const { return Log().empty() ? u"" : Log().back(); }
  // The visible texts of a row, from the row number to the description.
  std::vector<std::u16string> Row(int row) const {
    std::vector<std::u16string> cells;
    for (int column = 0; column < 5; ++column) {
      cells.push_back(form_->ListView.Cell(row, column));
    }
    return cells;
  }
  std::vector<std::u16string> Column(int column) const {
    std::vector<std::u16string> cells;
    for (int row = 0; row < form_->ListView.RowCount(); ++row) {
      cells.push_back(form_->ListView.Cell(row, column));
    }
    return cells;
  }
  const std::vector<ui::headless::MessageBoxCall>& Boxes() const { return boxes_.Calls(); }

  TempFolder folder_;
  std::optional<sim::InProcessService> service_;
  ui::ModalResult box_answer_ = ui::ModalResult::kOk;
  ui::headless::ScopedMessageBoxResponder boxes_;
  // Windows Hello as Wine without its stand-in has it: not offered. A test that asks it nests its
  // own answer.
  ui::headless::ScopedHelloResponder hello_{
      ui::HelloNotOffered(u"RoGetActivationFactory(UserConsentVerifier)", 0x80040154)};
  std::optional<sim::TouchWriter> touches_;
  // Runs the modal forms of a test that drives none itself: the proof dialog as AwaitProof
  // does; any other dialog is unexpected.
  ui::headless::ScopedModalDriver proof_driver_{[](ui::Form& form) {
    if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
      AwaitProof(*check);
      return;
    }
    ADD_FAILURE() << "an unexpected dialog";
    form.Close();
  }};
  std::unique_ptr<TForm1> form_;
};

// The lines of a finger's entry in CFG.TOML that keep a test made today.
inline std::string TestedTodayLines(int recognised, int touches) {
  const TCalendarDay today = Today();
  char date[16] = {};
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", today.Year, today.Month, today.Day);
  return "recognised = " + std::to_string(recognised) + "\r\ntested = " + date +
         "\r\ntouches = " + std::to_string(touches) + "\r\n";
}

// A state with one sensor and the given templates of the current user on it.
inline std::string OneSensor(const std::vector<int>& sub_factors,
                             const std::string& description = "Integrated Sensor") {
  std::string state = "[[unit]]\nid = 1\ndescription = \"" + description + "\"\n";
  for (const int sub_factor : sub_factors) {
    state += "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = " +
             std::to_string(sub_factor) + "\n";
  }
  return state;
}

}  // namespace dactyra::testing
