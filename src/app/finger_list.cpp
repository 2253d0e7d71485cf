#include "app/finger_list.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "app/main_texts.h"
#include "base/hex.h"
#include "base/strings.h"

namespace dactyra {
namespace {

int Column(TColumn column) {
  return static_cast<int>(column);
}

}  // namespace

void TFingerList::AddColumns(const TextSource& texts) {
  for (std::size_t column = 0; column < kMainColumnTitles.size(); ++column) {
    view_.AddColumn(texts.Get(kMainColumnTitles[column]), texts.Get(kMainColumnWidths[column]));
  }
}

void TFingerList::Clear() {
  view_.Clear();
  records_.clear();
}

void TFingerList::Add(TFingerRecord record) {
  // The row's cells after its caption (the number), in column order.
  std::vector<std::u16string> cells = {record.DeviceName, IntToText(record.UnitId),
                                       FingerIdText(record.SubFactor), record.Description};
  records_.push_back(std::move(record));
  view_.AddRow(IntToText(records_.size()), std::move(cells), records_.size() - 1);
}

std::optional<std::size_t> TFingerList::Selected() const {
  const std::optional<std::size_t> index = view_.RowData(view_.SelectedIndex());
  if (!index || *index >= records_.size()) {
    return std::nullopt;
  }
  return index;
}

void TFingerList::Show(std::size_t index) {
  view_.Select(static_cast<int>(index));
  view_.SetFocus();
}

void TFingerList::SetDescription(std::size_t index, std::u16string description) {
  view_.SetCell(static_cast<int>(index), Column(TColumn::kDescription), description);
  records_.at(index).Description = std::move(description);
}

}  // namespace dactyra
