#pragma once

// The windows of another process as its user sees them: found by class and text, read with
// window messages, and pressed.

#include <windows.h>

#include <string>
#include <vector>

namespace dactyra::e2e {

// Text of a window (any process) by WM_GETTEXT.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Top-level windows of a process, optionally of one class; the visible ones only unless
// `visible_only` is false.
std::vector<HWND> TopLevelWindows(DWORD process_id, const wchar_t* class_name = nullptr,
                                  bool visible_only = true);

// Child windows below `parent` (all depths) of one class.
std::vector<HWND> ChildWindows(HWND parent, const wchar_t* class_name);

// The first child window of a class whose text is `text`, or null.
HWND FindChild(HWND parent, const wchar_t* class_name, const std::wstring& text);

// Presses a button as a click does, without waiting for what the click starts.
void PressButton(HWND button);

// The texts of a report-style list view of another process: one vector per row, one string per
// column. The texts cross the process boundary through memory allocated in the target process.
std::vector<std::vector<std::wstring>> ListViewRows(HWND list, DWORD process_id, int columns);

// Selects (and focuses) one row of a report-style list view of another process, as a click does.
bool SelectListRow(HWND list, DWORD process_id, int row);

// The text lines of a multi-line edit box.
std::vector<std::wstring> EditLines(HWND edit);

}  // namespace dactyra::e2e
