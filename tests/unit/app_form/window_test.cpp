#include <filesystem>
#include <string>

#include "app/main_texts.h"
#include "base/format.h"
#include "ui/detail/backend.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"
#include "verify/verify_texts.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;

class Window : public FormTest {};

std::vector<int> Widths(const TForm1& form) {
  std::vector<int> widths;
  for (const ui::ListColumn& column : form.ListView.Columns()) {
    widths.push_back(column.width);
  }
  return widths;
}

TEST_F(Window, WithoutLanguageFileShowsTheBuiltInTexts) {
  Open();
  EXPECT_EQ(form().Caption(), u"Dactyra V1.0.0.0");
  ASSERT_EQ(form().SystemMenuItems().size(), 2u);  // About above Sensors and sign-in
  EXPECT_EQ(form().SystemMenuItems()[0].id, kAboutCommand);
  EXPECT_EQ(form().SystemMenuItems()[0].text, u"&About...");
  EXPECT_TRUE(form().SystemMenuItems()[0].checked);
  EXPECT_EQ(form().btnEnum.Text(), u"&Read Fingerprints");
  EXPECT_EQ(form().btnVerify.Text(), u"&Verify Fingerprint");
  EXPECT_EQ(form().btnAdd.Text(), u"&Add Fingerprint");
  EXPECT_EQ(form().btnDelete.Text(), u"&Delete Fingerprint");
  EXPECT_EQ(form().ButtonClose.Text(), u"E&xit");
  Lines titles;
  for (const ui::ListColumn& column : form().ListView.Columns()) {
    titles.push_back(column.title);
  }
  EXPECT_EQ(titles, (Lines{u"#", u"Fingerprint Device", u"Device ID", u"Fingerprint ID",
                           u"Fingerprint Description", u"Recognition"}));
  EXPECT_EQ(Widths(form()), (std::vector<int>{30, 185, 60, 80, 170, 125}));
}

TEST_F(Window, LanguageFileReplacesTextsAndIntegerWidthsOnly) {
  WriteLanguage(
      "[main]\ntitle = 5\nbutton.enum = \"\"\nbutton.exit = \"&Quit\"\n"
      "about = \"&Info\"\n"
      "[main.list.columns.1]\nwidth = \"40\"\n"
      "[main.list.columns.2]\nwidth = 250\ntitle = \"Sensor\"\n"
      "[main.list.columns.3]\nwidth = 250.0\n"
      "[log]\nread_data = \"Lese...\"\n");
  Open();
  EXPECT_EQ(form().Caption(), u"Dactyra V1.0.0.0");
  EXPECT_EQ(form().btnEnum.Text(), u"");
  EXPECT_EQ(form().ButtonClose.Text(), u"&Quit");
  EXPECT_EQ(form().SystemMenuItems()[0].text, u"&Info");
  EXPECT_EQ(form().ListView.Columns()[1].title, u"Sensor");
  EXPECT_EQ(Widths(form()), (std::vector<int>{30, 250, 60, 80, 170, 125}));
  EXPECT_EQ(Log()[0], u"Lese...");
}

// The window's font, which its dialogs take over, is the one the language file names.
TEST_F(Window, TakesTheFontOfTheLanguageFile) {
  const ui::FontSpec built_in{std::u16string(kMainFontName.english), kMainFontHeight.built_in};
  const struct {
    const char* language;  // null: no file
    ui::FontSpec font;
  } cases[] = {
      {nullptr, built_in},
      {"[main]\nfont.name = \"Segoe UI\"\nfont.height = 15\n", {u"Segoe UI", 15}},
      {"[main]\nfont.name = \"Malgun Gothic\"\nfont.height = 300\n",
       {u"Malgun Gothic", built_in.pixel_height}},
  };
  for (const auto& [language, font] : cases) {
    SCOPED_TRACE(language != nullptr ? language : "no language file");
    if (language != nullptr) {
      WriteLanguage(language);
    }
    EXPECT_EQ(Open().Font(), font);
    CloseAndDestroy();
  }
}

// Every language file shipped with the program, at 96 and 144 DPI.
TEST_F(Window, NoColumnIsNarrowerThanItsTitleOrItsLanguageWidth) {
  int languages = 0;
  for (const auto& file : std::filesystem::directory_iterator(DACTYRA_LANGUAGE_DIR)) {
    if (file.path().extension() != ".TOML") {
      continue;
    }
    ++languages;
    WriteLanguage(ReadBytes(file.path()));
    const ui::ListView& list = Open().ListView;
    for (const int dpi : {96, 144}) {
      ui::headless::MoveToDpi(form(), dpi);
      for (int i = 0; i < static_cast<int>(list.Columns().size()); ++i) {
        SCOPED_TRACE(file.path().filename().string() + ", " + std::to_string(dpi) + " DPI");
        const ui::ListColumn& column = list.Columns()[static_cast<std::size_t>(i)];
        const int title = ui::detail::MeasureText(form(), column.title).width;
        EXPECT_GE(list.ColumnWidth(i), title + list.Scale(ui::ListView::kTitlePadding));
        EXPECT_GE(list.ColumnWidth(i), list.Scale(column.width));
      }
    }
    CloseAndDestroy();
  }
  EXPECT_GE(languages, 2);
}

// The verification dialog's tally (with three-digit counts), its advice (wrapped, with a tenth
// more width for the words that do not fill a line) and its button fit in every language.
TEST_F(Window, VerificationTallyAndAdviceFitInEveryLanguage) {
  for (const auto& file : std::filesystem::directory_iterator(DACTYRA_LANGUAGE_DIR)) {
    if (file.path().extension() != ".TOML") {
      continue;
    }
    SCOPED_TRACE(file.path().filename().string());
    WriteLanguage(ReadBytes(file.path()));
    Open();
    {
      TFormVerify verify(&form(), form(), {}, {});
      for (int touch = 0; touch < TRecognitionTally::kTouchesBeforeAdvice; ++touch) {
        verify.Dispatch(WM_VERIFY_STATUS, verify_event::kBadCapture, 0);
      }
      const auto size = [&](std::u16string_view text) {
        return ui::detail::MeasureText(verify, text);
      };
      EXPECT_LE(size(Format(form().Get(kVerifyTally), 999, 999)).width,
                verify.lblTally.Bounds().width);
      const ui::Rect& advice = verify.lblAdvice.Bounds();
      const int lines = size(verify.lblAdvice.Text()).width * 11 / 10 / advice.width + 1;
      EXPECT_LE(lines * size(u"x").height, advice.height);
      EXPECT_LT(size(verify.btnReplace.Text()).width, verify.btnReplace.Bounds().width);
    }
    CloseAndDestroy();
  }
}

TEST_F(Window, BrokenLanguageFileGivesTheBuiltInTexts) {
  WriteLanguage("[main\ntitle = \"x\"\n");
  Open();
  EXPECT_EQ(form().btnEnum.Text(), u"&Read Fingerprints");
  EXPECT_EQ(Log()[0], u"Reading fingerprint data...");
}

TEST_F(Window, TranslatedCountThatDoesNotFitEndsTheCommandWithAnErrorBox) {
  StartService(OneSensor({0xF5}));
  WriteLanguage("[log]\nfind = \"%s sensors\"\n");
  Open();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.icon, ui::MessageIcon::kError);
  EXPECT_FALSE(Boxes()[0].request.text.empty());
  EXPECT_EQ(LastLog(), std::u16string(u"SID: ") + kUserSid);
  EXPECT_EQ(form().ListView.RowCount(), 0);
  // The window goes on working: the next command runs (and fails the same way).
  form().btnEnum.Click();
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Log().size(), 6u);
  // The listing never got through, so closing leaves no file behind.
  CloseAndDestroy();
  EXPECT_FALSE(CfgExists());
}

TEST_F(Window, ButtonsFollowTheSelectionAndTheFreeSlots) {
  StartService(OneSensor({0xF5, 0xF6}));
  Open();
  EXPECT_FALSE(form().btnVerify.Enabled());
  EXPECT_FALSE(form().btnDelete.Enabled());
  EXPECT_TRUE(form().btnAdd.Enabled());
  form().ListView.Select(0);
  EXPECT_TRUE(form().btnVerify.Enabled());
  EXPECT_TRUE(form().btnDelete.Enabled());
  form().ListView.Select(-1);
  EXPECT_FALSE(form().btnVerify.Enabled());
  EXPECT_FALSE(form().btnDelete.Enabled());
}

TEST_F(Window, AddNeedsFewerThanTenRows) {
  StartService(OneSensor({0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD}));
  Open();
  EXPECT_TRUE(form().btnAdd.Enabled());
  WriteState(OneSensor({0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE}));
  form().btnEnum.Click();
  EXPECT_EQ(form().ListView.RowCount(), 10);
  EXPECT_FALSE(form().btnAdd.Enabled());
}

TEST_F(Window, ExitClosesTheWindow) {
  Open();
  form().ButtonClose.Click();
  EXPECT_TRUE(form().Closed());
}

// ---- Saving the configuration when the window closes ----------------------------------------

TEST_F(Window, CloseWritesOneEntryPerRow) {
  StartService(OneSensor({0xF5, 0xF6}, "Sensor"));
  WriteCfg(
      "theme = \"dropped\"\n"
      "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"left index\"\n");
  WriteLanguage("[log]\nsaved = \"Gespeichert.\"\n");
  Open();
  CloseAndDestroy();
  EXPECT_EQ(ReadCfg(),
            "\xEF\xBB\xBF"
            "[[finger]]\r\n"
            "description = \"left index\"\r\n"
            "fingerid = \"0xF5\"\r\n"
            "unitid = 1\r\n"
            "user = \"S-1-5-21-1000-2000-3000-1001\"\r\n"
            "\r\n"
            "[[finger]]\r\n"
            "description = \"fingerprint #2\"\r\n"
            "fingerid = \"0xF6\"\r\n"
            "unitid = 1\r\n"
            "user = \"S-1-5-21-1000-2000-3000-1001\"\r\n"
            "\r\n"
            "[units]\r\n"
            "1 = \"Sensor\"\r\n");
}

TEST_F(Window, CloseLogsTheSaveWithTheBuiltInText) {
  StartService(OneSensor({0xF5}));
  WriteLanguage("[log]\nsaved = \"Gespeichert.\"\n");
  Open();
  form().Close();
  EXPECT_EQ(LastLog(), u"The configuration is saved.");
}

TEST_F(Window, CloseWithoutRowsWritesEmptyTables) {
  StartService(OneSensor({}));
  Open();
  form().Close();
  EXPECT_EQ(LastLog(), u"The configuration is saved.");
  EXPECT_EQ(ReadCfg(),
            "\xEF\xBB\xBF"
            "finger = []\r\n\r\n[units]\r\n");
}

// ---- Descriptions are never lost -----------------------------------------------------------

constexpr char kTwoDescriptions[] =
    "[[finger]]\nunitid = 1\nfingerid = \"0xF5\"\ndescription = \"left index\"\n"
    "[[finger]]\nunitid = 3\nfingerid = \"0xF6\"\ndescription = \"right thumb\"\n";

TEST_F(Window, CloseAfterAFailedListingLeavesTheFileAlone) {
  WriteCfg(kTwoDescriptions);  // no service: the listing stops at once
  Open();
  CloseAndDestroy();
  EXPECT_EQ(ReadCfg(), kTwoDescriptions);

  StartService(OneSensor({0xF5}) +
               "[[fail]]\nfunction = \"WinBioOpenSession\"\ncode = 0x80098034\n");
  Open();
  CloseAndDestroy();
  EXPECT_EQ(ReadCfg(), kTwoDescriptions);
}

TEST_F(Window, CloseKeepsTheFingersOfSensorsNotListed) {
  // Sensor 3 is unplugged, sensor 2 cannot be enumerated.
  StartService(
      "[[unit]]\nid = 1\ndescription = \"A\"\n[[unit]]\nid = 2\ndescription = \"B\"\n"
      "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
      "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF5\n"
      "[[fail]]\nfunction = \"WinBioEnumEnrollments\"\ncode = 0x80098036\ncount = 1\n"
      "[[fail]]\nfunction = \"WinBioDeleteTemplate\"\ncode = 0x80098036\ncount = 0\n");
  WriteCfg(std::string(kTwoDescriptions) +
           "[[finger]]\nunitid = 2\nfingerid = \"0xF5\"\ndescription = \"on B\"\n"
           "[[finger]]\nunitid = 1\nfingerid = \"0xF9\"\ndescription = \"deleted meanwhile\"\n");
  Open();
  // Sensor 1 failed its enumeration (the first call), sensor 2 was listed.
  EXPECT_EQ(Column(1), (Lines{u"B"}));
  CloseAndDestroy();
  EXPECT_EQ(
      ReadCfg(),
      "\xEF\xBB\xBF"
      "[[finger]]\r\ndescription = \"on B\"\r\nfingerid = \"0xF5\"\r\nunitid = 2\r\n"
      "user = \"S-1-5-21-1000-2000-3000-1001\"\r\n\r\n"
      "[[finger]]\r\ndescription = \"left index\"\r\nfingerid = \"0xF5\"\r\nunitid = 1\r\n\r\n"
      "[[finger]]\r\ndescription = \"right thumb\"\r\nfingerid = \"0xF6\"\r\nunitid = 3\r\n"
      "\r\n"
      "[[finger]]\r\ndescription = \"deleted meanwhile\"\r\nfingerid = \"0xF9\"\r\n"
      "unitid = 1\r\n\r\n"
      "[units]\r\n2 = \"B\"\r\n");
}

TEST_F(Window, UnreadableConfigurationIsNeverOverwritten) {
  StartService(OneSensor({0xF5}));
  const std::string broken = "[[finger]\nunitid = 1\nfingerid = \"0xF5\"\n";
  WriteCfg(broken);
  Open();
  const Lines log = Log();
  const auto told = std::find(log.begin(), log.end(),
                              u"The configuration file could not be read and was left unchanged.");
  EXPECT_EQ(std::count(log.begin(), log.end(), *told), 1);
  // The next line says why, and where: the header of line 1 lacks its second bracket.
  ASSERT_NE(told + 1, log.end());
  EXPECT_NE(told[1].find(u"line 1, column"), std::u16string::npos) << told[1].size();
  EXPECT_EQ(log.back(), u"Fingerprints recorded: 1");
  EXPECT_EQ(Column(4), (Lines{u"fingerprint #1"}));
  form().Close();
  EXPECT_EQ(Log().end()[-2], u"The configuration file could not be read and was left unchanged.");
  form_.reset();
  EXPECT_EQ(ReadCfg(), broken);
}

TEST_F(Window, SaveThatFailsIsLoggedAsAnError) {
  StartService(OneSensor({0xF5}));
  Open(folder_.File(u"no-such-folder/Dactyra.exe"));
  form().Close();
  EXPECT_TRUE(LastLog().starts_with(u"Error occurred when saving configuration: "));
  EXPECT_NE(LastLog(), u"Error occurred when saving configuration: ");
}

}  // namespace
}  // namespace dactyra::testing
