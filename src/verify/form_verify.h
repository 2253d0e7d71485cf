#pragma once

#include <string>

#include "base/text_source.h"
#include "ui/ui.h"
#include "verify/identify_dialog.h"

namespace dactyra {

// The modal dialog that verifies one listed template by a live touch: whether the finger is the
// signed-in user's, the record's finger and on the record's sensor. The record's description can
// be changed in it; the modal result carries no meaning.
class TFormVerify final : public TIdentifyDialog {
 public:
  // Verifies `record` against the user of `context`. Texts (verify_texts.h) come from `texts`,
  // which must outlive the dialog.
  TFormVerify(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
              const TFingerRecord& record);

  // The record it verifies.
  const TFingerRecord& Record() const { return *Compared(); }
  // The description as the user left it in the dialog.
  std::u16string Description() const { return lblTitle.Text(); }

  // The description box, first in the Tab order: the dialog opens with the focus on it.
  ui::LabeledEdit lblTitle{*this, {240, 19, 121, 27}};

 private:
  void TouchIdentified(TVerifyOutcome outcome) override;
  void IdentificationFailed(HRESULT error) override;
};

}  // namespace dactyra
