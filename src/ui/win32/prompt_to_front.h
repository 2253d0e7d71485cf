#pragma once

// The system's Windows Hello prompt brought to the front. A verification asked through the
// statics (Windows 10) opens its prompt as a top-level window of another process, which may open
// behind the program's windows or without the focus while they are disabled. While the program
// is the foreground process, Windows lets it give that window the foreground.

#include <chrono>
#include <functional>

namespace dactyra::ui::detail {

// Looks for the prompt, again and again while a verification waits, and gives it the foreground,
// until it is in front or a few seconds have passed since the search began.
class PromptToFront {
 public:
  // `not_in_front` (if given) is called once when the time is up and the prompt is not in
  // front.
  explicit PromptToFront(std::function<void()> not_in_front);

  // One look; false once the search is over.
  bool Look();

 private:
  std::chrono::steady_clock::time_point deadline_;
  std::function<void()> not_in_front_;
};

}  // namespace dactyra::ui::detail
