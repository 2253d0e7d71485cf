#pragma once

// What the portable part of the widget layer asks of a backend (ui/win32 or ui/headless).
// Each backend defines every function here; the program links exactly one of them.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/form.h"
#include "ui/types.h"

namespace dactyra::ui {
class ListView;
class Memo;
}  // namespace dactyra::ui

namespace dactyra::ui::detail {

// Native windows. CreateNative runs once the control's model is complete (at the end of its
// constructor); DestroyNative releases them; OrphanNative forgets them when the parent's native
// window took them along.
void CreateNative(Control& control);
void DestroyNative(Control& control);
void OrphanNative(Control& control);

// The native side follows the model.
void UpdateText(Control& control);
void UpdateEnabled(Control& control);
void UpdateVisible(Control& control);
void UpdateBounds(Control& control);
void UpdateLook(Control& control);  // colours, font weight, position, checked state, label
void UpdateAccessibleName(Control& control);
void SetFocus(Control& control);
void MoveToTabFront(Control& control);
bool HasFocus(const Control& control);

// The size of a text in the form's font at its DPI, in device pixels.
Size MeasureText(const Form& form, std::u16string_view text,
                 FontWeight weight = FontWeight::kNormal);

void ListAddColumn(ListView& list, int column);
void ListInsertRow(ListView& list, int row);
void ListSetCell(ListView& list, int row, int column);
void ListClear(ListView& list);
void ListSelect(ListView& list, int row);  // the model follows through the selection events
void ListSetRedraw(ListView& list, bool redraw);
// Where a menu for the row (-1: for none) opens from the keyboard, in screen pixels.
Point ListMenuPoint(const ListView& list, int row);

void MemoAppend(Memo& memo, std::u16string_view line);
void MemoClear(Memo& memo);

std::shared_ptr<Mailbox> MakeMailbox(Form& form);
void FormApplyClientSize(Form& form);
void FormApplyFont(Form& form);  // every control takes the form's font
void FormShow(Form& form);
void FormHide(Form& form);
void FormEnterModal(Form& form);       // before OnShow: the owner is disabled
ModalResult FormRunModal(Form& form);  // shows, waits for a modal result, enables the owner, hides
void FormLeaveModal(Form& form);       // on every way out: the owner is enabled (again)
void FormBringToFront(Form& form);
void FormWakeWaits(Form& form);  // the thread's nested waits look at Form::WaitsEnded again
void FormInsertSystemMenuItem(Form& form, const SystemMenuItem& item);
std::uintptr_t FormNativeWindow(const Form& form);
void FormStartTimer(Form& form, std::chrono::milliseconds delay);  // then TimerElapsed, once
void FormStopTimer(Form& form);

// Puts a text on the clipboard; false when the system refused it.
bool ClipboardSetText(Form& owner, std::u16string_view text);

}  // namespace dactyra::ui::detail
