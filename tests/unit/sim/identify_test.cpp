// Identification, and calls that wait for a touch across threads.
#include <future>
#include <thread>

#include "sim_fixture.h"

namespace dactyra::sim {
namespace {

struct Identified {
  HRESULT result = S_OK;
  WINBIO_UNIT_ID unit = 0;
  TWinBioIdentity identity{};
  WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
  WINBIO_REJECT_DETAIL detail = 0;
};

Identified Identify(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session) {
  Identified answer;
  answer.result =
      lib.Identify(session, &answer.unit, &answer.identity, &answer.subfactor, &answer.detail);
  return answer;
}

class SimIdentify : public SimTest {
 protected:
  // Until `count` calls wait for a touch.
  void AwaitWaiting(std::size_t count) const {
    while (sim_.service().WaitingCalls() != count) {
      std::this_thread::yield();
    }
  }
};

TEST_F(SimIdentify, EnrolledFingersAreIdentified) {
  const WINBIO_SESSION_HANDLE session = Open();
  touches_.Finger(1, 0xF6);
  const Identified mine = Identify(lib_, session);
  EXPECT_EQ(mine.result, S_OK);
  EXPECT_EQ(mine.unit, 1u);
  EXPECT_TRUE(SameIdentity(mine.identity, me_));
  EXPECT_EQ(mine.subfactor, 0xF6);
  EXPECT_EQ(mine.detail, 0u);

  touches_.Finger(2, 0xF5, kOtherUser);
  const Identified other = Identify(lib_, session);
  EXPECT_EQ(other.result, S_OK);
  EXPECT_EQ(other.unit, 2u);
  EXPECT_FALSE(SameIdentity(other.identity, me_));
  EXPECT_TRUE(SameIdentity(other.identity, IdentityOf(kOtherUser)));
  EXPECT_EQ(other.subfactor, 0xF5);
}

TEST_F(SimIdentify, FingersNotEnrolledThereAreUnknown) {
  const WINBIO_SESSION_HANDLE session = Open();
  touches_.Finger(1, 0xF7);                  // not enrolled at all
  touches_.Finger(2, 0xF5);                  // enrolled on unit 1, not on 2
  touches_.Finger(1, 0xF5, u"S-1-5-21-42");  // the right finger of nobody
  for (const WINBIO_UNIT_ID unit : {1u, 2u, 1u}) {
    const Identified answer = Identify(lib_, session);
    EXPECT_EQ(answer.result, WINBIO_E_UNKNOWN_ID);
    EXPECT_EQ(answer.unit, unit);
    EXPECT_EQ(answer.identity.SidSize, 0u);
    EXPECT_EQ(answer.subfactor, 0);
  }
}

TEST_F(SimIdentify, BadCapturesAndSensorFailures) {
  const WINBIO_SESSION_HANDLE session = Open();
  touches_.Bad(1, 0x10);
  touches_.Fail(2, WINBIO_E_DEVICE_FAILURE);
  const Identified bad = Identify(lib_, session);
  EXPECT_EQ(bad.result, WINBIO_E_BAD_CAPTURE);
  EXPECT_EQ(bad.detail, 0x10u);
  EXPECT_EQ(Identify(lib_, session).result, WINBIO_E_DEVICE_FAILURE);

  WINBIO_UNIT_ID unit = 0;
  TWinBioIdentity identity{};
  WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
  WINBIO_REJECT_DETAIL detail = 0;
  EXPECT_EQ(lib_.Identify(session, nullptr, &identity, &subfactor, &detail), E_POINTER);
  EXPECT_EQ(lib_.Identify(session, &unit, nullptr, &subfactor, &detail), E_POINTER);
  EXPECT_EQ(lib_.Identify(session, &unit, &identity, nullptr, &detail), E_POINTER);
  EXPECT_EQ(lib_.Identify(session, &unit, &identity, &subfactor, nullptr), E_POINTER);
  EXPECT_EQ(lib_.Identify(0, &unit, &identity, &subfactor, &detail), E_HANDLE_RESULT);
}

TEST_F(SimIdentify, WaitingCallTakesTheTouchThatComesLater) {
  const WINBIO_SESSION_HANDLE session = Open();
  auto waiting = std::async(std::launch::async, [&] { return Identify(lib_, session); });
  AwaitWaiting(1);
  touches_.Finger(1, 0xF5);
  const Identified answer = waiting.get();
  EXPECT_EQ(answer.result, S_OK);
  EXPECT_EQ(answer.subfactor, 0xF5);
}

TEST_F(SimIdentify, ClosingTheSessionCancelsTheWaitingCall) {
  const WINBIO_SESSION_HANDLE session = Open();
  const WINBIO_SESSION_HANDLE other = Open();
  auto identify = std::async(std::launch::async, [&] { return Identify(lib_, session); });
  auto capture = std::async(std::launch::async, [&] {
    WINBIO_REJECT_DETAIL detail = 0;
    EXPECT_EQ(lib_.EnrollBegin(other, 0xF9, 1), S_OK);
    return lib_.EnrollCapture(other, &detail);
  });
  AwaitWaiting(2);

  EXPECT_EQ(lib_.CloseSession(session), S_OK);  // from the main thread
  EXPECT_EQ(identify.get().result, WINBIO_E_CANCELED);
  EXPECT_EQ(sim_.service().WaitingCalls(), 1u) << "the other session still waits";
  EXPECT_EQ(lib_.CloseSession(other), S_OK);
  EXPECT_EQ(capture.get(), WINBIO_E_CANCELED);
  EXPECT_EQ(touches_.Pending(), 0u);
}

TEST_F(SimIdentify, OneWaitingCallPerSession) {
  const WINBIO_SESSION_HANDLE session = Open();
  auto first = std::async(std::launch::async, [&] { return Identify(lib_, session); });
  AwaitWaiting(1);
  WINBIO_UNIT_ID unit = 0;
  EXPECT_EQ(lib_.LocateSensor(session, &unit), WINBIO_E_SESSION_BUSY);
  EXPECT_EQ(Identify(lib_, session).result, WINBIO_E_SESSION_BUSY);
  touches_.Finger(1, 0xF5);
  EXPECT_EQ(first.get().result, S_OK);
  touches_.Finger(2, 0xF5, kOtherUser);
  EXPECT_EQ(Identify(lib_, session).result, S_OK) << "free again";
}

TEST(SimRegistrationEnd, CancelsWaitingCalls) {
  const testing::TempFolder folder;
  ASSERT_TRUE(WriteFileAtomically(folder.File(u"state.toml"), kTwoSensors));
  TWinBioLib lib;
  std::future<Identified> waiting;
  {
    const InProcessService sim(folder.File(u"state.toml"), std::chrono::milliseconds(5));
    ASSERT_TRUE(lib.Load());
    WINBIO_SESSION_HANDLE session = 0;
    ASSERT_EQ(lib.OpenSession(8, 1, 0, nullptr, 0, nullptr, &session), S_OK);
    waiting = std::async(std::launch::async, [&lib, session] { return Identify(lib, session); });
    while (sim.service().WaitingCalls() != 1) {
      std::this_thread::yield();
    }
  }
  EXPECT_EQ(waiting.get().result, WINBIO_E_CANCELED);
  lib.Unload();
}

}  // namespace
}  // namespace dactyra::sim
