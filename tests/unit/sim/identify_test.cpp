// Identification, and calls that wait for a touch across threads.
#include <atomic>
#include <functional>
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

// A secure sensor keeps what a program commits there but never matches it; the templates that
// Windows enrolled there keep working.
TEST_F(SimIdentify, TemplatesCommittedOnAnUnusableUnitNeverMatch) {
  std::string state = kTwoSensors;
  state.insert(state.find("\n\n[[unit]]\nid = 2"), "\nunusable = true");
  WriteState(state);
  const WINBIO_SESSION_HANDLE session = Open();
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF7, 1), S_OK);
  WINBIO_REJECT_DETAIL detail = 0;
  for (int sample = 0; sample < 4; ++sample) {
    touches_.Finger(1, 0xF7);
    ASSERT_EQ(lib_.EnrollCapture(session, &detail), sample < 3 ? WINBIO_I_MORE_DATA : S_OK);
  }
  TWinBioIdentity identity{};
  WINBIO_BOOLEAN is_new = 0;
  ASSERT_EQ(lib_.EnrollCommit(session, &identity, &is_new), S_OK);
  EXPECT_NE(is_new, 0);

  touches_.Finger(1, 0xF7);
  EXPECT_EQ(Identify(lib_, session).result, WINBIO_E_UNKNOWN_ID);
  touches_.Finger(1, 0xF5);
  EXPECT_EQ(Identify(lib_, session).result, S_OK);
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF8, 1), S_OK);
  for (int sample = 0; sample < 4; ++sample) {
    touches_.Finger(1, 0xF7);
    ASSERT_EQ(lib_.EnrollCapture(session, &detail), sample < 3 ? WINBIO_I_MORE_DATA : S_OK);
  }
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, &is_new), WINBIO_E_DUPLICATE_TEMPLATE)
      << "the unusable template is still in the database";
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
  EXPECT_EQ(lib_.Identify(0, &unit, &identity, &subfactor, &detail), E_HANDLE);
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

// Each call that waits for a touch, released by a cancel from another thread.
TEST_F(SimIdentify, CancelReleasesEachWaitingCall) {
  const WINBIO_SESSION_HANDLE session = Open();
  EXPECT_EQ(lib_.Cancel(session), S_OK) << "nothing waits: nothing happens";
  EXPECT_EQ(lib_.Cancel(session + 100), E_HANDLE);
  const std::function<HRESULT()> calls[] = {
      [&] { return Identify(lib_, session).result; },
      [&] {
        WINBIO_UNIT_ID unit = 0;
        return lib_.LocateSensor(session, &unit);
      },
      [&] {
        WINBIO_REJECT_DETAIL detail = 0;
        EXPECT_EQ(lib_.EnrollBegin(session, 0xF9, 1), S_OK);
        const HRESULT result = lib_.EnrollCapture(session, &detail);
        EXPECT_EQ(lib_.EnrollDiscard(session), S_OK);
        return result;
      },
  };
  for (const auto& call : calls) {
    auto waiting = std::async(std::launch::async, call);
    AwaitWaiting(1);
    EXPECT_EQ(lib_.Cancel(session), S_OK);
    EXPECT_EQ(waiting.get(), WINBIO_E_CANCELED);
  }
  touches_.Finger(1, 0xF5);
  EXPECT_EQ(Identify(lib_, session).result, S_OK) << "an earlier cancel does not stop a new call";
  EXPECT_TRUE(sim_.service().Misuses().empty());
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

// Closing does not release a waiting call: the close fails after a grace, the misuse is
// recorded, and the call goes on waiting and takes the next touch.
TEST_F(SimIdentify, ClosingASessionWithAWaitingCallIsAMisuse) {
  const WINBIO_SESSION_HANDLE session = Open();
  auto waiting = std::async(std::launch::async, [&] { return Identify(lib_, session); });
  AwaitWaiting(1);
  EXPECT_EQ(lib_.CloseSession(session), WINBIO_E_SESSION_BUSY);
  ASSERT_EQ(sim_.service().Misuses().size(), 1u);
  EXPECT_NE(sim_.service().Misuses()[0].find(u"WinBioIdentify"), std::u16string::npos);
  EXPECT_NE(ReadWholeFile(folder_.File(u"winbio-sim-misuse.log")).bytes.find("WinBioCloseSession"),
            std::string::npos);
  touches_.Finger(1, 0xF5);
  EXPECT_EQ(waiting.get().result, S_OK);
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

// Touches go to the process in front only; the state can turn that off.
TEST_F(SimIdentify, TouchesWaitUntilTheProcessHasTheFocus) {
  std::atomic<bool> in_front{false};
  sim_.service().SetForegroundCheck([&in_front] { return in_front.load(); });
  const WINBIO_SESSION_HANDLE session = Open();
  auto waiting = std::async(std::launch::async, [&] { return Identify(lib_, session); });
  AwaitWaiting(1);
  touches_.Finger(1, 0xF5);
  std::this_thread::sleep_for(kPoll * 10);
  EXPECT_EQ(touches_.Pending(), 1u) << "a process in the background gets no touch";
  in_front = true;
  EXPECT_EQ(waiting.get().result, S_OK);

  in_front = false;
  WriteState(std::string("focus = false\n") + kTwoSensors);
  touches_.Finger(1, 0xF6);
  EXPECT_EQ(Identify(lib_, session).subfactor, 0xF6);
  sim_.service().SetForegroundCheck([] { return true; });
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
