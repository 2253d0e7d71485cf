// Loading the biometric binding from the system directory, under Wine, with test libraries
// that stand in for winbio.dll.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "biometric/winbio_lib.h"

namespace dactyra {
namespace {

constexpr char16_t kFull[] = u"dactyra_test_winbio_full.dll";
constexpr char16_t kPartial[] = u"dactyra_test_winbio_partial.dll";
constexpr char16_t kPlanted[] = u"dactyra_test_winbio_planted.dll";

bool IsLoadedInProcess(const wchar_t* dll_name) {
  return GetModuleHandleW(dll_name) != nullptr;
}

bool IsEmpty(const TWinBioLib& lib) {
  const TWinBioLib empty{};
  return std::memcmp(&lib, &empty, sizeof lib) == 0;
}

TEST(WinBioLoad, LibraryWithAllTwelveExportsIsReady) {
  TWinBioLib lib;
  ASSERT_TRUE(lib.Load(kFull));
  EXPECT_TRUE(lib.IsReady());
  EXPECT_NE(lib.hLib, 0u);
  EXPECT_EQ(reinterpret_cast<void*>(lib.LocateSensor),
            reinterpret_cast<void*>(
                GetProcAddress(reinterpret_cast<HMODULE>(lib.hLib), "WinBioLocateSensor")));
  EXPECT_EQ(lib.CloseSession(1), S_OK) << "the entry is callable";

  const TWinBioLib copy = lib;  // a dialog's snapshot
  EXPECT_TRUE(copy.IsReady());

  lib.Unload();
  EXPECT_TRUE(IsEmpty(lib));
  EXPECT_FALSE(IsLoadedInProcess(L"dactyra_test_winbio_full.dll")) << "freed once, and gone";
}

TEST(WinBioLoad, MissingExportKeepsTheModuleAndStaysNotReady) {
  TWinBioLib lib;
  EXPECT_FALSE(lib.Load(kPartial));
  EXPECT_NE(lib.hLib, 0u) << "the module stays loaded";
  EXPECT_EQ(lib.LocateSensor, nullptr);
  EXPECT_NE(lib.EnumUnits, nullptr);
  EXPECT_NE(lib.Free, nullptr);
  EXPECT_FALSE(lib.IsReady());

  const std::uintptr_t first_handle = lib.hLib;
  EXPECT_FALSE(lib.Load(kPartial)) << "the next attempt reports the failure again";
  EXPECT_EQ(lib.hLib, first_handle);
  EXPECT_FALSE(lib.IsReady());

  lib.Unload();
  EXPECT_TRUE(IsEmpty(lib));
  EXPECT_FALSE(IsLoadedInProcess(L"dactyra_test_winbio_partial.dll"))
      << "the second Load did not load the module a second time";
}

TEST(WinBioLoad, MissingLibraryLeavesTheTableEmpty) {
  TWinBioLib lib;
  EXPECT_FALSE(lib.Load(u"dactyra_no_such_library.dll"));
  EXPECT_TRUE(IsEmpty(lib));
  lib.Unload();
  EXPECT_TRUE(IsEmpty(lib)) << "Unload of an empty table does nothing";
}

// The planted library lies in the test program's folder, which is also the current directory:
// the default search order would find it there, the binding must not.
TEST(WinBioLoad, LibraryBesideTheProgramIsNotLoaded) {
  TWinBioLib lib;
  EXPECT_FALSE(lib.Load(kPlanted));
  EXPECT_TRUE(IsEmpty(lib));
  wchar_t folder[MAX_PATH] = {};
  ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, folder), 0u);
  const std::u16string planted_path =
      reinterpret_cast<const char16_t*>(folder) + std::u16string(u"\\") + kPlanted;
  EXPECT_FALSE(lib.Load(planted_path)) << "a path is not a system library name";
  EXPECT_TRUE(IsEmpty(lib));

  // The check above means something only if the library is really there to be found.
  const HMODULE found_by_default_order = LoadLibraryW(L"dactyra_test_winbio_planted.dll");
  ASSERT_NE(found_by_default_order, nullptr);
  FreeLibrary(found_by_default_order);
}

}  // namespace
}  // namespace dactyra
