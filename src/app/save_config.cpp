// Rewriting CFG.TOML from the records of the list.

#include <exception>

#include "app/main_form.h"
#include "base/error.h"
#include "documents/config_file.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// Empties `document` and moves the entries of `rebuilt` into it, in their order.
void TakeEntries(toml::TTOMLTable& document, toml::TTOMLTable& rebuilt) {
  toml::Clear(&document);
  toml::TTOMLOrderedTable& entries = rebuilt.Items();
  for (std::int32_t i = 0; i < entries.Count(); ++i) {
    document.Add(entries.GetKey(i), entries.SetValue(i, nullptr));
  }
}

}  // namespace

void TForm1::SaveCfg() {
  try {
    // The file is read first: a file that cannot be read is never replaced, and the entries of
    // sensors that the last listing did not list are kept.
    FConfig.Change(
        [this](toml::TTOMLTable& previous) {
          const auto root =
              BuildConfigFromRecords(FFingers.Records(), &previous, FListedUnits, Owner());
          TakeEntries(previous, *root);
          return std::u16string();
        },
        true);
  } catch (const std::exception& error) {
    FConfig.LogSaveError(ErrorText(error));
  }
}

}  // namespace dactyra
