#pragma once

// Small forms built the way the program's windows are: fields for the controls, methods for the
// handlers. The tests of both backends drive them.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ui/ui.h"

namespace dactyra::ui::demo {

inline constexpr std::uint32_t WM_DEMO_STATUS = kUserMessage + 200;
inline constexpr std::uint32_t kAboutCommand = 0x401;

// A main window: a top strip with a label, a button column on the right, a list over a log
// with a splitter between them.
class TDemoMain : public Form {
 public:
  TDemoMain();
  ~TDemoMain() override;

  Panel pnlTop{*this, {.height = 60, .dock = Dock::kTop}};
  Label lblUser{pnlTop, {.left = 16, .top = 20}, u"Current user: "};
  Panel pnlRight{*this, {.width = 188, .dock = Dock::kRight}};
  Button btnEnum{pnlRight, {20, 0, 148, 36}, u"&Read Fingerprints"};
  Button btnVerify{pnlRight, {20, 55, 148, 36}, u"&Verify Fingerprint"};
  Button btnAdd{pnlRight, {20, 109, 148, 36}, u"&Add Fingerprint"};
  Button btnDelete{pnlRight, {20, 164, 148, 36}, u"&Delete Fingerprint"};
  Button ButtonClose{pnlRight, {20, 240, 148, 36}, u"E&xit"};
  Panel pnlBottom{*this, {.height = 265, .dock = Dock::kBottom}};
  Memo memoLog{pnlBottom, {.dock = Dock::kClient}};
  Splitter Splitter1{*this, {.height = 5, .dock = Dock::kBottom}};
  ui::ListView ListView{*this, {.dock = Dock::kClient}};

  // What the handlers saw, for the tests.
  std::vector<std::u16string> events;
  std::vector<std::u16string> records;  // the data the rows point at
  int destroyed = 0;

  void FillRows(int count);
  void btnEnumClick();
  void btnDeleteClick();
  void ListViewSelectItem(int row, bool selected);
  void UpdateButtons();
  bool WMSysCommand(std::uint32_t command);
  void FormClose();
  void FormDestroy();
};

// A modal dialog: a state light, an edit box with its label, status lines, progress, a
// default and a cancel button, and a worker thread that reports by posted messages.
class TDemoDialog : public Form {
 public:
  explicit TDemoDialog(Form& owner);
  ~TDemoDialog() override;

  Shape shapeIcon{*this, {16, 16, 64, 64}, {Color(0xC0C0C0), Color(0x808080), 2}};
  LabeledEdit lblTitle{*this, {240, 19, 121, 27}, u"Verify fingerprint: "};
  Label lblStatus{*this, {96, 52, 265, 37}, u"Please waiting...", {.word_wrap = true}};
  Label lblResult{*this, {13, 109, 348, 68}, u"", {.word_wrap = true}};
  ui::ProgressBar ProgressBar{*this, {16, 180, 348, 12}};
  Button btnRetry{*this, {44, 199, 100, 32}, u"&Retry", {.is_default = true}};
  Button btnClose{*this, {232, 199, 100, 32}, u"&Close", {.cancel = true}};

  // Worker events: 1 step (lParam = percent), 2 finished (lParam = outcome).
  void StartWorker(int steps);
  void WMDemoStatus(std::uintptr_t event, std::intptr_t value);
  void btnRetryClick();
  void btnCloseClick();
  void FormShow();

  int worker_steps = 0;  // steps the worker posts when the dialog is shown; 0 = no worker
  int shows = 0;
  std::vector<std::intptr_t> received;

 private:
  std::thread worker_;
};

// A dialog built at run time: a heading and one radio button per choice (the first, "Auto",
// checked), OK and Cancel. Returns the tag of the checked choice, 0 for Auto, -1 when
// cancelled.
int SelectChoice(Form& owner, const std::vector<std::pair<std::u16string, int>>& choices);

}  // namespace dactyra::ui::demo
