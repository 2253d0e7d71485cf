#pragma once

// The texts of the main window, its menus and its small dialogs (section "main" of the language
// files), each written once: its key and its built-in English.

#include <array>
#include <cstdint>
#include <utility>

#include "base/text_source.h"

namespace dactyra {

inline constexpr TranslatableText kMainTitle{u"main", u"title", u"Dactyra"};

// The window's font, which the dialogs take over: each language file names the face Windows
// uses for its interface in that language, and its height in pixels at 96 DPI. A height outside
// kMainFontHeightRange is taken for the built-in one; an empty name means the system's message
// font.
inline constexpr TranslatableText kMainFontName{u"main", u"font.name", u"Microsoft YaHei"};
inline constexpr TranslatableNumber kMainFontHeight{u"main", u"font.height", 13};
inline constexpr std::pair<std::int32_t, std::int32_t> kMainFontHeightRange{8, 32};
inline constexpr TranslatableText kMainUserLabel{u"main", u"label.user", u"User: "};

// The command buttons and the offer of the system's sign-in options.
inline constexpr TranslatableText kMainButtonRead{u"main", u"button.enum", u"&Read Fingerprints"};
inline constexpr TranslatableText kMainButtonVerify{u"main", u"button.verify",
                                                    u"&Verify Fingerprint"};
inline constexpr TranslatableText kMainButtonAdd{u"main", u"button.add", u"&Add Fingerprint"};
inline constexpr TranslatableText kMainButtonDelete{u"main", u"button.del", u"&Delete Fingerprint"};
inline constexpr TranslatableText kMainButtonExit{u"main", u"button.exit", u"E&xit"};
inline constexpr TranslatableText kMainButtonSignInOptions{u"main", u"button.signin",
                                                           u"Open &Sign-in options"};

// The list's context menu, with the keys of its commands.
inline constexpr TranslatableText kMainMenuVerify{u"main", u"menu.verify",
                                                  u"&Verify Fingerprint\tEnter"};
inline constexpr TranslatableText kMainMenuRename{u"main", u"menu.rename", u"Rena&me\tF2"};
inline constexpr TranslatableText kMainMenuDelete{u"main", u"menu.del",
                                                  u"&Delete Fingerprint\tDel"};
inline constexpr TranslatableText kMainMenuWhichFinger{u"main", u"menu.which",
                                                       u"&Which finger is this?\tF3"};
inline constexpr TranslatableText kMainMenuRead{u"main", u"menu.enum", u"&Read Fingerprints\tF5"};

// The columns of the list, in their order on the screen: titles and widths in pixels.
inline constexpr std::array<TranslatableText, 5> kMainColumnTitles{{
    {u"main", u"list.columns.1.title", u"#"},
    {u"main", u"list.columns.2.title", u"Fingerprint Device"},
    {u"main", u"list.columns.3.title", u"Device ID"},
    {u"main", u"list.columns.4.title", u"Fingerprint ID"},
    {u"main", u"list.columns.5.title", u"Fingerprint Description"},
}};
inline constexpr std::array<TranslatableNumber, 5> kMainColumnWidths{{
    {u"main", u"list.columns.1.width", 30},
    {u"main", u"list.columns.2.width", 300},
    {u"main", u"list.columns.3.width", 60},
    {u"main", u"list.columns.4.width", 80},
    {u"main", u"list.columns.5.width", 170},
}};

// The sensor selection dialog.
inline constexpr TranslatableText kMainSensorCaption{u"main", u"form.select",
                                                     u"Select Fingerprint sensor"};
inline constexpr TranslatableText kMainSensorQuestion{u"main", u"radio.select",
                                                      u"Select the sensor you want to use:"};
inline constexpr TranslatableText kMainSensorAuto{u"main", u"radio.auto", u"Auto"};
inline constexpr TranslatableText kMainSensorItem{u"main", u"radio.item", u"%s  (UnitID\uFF1A%d)"};

// The rename dialog, and the buttons of both small dialogs.
inline constexpr TranslatableText kMainRenameCaption{u"main", u"form.rename",
                                                     u"Rename fingerprint"};
inline constexpr TranslatableText kMainRenameLabel{u"main", u"label.rename", u"Description:"};
inline constexpr TranslatableText kMainButtonOk{u"main", u"button.ok", u"&OK"};
inline constexpr TranslatableText kMainButtonCancel{u"main", u"button.cancel", u"&Cancel"};

// The question before a deletion.
inline constexpr TranslatableText kMainDeleteQuestionTitle{u"main", u"msg.querydel.title",
                                                           u"Query"};
inline constexpr TranslatableText kMainDeleteQuestion{
    u"main", u"msg.querydel.text",
    u"Confirm deletion of the following fingerprint? \r\n\r\n"
    u"  Fingerprint device: %s (Device ID: %d)\r\n"
    u"  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\n"
    u"This operation is irreversible!"};
inline constexpr TranslatableText kMainDeleteLastFinger{
    u"main", u"msg.querydel.last",
    u"This is your last fingerprint: afterwards you sign in with your PIN or password."};

// The system menu's About item and the About box.
inline constexpr TranslatableText kMainAboutItem{u"main", u"about", u"&About..."};
inline constexpr TranslatableText kMainAboutAuthor{u"main", u"author", u"Author: "};
inline constexpr TranslatableText kMainAboutVersion{u"main", u"version", u"Version: "};
inline constexpr TranslatableText kMainAboutLinkTime{u"main", u"compilationtime",
                                                     u"Compilation time: "};
inline constexpr TranslatableText kMainAboutHomePage{u"main", u"homepage", u"HomePage: "};

// Every text above, for the checks of the language files.
inline constexpr std::array kMainTexts{
    kMainTitle,           kMainUserLabel,           kMainButtonRead,
    kMainButtonVerify,    kMainButtonAdd,           kMainButtonDelete,
    kMainButtonExit,      kMainButtonSignInOptions, kMainMenuVerify,
    kMainMenuRename,      kMainMenuDelete,          kMainMenuWhichFinger,
    kMainMenuRead,        kMainColumnTitles[0],     kMainColumnTitles[1],
    kMainColumnTitles[2], kMainColumnTitles[3],     kMainColumnTitles[4],
    kMainSensorCaption,   kMainSensorQuestion,      kMainSensorAuto,
    kMainSensorItem,      kMainRenameCaption,       kMainRenameLabel,
    kMainButtonOk,        kMainButtonCancel,        kMainDeleteQuestionTitle,
    kMainDeleteQuestion,  kMainDeleteLastFinger,    kMainAboutItem,
    kMainAboutAuthor,     kMainAboutVersion,        kMainAboutLinkTime,
    kMainAboutHomePage,
};

}  // namespace dactyra
