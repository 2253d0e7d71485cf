#pragma once

// The simulated biometric service inside a native test: a state file in a fresh temporary
// folder, the service registered as "winbio.dll", the program's own binding loaded from it, an
// open session and a writer of touches.
//
//   testing::InProcessWinBio winbio(R"(samples = 4
//   [[unit]]
//   id = 1
//   description = "Sensor")");
//   winbio.touches.Finger(1, 0xF5);

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include <unistd.h>

#include "biometric/winbio_lib.h"
#include "platform/posix/in_process_modules.h"
#include "sim/in_process.h"
#include "sim/touch_writer.h"

namespace dactyra::testing {

class InProcessWinBio {
 public:
  static constexpr std::chrono::milliseconds kPollInterval{2};

  explicit InProcessWinBio(std::string_view state_toml)
      : folder_(MakeFolder()),
        state_path_(WriteState(folder_, state_toml)),
        service_(state_path_.u16string(), kPollInterval),
        touches(folder_ / "touches") {
    EXPECT_TRUE(lib.Load());
    EXPECT_TRUE(GetCurrentIdentity(me));
    EXPECT_EQ(lib.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT,
                              nullptr, 0, kDatabaseIdNull, &session),
              S_OK);
  }

  ~InProcessWinBio() {
    // Workers still waiting in the service return WINBIO_E_CANCELED and end; the folder goes
    // once none holds the module any more.
    service().CloseAllSessions();
    lib.Unload();
    EXPECT_TRUE(WaitForModuleReferences(0)) << "a worker did not end";
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  InProcessWinBio(const InProcessWinBio&) = delete;
  InProcessWinBio& operator=(const InProcessWinBio&) = delete;

  // References held on the service's module: one for `lib` while loaded, one per running
  // worker.
  static int ModuleReferences() { return platform::InProcessModuleReferences(u"winbio.dll"); }

  // Waits until exactly `count` references are held; false after five seconds.
  static bool WaitForModuleReferences(int count) {
    return WaitFor([count] { return ModuleReferences() == count; });
  }

  static bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > deadline) {
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  // Whether the signed-in user has `finger` enrolled on `unit`, as the service lists it.
  bool Enrolled(WINBIO_UNIT_ID unit, WINBIO_BIOMETRIC_SUBTYPE finger) {
    WINBIO_BIOMETRIC_SUBTYPE* fingers = nullptr;
    std::size_t count = 0;
    if (lib.EnumEnroll(session, unit, &me, &fingers, &count) != S_OK) {
      return false;
    }
    const bool found = std::find(fingers, fingers + count, finger) != fingers + count;
    lib.Free(fingers);
    return found;
  }

  sim::Service& service() const { return service_.service(); }

 private:
  static std::filesystem::path MakeFolder() {
    static std::atomic<int> counter{0};
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("dactyra-winbio-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
  }

  static std::filesystem::path WriteState(const std::filesystem::path& folder,
                                          std::string_view text) {
    const auto path = folder / "state.toml";
    std::ofstream(path) << text;
    return path;
  }

  std::filesystem::path folder_;
  std::filesystem::path state_path_;
  sim::InProcessService service_;

 public:
  sim::TouchWriter touches;
  TWinBioLib lib;
  WINBIO_SESSION_HANDLE session = 0;
  TWinBioIdentity me{};  // the signed-in user, as the service sees "current"
};

}  // namespace dactyra::testing
