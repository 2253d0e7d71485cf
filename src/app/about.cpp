// The About box and the version information it shows.

#include "app/link_time.h"
#include "app/main_form.h"

namespace dactyra {
namespace {

constexpr std::u16string_view kAuthor = u"Dactyra developers";
constexpr std::u16string_view kHomePage = u"https://dactyra.example.org";

}  // namespace

bool TForm1::WMSysCommand(std::uint32_t command) {
  if (command != kAboutCommand) {
    return false;
  }
  const std::u16string text =
      GetLangStr(u"main", u"author", u"Author: ") + std::u16string(kAuthor) + u"\r\n" +
      GetLangStr(u"main", u"version", u"Version: ") + GetAppVersionField(u"FileVersion") + u"\r\n" +
      GetLangStr(u"main", u"compilationtime", u"Compilation time: ") +
      FormatDateTime(GetLocalLinkerTimestamp(FExecutablePath)) + u"\r\n" +
      GetLangStr(u"main", u"homepage", u"HomePage: ") + std::u16string(kHomePage);
  ui::ShowInformation(nullptr, GetLangStr(u"main", u"title", u"Dactyra"), text);
  return true;
}

std::u16string TForm1::GetAppVersionField(std::u16string_view Key) const {
  return platform::FileVersionField(FExecutablePath, Key);
}

platform::LocalDateTime TForm1::GetLocalLinkerTimestamp(std::u16string_view filename) {
  const TLinkTime link_time = ReadLinkTime(filename);
  if (!link_time.Error.empty()) {
    AddLog(u"\u6587\u4EF6" + std::u16string(filename) +
           u"\u65F6\u95F4\u8F6C\u6362\u5931\u8D25\uFF1A" + link_time.Error);
  }
  return link_time.Time;
}

}  // namespace dactyra
