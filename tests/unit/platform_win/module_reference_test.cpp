// A counted reference on a loaded module keeps it loaded after its loader frees it, as a
// worker thread still waiting inside the biometric service needs.
#include <windows.h>

#include <gtest/gtest.h>

#include "biometric/winbio_lib.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

bool IsLoaded() {
  return GetModuleHandleW(L"dactyra_test_winbio_full.dll") != nullptr;
}

TEST(ModuleReference, KeepsTheModuleUntilTheLastReferenceGoes) {
  TWinBioLib lib;
  ASSERT_TRUE(lib.Load(u"dactyra_test_winbio_full.dll"));
  {
    const platform::Module reference = platform::Module::AddReference(lib.hLib);
    EXPECT_EQ(reference.Handle(), lib.hLib);
    const TWinBioLib copy = lib;  // a worker's snapshot
    lib.Unload();
    ASSERT_TRUE(IsLoaded()) << "the reference holds it";
    EXPECT_EQ(copy.CloseSession(1), S_OK) << "still callable";
  }
  EXPECT_FALSE(IsLoaded()) << "gone with the last reference";
}

TEST(ModuleReference, NothingToReferenceGivesNone) {
  EXPECT_EQ(platform::AddModuleReference(0), 0u);
  const platform::Module none = platform::Module::AddReference(0);
  EXPECT_FALSE(none.IsLoaded());
}

}  // namespace
}  // namespace dactyra
