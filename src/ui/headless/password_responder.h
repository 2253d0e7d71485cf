#pragma once

// Test hook of the headless backend for the system's credential prompt: who answers
// PromptForCredential. Like the other hooks it belongs to the thread that installs it and
// nests: the innermost one answers.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/credential_prompt.h"

namespace dactyra::ui::headless {

// One credential prompt as it was asked for.
struct PasswordPromptCall {
  std::u16string owner_caption;  // empty without an owner
  std::u16string caption;
  std::u16string message;
  std::uint32_t package = 0;
};

// Answers every credential prompt while it lives and records them: with `outcome`, and when
// that is kEntered, with `packed` as the credential the user entered, packed for the package the
// prompt was asked for. Without a responder a prompt raises an Error carrying its message.
class ScopedPasswordResponder {
 public:
  explicit ScopedPasswordResponder(PromptOutcome outcome, std::vector<std::uint8_t> packed = {});
  ~ScopedPasswordResponder();
  ScopedPasswordResponder(const ScopedPasswordResponder&) = delete;
  ScopedPasswordResponder& operator=(const ScopedPasswordResponder&) = delete;

  PromptedCredential Answer(PasswordPromptCall call);
  const std::vector<PasswordPromptCall>& Calls() const { return calls_; }

 private:
  PromptOutcome outcome_;
  std::vector<std::uint8_t> packed_;
  std::vector<PasswordPromptCall> calls_;
};

}  // namespace dactyra::ui::headless
