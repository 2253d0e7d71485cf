// The verification worker on the simulated service, run on the test's thread with the touches
// already waiting.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "dialog_core/verify_worker.h"
#include "support/in_process_winbio.h"
#include "support/posted_event.h"

namespace dactyra {
namespace {

using testing::InProcessWinBio;

constexpr char kEnrolled[] = R"(
[[unit]]
id = 1
description = "Left sensor"
[[template]]
unit = 1
identity = "current"
subfactor = 0xF5
)";

using Event = testing::PostedEvent;

// Runs one worker to its end for the record (unit 1, 0xF5) and gives what it posted. With
// `cancel_after_first`, the dialog goes away as soon as the first event has come.
std::vector<Event> RunWorker(InProcessWinBio& winbio, bool cancel_after_first = false) {
  std::vector<Event> events;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  auto param = std::make_unique<TVerifyThreadParam>();
  param->Window = [&events, cancel, cancel_after_first](std::uintptr_t code, std::intptr_t value) {
    events.push_back({code, value});
    cancel->store(cancel_after_first);
    return true;
  };
  param->Lib = winbio.lib;
  param->Session = winbio.session;
  param->CurrentIdent = winbio.me;
  param->SelUnitId = 1;
  param->SelSubFactor = 0xF5;
  param->Cancel = cancel;
  EXPECT_EQ(VerifyThreadProc(std::move(param)), 0u);
  return events;
}

TEST(VerifyWorker, BadCapturesThenOneOutcome) {
  InProcessWinBio winbio(kEnrolled);
  winbio.touches.Bad(1, 2);
  winbio.touches.Bad(1, 0);
  winbio.touches.Finger(1, 0xF5);
  winbio.touches.Finger(1, 0xF5);  // left for nobody: one outcome ends the worker
  EXPECT_EQ(RunWorker(winbio), (std::vector<Event>{{1, 0}, {3, 2}, {3, 0}, {2, 0}}));
  EXPECT_EQ(winbio.touches.Pending(), 1u);
}

TEST(VerifyWorker, FailuresOtherThanBadCapturesEndIt) {
  InProcessWinBio winbio(kEnrolled);
  winbio.touches.Finger(1, 0xF9);  // enrolled by nobody
  EXPECT_EQ(RunWorker(winbio), (std::vector<Event>{{1, 0}, {4, WINBIO_E_UNKNOWN_ID}}));
  winbio.touches.Fail(1, WINBIO_E_DEVICE_FAILURE);
  EXPECT_EQ(RunWorker(winbio), (std::vector<Event>{{1, 0}, {4, WINBIO_E_DEVICE_FAILURE}}));
}

TEST(VerifyWorker, CanceledWorkerPostsNothingMore) {
  InProcessWinBio winbio(kEnrolled);
  winbio.touches.Finger(1, 0xF5);
  EXPECT_EQ(RunWorker(winbio, /*cancel_after_first=*/true), (std::vector<Event>{{1, 0}}));
  EXPECT_EQ(winbio.touches.Pending(), 1u) << "the worker did not wait for the touch";
}

}  // namespace
}  // namespace dactyra
