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

PasswordCheck ConfirmUserPassword(const Form* owner, std::u16string caption,
                                  std::u16string message) {
  auto& responders = ThreadResponders();
  if (responders.empty()) {
    throw Error(u"No responder answers the credential prompt \"" + message + u"\".");
  }
  return responders.back()->Answer({owner != nullptr ? owner->Caption() : std::u16string(),
                                    std::move(caption), std::move(message)});
}

namespace headless {

ScopedPasswordResponder::ScopedPasswordResponder(PasswordCheck answer) : answer_(answer) {
  ThreadResponders().push_back(this);
}

ScopedPasswordResponder::~ScopedPasswordResponder() {
  std::erase(ThreadResponders(), this);
}

PasswordCheck ScopedPasswordResponder::Answer(PasswordPromptCall call) {
  calls_.push_back(std::move(call));
  return answer_;
}

}  // namespace headless
}  // namespace dactyra::ui
