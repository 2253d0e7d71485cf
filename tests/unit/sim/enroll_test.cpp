// Enrollment transactions and locating the touched sensor, with touches in the spool.
#include <cstring>

#include "sim_fixture.h"

namespace dactyra::sim {
namespace {

using SimEnroll = SimTest;

HRESULT Capture(TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                WINBIO_REJECT_DETAIL* detail = nullptr) {
  WINBIO_REJECT_DETAIL ignored = 0;
  return lib.EnrollCapture(session, detail != nullptr ? detail : &ignored);
}

TEST_F(SimEnroll, GoodSamplesUntilCompleteThenCommitANewTemplate) {
  const WINBIO_SESSION_HANDLE session = Open();
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF7, 1), S_OK);
  touches_.Finger(1, 0xF7);
  touches_.Bad(1, 4);
  touches_.Finger(2, 0x01, kOtherUser);  // any finger is a good sample
  touches_.Finger(1, 0xF7);
  touches_.Finger(1, 0xF7);

  WINBIO_REJECT_DETAIL detail = 0;
  EXPECT_EQ(Capture(lib_, session, &detail), WINBIO_I_MORE_DATA);
  EXPECT_EQ(Capture(lib_, session, &detail), WINBIO_E_BAD_CAPTURE);
  EXPECT_EQ(detail, 4u);
  EXPECT_EQ(Capture(lib_, session, &detail), WINBIO_I_MORE_DATA);
  EXPECT_EQ(detail, 0u) << "cleared for a good sample";
  EXPECT_EQ(Capture(lib_, session), WINBIO_I_MORE_DATA);
  EXPECT_EQ(Capture(lib_, session), S_OK) << "the fourth good sample completes it";

  TWinBioIdentity identity{};
  WINBIO_BOOLEAN is_new = 0;
  ASSERT_EQ(lib_.EnrollCommit(session, &identity, &is_new), S_OK);
  EXPECT_NE(is_new, 0);
  EXPECT_TRUE(SameIdentity(identity, me_)) << "the calling user's template";
  const auto state = State();
  ASSERT_TRUE(state);
  ASSERT_EQ(state->Templates().size(), 4u);
  EXPECT_EQ(state->Templates().back().unit, 1u);
  EXPECT_EQ(state->Templates().back().identity, u"current");
  EXPECT_EQ(state->Templates().back().subfactor, 0xF7);
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, &is_new), WINBIO_E_INVALID_OPERATION)
      << "the transaction ended with the commit";
}

TEST_F(SimEnroll, TheStateDecidesHowManySamplesItTakes) {
  WriteState(std::string("samples = 7\n") + (kTwoSensors + std::strlen("samples = 4\n")));
  const WINBIO_SESSION_HANDLE session = Open();
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF8, 2), S_OK);
  for (int i = 0; i < 7; ++i) {
    touches_.Finger(2, 0xF8);
  }
  for (int i = 1; i < 7; ++i) {
    EXPECT_EQ(Capture(lib_, session), WINBIO_I_MORE_DATA) << "sample " << i;
  }
  EXPECT_EQ(Capture(lib_, session), S_OK);
  TWinBioIdentity identity{};
  WINBIO_BOOLEAN is_new = 0;
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, &is_new), S_OK);
}

// Enrolls `slot` on unit 1 with four samples of `finger` and commits it.
struct Committed {
  HRESULT result = S_OK;
  WINBIO_BOOLEAN is_new = 0;
};
Committed Enroll(TWinBioLib& lib, TouchWriter& touches, WINBIO_BIOMETRIC_SUBTYPE slot,
                 WINBIO_BIOMETRIC_SUBTYPE finger, std::u16string_view person = u"current") {
  WINBIO_SESSION_HANDLE session = 0;
  EXPECT_EQ(lib.OpenSession(8, 1, 0, nullptr, 0, nullptr, &session), S_OK);
  EXPECT_EQ(lib.EnrollBegin(session, slot, 1), S_OK);
  for (int i = 0; i < 4; ++i) {
    touches.Finger(1, finger, person);
    Capture(lib, session);
  }
  TWinBioIdentity identity{};
  Committed committed;
  committed.result = lib.EnrollCommit(session, &identity, &committed.is_new);
  EXPECT_EQ(lib.CloseSession(session), S_OK);
  return committed;
}

// The fingers touched during an enrollment decide the commit: a finger the unit already knows,
// under another sub-factor or account or in the very slot, is refused; another finger replaces
// the one in the user's own slot.
TEST_F(SimEnroll, CommitKnowsTheFingersThatWereTouched) {
  const std::string before = StateText();
  EXPECT_EQ(Enroll(lib_, touches_, 0xF5, 0xF5).result, WINBIO_E_DUPLICATE_TEMPLATE)
      << "into its own slot";
  EXPECT_EQ(Enroll(lib_, touches_, 0xF7, 0xF5).result, WINBIO_E_DUPLICATE_TEMPLATE)
      << "into another slot";
  EXPECT_EQ(StateText(), before);

  // Another finger into the slot 0xF6: it replaces the finger that was there.
  const Committed replaced = Enroll(lib_, touches_, 0xF6, 0xF8);
  EXPECT_EQ(replaced.result, S_OK);
  EXPECT_EQ(replaced.is_new, 0);
  const WINBIO_SESSION_HANDLE session = Open();
  WINBIO_UNIT_ID unit = 0;
  TWinBioIdentity found{};
  WINBIO_BIOMETRIC_SUBTYPE subfactor = 0;
  WINBIO_REJECT_DETAIL detail = 0;
  touches_.Finger(1, 0xF6);
  EXPECT_EQ(lib_.Identify(session, &unit, &found, &subfactor, &detail), WINBIO_E_UNKNOWN_ID)
      << "the finger that was replaced is unknown now";
  touches_.Finger(1, 0xF8);
  ASSERT_EQ(lib_.Identify(session, &unit, &found, &subfactor, &detail), S_OK);
  EXPECT_EQ(subfactor, 0xF6) << "the new finger answers as the slot it went into";

  // Someone else's finger committed into this user's account signs in as him.
  const Committed foreign = Enroll(lib_, touches_, 0xF9, 2, kOtherUser);
  EXPECT_EQ(foreign.result, S_OK);
  EXPECT_EQ(foreign.is_new, 1);
  touches_.Finger(1, 2, kOtherUser);
  ASSERT_EQ(lib_.Identify(session, &unit, &found, &subfactor, &detail), S_OK);
  EXPECT_TRUE(SameIdentity(found, me_));
  EXPECT_EQ(subfactor, 0xF9);
  EXPECT_EQ(lib_.CloseSession(session), S_OK);
}

// Windows leaves a transaction whose commit it refused as a duplicate open: only a discard ends it.
TEST_F(SimEnroll, ARefusedDuplicateStaysOpenUntilDiscarded) {
  const WINBIO_SESSION_HANDLE session = Open();
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF7, 2), S_OK);
  for (int i = 0; i < 4; ++i) {
    touches_.Finger(2, 0xF5, kOtherUser);
    Capture(lib_, session);
  }
  TWinBioIdentity identity{};
  WINBIO_BOOLEAN is_new = 0;
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, &is_new), WINBIO_E_DUPLICATE_TEMPLATE)
      << "another account's finger";
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, &is_new), WINBIO_E_DUPLICATE_TEMPLATE);
  EXPECT_EQ(lib_.EnrollBegin(session, 0xF7, 2), WINBIO_E_ENROLLMENT_IN_PROGRESS);
  EXPECT_EQ(lib_.EnrollDiscard(session), S_OK);
  EXPECT_EQ(lib_.EnrollBegin(session, 0xF7, 2), S_OK);
  EXPECT_EQ(State()->Templates().size(), 3u);
}

TEST_F(SimEnroll, DiscardDropsTheTransaction) {
  const WINBIO_SESSION_HANDLE session = Open();
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF7, 1), S_OK);
  touches_.Finger(1, 0xF7);
  EXPECT_EQ(Capture(lib_, session), WINBIO_I_MORE_DATA);
  EXPECT_EQ(lib_.EnrollDiscard(session), S_OK);
  EXPECT_EQ(lib_.EnrollDiscard(session), WINBIO_E_INVALID_OPERATION);
  EXPECT_EQ(Capture(lib_, session), WINBIO_E_INVALID_OPERATION);

  ASSERT_EQ(lib_.EnrollBegin(session, 0xF7, 1), S_OK) << "a new transaction may begin";
  for (int i = 0; i < 3; ++i) {
    touches_.Finger(1, 0xF7);
    EXPECT_EQ(Capture(lib_, session), WINBIO_I_MORE_DATA) << "counting starts again";
  }
  EXPECT_EQ(State()->Templates().size(), 3u);
}

TEST_F(SimEnroll, TransactionRules) {
  const WINBIO_SESSION_HANDLE session = Open();
  const WINBIO_SESSION_HANDLE other = Open();
  EXPECT_EQ(lib_.EnrollBegin(session, 0xF7, 9), WINBIO_E_INVALID_UNIT);
  EXPECT_EQ(lib_.EnrollBegin(session, 0, 1), E_INVALIDARG);
  EXPECT_EQ(lib_.EnrollBegin(session, 0xFF, 1), E_INVALIDARG);
  EXPECT_EQ(lib_.EnrollBegin(session, 11, 1), E_INVALIDARG);
  ASSERT_EQ(lib_.EnrollBegin(session, 0xF7, 1), S_OK);
  EXPECT_EQ(lib_.EnrollBegin(session, 0xF8, 2), WINBIO_E_ENROLLMENT_IN_PROGRESS);
  EXPECT_EQ(lib_.EnrollBegin(other, 0xF8, 2), S_OK) << "another session has its own";

  TWinBioIdentity identity{};
  WINBIO_BOOLEAN is_new = 0;
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, &is_new), WINBIO_E_INVALID_DEVICE_STATE)
      << "no samples yet";
  EXPECT_EQ(lib_.EnrollCommit(session, nullptr, &is_new), E_POINTER);
  EXPECT_EQ(lib_.EnrollCommit(session, &identity, nullptr), E_POINTER);
  EXPECT_EQ(lib_.EnrollCapture(session, nullptr), E_POINTER);
  EXPECT_EQ(lib_.EnrollCommit(0, &identity, &is_new), E_HANDLE);

  touches_.Fail(1, WINBIO_E_DEVICE_FAILURE);
  EXPECT_EQ(Capture(lib_, session), WINBIO_E_DEVICE_FAILURE);
  EXPECT_EQ(lib_.EnrollDiscard(session), S_OK) << "a failed capture leaves the transaction open";
}

TEST_F(SimEnroll, LocateSensorAnswersTheTouchedUnit) {
  const WINBIO_SESSION_HANDLE session = Open();
  WINBIO_UNIT_ID unit = 0;
  touches_.Finger(2, 0xF9);
  EXPECT_EQ(lib_.LocateSensor(session, &unit), S_OK);
  EXPECT_EQ(unit, 2u);
  touches_.Bad(1, 0x40);
  EXPECT_EQ(lib_.LocateSensor(session, &unit), S_OK) << "a poor image still shows the sensor";
  EXPECT_EQ(unit, 1u);
  touches_.Fail(2, WINBIO_E_CAPTURE_ABORTED);
  EXPECT_EQ(lib_.LocateSensor(session, &unit), WINBIO_E_CAPTURE_ABORTED);
  EXPECT_EQ(unit, 0u);
  EXPECT_EQ(lib_.LocateSensor(session, nullptr), E_POINTER);
  EXPECT_EQ(lib_.LocateSensor(0, &unit), E_HANDLE);
}

TEST_F(SimEnroll, TouchesThatMakeNoSenseAreDeviceFailures) {
  const WINBIO_SESSION_HANDLE session = Open();
  WINBIO_UNIT_ID unit = 0;
  touches_.Finger(3, 0xF5);  // the state has no unit 3
  EXPECT_EQ(lib_.LocateSensor(session, &unit), WINBIO_E_DEVICE_FAILURE);
  ASSERT_TRUE(WriteFileAtomically((touches_.spool() / "x.toml").u16string(), "unit = 1"));
  EXPECT_EQ(lib_.LocateSensor(session, &unit), WINBIO_E_DEVICE_FAILURE);
  EXPECT_EQ(touches_.Pending(), 0u) << "both were taken";
}

}  // namespace
}  // namespace dactyra::sim
