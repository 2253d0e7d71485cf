#include "app/finger_list.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "app/main_texts.h"
#include "base/format.h"
#include "base/hex.h"
#include "base/strings.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

int Column(TColumn column) {
  return static_cast<int>(column);
}

}  // namespace

void TFingerList::AddColumns() {
  for (std::size_t column = 0; column < kMainColumnTitles.size(); ++column) {
    view_.AddColumn(texts_.Get(kMainColumnTitles[column]), texts_.Get(kMainColumnWidths[column]));
  }
}

void TFingerList::Clear() {
  view_.Clear();
  records_.clear();
}

void TFingerList::Add(TFingerRecord record) {
  // The row's cells after its caption (the number), in column order.
  std::vector<std::u16string> cells = {record.DeviceName, IntToText(record.UnitId),
                                       FingerIdText(record.SubFactor), record.Description,
                                       RecognitionText(record.Recognition)};
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

void TFingerList::SetRecognition(std::size_t index, std::optional<TRecognition> recognition) {
  view_.SetCell(static_cast<int>(index), Column(TColumn::kRecognition),
                RecognitionText(recognition));
  records_.at(index).Recognition = recognition;
}

// The date in the user's short date format, as Windows shows dates in its own lists; CFG.TOML
// keeps it as a TOML date.
std::u16string TFingerList::RecognitionText(const std::optional<TRecognition>& recognition) const {
  if (!recognition) {
    return {};
  }
  const TCalendarDay& day = recognition->Tested;
  return Format(texts_.Get(kMainRecognitionCell), recognition->Recognised, recognition->Touches,
                platform::FormatShortDate({day.Year, day.Month, day.Day, 0, 0, 0}));
}

}  // namespace dactyra
