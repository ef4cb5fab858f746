#include "simulated/battery_driver/simulated_battery_registry_win32.h"

#include <windows.h>

#include <string>

namespace {

std::wstring ServiceKey() {
    return std::wstring(L"System\\CurrentControlSet\\Services\\") +
           reinterpret_cast<const wchar_t*>(simulated_battery::kServiceName);
}

const wchar_t* ValueName(int slot) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return reinterpret_cast<const wchar_t*>(simulated_battery::kValueNames[slot]);
}

bool ValidSlot(int slot) { return slot >= 0 && slot < simulated_battery::kMaxBatteries; }

}  // namespace

bool ReadSimulatedBattery(int slot, simulated_battery::Battery& battery) {
    battery = {};
    if (!ValidSlot(slot)) return false;
    simulated_battery::Battery read{};
    DWORD size = sizeof read;
    DWORD type = 0;
    const LSTATUS status = RegGetValueW(HKEY_LOCAL_MACHINE, ServiceKey().c_str(), ValueName(slot),
                                        RRF_RT_REG_BINARY, &type, &read, &size);
    if (status != ERROR_SUCCESS || size != sizeof read) return false;
    battery = read;
    return true;
}

bool WriteSimulatedBattery(int slot, const simulated_battery::Battery& battery) {
    if (!ValidSlot(slot)) return false;
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, ServiceKey().c_str(), ValueName(slot), REG_BINARY,
                           &battery, sizeof battery) == ERROR_SUCCESS;
}
