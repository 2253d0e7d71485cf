// The source scan and the placeholder reading that the language file checks rely on.

#include <gtest/gtest.h>

#include "placeholders.h"
#include "source_scan.h"

namespace dactyra::language_test {
namespace {

std::vector<std::string> Found(const std::vector<TSourceText>& sources) {
  std::vector<std::string> found;
  for (const TLangCall& call : FindLangCalls(sources)) {
    std::string line;
    for (char16_t c : call.section + u"/" + call.key) {
      line += static_cast<char>(c < 0x80 ? c : '?');
    }
    if (call.default_text) {
      line += " =";
      for (char16_t c : *call.default_text) {
        line += static_cast<char>(c < 0x80 ? c : '?');
      }
    }
    if (call.default_number) {
      line += " =" + std::to_string(*call.default_number);
    }
    found.push_back(line);
  }
  return found;
}

TEST(SourceScan, FindsLiteralLookupsHoweverWritten) {
  const std::vector<TSourceText> sources{{"src/app/a.cpp", R"(
    void F() {
      AddLog(GetLangStr(u"log", u"read_data", u"Reading..."));
      AddLog(Format(GetLangStr(u"log",
                               u"find",
                               u"%d devices "
                               u"were found."), count));
      Width(texts.GetLangInt(u"main", u"list.columns.2.width", 300));
      GetLangStr(lang.get(), u"main", u"title", u"Dactyra");
      GetLangStr(u"x", u"a\u00e9\r\n", u"q\"uote");
      // GetLangStr(u"comment", u"line", u"");
      /* GetLangStr(u"comment", u"block", u""); */
      char quote = '"';
      GetLangStr(u"errorcode", row.key, row.text);
      GetLangStr(u"fingers", Hex2Lower(value), Format(u"fingerprint #%d", n));
      GetLangStr(lang, module, id, default_text);
    }
  )"}};
  EXPECT_EQ(Found(sources), (std::vector<std::string>{
                                "log/read_data =Reading...",
                                "log/find =%d devices were found.",
                                "main/list.columns.2.width =300",
                                "main/title =Dactyra",
                                "x/a?\r\n =q\"uote",
                            }));
}

TEST(SourceScan, ResolvesStringConstants) {
  const std::vector<TSourceText> sources{
      {"src/app/keys.h",
       "inline constexpr std::u16string_view kKey = u\"cfg_unreadable\";\n"
       "inline constexpr std::u16string_view kText = u\"Left \" u\"alone.\";\n"
       "constexpr auto kTwice = u\"a\";\n"},
      {"src/app/other.h", "constexpr auto kTwice = u\"b\";\n"},
      {"src/app/b.cpp",
       "void G() {\n"
       "  text = u\"assigned\";\n"
       "  GetLangStr(u\"log\", dactyra::kKey, kText);\n"
       "  GetLangStr(u\"log\", kTwice, u\"\");\n"
       "  GetLangStr(u\"log\", text, u\"\");\n"
       "}\n"}};
  EXPECT_EQ(Found(sources), (std::vector<std::string>{"log/cfg_unreadable =Left alone."}));
}

TEST(SourceScan, FollowsAWrapperInItsOwnFolder) {
  const std::vector<TSourceText> sources{
      {"src/verify/form.cpp", R"(
        std::u16string TFormVerify::LangText(std::u16string_view key,
                                             std::u16string_view default_text) const {
          return texts_.GetLangStr(u"verify", key, default_text);
        }
        void TFormVerify::FormCreate() {
          SetCaption(LangText(u"title", u"Verify fingerprint"));
          if (ok) {
            lblStatus.SetText(
                LangText(u"label.status.1",
                         u"Please waiting..."));
          }
        })"},
      {"src/verify/more.cpp",
       R"(void TFormVerify::Other() { LangText(u"button.close", u"&Close"); })"},
      {"src/enroll/form.cpp", R"(
        std::u16string TFormEnroll::LangText(std::u16string_view key, std::u16string_view d) const {
          return texts_.GetLangStr(u"add", key, d);
        }
        void TFormEnroll::FormCreate() { SetCaption(LangText(u"title", u"Add a fingerprint")); })"},
      {"src/biometric/texts.cpp", R"(
        std::u16string ErrorText(std::int32_t code, const TextSource& texts) {
          for (const Row& row : kRows) {
            if (row.code == code) {
              const std::u16string key = Hex8(row.code);
              return texts.GetLangStr(u"errorcode", key, row.message);
            }
          }
          return ErrorText(u"unknown", texts);
        })"},
      {"src/app/elsewhere.cpp", R"(void H() { LangText(u"not.verify", u""); })"}};
  EXPECT_EQ(Found(sources), (std::vector<std::string>{
                                "verify/title =Verify fingerprint",
                                "verify/label.status.1 =Please waiting...",
                                "verify/button.close =&Close",
                                "add/title =Add a fingerprint",
                            }));
}

TEST(Placeholders, ListsDirectivesInOrder) {
  EXPECT_EQ(Placeholders(u"%s  (UnitID\uFF1A%d)"), (std::vector<std::u16string>{u"%s", u"%d"}));
  EXPECT_EQ(Placeholders(u"0x%s, %-4d%%, %.2x"),
            (std::vector<std::u16string>{u"%s", u"%-4d", u"%.2x"}));
  EXPECT_TRUE(Placeholders(u"100%% sure").empty());
  // A broken directive still counts, so it cannot pass for plain text.
  EXPECT_EQ(Placeholders(u"%q and %"), (std::vector<std::u16string>{u"%q", u"%"}));
}

}  // namespace
}  // namespace dactyra::language_test
