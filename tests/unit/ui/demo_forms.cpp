#include "demo_forms.h"

#include "base/strings.h"

namespace dactyra::ui::demo {

TDemoMain::TDemoMain() : Form({.caption = u"Dactyra", .client_width = 880, .client_height = 620}) {
  ListView.AddColumn(u"#", 30);
  ListView.AddColumn(u"Fingerprint Device", 300);
  ListView.AddColumn(u"Device ID", 60);
  ListView.AddColumn(u"Fingerprint ID", 80);
  ListView.AddColumn(u"Fingerprint Description", 170);
  InsertSystemMenuItem({kAboutCommand, u"&About...", true});
  SetCaption(Caption() + u" V1.0.0.0");

  btnEnum.OnClick = [this] { btnEnumClick(); };
  btnDelete.OnClick = [this] { btnDeleteClick(); };
  ButtonClose.OnClick = [this] { Close(); };
  ListView.OnSelectItem = [this](int row, bool selected) { ListViewSelectItem(row, selected); };
  ListView.OnDoubleClick = [this] { events.push_back(u"double-click"); };
  OnSysCommand = [this](std::uint32_t command) { return WMSysCommand(command); };
  OnClose = [this] { FormClose(); };
  btnVerify.SetEnabled(false);
  btnAdd.SetEnabled(false);
  btnDelete.SetEnabled(false);
}

TDemoMain::~TDemoMain() {
  FormDestroy();
}

void TDemoMain::FillRows(int count) {
  ListView.Clear();
  records.clear();
  const RedrawSuspension suspended(ListView);
  for (int i = 0; i < count; ++i) {
    records.push_back(u"record " + IntToText(i + 1));
    ListView.AddRow(IntToText(i + 1),
                    {u"Fingerprint Sensor", u"1", u"0xF" + IntToText(5 + i), u"fingerprint #1"},
                    records.size() - 1);
  }
}

void TDemoMain::btnEnumClick() {
  memoLog.AppendLine(u"[12:00:00] Reading fingerprint data...");
  FillRows(3);
  UpdateButtons();
}

void TDemoMain::btnDeleteClick() {
  const bool yes = AskYesNo(this, u"Query", u"Delete " + ListView.Cell(ListView.SelectedIndex(), 1),
                            DefaultAnswer::kNo);
  memoLog.AppendLine(yes ? u"deleted" : u"Canceled deletion.");
}

void TDemoMain::ListViewSelectItem(int row, bool selected) {
  events.push_back((selected ? u"select " : u"deselect ") + IntToText(row));
  UpdateButtons();
}

void TDemoMain::UpdateButtons() {
  const bool has_selection = ListView.SelectedIndex() >= 0;
  btnVerify.SetEnabled(has_selection);
  btnDelete.SetEnabled(has_selection);
  btnAdd.SetEnabled(ListView.RowCount() < 10);
}

bool TDemoMain::WMSysCommand(std::uint32_t command) {
  if (command != kAboutCommand) {
    return false;
  }
  ShowInformation(this, u"Dactyra", u"Author: someone\r\nVersion: 1.0.0.0");
  return true;
}

void TDemoMain::FormClose() {
  events.push_back(u"close");
}

void TDemoMain::FormDestroy() {
  ++destroyed;
}

TDemoDialog::TDemoDialog(Form& owner)
    : Form({.caption = u"Verify fingerprint",
            .client_width = 380,
            .client_height = 242,
            .border = FormBorder::kDialog,
            .position = FormPosition::kCenterOwner,
            .owner = &owner}) {
  SetMessageHandler(WM_DEMO_STATUS, [this](std::uintptr_t event, std::intptr_t value) {
    WMDemoStatus(event, value);
  });
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnClose.OnClick = [this] { btnCloseClick(); };
  OnShow = [this] { FormShow(); };
  btnRetry.SetEnabled(false);
}

TDemoDialog::~TDemoDialog() {
  if (worker_.joinable()) {
    worker_.join();
  }
}

void TDemoDialog::StartWorker(int steps) {
  if (worker_.joinable()) {
    worker_.join();
  }
  worker_ = std::thread([target = Target(), steps] {
    for (int i = 1; i <= steps; ++i) {
      target.Post(WM_DEMO_STATUS, 1, i * 100 / steps);
    }
    target.Post(WM_DEMO_STATUS, 2, 0);
  });
}

void TDemoDialog::FormShow() {
  ++shows;
  shapeIcon.SetColors(Color(0xFFA500), Color(0xCC7000));
  lblStatus.SetText(u"Please swipe your finger on the fingerprint sensor...");
  lblStatus.SetColor(Color(0x000080));
  BringToFront();
  if (worker_steps > 0) {
    StartWorker(worker_steps);
  }
}

void TDemoDialog::WMDemoStatus(std::uintptr_t event, std::intptr_t value) {
  received.push_back(value);
  if (event == 1) {
    ProgressBar.SetPosition(static_cast<int>(value));
  } else if (event == 2) {
    shapeIcon.SetColors(Color(0x00BB00), Color(0x008800));
    lblStatus.SetText(u"Verification results");
    lblResult.SetText(
        u"Verification successful!\r\nThe fingerprint belongs to the current user and matches "
        u"the selected record.");
    lblResult.SetColor(Color(0x008000));
    btnRetry.SetEnabled(true);
    btnRetry.SetFocus();
  }
}

void TDemoDialog::btnRetryClick() {
  lblResult.SetText(u"");
  lblResult.SetSystemColor();
  SetModalResult(ModalResult::kOk);
}

void TDemoDialog::btnCloseClick() {
  Close();
}

int SelectChoice(Form& owner, const std::vector<std::pair<std::u16string, int>>& choices) {
  Form form({.caption = u"Select Fingerprint sensor",
             .client_width = 364,
             .border = FormBorder::kDialog,
             .position = FormPosition::kCenterOwner,
             .owner = &owner});
  Panel panel(form, {.dock = Dock::kClient}, {16, 12, 16, 12});
  Column column(panel);
  column.Add<Label>(10, {.left = 20}, u"Select the sensor you want to use:",
                    LabelOptions{.bold = true});
  std::vector<const RadioButton*> radios;
  radios.push_back(
      &column.Add<RadioButton>(10, {.left = 25, .width = 320}, u"Auto", RadioOptions{true}));
  for (const auto& [text, tag] : choices) {
    radios.push_back(
        &column.Add<RadioButton>(4, {.left = 25, .width = 320}, text, RadioOptions{.tag = tag}));
  }
  column.Add<Button>(4 + 8, {.left = 90, .width = 80}, u"&OK",
                     ButtonOptions{.is_default = true, .modal_result = ModalResult::kOk});
  column.AddBeside<Button>({.left = 220, .width = 80}, u"&Cancel",
                           ButtonOptions{.cancel = true, .modal_result = ModalResult::kCancel});
  form.SetClientSize(364, column.Bottom() + 12);
  if (form.ShowModal() != ModalResult::kOk) {
    return -1;
  }
  for (const RadioButton* radio : radios) {
    if (radio->Checked()) {
      return static_cast<int>(radio->Tag());
    }
  }
  return 0;
}

}  // namespace dactyra::ui::demo
