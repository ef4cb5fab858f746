#include "ui/power_setting_functions_win32.h"

#include <windows.h>

namespace {

// GUID_BATTERY_PERCENTAGE_REMAINING, spelled out: older headers do not have it.
constexpr GUID kBatteryPercentageRemaining = {
    0xA7AD8041, 0xB45A, 0x4CAE, {0x87, 0xA3, 0xEE, 0xCB, 0xB4, 0x68, 0xA9, 0xE1}};

using RegisterFunction = HANDLE(WINAPI*)(HANDLE recipient, LPCGUID setting, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HANDLE registration);

class Win32PowerSettingFunctions final : public PowerSettingFunctions {
public:
    Module LoadedUser32() override { return GetModuleHandleW(L"user32"); }
    Module LoadUser32() override { return LoadLibraryW(L"user32.dll"); }
    void Release(Module module) override { FreeLibrary(static_cast<HMODULE>(module)); }
    Function Find(Module module, const char* name) override {
        return reinterpret_cast<Function>(GetProcAddress(static_cast<HMODULE>(module), name));
    }
    Registration Register(Function registerFunction, Window window) override {
        return reinterpret_cast<RegisterFunction>(registerFunction)(
            window, &kBatteryPercentageRemaining, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    void Unregister(Function unregisterFunction, Registration registration) override {
        reinterpret_cast<UnregisterFunction>(unregisterFunction)(registration);
    }
};

// Holds nothing, so one object serves every sheet; as a function's static it would need the
// runtime's thread-safe guard, and with it the runtime's thread library.
Win32PowerSettingFunctions g_platformFunctions;

}  // namespace

PowerSettingFunctions& PlatformPowerSettingFunctions() { return g_platformFunctions; }
