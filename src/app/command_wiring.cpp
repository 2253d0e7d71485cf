// The command table put to work: the buttons and their states, the list's keys and the window's
// keys, the context menu of the list's rows and the system menu.

#include "app/main_form.h"
#include "ui/key_names.h"

namespace dactyra {
namespace {

// A menu item of `command`: its name and, after a tab, the key of its row in the user's
// language, which the menu shows right-aligned. A translation written when the names carried
// their keys keeps only its name, so that the key always is the row's.
std::u16string MenuItemText(const TCommand& command, const TranslatableText& name,
                            const TextSource& texts) {
  const std::u16string translated = texts.Get(name);
  std::u16string text = translated.substr(0, translated.find(u'\t'));
  if (command.Key) {
    text += u'\t';
    text += ui::KeyName(command.Key->Key, texts);
  }
  return text;
}

}  // namespace

void TForm1::WireCommands() {
  for (const TCommand& command : MainCommands()) {
    if (command.Button != nullptr) {
      ui::Button& button = this->*command.Button;
      button.SetText(Get(*command.ButtonText));
      button.OnClick = [this, &command] { RunCommand(command); };
    }
    if (command.SystemMenuText != nullptr) {
      InsertSystemMenuItem({kSystemMenuCommandBase + static_cast<std::uint32_t>(command.Id),
                            MenuItemText(command, *command.SystemMenuText, *this),
                            command.SystemMenuChecked});
    }
  }
  ListView.OnKeyDown = [this](ui::Key key) { return ListViewKeyDown(key); };
  ListView.OnContextMenu = [this](const ui::ContextMenuRequest& request) {
    ListViewContextMenu(request);
  };
  OnKeyDown = [this](ui::Key key) { return FormKeyDown(key); };
  OnSysCommand = [this](std::uint32_t command) { return WMSysCommand(command); };
}

void TForm1::UpdateButtons() {
  for (const TCommand& command : MainCommands()) {
    if (command.Button != nullptr) {
      (this->*command.Button).SetEnabled(command.Enabled(*this));
    }
  }
  btnSignInOptions.SetVisible(FSignInOptionsOffered);
}

bool TForm1::RunCommand(const TCommand& command) {
  // One command at a time: a key, click or listing that comes while one waits (in a dialog, in
  // Windows Hello, in the service) starts nothing.
  if (FCommandRunning || !command.Enabled(*this)) {
    return false;
  }
  {
    // Set while it runs, however it ends.
    struct TRunning {
      bool& FFlag;
      explicit TRunning(bool& flag) : FFlag(flag) { FFlag = true; }
      ~TRunning() { FFlag = false; }
      TRunning(const TRunning&) = delete;
      TRunning& operator=(const TRunning&) = delete;
    } running(FCommandRunning);
    command.Run(*this);
  }
  if (FCloseWhenDone) {
    Close();  // asked for while the command waited
    return true;
  }
  ListAgainWhenDue();
  return true;
}

bool TForm1::FormCloseQuery() {
  if (!FCommandRunning) {
    return true;
  }
  // The command's waits end as cancelled; the window closes once it has returned.
  FCloseWhenDone = true;
  EndWaits();
  return false;
}

bool TForm1::ListViewKeyDown(ui::Key key) {
  const TCommand* command = CommandOfKey(key, TKeyScope::kList, *this);
  return command != nullptr && RunCommand(*command);
}

bool TForm1::FormKeyDown(ui::Key key) {
  const TCommand* command = CommandOfKey(key, TKeyScope::kWindow, *this);
  return command != nullptr && RunCommand(*command);
}

void TForm1::ListViewContextMenu(const ui::ContextMenuRequest& request) {
  if (FCommandRunning) {
    return;  // its commands could not start
  }
  ui::PopupMenuRequest menu{.items = {}, .position = request.position};
  std::optional<int> group;
  for (const TCommand& command : MainCommands()) {
    if (command.MenuText == nullptr || (command.InMenu != nullptr && !command.InMenu(*this))) {
      continue;
    }
    if (group && *group != command.MenuGroup) {
      menu.items.push_back({});
    }
    group = command.MenuGroup;
    menu.items.push_back({static_cast<std::uint32_t>(command.Id),
                          MenuItemText(command, *command.MenuText, *this), command.Enabled(*this),
                          command.MenuDefault});
  }
  if (const std::uint32_t chosen = ui::ShowPopupMenu(*this, menu); chosen != 0) {
    RunCommand(CommandOf(static_cast<TCommandId>(chosen)));
  }
}

void TForm1::ListViewDoubleClick() {
  if (const TCommand* command = DefaultCommand(*this)) {
    RunCommand(*command);
  }
}

bool TForm1::WMSysCommand(std::uint32_t command) {
  for (const TCommand& candidate : MainCommands()) {
    if (candidate.SystemMenuText != nullptr &&
        command == kSystemMenuCommandBase + static_cast<std::uint32_t>(candidate.Id)) {
      RunCommand(candidate);
      return true;
    }
  }
  return false;
}

}  // namespace dactyra
