#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace dactyra::ui {

struct ListColumn {
  std::u16string title;
  int width = 0;  // 96-DPI pixels
};

// How a row's texts are painted: as every row's, or greyed, for something that is there but not
// in use, in the theme's colour for such text (which a high-contrast theme chooses as well).
enum class RowTone { kNormal, kGrey };

// One row: its caption (column 0), the texts of the further columns, the index of the caller's
// record that the row shows (the list does not own it), and its tone.
struct ListRow {
  std::vector<std::u16string> cells;
  std::optional<std::size_t> data;
  RowTone tone = RowTone::kNormal;
};

class ListView;

// A request for the list's context menu.
struct ContextMenuRequest {
  int row = -1;    // the row it is for: the one right-clicked, or the selected one; -1 for none
  Point position;  // where to show the menu (screen pixels): at the click, or at the row
  bool from_keyboard = false;  // the Menu key or Shift+F10
};

// Suspends the list's repainting while it lives (rows are added faster and without flicker).
// Guards nest; the list repaints once when the last one ends.
class [[nodiscard]] RedrawSuspension {
 public:
  explicit RedrawSuspension(ListView& list);
  ~RedrawSuspension();
  RedrawSuspension(const RedrawSuspension&) = delete;
  RedrawSuspension& operator=(const RedrawSuspension&) = delete;

 private:
  ListView& list_;
};

// A report-style list: columns with titles, whole-row single selection that stays visible when
// the list loses the focus, grid lines, captions that the user cannot edit.
class ListView final : public Control {
 public:
  // Room beside a column title in its header (96-DPI pixels, both sides together).
  static constexpr int kTitlePadding = 16;

  ListView(Control& parent, const Placement& placement);
  ~ListView() override;

  void AddColumn(std::u16string title, int width);
  const std::vector<ListColumn>& Columns() const { return columns_; }
  // A column's width on the screen (device pixels): the width asked for, widened where its
  // title in the form's font needs more, so that no title is cut.
  int ColumnWidth(int column) const;

  // Adds a row at the end; returns its index. Cells past the last column are kept but not
  // shown.
  int AddRow(std::u16string caption, std::vector<std::u16string> sub_items = {},
             std::optional<std::size_t> data = std::nullopt, RowTone tone = RowTone::kNormal);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Column 0 is the caption. A row or column out of range reads as empty.
  const std::u16string& Cell(int row, int column) const;
  // Out of range: nothing happens.
  void SetCell(int row, int column, std::u16string text);
  std::optional<std::size_t> RowData(int row) const;
  // A row out of range reads as normal.
  RowTone Tone(int row) const;
  // Removes every row (no selection events).
  void Clear();

  // The selected row, -1 when none.
  int SelectedIndex() const { return selected_; }
  // Selects a row (-1: none) as a click does, with its selection events.
  void Select(int row);
  // A double click on a row as the user makes it: selects it, then OnDoubleClick.
  void DoubleClickRow(int row);
  // A right click as the user makes it, at `position` (screen pixels) on `row` (-1: beside the
  // rows): selects the row (none for -1), then OnContextMenu.
  void RightClick(int row, Point position);
  // The Menu key or Shift+F10 as the user presses it: OnContextMenu for the selected row, at
  // that row (at the list's corner when none is selected).
  void ContextMenuKey();

  bool RedrawSuspended() const { return redraw_suspensions_ > 0; }

  // Selection changes: the row that changed and whether it is now selected.
  std::function<void(int row, bool selected)> OnSelectItem;
  std::function<void()> OnDoubleClick;
  // A key pressed while the list has the focus (see Control::KeyDown); true when handled.
  std::function<bool(Key key)> OnKeyDown;
  std::function<void(const ContextMenuRequest& request)> OnContextMenu;

 protected:
  bool HandleKey(Key key) override;

 private:
  friend struct detail::Access;
  friend class RedrawSuspension;

  // The model follows a selection change (made by the user or by Select) and tells OnSelectItem.
  void SelectionChanged(int row, bool selected);
  void SuspendRedraw();
  void ResumeRedraw();

  std::vector<ListColumn> columns_;
  std::vector<ListRow> rows_;
  int selected_ = -1;
  int redraw_suspensions_ = 0;
};

}  // namespace dactyra::ui
