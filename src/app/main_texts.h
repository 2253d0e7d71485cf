#pragma once

// The texts of the main window, its menus and its small dialogs (section "main" of the language
// files), each written once: its key and its built-in English.

#include <array>
#include <cstdint>
#include <utility>

#include "base/text_source.h"

namespace dactyra {

#define DACTYRA_MAIN_TEXTS(TEXT)                                                                   \
  TEXT(kMainTitle, u"main", u"title", u"Dactyra")                                                  \
  TEXT(kMainUserLabel, u"main", u"label.user", u"User: ")                                          \
  /* The label above the list until a listing names the user. */                                   \
  TEXT(kMainCurrentUserLabel, u"main", u"label.current_user", u"Current user: ")                   \
  /* The command buttons and the offer of the system's sign-in options. */                         \
  TEXT(kMainButtonRead, u"main", u"button.enum", u"&Read Fingerprints")                            \
  TEXT(kMainButtonVerify, u"main", u"button.verify", u"&Verify Fingerprint")                       \
  TEXT(kMainButtonAdd, u"main", u"button.add", u"&Add Fingerprint")                                \
  TEXT(kMainButtonDelete, u"main", u"button.del", u"&Delete Fingerprint")                          \
  TEXT(kMainButtonExit, u"main", u"button.exit", u"E&xit")                                         \
  TEXT(kMainButtonSignInOptions, u"main", u"button.signin", u"Open &Sign-in options")              \
  /* The list's context menu: the names of its commands, each shown with its key. */               \
  TEXT(kMainMenuVerify, u"main", u"menu.verify", u"&Verify Fingerprint")                           \
  TEXT(kMainMenuRename, u"main", u"menu.rename", u"Rena&me")                                       \
  TEXT(kMainMenuReplace, u"main", u"menu.replace", u"Re&place Fingerprint")                        \
  /* Takes the place of "Verify Fingerprint" for a finger that is no longer enrolled. */           \
  TEXT(kMainMenuAddAgain, u"main", u"menu.add_again", u"&Add Again")                               \
  TEXT(kMainMenuDelete, u"main", u"menu.del", u"&Delete Fingerprint")                              \
  TEXT(kMainMenuWhichFinger, u"main", u"menu.which", u"&Which finger is this?")                    \
  TEXT(kMainMenuRead, u"main", u"menu.enum", u"&Read Fingerprints")                                \
  /* The sensor selection dialog. */                                                               \
  TEXT(kMainSensorCaption, u"main", u"form.select", u"Select Fingerprint sensor")                  \
  TEXT(kMainSensorQuestion, u"main", u"radio.select", u"Select the sensor you want to use:")       \
  TEXT(kMainSensorAuto, u"main", u"radio.auto", u"Auto")                                           \
  TEXT(kMainSensorItem, u"main", u"radio.item", u"%s  (UnitID\uFF1A%d)")                           \
  /* The rename dialog, and the buttons of both small dialogs. */                                  \
  TEXT(kMainRenameCaption, u"main", u"form.rename", u"Rename fingerprint")                         \
  TEXT(kMainRenameLabel, u"main", u"label.rename", u"Description:")                                \
  TEXT(kMainButtonOk, u"main", u"button.ok", u"&OK")                                               \
  TEXT(kMainButtonCancel, u"main", u"button.cancel", u"&Cancel")                                   \
  /* The question before a deletion. */                                                            \
  TEXT(kMainDeleteQuestionTitle, u"main", u"msg.querydel.title", u"Query")                         \
  TEXT(kMainDeleteQuestion, u"main", u"msg.querydel.text",                                         \
       u"Confirm deletion of the following fingerprint? \r\n\r\n  Fingerprint device: %s (Device " \
       u"ID: %d)\r\n  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\nThis operation is " \
       u"irreversible!")                                                                           \
  TEXT(kMainDeleteLastFinger, u"main", u"msg.querydel.last",                                       \
       u"This is your last fingerprint: afterwards you sign in with your PIN or password.")        \
  /* The questions before a finger is replaced, and before a finger that is no longer enrolled     \
     is forgotten; their title is the deletion question's. */                                      \
  TEXT(kMainReplaceQuestion, u"main", u"msg.queryreplace.text",                                    \
       u"Replace the following fingerprint? \r\n\r\n  Fingerprint device: %s (Device ID: "         \
       u"%d)\r\n  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\nIts old print is "      \
       u"deleted first, because Windows does not accept a second print of the same finger. Then "  \
       u"touch the sensor with the same finger to enroll it again; its description stays.")        \
  TEXT(kMainForgetQuestion, u"main", u"msg.queryforget.text",                                      \
       u"Forget the following fingerprint? \r\n\r\n  Fingerprint device: %s (Device ID: "          \
       u"%d)\r\n  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\nWindows no longer "     \
       u"has this fingerprint: only its description is removed.")                                  \
  /* What a row shows for a finger that is no longer enrolled. */                                  \
  TEXT(kMainNotEnrolled, u"main", u"list.not_enrolled", u"not enrolled")                           \
  /* The system menu's About item and the About box. */                                            \
  TEXT(kMainAboutItem, u"main", u"about", u"&About...")                                            \
  TEXT(kMainAboutAuthor, u"main", u"author", u"Author: ")                                          \
  TEXT(kMainAboutVersion, u"main", u"version", u"Version: ")                                       \
  TEXT(kMainAboutLinkTime, u"main", u"compilationtime", u"Compilation time: ")                     \
  TEXT(kMainAboutHomePage, u"main", u"homepage", u"HomePage: ")                                    \
  /* A cell of the Recognition column: touches recognised, touches, the day of the test in the     \
     user's short date format. */                                                                  \
  TEXT(kMainRecognitionCell, u"main", u"list.recognition", u"%d of %d \u00B7 %s")
DACTYRA_TEXT_TABLE(kMainTexts, DACTYRA_MAIN_TEXTS);

// The window's font, which the dialogs take over: each language file names the face Windows
// uses for its interface in that language (an empty name: the system's message font), and its
// height in pixels at 96 DPI; a height outside kMainFontHeightRange is taken for the built-in
// one. Not in kMainTexts: the English file names the face of English Windows, not this default.
inline constexpr TranslatableText kMainFontName{u"main", u"font.name", u"Microsoft YaHei"};
inline constexpr TranslatableNumber kMainFontHeight{u"main", u"font.height", 13};
inline constexpr std::pair<std::int32_t, std::int32_t> kMainFontHeightRange{8, 32};

// The columns of the list, in their order on the screen: titles and widths in pixels.
inline constexpr std::array<TranslatableText, 6> kMainColumnTitles{{
    {u"main", u"list.columns.1.title", u"#"},
    {u"main", u"list.columns.2.title", u"Fingerprint Device"},
    {u"main", u"list.columns.3.title", u"Device ID"},
    {u"main", u"list.columns.4.title", u"Fingerprint ID"},
    {u"main", u"list.columns.5.title", u"Fingerprint Description"},
    {u"main", u"list.columns.6.title", u"Recognition"},
}};
inline constexpr std::array<TranslatableNumber, 6> kMainColumnWidths{{
    {u"main", u"list.columns.1.width", 30},
    {u"main", u"list.columns.2.width", 185},
    {u"main", u"list.columns.3.width", 60},
    {u"main", u"list.columns.4.width", 80},
    {u"main", u"list.columns.5.width", 170},
    {u"main", u"list.columns.6.width", 125},
}};

}  // namespace dactyra
