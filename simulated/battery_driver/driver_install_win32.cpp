#include "simulated/battery_driver/driver_install_win32.h"

#include <windows.h>
// After windows.h, which they need.
#include <devguid.h>
#include <setupapi.h>

#include <memory>
#include <string>

#include "simulated/battery_driver/simulated_battery.h"

namespace {

const wchar_t* ServiceName() {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return reinterpret_cast<const wchar_t*>(simulated_battery::kServiceName);
}

// Hardware identifiers are a list: each text terminated, the list by an empty one.
constexpr wchar_t kHardwareId[] = L"Root\\KestrumBattery\0";
constexpr wchar_t kInstancePrefix[] = L"ROOT\\KESTRUMBATTERY\\000";

struct ServiceCloser {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceCloser>;

struct DeviceInfoSetCloser {
    void operator()(HDEVINFO set) const { SetupDiDestroyDeviceInfoList(set); }
};
using DeviceInfoSet = std::unique_ptr<void, DeviceInfoSetCloser>;

std::u16string Failed(const char16_t* what) {
    const DWORD error = GetLastError();
    std::u16string text = what;
    text += u" failed, error ";
    for (const char ch : std::to_string(error)) text += static_cast<char16_t>(ch);
    return text;
}

bool EnsureDeviceNode(HDEVINFO set, int number, std::u16string& failure) {
    // Device nodes 0000, 0001, ...: one digit is all the batteries there are.
    const std::wstring instance = kInstancePrefix + std::to_wstring(number);
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (SetupDiOpenDeviceInfoW(set, instance.c_str(), nullptr, 0, &device)) return true;
    if (!SetupDiCreateDeviceInfoW(set, instance.c_str(), &GUID_DEVCLASS_BATTERY, nullptr, nullptr,
                                  0, &device)) {
        return failure = Failed(u"SetupDiCreateDeviceInfoW"), false;
    }
    const auto* hardwareId = reinterpret_cast<const BYTE*>(kHardwareId);
    const auto* service = reinterpret_cast<const BYTE*>(ServiceName());
    const DWORD serviceBytes =
        static_cast<DWORD>(wcslen(ServiceName()) + 1) * static_cast<DWORD>(sizeof(wchar_t));
    if (!SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, hardwareId,
                                           sizeof kHardwareId) ||
        !SetupDiRegisterDeviceInfo(set, &device, 0, nullptr, nullptr, nullptr) ||
        !SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_SERVICE, service, serviceBytes)) {
        return failure = Failed(u"registering the device node"), false;
    }
    return true;
}

bool StartDriver(std::u16string& failure) {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ServiceHandle service(manager ? OpenServiceW(manager.get(), ServiceName(), SERVICE_START)
                                  : nullptr);
    if (!service) return failure = Failed(u"opening the KestrumBattery service"), false;
    if (!StartServiceW(service.get(), 0, nullptr) &&
        GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
        return failure = Failed(u"StartServiceW"), false;
    }
    return true;
}

}  // namespace

bool InstallBatteryDriver(int batteries, std::u16string& failure) {
    DeviceInfoSet set(SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_BATTERY, nullptr));
    if (set.get() == INVALID_HANDLE_VALUE) {
        static_cast<void>(set.release());
        return failure = Failed(u"SetupDiCreateDeviceInfoList"), false;
    }
    for (int number = 0; number < batteries; ++number) {
        if (!EnsureDeviceNode(set.get(), number, failure)) return false;
    }
    return StartDriver(failure);
}
