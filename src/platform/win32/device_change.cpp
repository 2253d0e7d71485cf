#include <windows.h>
// Separate include block: dbt.h needs the types of windows.h.
#include <dbt.h>

#include "platform/device_change.h"

namespace dactyra::platform {
namespace {

// GUID_DEVINTERFACE_BIOMETRIC_READER.
constexpr GUID kBiometricReaderClass = {
    0xE2B5183A, 0x99EA, 0x4CC3, {0xAD, 0x6B, 0x80, 0xCA, 0x8D, 0x71, 0x5B, 0x80}};

bool IsBiometricReader(std::intptr_t lparam) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lparam);
  if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) {
    return false;
  }
  const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
  return IsEqualGUID(device->dbcc_classguid, kBiometricReaderClass) != FALSE;
}

}  // namespace

SensorChange SensorChangeOf(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == WM_POWERBROADCAST) {
    return wparam == PBT_APMRESUMEAUTOMATIC ? SensorChange::kResumed : SensorChange::kNone;
  }
  if (message != WM_DEVICECHANGE ||
      (wparam != DBT_DEVICEARRIVAL && wparam != DBT_DEVICEREMOVECOMPLETE) ||
      !IsBiometricReader(lparam)) {
    return SensorChange::kNone;
  }
  return wparam == DBT_DEVICEARRIVAL ? SensorChange::kReaderArrived : SensorChange::kReaderRemoved;
}

BiometricReaderNotification::BiometricReaderNotification(std::uintptr_t window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kBiometricReaderClass;
  registration_ = reinterpret_cast<std::uintptr_t>(RegisterDeviceNotificationW(
      reinterpret_cast<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

BiometricReaderNotification::~BiometricReaderNotification() {
  if (registration_ != 0) {
    UnregisterDeviceNotification(reinterpret_cast<HDEVNOTIFY>(registration_));
  }
}

}  // namespace dactyra::platform
