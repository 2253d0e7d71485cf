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

// The responder's answers come without a window of their own: nothing waits behind.
HelloResult VerifyWithWindowsHello(Form* owner, std::u16string_view message,
                                   const std::function<void()>& /*prompt_not_in_front*/) {
  if (Form::WaitsEnded(owner)) {
    return HelloCancelled();
  }
  const HelloResult answer = Innermost(message).Answer(
      {owner != nullptr ? owner->Caption() : std::u16string(), std::u16string(message)});
  return Form::WaitsEnded(owner) ? HelloCancelled() : answer;
}

std::optional<HelloResult> WindowsHelloUnavailable(Form* owner) {
  if (Form::WaitsEnded(owner)) {
    return HelloCancelled();
  }
  const std::optional<HelloResult> answer = Innermost(u"is it available?").Availability();
  return Form::WaitsEnded(owner) ? HelloCancelled() : answer;
}

namespace headless {

ScopedHelloResponder::ScopedHelloResponder(HelloResult answer, std::function<void()> while_waiting)
    : answer_(answer), while_waiting_(std::move(while_waiting)) {
  ThreadResponders().push_back(this);
}

ScopedHelloResponder::~ScopedHelloResponder() {
  std::erase(ThreadResponders(), this);
}

HelloResult ScopedHelloResponder::Answer(HelloCall call) {
  calls_.push_back(std::move(call));
  if (while_waiting_) {
    while_waiting_();
  }
  return answer_;
}

std::optional<HelloResult> ScopedHelloResponder::Availability() {
  ++availability_checks_;
  if (while_waiting_) {
    while_waiting_();
  }
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
