// Loading in-process stand-ins through the platform's module calls, as the biometric binding
// does.
#include <gtest/gtest.h>

#include <cstring>

#include "biometric/winbio_lib.h"
#include "platform/posix/in_process_modules.h"

namespace dactyra::platform {
namespace {

HRESULT DACTYRA_WINBIO_API FakeCloseSession(WINBIO_SESSION_HANDLE session) {
  return static_cast<HRESULT>(session) + 1;
}

ExportAddress OnlyCloseSession(const char* export_name) {
  if (std::strcmp(export_name, "WinBioCloseSession") == 0) {
    return reinterpret_cast<ExportAddress>(&FakeCloseSession);
  }
  return nullptr;
}

// Unregisters the test's name however the test ends.
class Registered {
 public:
  Registered(std::u16string_view name, ExportResolver resolver) : name_(name) {
    RegisterInProcessModule(name, resolver);
  }
  ~Registered() { UnregisterInProcessModule(name_); }
  Registered(const Registered&) = delete;
  Registered& operator=(const Registered&) = delete;

 private:
  std::u16string name_;
};

TEST(InProcessModules, UnregisteredNamesDoNotLoad) {
  EXPECT_EQ(LoadSystemModule(u"no_such_module.dll"), 0u);
  EXPECT_EQ(FindExport(0, "WinBioCloseSession"), nullptr);
  FreeSystemModule(0);
  EXPECT_EQ(InProcessModuleReferences(u"no_such_module.dll"), 0);
}

TEST(InProcessModules, LoadsCountReferencesUntilEachIsReleased) {
  const Registered registered(u"stand_in.dll", &OnlyCloseSession);
  const ModuleHandle first = LoadSystemModule(u"STAND_IN.DLL");  // any ASCII case
  ASSERT_NE(first, 0u);
  const ModuleHandle second = LoadSystemModule(u"stand_in.dll");
  EXPECT_EQ(second, first) << "one module, like the system's loader";
  EXPECT_EQ(InProcessModuleReferences(u"stand_in.dll"), 2);

  const auto close = reinterpret_cast<TWinBioCloseSession>(FindExport(first, "WinBioCloseSession"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close(41), 42);
  EXPECT_EQ(FindExport(first, "WinBioFree"), nullptr);

  FreeSystemModule(first);
  EXPECT_EQ(InProcessModuleReferences(u"stand_in.dll"), 1);
  EXPECT_NE(FindExport(second, "WinBioCloseSession"), nullptr) << "still held once";
  FreeSystemModule(second);
  EXPECT_EQ(InProcessModuleReferences(u"stand_in.dll"), 0);
  EXPECT_EQ(FindExport(first, "WinBioCloseSession"), nullptr) << "released: nothing to find";
  FreeSystemModule(first);  // one release too many changes nothing
  EXPECT_EQ(InProcessModuleReferences(u"stand_in.dll"), 0);
}

TEST(InProcessModules, ReplacedOrUnregisteredModulesInvalidateOldHandles) {
  RegisterInProcessModule(u"replaced.dll", &OnlyCloseSession);
  const ModuleHandle old_handle = LoadSystemModule(u"replaced.dll");
  const Registered replacement(u"replaced.dll", &OnlyCloseSession);
  EXPECT_EQ(FindExport(old_handle, "WinBioCloseSession"), nullptr);
  FreeSystemModule(old_handle);
  EXPECT_EQ(InProcessModuleReferences(u"replaced.dll"), 0) << "the old release hits nothing";

  const ModuleHandle current = LoadSystemModule(u"replaced.dll");
  EXPECT_NE(current, old_handle);
  UnregisterInProcessModule(u"replaced.dll");
  EXPECT_EQ(LoadSystemModule(u"replaced.dll"), 0u);
  EXPECT_EQ(FindExport(current, "WinBioCloseSession"), nullptr);
  FreeSystemModule(current);
}

// A worker's own reference keeps the module after its loader released it.
TEST(InProcessModules, AddedReferencesKeepTheModuleUntilReleased) {
  const Registered registered(u"stand_in.dll", &OnlyCloseSession);
  EXPECT_EQ(AddModuleReference(0), 0u);
  const ModuleHandle loaded = LoadSystemModule(u"stand_in.dll");
  const ModuleHandle extra = AddModuleReference(loaded);
  EXPECT_EQ(extra, loaded);
  EXPECT_EQ(InProcessModuleReferences(u"stand_in.dll"), 2);
  FreeSystemModule(loaded);
  EXPECT_NE(FindExport(extra, "WinBioCloseSession"), nullptr) << "still held by the extra one";
  FreeSystemModule(extra);
  EXPECT_EQ(InProcessModuleReferences(u"stand_in.dll"), 0);
  EXPECT_EQ(AddModuleReference(loaded), 0u) << "a module nobody holds cannot be referenced";
}

// The binding's own loader on an in-process module: a stand-in that lacks exports is loaded
// but not ready, and Unload gives its reference back.
TEST(InProcessModules, BiometricBindingTakesAndReleasesOneReference) {
  const Registered registered(u"winbio.dll", &OnlyCloseSession);
  TWinBioLib lib;
  EXPECT_FALSE(lib.Load());
  EXPECT_NE(lib.hLib, 0u);
  EXPECT_NE(lib.CloseSession, nullptr);
  EXPECT_EQ(InProcessModuleReferences(u"winbio.dll"), 1);
  EXPECT_FALSE(lib.Load()) << "a second attempt does not load again";
  EXPECT_EQ(InProcessModuleReferences(u"winbio.dll"), 1);
  lib.Unload();
  EXPECT_EQ(InProcessModuleReferences(u"winbio.dll"), 0);
}

}  // namespace
}  // namespace dactyra::platform
