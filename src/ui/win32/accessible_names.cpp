#include "ui/win32/accessible_names.h"

// Separate include block: these need the types of windows.h.
#include <objbase.h>
#include <oleacc.h>

#include <string>

#include "base/wide.h"

namespace dactyra::ui::detail {
namespace {

using CoInitializeExFunction = decltype(&CoInitializeEx);
using CoUninitializeFunction = decltype(&CoUninitialize);
using CoCreateInstanceFunction = decltype(&CoCreateInstance);

// The annotation service and the name property (oleacc.h), given here rather than taken from a
// library.
constexpr GUID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

}  // namespace

// The annotation service's object, released with the holder.
struct AccessibleNames::Service {
  explicit Service(IAccPropServices* object) : services(object) {}
  ~Service() { services->Release(); }
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  IAccPropServices* services;
};

AccessibleNames::AccessibleNames() {
  const auto initialize = ole32_.Find<CoInitializeExFunction>("CoInitializeEx");
  const auto create = ole32_.Find<CoCreateInstanceFunction>("CoCreateInstance");
  if (initialize == nullptr || create == nullptr ||
      ole32_.Find<CoUninitializeFunction>("CoUninitialize") == nullptr) {
    return;
  }
  // S_FALSE: the thread had joined already; it is one more join to leave all the same.
  com_joined_ = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  void* services = nullptr;
  if (SUCCEEDED(create(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                       kAccPropServicesInterface, &services)) &&
      services != nullptr) {
    service_ = std::make_unique<Service>(static_cast<IAccPropServices*>(services));
  }
}

AccessibleNames::~AccessibleNames() {
  service_.reset();
  if (com_joined_) {
    ole32_.Find<CoUninitializeFunction>("CoUninitialize")();
  }
}

void AccessibleNames::Set(HWND window, std::u16string_view name) {
  if (service_ == nullptr || window == nullptr) {
    return;
  }
  if (name.empty()) {
    service_->services->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       &kNameProperty, 1);
    return;
  }
  const std::u16string text(name);
  service_->services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     kNameProperty, Wide(text));
}

}  // namespace dactyra::ui::detail
