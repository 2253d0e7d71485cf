#pragma once

// Test hook of the headless backend for the system's credential prompt: who answers
// ConfirmUserPassword. Like the other hooks it belongs to the thread that installs it and
// nests: the innermost one answers.

#include <functional>
#include <string>
#include <vector>

#include "ui/credential_prompt.h"

namespace dactyra::ui::headless {

// One credential prompt as it was asked for.
struct PasswordPromptCall {
  std::u16string owner_caption;  // empty without an owner
  std::u16string caption;
  std::u16string message;
};

// Answers every credential prompt while it lives and records them. Without one a prompt
// raises an Error carrying its message.
class ScopedPasswordResponder {
 public:
  explicit ScopedPasswordResponder(PasswordCheck answer);
  ~ScopedPasswordResponder();
  ScopedPasswordResponder(const ScopedPasswordResponder&) = delete;
  ScopedPasswordResponder& operator=(const ScopedPasswordResponder&) = delete;

  PasswordCheck Answer(PasswordPromptCall call);
  const std::vector<PasswordPromptCall>& Calls() const { return calls_; }

 private:
  PasswordCheck answer_;
  std::vector<PasswordPromptCall> calls_;
};

}  // namespace dactyra::ui::headless
