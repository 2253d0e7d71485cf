// Which window messages say that the fingerprint sensors may have changed, and the registration
// that brings them.
#include <windows.h>
// Separate include block: dbt.h needs the types of windows.h.
#include <dbt.h>

#include <gtest/gtest.h>

#include "platform/device_change.h"

namespace dactyra::platform {
namespace {

constexpr GUID kBiometricReaderClass = {
    0xE2B5183A, 0x99EA, 0x4CC3, {0xAD, 0x6B, 0x80, 0xCA, 0x8D, 0x71, 0x5B, 0x80}};

TEST(DeviceChange, ReadersArrivingOrLeavingAndResumeFromSleep) {
  DEV_BROADCAST_DEVICEINTERFACE_W reader{};
  reader.dbcc_size = sizeof(reader);
  reader.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  reader.dbcc_classguid = kBiometricReaderClass;
  DEV_BROADCAST_DEVICEINTERFACE_W other = reader;
  other.dbcc_classguid.Data1 ^= 1;
  DEV_BROADCAST_HDR volume{sizeof(volume), DBT_DEVTYP_VOLUME, 0};
  const auto address = [](const auto& record) { return reinterpret_cast<std::intptr_t>(&record); };

  constexpr SensorChange kNone = SensorChange::kNone;
  EXPECT_EQ(SensorChangeOf(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, address(reader)),
            SensorChange::kReaderArrived);
  EXPECT_EQ(SensorChangeOf(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, address(reader)),
            SensorChange::kReaderRemoved);
  EXPECT_EQ(SensorChangeOf(WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, address(reader)), kNone);
  EXPECT_EQ(SensorChangeOf(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, address(other)), kNone);
  EXPECT_EQ(SensorChangeOf(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, address(volume)), kNone);
  EXPECT_EQ(SensorChangeOf(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0), kNone);
  EXPECT_EQ(SensorChangeOf(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), SensorChange::kResumed);
  EXPECT_EQ(SensorChangeOf(WM_POWERBROADCAST, PBT_APMSUSPEND, 0), kNone);
}

TEST(DeviceChange, AWindowRegistersForReaders) {
  HWND window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  {
    const BiometricReaderNotification notification(reinterpret_cast<std::uintptr_t>(window));
    EXPECT_TRUE(notification.IsRegistered());
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace dactyra::platform
