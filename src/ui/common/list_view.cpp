#include "ui/list_view.h"

#include <algorithm>

#include "ui/detail/backend.h"

namespace dactyra::ui {

RedrawSuspension::RedrawSuspension(ListView& list) : list_(list) {
  list_.SuspendRedraw();
}

RedrawSuspension::~RedrawSuspension() {
  list_.ResumeRedraw();
}

ListView::ListView(Control& parent, const Placement& placement)
    : Control(&parent, ControlKind::kListView, placement, {}) {
  Realize();
}

ListView::~ListView() = default;

void ListView::AddColumn(std::u16string title, int width) {
  columns_.push_back({std::move(title), width});
  detail::ListAddColumn(*this, static_cast<int>(columns_.size()) - 1);
}

int ListView::ColumnWidth(int column) const {
  const ListColumn& spec = columns_.at(static_cast<std::size_t>(column));
  const int title = detail::MeasureText(OwnerForm(), spec.title).width;
  return std::max(Scale(spec.width), title + Scale(kTitlePadding));
}

int ListView::AddRow(std::u16string caption, std::vector<std::u16string> sub_items,
                     std::optional<std::size_t> data, RowTone tone) {
  ListRow row;
  row.cells.reserve(sub_items.size() + 1);
  row.cells.push_back(std::move(caption));
  for (auto& text : sub_items) {
    row.cells.push_back(std::move(text));
  }
  row.data = data;
  row.tone = tone;
  rows_.push_back(std::move(row));
  const int index = RowCount() - 1;
  detail::ListInsertRow(*this, index);
  return index;
}

const std::u16string& ListView::Cell(int row, int column) const {
  static const std::u16string kEmpty;
  if (row < 0 || row >= RowCount() || column < 0) {
    return kEmpty;
  }
  const auto& cells = rows_[static_cast<std::size_t>(row)].cells;
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                         : kEmpty;
}

void ListView::SetCell(int row, int column, std::u16string text) {
  if (row < 0 || row >= RowCount() || column < 0) {
    return;
  }
  auto& cells = rows_[static_cast<std::size_t>(row)].cells;
  if (static_cast<std::size_t>(column) >= cells.size()) {
    cells.resize(static_cast<std::size_t>(column) + 1);
  }
  cells[static_cast<std::size_t>(column)] = std::move(text);
  detail::ListSetCell(*this, row, column);
}

std::optional<std::size_t> ListView::RowData(int row) const {
  if (row < 0 || row >= RowCount()) {
    return std::nullopt;
  }
  return rows_[static_cast<std::size_t>(row)].data;
}

RowTone ListView::Tone(int row) const {
  if (row < 0 || row >= RowCount()) {
    return RowTone::kNormal;
  }
  return rows_[static_cast<std::size_t>(row)].tone;
}

void ListView::Clear() {
  rows_.clear();
  selected_ = -1;
  detail::ListClear(*this);
}

void ListView::Select(int row) {
  if (row < -1 || row >= RowCount()) {
    return;
  }
  detail::ListSelect(*this, row);
}

void ListView::DoubleClickRow(int row) {
  if (row < 0 || row >= RowCount()) {
    return;
  }
  Select(row);
  RunHandler(OnDoubleClick);
}

void ListView::RightClick(int row, Point position) {
  if (row < -1 || row >= RowCount()) {
    return;
  }
  Select(row);
  RunHandler(OnContextMenu, ContextMenuRequest{row, position, false});
}

void ListView::ContextMenuKey() {
  const int row = SelectedIndex();
  RunHandler(OnContextMenu, ContextMenuRequest{row, detail::ListMenuPoint(*this, row), true});
}

bool ListView::HandleKey(Key key) {
  return HandledBy(OnKeyDown, key);
}

void ListView::SelectionChanged(int row, bool selected) {
  if (selected) {
    selected_ = row;
  } else if (selected_ == row) {
    selected_ = -1;
  }
  RunHandler(OnSelectItem, row, selected);
}

void ListView::SuspendRedraw() {
  if (redraw_suspensions_++ == 0) {
    detail::ListSetRedraw(*this, false);
  }
}

void ListView::ResumeRedraw() {
  if (--redraw_suspensions_ == 0) {
    detail::ListSetRedraw(*this, true);
  }
}

}  // namespace dactyra::ui
