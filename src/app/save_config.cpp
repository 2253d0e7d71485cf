// Rewriting CFG.TOML from the records of the list.

#include <exception>

#include "app/main_form.h"
#include "base/error.h"
#include "documents/config_file.h"

namespace dactyra {

void TForm1::SaveCfg() {
  try {
    // The file is read first: a file that cannot be read is never replaced, and the entries of
    // sensors that the last listing did not list are kept.
    const std::unique_ptr<toml::TTOMLTable> previous = FConfig.Load();
    if (previous == nullptr) {
      return;
    }
    const auto root =
        BuildConfigFromRecords(FFingers.Records(), previous.get(), FListedUnits, Owner());
    FConfig.Save(*root, true);
  } catch (const std::exception& error) {
    FConfig.LogSaveError(ErrorText(error));
  }
}

}  // namespace dactyra
