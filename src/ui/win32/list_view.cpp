// The report-style list on the common list-view control.

#include <windows.h>

#include <commctrl.h>

#include "ui/detail/backend.h"
#include "ui/win32/internal.h"

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
  item.cx = list.Scale(spec.width);
  item.pszText = reinterpret_cast<wchar_t*>(title.data());
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
  item.pszText = reinterpret_cast<wchar_t*>(text.data());
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
  item.pszText = reinterpret_cast<wchar_t*>(caption.data());
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

LRESULT HandleListNotify(ListView& list, const NMHDR& header) {
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) == 0 ||
          ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) {
        return 0;
      }
      const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
      const int row = change.iItem >= 0 ? change.iItem : list.SelectedIndex();
      if (row >= 0 && row < list.RowCount()) {
        Access::SelectionChanged(list, row, selected);
      }
      return 0;
    }
    case NM_DBLCLK: {
      const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (activate.iItem >= 0) {
        Access::DoubleClicked(list);
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace dactyra::ui::detail
