#pragma once

// The Windows Runtime functions of combase.dll, looked up at run time (Windows 8.1 and Wine lack
// some classes, older systems the library), the thread's apartment and HSTRING texts.

#include <windows.h>

#include <string_view>

#include "platform/platform.h"
#include "ui/win32/consent_abi.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

class WindowsRuntime {
 public:
  WindowsRuntime();
  WindowsRuntime(const WindowsRuntime&) = delete;
  WindowsRuntime& operator=(const WindowsRuntime&) = delete;

  // Whether combase.dll has every function used here.
  bool Loaded() const;

  // The activation factory of `class_name` as its interface `iid`.
  HRESULT GetActivationFactory(std::wstring_view class_name, const IID& iid, void** factory) const;

 private:
  friend class RuntimeApartment;
  friend class HString;
  using InitializeFunction = HRESULT(WINAPI*)(int type);
  using UninitializeFunction = void(WINAPI*)();
  using GetFactoryFunction = HRESULT(WINAPI*)(HStringHandle name, REFIID iid, void** factory);
  using CreateStringFunction = HRESULT(WINAPI*)(const wchar_t* text, UINT32 length,
                                                HStringHandle* string);
  using DeleteStringFunction = HRESULT(WINAPI*)(HStringHandle string);

  platform::Module combase_;
  InitializeFunction initialize_;
  UninitializeFunction uninitialize_;
  GetFactoryFunction get_factory_;
  CreateStringFunction create_string_;
  DeleteStringFunction delete_string_;
};

// The calling thread in a single-threaded apartment while the object lives (unless the thread
// already was in one of either kind, which it keeps, or the runtime is not loaded).
class RuntimeApartment {
 public:
  explicit RuntimeApartment(const WindowsRuntime& runtime);
  ~RuntimeApartment();
  RuntimeApartment(const RuntimeApartment&) = delete;
  RuntimeApartment& operator=(const RuntimeApartment&) = delete;

 private:
  const WindowsRuntime& runtime_;
  bool entered_;
};

// An HSTRING holding a copy of a text; null (the empty HSTRING) when it could not be made.
class HString {
 public:
  HString(const WindowsRuntime& runtime, std::wstring_view text);
  ~HString();
  HString(const HString&) = delete;
  HString& operator=(const HString&) = delete;

  HStringHandle get() const { return string_; }

 private:
  const WindowsRuntime& runtime_;
  HStringHandle string_ = nullptr;
};

}  // namespace dactyra::ui::detail
