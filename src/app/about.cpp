// The About box and the version information it shows.

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/main_texts.h"
#include "base/format.h"
#include "documents/link_time.h"

namespace dactyra {
namespace {

constexpr std::u16string_view kAuthor = u"Dactyra developers";
constexpr std::u16string_view kHomePage = u"https://dactyra.example.org";

}  // namespace

void TForm1::ShowAbout() {
  const std::u16string text = Get(kMainAboutAuthor) + std::u16string(kAuthor) + u"\r\n" +
                              Get(kMainAboutVersion) + GetAppVersionField(u"FileVersion") +
                              u"\r\n" + Get(kMainAboutLinkTime) +
                              FormatDateTime(GetLocalLinkerTimestamp(FExecutablePath)) + u"\r\n" +
                              Get(kMainAboutHomePage) + std::u16string(kHomePage);
  ui::ShowMessageBox(nullptr, {Get(kMainTitle), text, ui::MessageIcon::kProgram});
}

std::u16string TForm1::GetAppVersionField(std::u16string_view Key) const {
  return platform::FileVersionField(FExecutablePath, Key);
}

platform::LocalDateTime TForm1::GetLocalLinkerTimestamp(std::u16string_view filename) {
  const TLinkTime link_time = ReadLinkTime(filename, *this);
  if (!link_time.Error.empty()) {
    AddLog(Format(Get(kLogLinkTimeFailed), filename, link_time.Error));
  }
  return link_time.Time;
}

}  // namespace dactyra
