// The list as Windows lists behave: its keys, the window's keys and the context menu of its
// rows, each giving a command of the window when that command is enabled.

#include "app/main_form.h"

namespace dactyra {
namespace {

// The ids of the context menu's items.
enum TListMenuItem : std::uint32_t {
  kMenuVerify = 1,
  kMenuRename,
  kMenuDelete,
  kMenuWhichFinger,
  kMenuRead,
};

}  // namespace

bool TForm1::ListViewKeyDown(ui::Key key) {
  if (key == ui::Key::kEnter && btnVerify.Enabled()) {
    btnVerifyClick();
    return true;
  }
  if (key == ui::Key::kDelete && btnDelete.Enabled()) {
    btnDeleteClick();
    return true;
  }
  return false;
}

bool TForm1::FormKeyDown(ui::Key key) {
  // Renaming goes with verifying: both need a selected finger.
  if (key == ui::Key::kF2 && btnVerify.Enabled()) {
    RenameSelectedFinger();
    return true;
  }
  if (key == ui::Key::kF3 && CanFindTouchedFinger()) {
    FindTouchedFinger();
    return true;
  }
  if (key == ui::Key::kF5 && btnEnum.Enabled()) {
    btnEnumClick();
    return true;
  }
  return false;
}

void TForm1::ListViewContextMenu(const ui::ContextMenuRequest& request) {
  const bool selected = btnVerify.Enabled();
  const ui::PopupMenuRequest menu{
      .items = {{kMenuVerify, GetLangStr(u"main", u"menu.verify", u"&Verify Fingerprint\tEnter"),
                 selected, true},
                {kMenuRename, GetLangStr(u"main", u"menu.rename", u"Rena&me\tF2"), selected},
                {kMenuDelete, GetLangStr(u"main", u"menu.del", u"&Delete Fingerprint\tDel"),
                 btnDelete.Enabled()},
                {},
                {kMenuWhichFinger,
                 GetLangStr(u"main", u"menu.which", u"&Which finger is this?\tF3"),
                 CanFindTouchedFinger()},
                {kMenuRead, GetLangStr(u"main", u"menu.enum", u"&Read Fingerprints\tF5"),
                 btnEnum.Enabled()}},
      .position = request.position};
  switch (ui::ShowPopupMenu(*this, menu)) {
    case kMenuVerify:
      btnVerifyClick();
      break;
    case kMenuRename:
      RenameSelectedFinger();
      break;
    case kMenuDelete:
      btnDeleteClick();
      break;
    case kMenuWhichFinger:
      FindTouchedFinger();
      break;
    case kMenuRead:
      btnEnumClick();
      break;
    default:  // dismissed
      break;
  }
}

}  // namespace dactyra
