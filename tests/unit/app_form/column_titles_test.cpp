// The list's column titles in every language file shipped with the program, at 96 and 144 DPI.

#include <filesystem>
#include <string>

#include "ui/detail/backend.h"
#include "unit/app_form/form_fixture.h"

namespace dactyra::testing {
namespace {

class ColumnTitles : public FormTest {};

TEST_F(ColumnTitles, NoColumnIsNarrowerThanItsTitleOrItsLanguageWidth) {
  int languages = 0;
  for (const auto& file : std::filesystem::directory_iterator(DACTYRA_LANGUAGE_DIR)) {
    if (file.path().extension() != ".TOML") {
      continue;
    }
    ++languages;
    WriteLanguage(ReadBytes(file.path()));
    Open();
    const ui::ListView& list = form().ListView;
    for (const int dpi : {96, 144}) {
      ui::headless::MoveToDpi(form(), dpi);
      for (int i = 0; i < static_cast<int>(list.Columns().size()); ++i) {
        const ui::ListColumn& column = list.Columns()[static_cast<std::size_t>(i)];
        SCOPED_TRACE(file.path().filename().string() + " at " + std::to_string(dpi) +
                     " DPI, column " + std::to_string(i + 1));
        const int title = ui::detail::MeasureText(form(), column.title, false).width;
        EXPECT_GE(list.ColumnWidth(i), title + list.Scale(ui::ListView::kTitlePadding));
        EXPECT_GE(list.ColumnWidth(i), list.Scale(column.width));
      }
    }
    CloseAndDestroy();
  }
  EXPECT_GE(languages, 2);
}

}  // namespace
}  // namespace dactyra::testing
