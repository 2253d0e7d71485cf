// Windows Hello in the headless backend: answered by the test's responder.

#include <algorithm>
#include <utility>
#include <vector>

#include "base/error.h"
#include "ui/form.h"
#include "ui/headless/hello_responder.h"

namespace dactyra::ui {
namespace {

// The responders installed on this thread, innermost last.
std::vector<headless::ScopedHelloResponder*>& ThreadResponders() {
  thread_local std::vector<headless::ScopedHelloResponder*> responders;
  return responders;
}

headless::ScopedHelloResponder& Innermost(std::u16string_view request) {
  auto& responders = ThreadResponders();
  if (responders.empty()) {
    throw Error(u"No responder answers Windows Hello: " + std::u16string(request));
  }
  return *responders.back();
}

}  // namespace

HelloResult VerifyWithWindowsHello(Form* owner, std::u16string_view message) {
  return Innermost(message).Answer(
      {owner != nullptr ? owner->Caption() : std::u16string(), std::u16string(message)});
}

std::optional<HelloResult> WindowsHelloUnavailable() {
  return Innermost(u"is it available?").Availability();
}

namespace headless {

ScopedHelloResponder::ScopedHelloResponder(HelloResult answer) : answer_(answer) {
  ThreadResponders().push_back(this);
}

ScopedHelloResponder::~ScopedHelloResponder() {
  std::erase(ThreadResponders(), this);
}

HelloResult ScopedHelloResponder::Answer(HelloCall call) {
  calls_.push_back(std::move(call));
  return answer_;
}

std::optional<HelloResult> ScopedHelloResponder::Availability() const {
  const bool asked = answer_.reason == HelloReason::kVerified ||
                     answer_.reason == HelloReason::kCanceled ||
                     answer_.reason == HelloReason::kRetriesExhausted;
  if (asked) {
    return std::nullopt;
  }
  return answer_;
}

}  // namespace headless
}  // namespace dactyra::ui
