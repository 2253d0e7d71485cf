#pragma once

// The commands of the main window, one row each: what the command is called, which button,
// key and menu items give it, when it may run and what runs it. The buttons, their states, the
// list's keys, the window's keys, the list's context menu and the system menu are all made from
// this table; adding a command is one row, its handler and its texts.

#include <cstdint>
#include <optional>
#include <span>

#include "base/text_source.h"
#include "ui/ui.h"

namespace dactyra {

class TForm1;

enum class TCommandId : std::uint32_t {
  kAbout = 1,
  kVerify,
  kRename,
  kDelete,
  kWhichFinger,
  kRead,
  kAdd,
  kExit,
  kSignInOptions,
  kSensorsAndSignIn,
  kAddAgain,
  kReplace,
};

// The system menu's items take these ids: the command's id after 0x400.
inline constexpr std::uint32_t kSystemMenuCommandBase = 0x400;
// The About item's id in the system menu.
inline constexpr std::uint32_t kAboutCommand =
    kSystemMenuCommandBase + static_cast<std::uint32_t>(TCommandId::kAbout);

// Where a key gives its command: only while the list has the focus (as Enter and Del do in any
// Windows list), or anywhere in the window.
enum class TKeyScope { kList, kWindow };

struct TCommandKey {
  ui::Key Key;
  TKeyScope Scope;
};

struct TCommand {
  TCommandId Id;
  // Its button on the main window and the button's text; none when it has no button.
  ui::Button TForm1::*Button = nullptr;
  const TranslatableText* ButtonText = nullptr;
  std::optional<TCommandKey> Key = std::nullopt;
  // Its item in the list's context menu, which shows the key after the text; none when it has
  // none. Items of another group than the one before them come after a separator; the default
  // item is the one a double click gives, shown in bold.
  const TranslatableText* MenuText = nullptr;
  int MenuGroup = 0;
  bool MenuDefault = false;
  // Whether its item is in the menu now, for a command that takes another's place for some rows
  // (its key and double click as well: of the commands that share them, the enabled one runs);
  // always when none.
  bool (*InMenu)(const TForm1& form) = nullptr;
  // Its item in the window's system menu, and whether the item shows a check mark.
  const TranslatableText* SystemMenuText = nullptr;
  bool SystemMenuChecked = false;
  // Whether it may run now, by the window's model (the listed sensors and fingers, the selected
  // record), never by the state of a control.
  bool (*Enabled)(const TForm1& form) = nullptr;
  void (*Run)(TForm1& form) = nullptr;
};

// Every command of the main window, in the order of the context menu.
std::span<const TCommand> MainCommands();

// The command of an id.
const TCommand& CommandOf(TCommandId id);

// The command that `key` gives in `scope` now: of the commands that take it, the one that `form`
// enables; none when there is none.
const TCommand* CommandOfKey(ui::Key key, TKeyScope scope, const TForm1& form);

// The default command of the context menu that `form` enables now; none when none is.
const TCommand* DefaultCommand(const TForm1& form);

}  // namespace dactyra
