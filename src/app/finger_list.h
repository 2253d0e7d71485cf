#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/text_source.h"
#include "biometric/winbio_types.h"
#include "ui/list_view.h"

namespace dactyra {

// The columns of the fingerprint list, in their order on the screen.
enum class TColumn : int { kNumber, kDevice, kUnitId, kFingerId, kDescription, kRecognition };

// The user's fingers as the main window lists them: the records are the model, one per row in
// list order, and the list view only shows them. A remembered finger (no longer enrolled) is shown
// in grey, "not enrolled" in its Recognition column. Its titles, widths and cells take their texts
// from section "main" of `texts`, which must outlive it.
class TFingerList {
 public:
  TFingerList(ui::ListView& view, const TextSource& texts) : view_(view), texts_(texts) {}

  // The six columns, titled and sized.
  void AddColumns();

  void Clear();
  // Adds the record as the last row, numbered from 1.
  void Add(TFingerRecord record);
  const std::vector<TFingerRecord>& Records() const { return records_; }
  std::size_t Count() const { return records_.size(); }
  // The records in that state.
  std::size_t CountOf(TFingerState state) const;

  // The index of the selected row's record; none when no row is selected.
  std::optional<std::size_t> Selected() const;

  // Selects the row of a record, scrolled into view, and gives the list the focus.
  void Show(std::size_t index);

  // Changes a record's description, and the row that shows it.
  void SetDescription(std::size_t index, std::u16string description);
  // Changes the result of a record's last test, and the row that shows it.
  void SetRecognition(std::size_t index, std::optional<TRecognition> recognition);

 private:
  // What the Recognition column shows for a record.
  std::u16string RecognitionText(const TFingerRecord& record) const;

  ui::ListView& view_;
  const TextSource& texts_;
  std::vector<TFingerRecord> records_;
};

}  // namespace dactyra
