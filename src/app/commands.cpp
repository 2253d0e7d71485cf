#include "app/commands.h"

#include <algorithm>

#include "app/main_form.h"
#include "app/main_texts.h"
#include "app/sensors_texts.h"

namespace dactyra {
namespace {

bool Always(const TForm1&) {
  return true;
}

bool FingerSelected(const TForm1& form) {
  return form.GetSelectedRecord().has_value();
}

bool SelectedFingerIs(const TForm1& form, TFingerState state) {
  const std::optional<TFingerRecord> selected = form.GetSelectedRecord();
  return selected && selected->State == state;
}

bool EnrolledFingerSelected(const TForm1& form) {
  return SelectedFingerIs(form, TFingerState::kEnrolled);
}

bool RememberedFingerSelected(const TForm1& form) {
  return SelectedFingerIs(form, TFingerState::kRemembered);
}

bool NoRememberedFingerSelected(const TForm1& form) {
  return !RememberedFingerSelected(form);
}

bool SensorListed(const TForm1& form) {
  return form.SensorCount() > 0;
}

bool SlotFree(const TForm1& form) {
  return form.SensorCount() > 0 && form.NextFreeSubFactor() != 0;
}

constexpr TCommand kCommands[] = {
    {.Id = TCommandId::kVerify,
     .Button = &TForm1::btnVerify,
     .ButtonText = &kMainButtonVerify,
     .Key = TCommandKey{ui::Key::kEnter, TKeyScope::kList},
     .MenuText = &kMainMenuVerify,
     .MenuGroup = 1,
     .MenuDefault = true,
     .InMenu = NoRememberedFingerSelected,
     .Enabled = EnrolledFingerSelected,
     .Run = [](TForm1& form) { form.btnVerifyClick(); }},
    {.Id = TCommandId::kAddAgain,
     .Key = TCommandKey{ui::Key::kEnter, TKeyScope::kList},
     .MenuText = &kMainMenuAddAgain,
     .MenuGroup = 1,
     .MenuDefault = true,
     .InMenu = RememberedFingerSelected,
     .Enabled = RememberedFingerSelected,
     .Run = [](TForm1& form) { form.AddFingerAgain(); }},
    {.Id = TCommandId::kRename,
     .Key = TCommandKey{ui::Key::kF2, TKeyScope::kWindow},
     .MenuText = &kMainMenuRename,
     .MenuGroup = 1,
     .Enabled = FingerSelected,
     .Run = [](TForm1& form) { form.RenameSelectedFinger(); }},
    // Ctrl+H: the key of Replace wherever Windows programs have the command.
    {.Id = TCommandId::kReplace,
     .Key = TCommandKey{ui::Key::kCtrlH, TKeyScope::kWindow},
     .MenuText = &kMainMenuReplace,
     .MenuGroup = 1,
     .Enabled = EnrolledFingerSelected,
     .Run = [](TForm1& form) { form.ReplaceSelectedFinger(); }},
    {.Id = TCommandId::kDelete,
     .Button = &TForm1::btnDelete,
     .ButtonText = &kMainButtonDelete,
     .Key = TCommandKey{ui::Key::kDelete, TKeyScope::kList},
     .MenuText = &kMainMenuDelete,
     .MenuGroup = 1,
     .Enabled = FingerSelected,
     .Run = [](TForm1& form) { form.btnDeleteClick(); }},
    {.Id = TCommandId::kWhichFinger,
     .Key = TCommandKey{ui::Key::kF3, TKeyScope::kWindow},
     .MenuText = &kMainMenuWhichFinger,
     .MenuGroup = 2,
     .Enabled = SensorListed,
     .Run = [](TForm1& form) { form.FindTouchedFinger(); }},
    {.Id = TCommandId::kRead,
     .Button = &TForm1::btnEnum,
     .ButtonText = &kMainButtonRead,
     .Key = TCommandKey{ui::Key::kF5, TKeyScope::kWindow},
     .MenuText = &kMainMenuRead,
     .MenuGroup = 2,
     .Enabled = Always,
     .Run = [](TForm1& form) { form.btnEnumClick(); }},
    {.Id = TCommandId::kAdd,
     .Button = &TForm1::btnAdd,
     .ButtonText = &kMainButtonAdd,
     .Enabled = SlotFree,
     .Run = [](TForm1& form) { form.btnAddClick(); }},
    {.Id = TCommandId::kExit,
     .Button = &TForm1::ButtonClose,
     .ButtonText = &kMainButtonExit,
     .Enabled = Always,
     .Run = [](TForm1& form) { form.ButtonCloseClick(); }},
    {.Id = TCommandId::kSignInOptions,
     .Button = &TForm1::btnSignInOptions,
     .ButtonText = &kMainButtonSignInOptions,
     .Enabled = Always,
     .Run = [](TForm1& form) { form.btnSignInOptionsClick(); }},
    {.Id = TCommandId::kSensorsAndSignIn,
     .Key = TCommandKey{ui::Key::kCtrlI, TKeyScope::kWindow},
     .MenuText = &kSensorsMenuItem,
     .MenuGroup = 3,
     .SystemMenuText = &kSensorsMenuItem,
     .Enabled = Always,
     .Run = [](TForm1& form) { form.ShowSensorsAndSignIn(); }},
    {.Id = TCommandId::kAbout,
     .SystemMenuText = &kMainAboutItem,
     .SystemMenuChecked = true,
     .Enabled = Always,
     .Run = [](TForm1& form) { form.ShowAbout(); }},
};

}  // namespace

std::span<const TCommand> MainCommands() {
  return kCommands;
}

const TCommand& CommandOf(TCommandId id) {
  return *std::ranges::find(kCommands, id, &TCommand::Id);
}

const TCommand* CommandOfKey(ui::Key key, TKeyScope scope, const TForm1& form) {
  const auto found = std::ranges::find_if(kCommands, [&](const TCommand& command) {
    return command.Key && command.Key->Key == key && command.Key->Scope == scope &&
           command.Enabled(form);
  });
  return found == std::end(kCommands) ? nullptr : &*found;
}

const TCommand* DefaultCommand(const TForm1& form) {
  const auto found = std::ranges::find_if(kCommands, [&](const TCommand& command) {
    return command.MenuDefault && command.Enabled(form);
  });
  return found == std::end(kCommands) ? nullptr : &*found;
}

}  // namespace dactyra
