// The command table put to work: the buttons and their states, the list's keys and the window's
// keys, the context menu of the list's rows and the system menu.

#include "app/main_form.h"

namespace dactyra {

void TForm1::WireCommands() {
  for (const TCommand& command : MainCommands()) {
    if (command.Button != nullptr) {
      ui::Button& button = this->*command.Button;
      button.SetText(Get(*command.ButtonText));
      button.OnClick = [this, &command] { ExecuteCommand(command); };
    }
    if (command.SystemMenuText != nullptr) {
      InsertSystemMenuItem({kSystemMenuCommandBase + static_cast<std::uint32_t>(command.Id),
                            Get(*command.SystemMenuText), command.SystemMenuChecked});
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
}

bool TForm1::RunCommandIfEnabled(const TCommand& command) {
  if (!command.Enabled(*this)) {
    return false;
  }
  ExecuteCommand(command);
  return true;
}

void TForm1::ExecuteCommand(const TCommand& command) {
  {
    // Counted while it runs, however it ends.
    struct TRunning {
      int& FCount;
      explicit TRunning(int& count) : FCount(count) { ++FCount; }
      ~TRunning() { --FCount; }
      TRunning(const TRunning&) = delete;
      TRunning& operator=(const TRunning&) = delete;
    } running(FRunningCommands);
    command.Run(*this);
  }
  ListAgainWhenDue();
}

bool TForm1::ListViewKeyDown(ui::Key key) {
  const TCommand* command = CommandOfKey(key, TKeyScope::kList);
  return command != nullptr && RunCommandIfEnabled(*command);
}

bool TForm1::FormKeyDown(ui::Key key) {
  const TCommand* command = CommandOfKey(key, TKeyScope::kWindow);
  return command != nullptr && RunCommandIfEnabled(*command);
}

void TForm1::ListViewContextMenu(const ui::ContextMenuRequest& request) {
  ui::PopupMenuRequest menu{.items = {}, .position = request.position};
  std::optional<int> group;
  for (const TCommand& command : MainCommands()) {
    if (command.MenuText == nullptr) {
      continue;
    }
    if (group && *group != command.MenuGroup) {
      menu.items.push_back({});
    }
    group = command.MenuGroup;
    menu.items.push_back({static_cast<std::uint32_t>(command.Id), Get(*command.MenuText),
                          command.Enabled(*this), command.MenuDefault});
  }
  if (const std::uint32_t chosen = ui::ShowPopupMenu(*this, menu); chosen != 0) {
    ExecuteCommand(CommandOf(static_cast<TCommandId>(chosen)));
  }
}

bool TForm1::WMSysCommand(std::uint32_t command) {
  for (const TCommand& candidate : MainCommands()) {
    if (candidate.SystemMenuText != nullptr &&
        command == kSystemMenuCommandBase + static_cast<std::uint32_t>(candidate.Id)) {
      ExecuteCommand(candidate);
      return true;
    }
  }
  return false;
}

}  // namespace dactyra
