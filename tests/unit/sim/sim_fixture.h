#pragma once

// A simulated service registered in-process on a state file in a fresh folder, the program's
// binding loaded on it, and a writer for touches.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "base/file.h"
#include "base/utf.h"
#include "biometric/winbio_lib.h"
#include "platform/platform.h"
#include "sim/identity.h"
#include "sim/in_process.h"
#include "sim/state.h"
#include "sim/touch_writer.h"
#include "unit/toml_io/temp_folder.h"

namespace dactyra::sim {

// Another account's SID, as touches and templates name it.
inline constexpr char16_t kOtherUser[] = u"S-1-5-21-7-8-9-1002";

// Two sensors; the current user has 0xF5 and 0xF6 on unit 1, the other user 0xF5 on unit 2.
inline constexpr char kTwoSensors[] = R"(samples = 4

[[unit]]
id = 1
description = "Integrated Fingerprint Sensor"
manufacturer = "Dactyra Labs"
model = "FS-100"
serial = "0001"

[[unit]]
id = 2
description = "USB Fingerprint Reader"

[[template]]
unit = 1
identity = "current"
subfactor = 0xF5

[[template]]
unit = 1
identity = "current"
subfactor = 0xF6

[[template]]
unit = 2
identity = "S-1-5-21-7-8-9-1002"
subfactor = 0xF5
)";

class SimTest : public ::testing::Test {
 protected:
  static constexpr std::chrono::milliseconds kPoll{5};

  explicit SimTest(const char* state_text = kTwoSensors)
      : sim_(StatePath(), kPoll), touches_(folder_.path() / "touches") {
    WriteState(state_text);
    EXPECT_TRUE(lib_.Load()) << "the binding loads the in-process simulator";
    EXPECT_TRUE(GetCurrentIdentity(me_));
  }
  ~SimTest() override {
    lib_.Unload();
    EXPECT_EQ(sim_.service().OutstandingBlocks(), 0u) << "everything handed out was freed";
  }

  std::u16string StatePath() const { return folder_.File(u"winbio-sim.toml"); }

  void WriteState(std::string_view text) const {
    ASSERT_TRUE(WriteFileAtomically(StatePath(), text).ok);
  }

  std::optional<SimState> State() const { return SimState::Load(StatePath()); }

  // The state file's text, to see what the service wrote back.
  std::string StateText() const { return ReadWholeFile(StatePath()).bytes; }

  WINBIO_SESSION_HANDLE Open() {
    WINBIO_SESSION_HANDLE session = 0;
    EXPECT_EQ(lib_.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT,
                               nullptr, 0, kDatabaseIdNull, &session),
              S_OK);
    EXPECT_NE(session, 0u);
    return session;
  }

  static TWinBioIdentity IdentityOf(std::u16string_view sid_text) {
    return IdentityOfSid(SidFromText(sid_text).value());
  }

  testing::TempFolder folder_;
  InProcessService sim_;
  TouchWriter touches_;
  TWinBioLib lib_;
  TWinBioIdentity me_{};
};

}  // namespace dactyra::sim
