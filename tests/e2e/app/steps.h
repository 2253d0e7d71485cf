#pragma once

// What a scenario does and waits for on the program's windows, as its user would: touches on
// the simulated sensors, the program's dialogs, texts, list rows and log lines.

#include <windows.h>

#include <cstddef>
#include <string>

#include "scenario.h"

namespace dactyra::e2e {

// Writes one touch into the simulator's spool (the "touches" folder beside its state), named so
// that it comes after every touch written before, and appearing in one step.
void Touch(const Scenario& scenario, int unit, int finger, const char* identity = "current");
// A touch on which the waiting call fails with `code`.
void TouchFailure(const Scenario& scenario, int unit, unsigned code);
// A touch too poor to be read, with the reject detail `detail`.
void TouchBadCapture(const Scenario& scenario, int unit, unsigned detail);
// Waits until the simulated service has taken every touch written.
bool WaitForTouchesTaken(const Scenario& scenario);

// A dialog of the program over its main window (the sensor, enrollment or verification dialog).
HWND WaitForDialog(const Program& program, HWND main_window);
HWND WaitForMessageBox(const Program& program);
bool WaitGone(HWND window);

// Every static text of a window, joined.
std::wstring StaticTexts(HWND window);
bool WaitForText(HWND window, const std::wstring& part);

HWND ListOf(HWND main_window);
bool WaitForRows(HWND main_window, const Program& program, std::size_t count);

// Gives the program the language file of `locale` (zh-CN, say) from `language_folder`, under the
// user's locale name, which must be that locale.
void InstallLanguage(Scenario& scenario, const std::wstring& language_folder,
                     const std::wstring& locale);
// The Simplified Chinese one.
void InstallChinese(Scenario& scenario, const std::wstring& language_folder);

// A biometric reader arrived or left (DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE), as the system
// tells the windows registered for its class.
void SendReaderChange(HWND window, WPARAM event);

bool LogHas(HWND main_window, const std::wstring& line);
bool WaitForLog(HWND main_window, const std::wstring& line);

}  // namespace dactyra::e2e
