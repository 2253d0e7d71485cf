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
     .Enabled = FingerSelected,
     .Run = [](TForm1& form) { form.btnVerifyClick(); }},
    {.Id = TCommandId::kRename,
     .Key = TCommandKey{ui::Key::kF2, TKeyScope::kWindow},
     .MenuText = &kMainMenuRename,
     .MenuGroup = 1,
     .Enabled = FingerSelected,
     .Run = [](TForm1& form) { form.RenameSelectedFinger(); }},
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

const TCommand* CommandOfKey(ui::Key key, TKeyScope scope) {
  const auto found = std::ranges::find_if(kCommands, [&](const TCommand& command) {
    return command.Key && command.Key->Key == key && command.Key->Scope == scope;
  });
  return found == std::end(kCommands) ? nullptr : &*found;
}

}  // namespace dactyra
