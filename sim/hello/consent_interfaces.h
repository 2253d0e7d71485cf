#pragma once

// The interfaces of the stand-in for Windows Hello verification, declared here from the
// platform's definitions (the SDK's IInspectable, IActivationFactory and IAsyncInfo), apart from
// the program's own, so that a wrong layout or IID on either side shows in the tests.

#include <windows.h>

#include <activation.h>
#include <asyncinfo.h>
#include <inspectable.h>
#include <winstring.h>

// COM objects are released, never deleted, through their interfaces, which (as the SDK declares
// them) have no virtual destructor.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace dactyra::sim {

// IAsyncOperationCompletedHandler<E> and IAsyncOperation<E> of a 32-bit enumeration E, and the
// class's interfaces. Outside an unnamed namespace: implementations of them live in other
// modules, which the compiler must not rule out.
struct IEnumCompletedHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(IInspectable* operation, AsyncStatus status) = 0;
};
struct IEnumAsyncOperation : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IEnumCompletedHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IEnumCompletedHandler** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(INT32* result) = 0;
};
struct IUserConsentVerifierStatics : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE CheckAvailabilityAsync(IEnumAsyncOperation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestVerificationAsync(HSTRING message,
                                                             IEnumAsyncOperation** result) = 0;
};
struct IUserConsentVerifierInterop : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE RequestVerificationForWindowAsync(HWND window, HSTRING message,
                                                                      REFIID riid,
                                                                      void** operation) = 0;
};

inline constexpr IID kIidUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID kIidInspectable{
    0xAF86E2E0, 0xB12D, 0x4C6A, {0x9C, 0x5A, 0xD7, 0xAA, 0x65, 0x10, 0x1E, 0x90}};
inline constexpr IID kIidActivationFactory{
    0x00000035, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID kIidAsyncInfo{0x00000036, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID kIidAgileObject{
    0x94EA2B94, 0xE9CC, 0x49E0, {0xC0, 0xFF, 0xEE, 0x64, 0xCA, 0x8F, 0x5B, 0x90}};
inline constexpr IID kIidStatics{
    0xAF4F3F91, 0x564C, 0x4DDC, {0xB8, 0xB5, 0x97, 0x34, 0x47, 0x62, 0x7C, 0x65}};
inline constexpr IID kIidInterop{
    0x39E050C3, 0x4E74, 0x441A, {0x8D, 0xC0, 0xB8, 0x11, 0x04, 0xDF, 0x94, 0x9C}};
inline constexpr IID kIidResultOperation{
    0xFD596FFD, 0x2318, 0x558F, {0x9D, 0xBE, 0xD2, 0x1D, 0xF4, 0x37, 0x64, 0xA5}};
inline constexpr IID kIidResultHandler{
    0x0CFFC6C9, 0x4C2B, 0x5CD4, {0xB3, 0x8C, 0x7B, 0x8D, 0xF3, 0xFF, 0x5A, 0xFB}};
inline constexpr IID kIidAvailabilityOperation{
    0xDDD384F3, 0xD818, 0x5D83, {0xAB, 0x4B, 0x32, 0x11, 0x9C, 0x28, 0x58, 0x7C}};
inline constexpr IID kIidAvailabilityHandler{
    0x28988174, 0xACE2, 0x5C15, {0xA0, 0xDF, 0x58, 0x0A, 0x26, 0xD9, 0x42, 0x94}};

inline constexpr HRESULT kIllegalMethodCall = static_cast<HRESULT>(0x8000000E);
inline constexpr HRESULT kIllegalDelegateAssignment = static_cast<HRESULT>(0x80000018);

}  // namespace dactyra::sim

// An IInspectable's three methods for an object that tells nothing about itself.
#define DACTYRA_NO_INSPECTION                                             \
  HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override {  \
    *count = 0;                                                           \
    *iids = nullptr;                                                      \
    return S_OK;                                                          \
  }                                                                       \
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) override { \
    *name = nullptr;                                                      \
    return E_NOTIMPL;                                                     \
  }                                                                       \
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {   \
    *level = BaseTrust;                                                   \
    return S_OK;                                                          \
  }
