#include "ui/win32/windows_runtime.h"

namespace dactyra::ui::detail {
namespace {

constexpr int kSingleThreaded = 0;  // RO_INIT_SINGLETHREADED

}  // namespace

WindowsRuntime::WindowsRuntime()
    : combase_(u"combase.dll"),
      initialize_(combase_.Find<InitializeFunction>("RoInitialize")),
      uninitialize_(combase_.Find<UninitializeFunction>("RoUninitialize")),
      get_factory_(combase_.Find<GetFactoryFunction>("RoGetActivationFactory")),
      create_string_(combase_.Find<CreateStringFunction>("WindowsCreateString")),
      delete_string_(combase_.Find<DeleteStringFunction>("WindowsDeleteString")) {}

bool WindowsRuntime::Loaded() const {
  return initialize_ != nullptr && uninitialize_ != nullptr && get_factory_ != nullptr &&
         create_string_ != nullptr && delete_string_ != nullptr;
}

HRESULT WindowsRuntime::GetActivationFactory(std::wstring_view class_name, const IID& iid,
                                             void** factory) const {
  *factory = nullptr;
  const HString name(*this, class_name);
  if (name.get() == nullptr) {
    return E_OUTOFMEMORY;
  }
  return get_factory_(name.get(), iid, factory);
}

RuntimeApartment::RuntimeApartment(const WindowsRuntime& runtime)
    : runtime_(runtime),
      entered_(runtime.Loaded() && SUCCEEDED(runtime.initialize_(kSingleThreaded))) {}

RuntimeApartment::~RuntimeApartment() {
  if (entered_) {
    runtime_.uninitialize_();
  }
}

HString::HString(const WindowsRuntime& runtime, std::wstring_view text) : runtime_(runtime) {
  if (FAILED(runtime.create_string_(text.data(), static_cast<UINT32>(text.size()), &string_))) {
    string_ = nullptr;
  }
}

HString::~HString() {
  if (string_ != nullptr) {
    runtime_.delete_string_(string_);
  }
}

}  // namespace dactyra::ui::detail
