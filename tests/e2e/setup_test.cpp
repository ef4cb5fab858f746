// The setup program built from this build's Kestrum.exe, run silently as a deployment runs
// it, in a Wine prefix of its own (setup_test.sh), where the simulator copied into the system
// folder plays the maker's installed Qelt.dll.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "resources/version.h"
#include "tests/e2e/driver/e2e_driver.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::Not;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestrum";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr ControllerCommand kChargingOn{0x59, 0xD8};
// The setup's exit codes (installer/kestrum.nsi).
constexpr DWORD kNoQelt = 3, kFolderNotWritable = 4, kKestrumStillRunning = 5, kSetupRunning = 6;

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    fs::path result = SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK ? path : L"";
    CoTaskMemFree(path);
    return result;
}
fs::path DefaultFolder() {
#ifdef _WIN64
    return KnownFolder(FOLDERID_ProgramFiles) / L"Kestrum";
#else
    return KnownFolder(FOLDERID_ProgramFilesX86) / L"Kestrum";
#endif
}
fs::path SystemQelt() { return KnownFolder(FOLDERID_System) / L"Qelt.dll"; }

// REG_SZ as it is, REG_DWORD in decimal.
std::optional<std::wstring> RegistryText(const wchar_t* key, const wchar_t* value) {
    wchar_t data[512];
    DWORD type = 0, size = sizeof(data), number = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type != REG_DWORD) return data;
    std::memcpy(&number, data, sizeof(number));
    return std::to_wstring(number);
}
bool Registered() { return RegistryText(kUninstallKey, L"DisplayName").has_value(); }

std::optional<DWORD> RunSetup(std::vector<std::u16string> arguments) {
    const fs::path setup = ProgramBeside(L"Kestrum-" KESTRUM_VERSION_TEXT L"-setup.exe");
    return RunProgram({setup, std::move(arguments)}, Milliseconds{60000}).exitCode;
}

// The uninstaller hands its work to a copy of itself and ends at once: its end says nothing.
void Uninstall(const fs::path& folder, bool folderStays = false) {
    ASSERT_EQ(RunProgram({folder / L"Uninstall.exe", {u"/S"}}).exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] {
        return !Registered() && !fs::exists(folder / L"Uninstall.exe") &&
               fs::exists(folder) == folderStays;
    }));
}

// The Kestrum that runs now, as anyone's tools see it: its frame answering, its process.
struct RunningKestrum {
    HWND frame = nullptr;
    HANDLE process = nullptr;
    fs::path image;
};
RunningKestrum WaitForRunningKestrum() {
    RunningKestrum kestrum;
    kestrum.frame = WaitForTopLevel({kKestrumFrameClass, kKestrumFrameTitle, 0});
    if (kestrum.frame == nullptr || !SendTo(kestrum.frame, WM_NULL)) return kestrum;
    DWORD processId = 0;
    GetWindowThreadProcessId(kestrum.frame, &processId);
    kestrum.process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    wchar_t image[MAX_PATH];
    DWORD length = MAX_PATH;
    if (QueryFullProcessImageNameW(kestrum.process, 0, image, &length)) kestrum.image = image;
    return kestrum;
}

// Ended by itself through its close event, switching charging back on, not terminated.
void ExpectClosedThroughItsEvent(const RunningKestrum& old) {
    DWORD exitCode = STILL_ACTIVE;
    ASSERT_EQ(WaitForSingleObject(old.process, 0), WAIT_OBJECT_0);
    GetExitCodeProcess(old.process, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_THAT(JournalCommands(), Contains(kChargingOn));
    CloseHandle(old.process);
}

class SetupTest : public testing::Test {
protected:
    void SetUp() override {
        if (fs::exists(SystemQelt())) return;
        ASSERT_TRUE(CopyFileW(ProgramBeside(L"Qelt.dll").c_str(), SystemQelt().c_str(), TRUE));
    }
    void TearDown() override {
        const auto folder = RegistryText(kUninstallKey, L"InstallLocation");
        if (!folder) return;
        Uninstall(*folder);
        // So that the next test starts afresh even when this uninstallation failed.
        fs::remove_all(*folder);
    }

    void InstallSilently() {
        ASSERT_EQ(RunSetup({u"/S"}), 0u);
        kestrum = WaitForRunningKestrum();
        ASSERT_NE(kestrum.process, nullptr);
        ClearJournal();
    }

    RunningKestrum kestrum;
};

TEST_F(SetupTest, SilentInstallPutsProgramRunValueAndRegistrationInPlaceAndStartsKestrum) {
    InstallSilently();
    const fs::path program = DefaultFolder() / L"Kestrum.exe";
    EXPECT_EQ(kestrum.image, program);
    EXPECT_FALSE(IsShown(kestrum.frame));
    EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), L"\"" + program.native() + L"\"");
    const std::wstring uninstaller = L"\"" + (DefaultFolder() / L"Uninstall.exe").native() + L"\"";
    const std::pair<const wchar_t*, std::wstring> registration[] = {
        {L"DisplayName", L"Kestrum"},
        {L"DisplayVersion", L"" KESTRUM_VERSION_TEXT},
        {L"Publisher", L"" KESTRUM_PUBLISHER},
        {L"DisplayIcon", program.native() + L",0"},
        {L"InstallLocation", DefaultFolder().native()},
        {L"UninstallString", uninstaller},
        {L"QuietUninstallString", uninstaller + L" /S"},
        {L"NoModify", L"1"},
        {L"NoRepair", L"1"},
    };
    for (const auto& [value, expected] : registration) {
        EXPECT_EQ(RegistryText(kUninstallKey, value), expected) << value;
    }
    EXPECT_GE(std::stoul(RegistryText(kUninstallKey, L"EstimatedSize").value_or(L"0")),
              fs::file_size(program) / 1024);
}

TEST_F(SetupTest, UpgradeClosesTheRunningKestrumThroughItsCloseEventThenStartsTheNewOne) {
    InstallSilently();
    const DWORD oldId = GetProcessId(kestrum.process);
    ASSERT_EQ(RunSetup({u"/S"}), 0u);
    ExpectClosedThroughItsEvent(kestrum);
    const RunningKestrum next = WaitForRunningKestrum();
    EXPECT_EQ(next.image, DefaultFolder() / L"Kestrum.exe");
    EXPECT_NE(GetProcessId(next.process), oldId);
    CloseHandle(next.process);
}

// Holds or releases every thread of the process, as a hung program's are held.
void HoldThreads(DWORD processId, bool held) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        held ? SuspendThread(thread) : ResumeThread(thread);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
}

// One whose threads are all held does not end when asked: the setup waits for it, bounded,
// and then replaces nothing.
TEST_F(SetupTest, UpgradeStopsWhenTheRunningKestrumDoesNotEnd) {
    InstallSilently();
    HoldThreads(GetProcessId(kestrum.process), true);
    EXPECT_EQ(RunSetup({u"/S"}), kKestrumStillRunning);
    EXPECT_THAT(JournalCommands(), Not(Contains(kChargingOn)));
    // Released, it follows the request it was given.
    HoldThreads(GetProcessId(kestrum.process), false);
    WaitForSingleObject(kestrum.process, INFINITE);
    ExpectClosedThroughItsEvent(kestrum);
}

TEST_F(SetupTest, SilentUninstallClosesKestrumAndRemovesOnlyWhatSetupInstalled) {
    for (const bool userFileInFolder : {false, true}) {
        SCOPED_TRACE(userFileInFolder ? "a file of the user's in the folder" : "nothing else");
        InstallSilently();
        const fs::path userFile = DefaultFolder() / L"notes.txt";
        if (userFileInFolder) std::ofstream(userFile) << "mine";
        Uninstall(DefaultFolder(), userFileInFolder);
        ExpectClosedThroughItsEvent(kestrum);
        EXPECT_FALSE(fs::exists(DefaultFolder() / L"Kestrum.exe"));
        EXPECT_EQ(fs::exists(userFile), userFileInFolder);
        EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), std::nullopt);
        fs::remove_all(DefaultFolder());
    }
}

const wchar_t kHeldFolder[] = L"C:\\Held\\Kestrum";

// Each puts an obstacle in the way and returns a handle that keeps it there, or null.
HANDLE RemoveSystemQelt() {
    DeleteFileW(SystemQelt().c_str());
    return nullptr;
}
HANDLE PutFileInTheFoldersPath() {
    std::ofstream(L"C:\\Held") << "a file";
    return nullptr;
}
HANDLE HoldProgramFileOpen() {
    fs::create_directories(kHeldFolder);
    return CreateFileW((fs::path(kHeldFolder) / L"Kestrum.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                       CREATE_ALWAYS, 0, nullptr);
}
HANDLE HoldSetupMutex() { return CreateMutexW(nullptr, FALSE, L"Global\\KestrumSetup"); }

// Each makes the setup stop before its first change, with its own exit code.
struct RefusedSetupCase {
    const char* name;
    HANDLE (*obstacle)();
    const char16_t* folderArgument;  // null: the default folder
    DWORD exitCode;
};
void PrintTo(const RefusedSetupCase& refused, std::ostream* out) { *out << refused.name; }

class RefusedSetupTest : public SetupTest, public testing::WithParamInterface<RefusedSetupCase> {};

TEST_P(RefusedSetupTest, FailsClearlyAndInstallsNothing) {
    HANDLE obstacle = GetParam().obstacle();
    std::vector<std::u16string> arguments{u"/S"};
    if (GetParam().folderArgument != nullptr) arguments.emplace_back(GetParam().folderArgument);
    EXPECT_EQ(RunSetup(arguments), GetParam().exitCode);
    if (obstacle != nullptr) CloseHandle(obstacle);
    EXPECT_FALSE(Registered());
    EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), std::nullopt);
    EXPECT_FALSE(fs::exists(DefaultFolder()));
    EXPECT_FALSE(fs::exists(fs::path(kHeldFolder) / L"Uninstall.exe"));
    EXPECT_EQ(TopLevelWindows({kKestrumFrameClass, kKestrumFrameTitle, 0}).size(), 0u);
    fs::remove_all(L"C:\\Held");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedSetupTest,
    testing::Values(RefusedSetupCase{"NoQeltAnywhere", RemoveSystemQelt, nullptr, kNoQelt},
                    RefusedSetupCase{"FileInTheFoldersPath", PutFileInTheFoldersPath,
                                     u"/D=C:\\Held\\Kestrum", kFolderNotWritable},
                    RefusedSetupCase{"ProgramFileHeldOpen", HoldProgramFileOpen,
                                     u"/D=C:\\Held\\Kestrum", kFolderNotWritable},
                    RefusedSetupCase{"AnotherSetupRunning", HoldSetupMutex, nullptr,
                                     kSetupRunning}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
