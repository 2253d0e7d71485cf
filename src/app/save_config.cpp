// Rewriting CFG.TOML from the rows of the list.

#include <exception>
#include <vector>

#include "app/config_file.h"
#include "app/main_form.h"
#include "base/error.h"
#include "base/utf.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra {

void TForm1::SaveCfg() {
  const std::u16string saved_error =
      GetLangStr(u"log", u"saved_error", u"Error occurred when saving configuration: ");
  try {
    // The file is read first: a file that cannot be read is never replaced, and the entries of
    // sensors that the last listing did not list are kept.
    TConfigDocument previous = LoadConfig(cfg);
    if (previous.State == TConfigDocument::TState::kUnreadable) {
      AddLog(GetLangStr(u"log", kConfigUnreadableKey, kConfigUnreadableText));
      return;
    }
    std::vector<TConfigRow> rows;
    for (int row = 0; row < ListView.RowCount(); ++row) {
      rows.push_back({ListView.Cell(row, 1), ListView.Cell(row, 2), ListView.Cell(row, 3),
                      ListView.Cell(row, 4)});
    }
    const auto root = BuildConfigFromRows(rows, previous.Document.get(), FListedUnits);
    if (const FileWriteResult written = toml::SaveToFile(root.get(), cfg, true, 0, false);
        !written) {
      AddLog(saved_error + written.reason);
      return;
    }
    AddLog(GetLangStr(u"log", u"saved", u"The configuration is saved."));
  } catch (const Error& error) {
    AddLog(saved_error + error.Message());
  } catch (const std::exception& error) {
    AddLog(saved_error + Utf8ToUtf16(error.what()).value_or(u""));
  }
}

}  // namespace dactyra
