// The enrollment worker on the simulated service, run on the test's thread with the touches
// already waiting, and what it leaves behind in the service.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "enroll/enroll_worker.h"
#include "support/in_process_winbio.h"
#include "support/posted_event.h"

namespace dactyra {
namespace {

using testing::InProcessWinBio;

constexpr char kTwoSensors[] = R"(samples = 2
[[unit]]
id = 1
description = "Left sensor"
[[unit]]
id = 2
description = "Right sensor"
)";

using Event = testing::PostedEvent;

// Runs one worker to its end with the given preset unit (0: locate) and cancel state, and gives
// what it posted; the committed template lands in `result`.
std::vector<Event> RunWorker(InProcessWinBio& winbio, WINBIO_UNIT_ID preset, bool canceled = false,
                             PEnrollResultSlot result = std::make_shared<TEnrollResultSlot>()) {
  std::vector<Event> events;
  auto param = std::make_unique<TEnrollThreadParam>();
  param->Window = [&events](std::uintptr_t code, std::intptr_t value) {
    events.push_back({code, value});
    return true;
  };
  param->Lib = winbio.lib;
  param->Session = winbio.session;
  param->SubFactor = 0xF6;
  param->Cancel = std::make_shared<std::atomic<bool>>(canceled);
  param->Identity = winbio.me;
  param->PresetUnitId = preset;
  param->Result = std::move(result);
  EXPECT_EQ(EnrollThreadProc(std::move(param)), 0u);
  return events;
}

// Whether the session is free for a new enrollment (none begun, or the last one discarded).
bool NoEnrollmentOpen(InProcessWinBio& winbio) {
  const bool free = winbio.lib.EnrollBegin(winbio.session, 0xF7, 1) == S_OK;
  winbio.lib.EnrollDiscard(winbio.session);
  return free;
}

// The "done" message carries no address: the result waits in the slot the dialog shares.
TEST(EnrollWorker, LocatesBeginsCapturesAndCommits) {
  InProcessWinBio winbio(kTwoSensors);
  winbio.touches.Finger(2, 0xF1);  // locates unit 2; any finger will do
  winbio.touches.Finger(2, 0xF6);
  winbio.touches.Bad(2, 4);
  winbio.touches.Finger(2, 0xF6);
  const std::vector<Event> expected{{1, 0}, {2, 2}, {3, 0}, {4, 1}, {3, 1},
                                    {5, 4}, {3, 1}, {4, 2}, {6, 0}, {7, 0}};
  const auto result = std::make_shared<TEnrollResultSlot>();
  EXPECT_EQ(RunWorker(winbio, 0, false, result), expected);
  const std::optional<TEnrollResult> committed = result->Take();
  ASSERT_TRUE(committed);
  EXPECT_EQ(committed->UnitId, 2u);
  EXPECT_EQ(committed->SubFactor, 0xF6);
  EXPECT_TRUE(committed->IsNew);
  EXPECT_FALSE(result->Take()) << "taken once";
  EXPECT_TRUE(winbio.Enrolled(2, 0xF6));
  EXPECT_TRUE(NoEnrollmentOpen(winbio));
}

TEST(EnrollWorker, FailuresEndTheWorkerAndDiscardOnlyAfterACapture) {
  {
    InProcessWinBio winbio(kTwoSensors);
    winbio.touches.Fail(1, WINBIO_E_DEVICE_FAILURE);
    EXPECT_EQ(RunWorker(winbio, 0), (std::vector<Event>{{1, 0}, {8, WINBIO_E_DEVICE_FAILURE}}));
  }
  {
    InProcessWinBio winbio(kTwoSensors);
    EXPECT_EQ(RunWorker(winbio, 9), (std::vector<Event>{{2, 9}, {8, WINBIO_E_INVALID_UNIT}}));
  }
  {
    InProcessWinBio winbio(kTwoSensors);
    winbio.touches.Finger(1, 0xF6);
    winbio.touches.Fail(1, WINBIO_E_CAPTURE_ABORTED);
    EXPECT_EQ(RunWorker(winbio, 1),
              (std::vector<Event>{{2, 1}, {3, 0}, {4, 1}, {3, 1}, {8, WINBIO_E_CAPTURE_ABORTED}}));
    EXPECT_TRUE(NoEnrollmentOpen(winbio)) << "the failed capture's transaction is discarded";
  }
}

TEST(EnrollWorker, CanceledWorkerDiscardsAndSaysSo) {
  InProcessWinBio winbio(kTwoSensors);
  EXPECT_EQ(RunWorker(winbio, 1, /*canceled=*/true), (std::vector<Event>{{2, 1}, {9, 0}}));
  EXPECT_TRUE(NoEnrollmentOpen(winbio));
  winbio.touches.Finger(1, 0xF6);
  EXPECT_EQ(RunWorker(winbio, 0, /*canceled=*/true), (std::vector<Event>{{1, 0}, {9, 0}}));
  EXPECT_FALSE(winbio.Enrolled(1, 0xF6));
}

// A worker holds the service's module for as long as it runs: the main window unloading its
// binding at exit does not take the module from under a worker still waiting in it.
TEST(EnrollWorker, ThreadHoldsTheModuleUntilItEnds) {
  InProcessWinBio winbio(kTwoSensors);
  ASSERT_EQ(InProcessWinBio::ModuleReferences(), 1);
  auto param = std::make_unique<TEnrollThreadParam>();
  param->Window = [](std::uintptr_t, std::intptr_t) { return false; };
  param->Lib = winbio.lib;
  param->Session = winbio.session;
  param->SubFactor = 0xF6;
  param->Cancel = std::make_shared<std::atomic<bool>>(false);
  param->PresetUnitId = 1;
  platform::WorkerThread worker = StartEnrollThread(std::move(param));
  EXPECT_EQ(InProcessWinBio::ModuleReferences(), 2);

  winbio.lib.Unload();
  EXPECT_EQ(InProcessWinBio::ModuleReferences(), 1) << "the worker's own reference";
  EXPECT_FALSE(worker.WaitFor(std::chrono::milliseconds(20))) << "still waiting for a touch";
  winbio.touches.Fail(1, WINBIO_E_DEVICE_FAILURE);
  EXPECT_TRUE(worker.WaitFor(std::chrono::seconds(5)));
  EXPECT_EQ(InProcessWinBio::ModuleReferences(), 0) << "released as the worker's last act";
}

}  // namespace
}  // namespace dactyra
