// The credential prompt of the headless backend: answered by the test's responder.

#include <algorithm>
#include <utility>
#include <vector>

#include "base/error.h"
#include "ui/form.h"
#include "ui/headless/password_responder.h"

namespace dactyra::ui {
namespace {

// The responders installed on this thread, innermost last.
std::vector<headless::ScopedPasswordResponder*>& ThreadResponders() {
  thread_local std::vector<headless::ScopedPasswordResponder*> responders;
  return responders;
}

}  // namespace

PromptedCredential PromptForCredential(const Form* owner, std::u16string caption,
                                       std::u16string message, std::uint32_t package) {
  if (Form::WaitsEnded(owner)) {
    return NothingEntered(PromptOutcome::kCancelled);  // never shown
  }
  auto& responders = ThreadResponders();
  if (responders.empty()) {
    throw Error(u"No responder answers the credential prompt \"" + message + u"\".");
  }
  return responders.back()->Answer({owner != nullptr ? owner->Caption() : std::u16string(),
                                    std::move(caption), std::move(message), package});
}

namespace headless {

ScopedPasswordResponder::ScopedPasswordResponder(PromptOutcome outcome,
                                                 std::vector<std::uint8_t> packed)
    : outcome_(outcome), packed_(std::move(packed)) {
  ThreadResponders().push_back(this);
}

ScopedPasswordResponder::~ScopedPasswordResponder() {
  std::erase(ThreadResponders(), this);
}

PromptedCredential ScopedPasswordResponder::Answer(PasswordPromptCall call) {
  const std::uint32_t package = call.package;
  calls_.push_back(std::move(call));
  if (outcome_ != PromptOutcome::kEntered) {
    return NothingEntered(outcome_);
  }
  return {.outcome = outcome_, .package = package, .packed = PackedCredential(packed_)};
}

}  // namespace headless
}  // namespace dactyra::ui
