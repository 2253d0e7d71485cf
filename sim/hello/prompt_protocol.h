#pragma once

// How hello-sim.dll and its prompt program, hello-prompt.exe beside it, work together. Windows
// 10 shows the prompt of a verification asked through the statics as a top-level window of class
// "Credential Dialog Xaml Host" in a process of its own, which need not come to the front; the
// prompt program shows such a window without activating it, for as long as the request lasts:
//
//   hello-prompt.exe <close event> <program>
//
// Both are handles that the program's process lets it inherit, in decimal: the prompt closes
// when the event is set or the program ends. Its exit code says when its window first was the
// foreground window: milliseconds after it was shown, or kNeverInFront.

#include <windows.h>

namespace dactyra::sim {

inline constexpr wchar_t kPromptProgram[] = L"hello-prompt.exe";
inline constexpr wchar_t kPromptClass[] = L"Credential Dialog Xaml Host";
inline constexpr DWORD kNeverInFront = 0x7FFFFFFF;

}  // namespace dactyra::sim
