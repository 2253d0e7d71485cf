#pragma once

// The Windows Runtime interfaces of Windows Hello verification, declared as their binary layout
// is (methods in vtable order), with their IIDs. Windows 8.1 has none of them; nothing here is
// linked, every object comes from combase.dll at run time.

#include <windows.h>

#include <cstdint>

namespace dactyra::ui::detail {

struct HStringData;
using HStringHandle = HStringData*;  // HSTRING

// IUnknown.
struct Unknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  ~Unknown() = default;  // released, never deleted, through the interface
};

// IInspectable.
struct Inspectable : Unknown {
  virtual HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HStringHandle* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTrustLevel(std::int32_t* level) = 0;

 protected:
  ~Inspectable() = default;
};

// IAsyncInfo.
struct AsyncInfo : Inspectable {
  virtual HRESULT STDMETHODCALLTYPE get_Id(std::uint32_t* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Status(std::int32_t* status) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* code) = 0;
  virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
  virtual HRESULT STDMETHODCALLTYPE Close() = 0;

 protected:
  ~AsyncInfo() = default;
};

// The AsyncStatus of an operation that ended cancelled (Started 0, Completed 1, Canceled 2,
// Error 3), as its completed handler hears it.
inline constexpr std::int32_t kAsyncCanceled = 2;

// IAsyncOperationCompletedHandler<T> for an enumeration T (a 32-bit value).
struct EnumCompletedHandler : Unknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(Unknown* operation, std::int32_t status) = 0;

 protected:
  ~EnumCompletedHandler() = default;
};

// IAsyncOperation<T> for an enumeration T.
struct EnumAsyncOperation : Inspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(EnumCompletedHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(EnumCompletedHandler** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(std::int32_t* result) = 0;

 protected:
  ~EnumAsyncOperation() = default;
};

// IUserConsentVerifierStatics (Windows 10 and later).
struct UserConsentVerifierStatics : Inspectable {
  virtual HRESULT STDMETHODCALLTYPE CheckAvailabilityAsync(EnumAsyncOperation** operation) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestVerificationAsync(HStringHandle message,
                                                             EnumAsyncOperation** operation) = 0;

 protected:
  ~UserConsentVerifierStatics() = default;
};

// IUserConsentVerifierInterop (Windows 11): the prompt belongs to the given window.
struct UserConsentVerifierInterop : Inspectable {
  virtual HRESULT STDMETHODCALLTYPE RequestVerificationForWindowAsync(HWND app_window,
                                                                      HStringHandle message,
                                                                      REFIID riid,
                                                                      void** operation) = 0;

 protected:
  ~UserConsentVerifierInterop() = default;
};

inline constexpr wchar_t kUserConsentVerifierClass[] =
    L"Windows.Security.Credentials.UI.UserConsentVerifier";

inline constexpr IID kIidUnknown{
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID kIidAgileObject{
    0x94EA2B94, 0xE9CC, 0x49E0, {0xC0, 0xFF, 0xEE, 0x64, 0xCA, 0x8F, 0x5B, 0x90}};
inline constexpr IID kIidAsyncInfo{
    0x00000036, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID kIidUserConsentVerifierStatics{
    0xAF4F3F91, 0x564C, 0x4DDC, {0xB8, 0xB5, 0x97, 0x34, 0x47, 0x62, 0x7C, 0x65}};
inline constexpr IID kIidUserConsentVerifierInterop{
    0x39E050C3, 0x4E74, 0x441A, {0x8D, 0xC0, 0xB8, 0x11, 0x04, 0xDF, 0x94, 0x9C}};
// IAsyncOperation<UserConsentVerificationResult> and its completed handler.
inline constexpr IID kIidVerificationOperation{
    0xFD596FFD, 0x2318, 0x558F, {0x9D, 0xBE, 0xD2, 0x1D, 0xF4, 0x37, 0x64, 0xA5}};
inline constexpr IID kIidVerificationHandler{
    0x0CFFC6C9, 0x4C2B, 0x5CD4, {0xB3, 0x8C, 0x7B, 0x8D, 0xF3, 0xFF, 0x5A, 0xFB}};
// IAsyncOperation<UserConsentVerifierAvailability> and its completed handler.
inline constexpr IID kIidAvailabilityOperation{
    0xDDD384F3, 0xD818, 0x5D83, {0xAB, 0x4B, 0x32, 0x11, 0x9C, 0x28, 0x58, 0x7C}};
inline constexpr IID kIidAvailabilityHandler{
    0x28988174, 0xACE2, 0x5C15, {0xA0, 0xDF, 0x58, 0x0A, 0x26, 0xD9, 0x42, 0x94}};

}  // namespace dactyra::ui::detail
