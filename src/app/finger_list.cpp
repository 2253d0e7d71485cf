#include "app/finger_list.h"

#include <algorithm>
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
                                       RecognitionText(record)};
  const ui::RowTone tone =
      record.State == TFingerState::kRemembered ? ui::RowTone::kGrey : ui::RowTone::kNormal;
  records_.push_back(std::move(record));
  view_.AddRow(IntToText(records_.size()), std::move(cells), records_.size() - 1, tone);
}

std::size_t TFingerList::CountOf(TFingerState state) const {
  return static_cast<std::size_t>(std::ranges::count(records_, state, &TFingerRecord::State));
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
  TFingerRecord& record = records_.at(index);
  record.Recognition = recognition;
  view_.SetCell(static_cast<int>(index), Column(TColumn::kRecognition), RecognitionText(record));
}

// A remembered finger is not enrolled; a tested one has its result, with the date in the user's
// short date format, as Windows shows dates in its own lists (CFG.TOML keeps it as a TOML date).
std::u16string TFingerList::RecognitionText(const TFingerRecord& record) const {
  if (record.State == TFingerState::kRemembered) {
    return texts_.Get(kMainNotEnrolled);
  }
  if (!record.Recognition) {
    return {};
  }
  const TCalendarDay& day = record.Recognition->Tested;
  return Format(texts_.Get(kMainRecognitionCell), record.Recognition->Recognised,
                record.Recognition->Touches,
                platform::FormatShortDate({day.Year, day.Month, day.Day, 0, 0, 0}));
}

}  // namespace dactyra
