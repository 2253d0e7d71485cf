#include "app/finger_list.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "base/hex.h"
#include "base/strings.h"

namespace dactyra {
namespace {

struct TColumnText {
  std::u16string_view title_key;
  std::u16string_view title;
  std::u16string_view width_key;
  std::int32_t width;
};

// In the order of TColumn.
constexpr TColumnText kColumns[] = {
    {u"list.columns.1.title", u"#", u"list.columns.1.width", 30},
    {u"list.columns.2.title", u"Fingerprint Device", u"list.columns.2.width", 300},
    {u"list.columns.3.title", u"Device ID", u"list.columns.3.width", 60},
    {u"list.columns.4.title", u"Fingerprint ID", u"list.columns.4.width", 80},
    {u"list.columns.5.title", u"Fingerprint Description", u"list.columns.5.width", 170},
};

int Column(TColumn column) {
  return static_cast<int>(column);
}

}  // namespace

void TFingerList::AddColumns(const TextSource& texts) {
  for (const TColumnText& column : kColumns) {
    view_.AddColumn(texts.GetLangStr(u"main", column.title_key, column.title),
                    texts.GetLangInt(u"main", column.width_key, column.width));
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
