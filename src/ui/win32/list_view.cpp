// The report-style list on the common list-view control.

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "ui/detail/backend.h"
#include "ui/win32/native_kind.h"

namespace dactyra::ui::detail {

void ListAddColumn(ListView& list, int column) {
  HWND window = WindowOf(list);
  if (window == nullptr) {
    return;
  }
  const ListColumn& spec = list.Columns()[static_cast<std::size_t>(column)];
  std::u16string title = spec.title;
  LVCOLUMNW item{};
  item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  item.cx = list.ColumnWidth(column);
  item.pszText = WideData(title);
  item.iSubItem = column;
  SendMessageW(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
               reinterpret_cast<LPARAM>(&item));
}

void ListSetCell(ListView& list, int row, int column) {
  HWND window = WindowOf(list);
  if (window == nullptr) {
    return;
  }
  std::u16string text = list.Cell(row, column);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = WideData(text);
  SendMessageW(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListInsertRow(ListView& list, int row) {
  HWND window = WindowOf(list);
  if (window == nullptr) {
    return;
  }
  std::u16string caption = list.Cell(row, 0);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = WideData(caption);
  SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  for (int column = 1; column < static_cast<int>(list.Columns().size()); ++column) {
    ListSetCell(list, row, column);
  }
}

void ListClear(ListView& list) {
  if (HWND window = WindowOf(list)) {
    SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
  }
}

void ListSelect(ListView& list, int row) {
  HWND window = WindowOf(list);
  if (window == nullptr || row == list.SelectedIndex()) {
    return;
  }
  // The control reports each change (LVN_ITEMCHANGED); the model follows from there.
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = 0;
  SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (row >= 0) {
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
}

void ListSetRedraw(ListView& list, bool redraw) {
  if (HWND window = WindowOf(list)) {
    SendMessageW(window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) {
      InvalidateRect(window, nullptr, TRUE);
    }
  }
}

Point ListMenuPoint(const ListView& list, int row) {
  HWND window = WindowOf(list);
  POINT point{0, 0};
  RECT item{};
  item.left = LVIR_LABEL;
  if (row >= 0 && SendMessageW(window, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(&item))) {
    point = {item.left, item.bottom};
  }
  ClientToScreen(window, &point);
  return {point.x, point.y};
}

namespace {

class ListViewKindImpl final : public NativeKind {
 public:
  // Column widths follow the DPI and the font like everything else.
  void ApplyDpi(Control& control) const override {
    NativeKind::ApplyDpi(control);
    const auto& list = static_cast<const ListView&>(control);
    for (std::size_t i = 0; i < list.Columns().size(); ++i) {
      SendMessageW(WindowOf(list), LVM_SETCOLUMNWIDTH, i, list.ColumnWidth(static_cast<int>(i)));
    }
  }

  bool ContextMenu(Control& control, LPARAM position) const override {
    auto& list = static_cast<ListView&>(control);
    // From the keyboard both coordinates are -1.
    if (GET_X_LPARAM(position) == -1 && GET_Y_LPARAM(position) == -1) {
      list.ContextMenuKey();
      return true;
    }
    const POINT screen{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(WindowOf(list), &hit.pt);
    const int row = static_cast<int>(
        SendMessageW(WindowOf(list), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    list.RightClick(row >= 0 && row < list.RowCount() ? row : -1, {screen.x, screen.y});
    return true;
  }

  LRESULT Notify(Control& control, const NMHDR& header) const override {
    auto& list = static_cast<ListView&>(control);
    switch (header.code) {
      case LVN_ITEMCHANGED:
        ItemChanged(list, reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
      case NM_CUSTOMDRAW:
        // The control reads back the colours it handed over in the notification.
        return CustomDraw(
            list, const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
      case NM_DBLCLK:
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) {
          Access::DoubleClicked(list);
        }
        return 0;
      default:
        return 0;
    }
  }

 protected:
  WindowSpec Spec(const Control&) const override {
    return {WC_LISTVIEWW,
            WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL |
                LVS_SHOWSELALWAYS,
            WS_EX_CLIENTEDGE};
  }

  void Setup(HWND window) const override {
    SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  }

 private:
  // Greyed rows take the theme's grey-text colour; a selected row keeps the selection's colours.
  static LRESULT CustomDraw(const ListView& list, NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        if (list.Tone(static_cast<int>(draw.nmcd.dwItemSpec)) == RowTone::kGrey) {
          draw.clrText = ToColorRef(SystemColor::kGrayText);
          return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
      default:
        return CDRF_DODEFAULT;
    }
  }

  static void ItemChanged(ListView& list, const NMLISTVIEW& change) {
    if ((change.uChanged & LVIF_STATE) == 0 ||
        ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) {
      return;
    }
    const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
    const int row = change.iItem >= 0 ? change.iItem : list.SelectedIndex();
    if (row >= 0 && row < list.RowCount()) {
      Access::SelectionChanged(list, row, selected);
    }
  }
};

}  // namespace

const NativeKind& ListViewKind() {
  static const ListViewKindImpl kind;
  return kind;
}

}  // namespace dactyra::ui::detail
