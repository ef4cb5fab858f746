#include "battery/battery_win32.h"

#include <winioctl.h>
// After winioctl.h, which it needs.
#include <poclass.h>
#include <setupapi.h>

#include <memory>
#include <new>

#include "battery/battery_ioctl.h"

// The portable records must match the platform's byte for byte.
static_assert(sizeof(battery_ioctl::WaitStatus) == sizeof(BATTERY_WAIT_STATUS));
static_assert(sizeof(battery_ioctl::Status) == sizeof(BATTERY_STATUS));
static_assert(sizeof(battery_ioctl::QueryInformation) == sizeof(BATTERY_QUERY_INFORMATION));
static_assert(sizeof(battery_ioctl::Information) == sizeof(BATTERY_INFORMATION));
static_assert(battery_ioctl::kQueryTag == IOCTL_BATTERY_QUERY_TAG);
static_assert(battery_ioctl::kQueryStatus == IOCTL_BATTERY_QUERY_STATUS);
static_assert(battery_ioctl::kQueryInformation == IOCTL_BATTERY_QUERY_INFORMATION);

namespace {

// {72631E54-78A4-11D0-BCF7-00AA00B7B32A}
constexpr GUID kBatteryClass = {
    0x72631E54, 0x78A4, 0x11D0, {0xBC, 0xF7, 0x00, 0xAA, 0x00, 0xB7, 0xB3, 0x2A}};

struct DeviceInfoSetCloser {
    void operator()(void* set) const { SetupDiDestroyDeviceInfoList(set); }
};

}  // namespace

HANDLE OpenBatteryInterface(DWORD index, DWORD attributes) {
    std::unique_ptr<void, DeviceInfoSetCloser> set(SetupDiGetClassDevsW(
        &kBatteryClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (set.get() == INVALID_HANDLE_VALUE) {
        // Nothing to close: the invalid handle must not reach the closer.
        static_cast<void>(set.release());
        return nullptr;
    }

    SP_DEVICE_INTERFACE_DATA interfaceData = {};
    interfaceData.cbSize = sizeof(interfaceData);
    if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &kBatteryClass, index, &interfaceData)) {
        return nullptr;
    }
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return nullptr;

    std::unique_ptr<std::byte[]> buffer(new (std::nothrow) std::byte[required]);
    if (!buffer) return nullptr;
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.get());
    // The platform wants the size of the fixed part here, not of the whole buffer.
    detail->cbSize = sizeof(*detail);
    if (!SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, detail, required, nullptr,
                                          nullptr)) {
        return nullptr;
    }
    HANDLE device = CreateFileW(detail->DevicePath, GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                attributes, nullptr);
    if (device == INVALID_HANDLE_VALUE) return nullptr;
    return device;
}

// Only interface 0 is ever used; further batteries are not looked at.
HANDLE OpenFirstBattery() { return OpenBatteryInterface(0); }

bool Win32PowerStatus::Read(PowerStatus& status) {
    SYSTEM_POWER_STATUS system = {};
    if (!GetSystemPowerStatus(&system)) return false;
    status.acLineStatus = system.ACLineStatus;
    status.batteryFlag = system.BatteryFlag;
    status.batteryLifePercent = system.BatteryLifePercent;
    status.batteryLifeTime = system.BatteryLifeTime;
    return true;
}

BatteryDevice Win32BatteryDevices::OpenFirstBattery() { return ::OpenFirstBattery(); }

bool Win32BatteryDevices::Control(BatteryDevice device, std::uint32_t code, const void* input,
                                  std::uint32_t inputSize, void* output, std::uint32_t outputSize) {
    if (device == nullptr) return false;
    DWORD returned = 0;
    return DeviceIoControl(device, code, const_cast<void*>(input), inputSize, output, outputSize,
                           &returned, nullptr) != FALSE;
}

void Win32BatteryDevices::Close(BatteryDevice device) { CloseHandle(device); }
