#include "simulated/power_supply/fake_power_supply.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace simulated_power {
namespace {

constexpr wchar_t kRoot[] = L"Z:\\sys\\class\\power_supply";
constexpr wchar_t kMains[] = L"AC";
constexpr wchar_t kBattery[] = L"BAT0";
constexpr wchar_t kProbe[] = L"kestrum-probe";

// Values that make Wine's arithmetic come out exact: 1 V, and a discharge current that
// draws 3600 mW, so that every mWh remaining is one second left.
constexpr std::uint64_t kMicrovolts = 1'000'000;
constexpr std::uint64_t kMicroampsForOneSecondPerMwh = 3'600'000;
constexpr std::uint64_t kMicroampHoursPerMwh = 1'000;
constexpr std::uint64_t kMainsFullMwh = 10'000;

std::wstring PathOf(std::wstring_view device, std::wstring_view file = {}) {
    std::wstring path = std::wstring(kRoot) + L"\\" + std::wstring(device);
    if (!file.empty()) path += L"\\" + std::wstring(file);
    return path;
}

bool WriteValue(std::wstring_view device, std::wstring_view file, std::string_view value) {
    CreateDirectoryW(PathOf(device).c_str(), nullptr);
    HANDLE handle = CreateFileW(PathOf(device, file).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const std::string line = std::string(value) + "\n";
    DWORD written = 0;
    const bool ok =
        WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
        written == line.size();
    CloseHandle(handle);
    return ok;
}

bool WriteMains(bool online) {
    return WriteValue(kMains, L"type", "Mains") &&
           WriteValue(kMains, L"online", online ? "1" : "0");
}

bool WriteBattery(std::string_view status, std::uint64_t remainingMwh, std::uint64_t fullMwh,
                  std::uint64_t microamps) {
    return WriteValue(kBattery, L"type", "Battery") && WriteValue(kBattery, L"status", status) &&
           WriteValue(kBattery, L"voltage_now", std::to_string(kMicrovolts)) &&
           WriteValue(kBattery, L"charge_now",
                      std::to_string(remainingMwh * kMicroampHoursPerMwh)) &&
           WriteValue(kBattery, L"charge_full", std::to_string(fullMwh * kMicroampHoursPerMwh)) &&
           WriteValue(kBattery, L"current_now", std::to_string(microamps));
}

bool RemoveDevice(std::wstring_view device) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((PathOf(device) + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileW(PathOf(device, found.cFileName).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(PathOf(device).c_str()) ||
           GetFileAttributesW(PathOf(device).c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool FakePowerSupplyPresent() {
    // The real folder belongs to the kernel and takes no new files, not even from root.
    if (!WriteValue(kProbe, L"type", "Unknown")) return false;
    return RemoveDevice(kProbe);
}

bool ClearPowerSupply() { return RemoveDevice(kBattery) && RemoveDevice(kMains); }

bool SetNoBattery() { return RemoveDevice(kBattery) && WriteMains(true); }

bool SetOnMains(int percent, bool charging) {
    if (percent < 0 || percent > 100) return false;
    const auto remaining = static_cast<std::uint64_t>(percent) * kMainsFullMwh / 100;
    return WriteBattery(charging ? "Charging" : "Not charging", remaining, kMainsFullMwh, 0) &&
           WriteMains(true);
}

bool SetOnBattery(std::uint32_t secondsLeft, int percent) {
    if (percent < 1 || percent > 100 || secondsLeft == 0) return false;
    const std::uint64_t remaining = secondsLeft;
    const std::uint64_t full = remaining * 100 / static_cast<std::uint64_t>(percent);
    return WriteBattery("Discharging", remaining, full, kMicroampsForOneSecondPerMwh) &&
           WriteMains(false);
}

}  // namespace simulated_power
