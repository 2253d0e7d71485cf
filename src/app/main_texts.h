#pragma once

// The texts of the main window, its menus and its small dialogs (section "main" of the language
// files), each written once: its key and its built-in English.

#include <array>

#include "base/text_source.h"

namespace dactyra::main_text {

inline constexpr TranslatableText kTitle{u"main", u"title", u"Dactyra"};
inline constexpr TranslatableText kUserLabel{u"main", u"label.user", u"User: "};

// The command buttons and the offer of the system's sign-in options.
inline constexpr TranslatableText kButtonRead{u"main", u"button.enum", u"&Read Fingerprints"};
inline constexpr TranslatableText kButtonVerify{u"main", u"button.verify", u"&Verify Fingerprint"};
inline constexpr TranslatableText kButtonAdd{u"main", u"button.add", u"&Add Fingerprint"};
inline constexpr TranslatableText kButtonDelete{u"main", u"button.del", u"&Delete Fingerprint"};
inline constexpr TranslatableText kButtonExit{u"main", u"button.exit", u"E&xit"};
inline constexpr TranslatableText kButtonSignInOptions{u"main", u"button.signin",
                                                       u"Open &Sign-in options"};

// The list's context menu, with the keys of its commands.
inline constexpr TranslatableText kMenuVerify{u"main", u"menu.verify",
                                              u"&Verify Fingerprint\tEnter"};
inline constexpr TranslatableText kMenuRename{u"main", u"menu.rename", u"Rena&me\tF2"};
inline constexpr TranslatableText kMenuDelete{u"main", u"menu.del", u"&Delete Fingerprint\tDel"};
inline constexpr TranslatableText kMenuWhichFinger{u"main", u"menu.which",
                                                   u"&Which finger is this?\tF3"};
inline constexpr TranslatableText kMenuRead{u"main", u"menu.enum", u"&Read Fingerprints\tF5"};

// The columns of the list, in their order on the screen: titles and widths in pixels.
inline constexpr std::array<TranslatableText, 5> kColumnTitles{{
    {u"main", u"list.columns.1.title", u"#"},
    {u"main", u"list.columns.2.title", u"Fingerprint Device"},
    {u"main", u"list.columns.3.title", u"Device ID"},
    {u"main", u"list.columns.4.title", u"Fingerprint ID"},
    {u"main", u"list.columns.5.title", u"Fingerprint Description"},
}};
inline constexpr std::array<TranslatableNumber, 5> kColumnWidths{{
    {u"main", u"list.columns.1.width", 30},
    {u"main", u"list.columns.2.width", 300},
    {u"main", u"list.columns.3.width", 60},
    {u"main", u"list.columns.4.width", 80},
    {u"main", u"list.columns.5.width", 170},
}};

// The sensor selection dialog.
inline constexpr TranslatableText kSensorCaption{u"main", u"form.select",
                                                 u"Select Fingerprint sensor"};
inline constexpr TranslatableText kSensorQuestion{u"main", u"radio.select",
                                                  u"Select the sensor you want to use:"};
inline constexpr TranslatableText kSensorAuto{u"main", u"radio.auto", u"Auto"};
inline constexpr TranslatableText kSensorItem{u"main", u"radio.item", u"%s  (UnitID\uFF1A%d)"};

// The rename dialog, and the buttons of both small dialogs.
inline constexpr TranslatableText kRenameCaption{u"main", u"form.rename", u"Rename fingerprint"};
inline constexpr TranslatableText kRenameLabel{u"main", u"label.rename", u"Description:"};
inline constexpr TranslatableText kButtonOk{u"main", u"button.ok", u"&OK"};
inline constexpr TranslatableText kButtonCancel{u"main", u"button.cancel", u"&Cancel"};

// The question before a deletion.
inline constexpr TranslatableText kDeleteQuestionTitle{u"main", u"msg.querydel.title", u"Query"};
inline constexpr TranslatableText kDeleteQuestion{
    u"main", u"msg.querydel.text",
    u"Confirm deletion of the following fingerprint? \r\n\r\n"
    u"  Fingerprint device: %s (Device ID: %d)\r\n"
    u"  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\n"
    u"This operation is irreversible!"};
inline constexpr TranslatableText kDeleteLastFinger{
    u"main", u"msg.querydel.last",
    u"This is your last fingerprint: afterwards you sign in with your PIN or password."};

// The system menu's About item and the About box.
inline constexpr TranslatableText kAboutItem{u"main", u"about", u"&About..."};
inline constexpr TranslatableText kAboutAuthor{u"main", u"author", u"Author: "};
inline constexpr TranslatableText kAboutVersion{u"main", u"version", u"Version: "};
inline constexpr TranslatableText kAboutLinkTime{u"main", u"compilationtime",
                                                 u"Compilation time: "};
inline constexpr TranslatableText kAboutHomePage{u"main", u"homepage", u"HomePage: "};

// Every text above, for the checks of the language files.
inline constexpr const TranslatableText* kAll[] = {
    &kTitle,           &kUserLabel,           &kButtonRead,
    &kButtonVerify,    &kButtonAdd,           &kButtonDelete,
    &kButtonExit,      &kButtonSignInOptions, &kMenuVerify,
    &kMenuRename,      &kMenuDelete,          &kMenuWhichFinger,
    &kMenuRead,        &kColumnTitles[0],     &kColumnTitles[1],
    &kColumnTitles[2], &kColumnTitles[3],     &kColumnTitles[4],
    &kSensorCaption,   &kSensorQuestion,      &kSensorAuto,
    &kSensorItem,      &kRenameCaption,       &kRenameLabel,
    &kButtonOk,        &kButtonCancel,        &kDeleteQuestionTitle,
    &kDeleteQuestion,  &kDeleteLastFinger,    &kAboutItem,
    &kAboutAuthor,     &kAboutVersion,        &kAboutLinkTime,
    &kAboutHomePage,
};

}  // namespace dactyra::main_text
