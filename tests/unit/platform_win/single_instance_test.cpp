// The single-instance claim across processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace dactyra {
namespace {

using platform::SingleInstance;

// A name no other test run uses, so that runs do not meet.
std::u16string UniqueName(const char16_t* what) {
  const std::wstring pid = std::to_wstring(GetCurrentProcessId());
  return u"dactyra-test-" + std::u16string(what) + u"-" + std::u16string(pid.begin(), pid.end());
}

bool AtomExists(const std::u16string& name) {
  return GlobalFindAtomW(reinterpret_cast<const wchar_t*>(name.c_str())) != 0;
}

TEST(SingleInstance, HeldUntilReleasedWithinTheProcess) {
  const std::u16string name = UniqueName(u"local");
  {
    auto first = SingleInstance::Acquire(name);
    ASSERT_TRUE(first);
    EXPECT_TRUE(AtomExists(name));
    EXPECT_FALSE(SingleInstance::Acquire(name)) << "a second claim fails while one is held";
    SingleInstance moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(SingleInstance::Acquire(name)) << "a moved-from claim releases nothing";
  }
  EXPECT_FALSE(AtomExists(name)) << "the atom goes with the claim";
  EXPECT_TRUE(SingleInstance::Acquire(name)) << "free again";
}

// Starts instance_holder for `name` and waits until it holds the claim.
class Holder {
 public:
  explicit Holder(const std::u16string& name) {
    const std::wstring wide_name(name.begin(), name.end());
    ready_ = CreateEventW(nullptr, TRUE, FALSE, (L"Local\\" + wide_name + L"-ready").c_str());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path = path.substr(0, path.rfind(L'\\')) + L"\\helpers\\instance_holder.exe";
    std::wstring command = L"\"" + path + L"\" " + wide_name;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_);
    if (started_) {
      CloseHandle(process_.hThread);
    }
  }
  ~Holder() {
    Kill();
    CloseHandle(ready_);
  }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;

  bool WaitUntilHolding() {
    if (!started_) {
      return false;
    }
    const HANDLE handles[] = {ready_, process_.hProcess};
    return WaitForMultipleObjects(2, handles, FALSE, 30000) == WAIT_OBJECT_0;
  }

  void Kill() {
    if (started_) {
      TerminateProcess(process_.hProcess, 9);
      WaitForSingleObject(process_.hProcess, 30000);
      CloseHandle(process_.hProcess);
      started_ = false;
    }
  }

 private:
  HANDLE ready_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

TEST(SingleInstance, AnotherProcessHoldsItUntilKilled) {
  const std::u16string name = UniqueName(u"process");
  Holder holder(name);
  ASSERT_TRUE(holder.WaitUntilHolding());
  EXPECT_FALSE(SingleInstance::Acquire(name));

  holder.Kill();
  EXPECT_TRUE(AtomExists(name)) << "a killed instance leaves its atom behind";
  EXPECT_TRUE(SingleInstance::Acquire(name)) << "but not its claim";
}

}  // namespace
}  // namespace dactyra
