#pragma once

// Test hook of the headless backend for Windows Hello: who answers VerifyWithWindowsHello and
// WindowsHelloUnavailable. Like the other hooks it belongs to the thread that installs it and
// nests: the innermost one answers.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/hello_verification.h"

namespace dactyra::ui::headless {

// One verification as it was asked for.
struct HelloCall {
  std::u16string owner_caption;  // empty without an owner
  std::u16string message;
};

// Answers every verification with `answer` while it lives and records them; the availability
// query gets the same answer when it is one that Windows gives before asking (no device, no
// PIN, a policy, a busy device, Windows Hello not offered or failing), and nothing otherwise.
// Without a responder both raise an Error. `while_waiting`, when given, runs inside every wait
// before it is answered: what the user does while Windows takes its time.
class ScopedHelloResponder {
 public:
  explicit ScopedHelloResponder(HelloResult answer, std::function<void()> while_waiting = {});
  ~ScopedHelloResponder();
  ScopedHelloResponder(const ScopedHelloResponder&) = delete;
  ScopedHelloResponder& operator=(const ScopedHelloResponder&) = delete;

  HelloResult Answer(HelloCall call);
  std::optional<HelloResult> Availability();
  const std::vector<HelloCall>& Calls() const { return calls_; }
  int AvailabilityChecks() const { return availability_checks_; }

 private:
  HelloResult answer_;
  std::function<void()> while_waiting_;
  std::vector<HelloCall> calls_;
  int availability_checks_ = 0;
};

}  // namespace dactyra::ui::headless
