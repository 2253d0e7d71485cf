// The About item of the system menu and the box it shows.

#include "platform/platform.h"
#include "unit/app_form/form_fixture.h"
#include "unit/documents/pe_file.h"

namespace dactyra::testing {
namespace {

constexpr std::uint32_t kStamp = 1700000000;

class About : public FormTest {
 protected:
  void WriteExecutable(const std::string& bytes) {
    WriteBytes(folder_.path() / "Dactyra.exe", bytes);
  }
};

TEST_F(About, TheBoxNamesAuthorVersionLinkTimeAndHomePage) {
  WriteExecutable(PeHeaders(kStamp));
  Open();
  ASSERT_EQ(form().SystemMenuItems().size(), 2u);  // About above Sensors and sign-in
  EXPECT_EQ(form().SystemMenuItems()[0].id, 0x401u);
  EXPECT_TRUE(form().SystemMenuItems()[0].checked);
  EXPECT_TRUE(form().SysCommand(0x401));
  ASSERT_EQ(Boxes().size(), 1u);
  const ui::MessageBoxRequest& box = Boxes()[0].request;
  EXPECT_EQ(box.caption, u"Dactyra");
  EXPECT_EQ(box.icon, ui::MessageIcon::kProgram);
  EXPECT_EQ(box.buttons, ui::MessageButtons::kOk);
  const platform::LocalDateTime linked = platform::UtcSecondsToLocalTime(kStamp).value();
  EXPECT_EQ(box.text, u"Author: Dactyra developers\r\nVersion: 1.0.0.0\r\nCompilation time: " +
                          platform::FormatShortDate(linked) + u" " +
                          platform::FormatLongTime(linked) +
                          u"\r\nHomePage: https://dactyra.example.org");
}

TEST_F(About, OtherSystemCommandsBuildNoBox) {
  Open();
  for (const std::uint32_t command : {0xF020u, 0xF010u, 0xF060u, 0x400u}) {
    EXPECT_FALSE(form().SysCommand(command));
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(About, TranslatedLabels) {
  WriteExecutable(PeHeaders(kStamp));
  WriteLanguage(
      "[main]\ntitle = \"指纹\"\nauthor = \"作者：\"\nversion = \"版本：\"\n"
      "compilationtime = \"编译时间：\"\nhomepage = \"主页：\"\n");
  Open();
  EXPECT_EQ(form().Caption(), u"指纹 V1.0.0.0");
  form().SysCommand(0x401);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.caption, u"指纹");
  EXPECT_TRUE(
      Boxes()[0].request.text.starts_with(u"作者：Dactyra developers\r\n版本：1.0.0.0\r\n"
                                          u"编译时间："));
  EXPECT_TRUE(Boxes()[0].request.text.ends_with(u"\r\n主页：https://dactyra.example.org"));
}

TEST_F(About, AnUnreadableStampIsLoggedAndShownAsTheZeroDate) {
  WriteExecutable("MZ too short");
  Open();
  form().SysCommand(0x401);
  ASSERT_EQ(Boxes().size(), 1u);
  const std::u16string zero = platform::FormatShortDate({1899, 12, 30, 0, 0, 0});
  EXPECT_NE(Boxes()[0].request.text.find(u"\r\nCompilation time: " + zero + u"\r\n"),
            std::u16string::npos);
  const std::u16string line = LastLog();
  EXPECT_TRUE(line.starts_with(u"文件" + folder_.File(u"Dactyra.exe") + u"时间转换失败："));
  EXPECT_GT(line.size(), (u"文件" + folder_.File(u"Dactyra.exe") + u"时间转换失败：").size());
}

TEST_F(About, AnExecutableThatCannotBeOpenedEndsTheCommandWithAnErrorBox) {
  Open();  // no file at the executable's path
  form().SysCommand(0x401);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.icon, ui::MessageIcon::kError);
  form().btnEnum.Click();  // the window goes on working
  EXPECT_EQ(LastLog(), u"Unable to load winbio.dll or failed to get the function address.");
}

}  // namespace
}  // namespace dactyra::testing
