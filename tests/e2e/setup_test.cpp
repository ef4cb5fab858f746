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
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "resources/resource.h"
#include "resources/version.h"
#include "tests/e2e/driver/e2e_driver.h"
#include "tests/e2e/driver/wide_text.h"

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
constexpr DWORD kNoQelt = 3, kFolderNotWritable = 4, kKestrumStillRunning = 5, kSetupRunning = 6,
                kFolderNotAllowed = 7, kNewerInstalled = 8;
constexpr wchar_t kVersion[] = L"" KESTRUM_VERSION_TEXT;
// The second setup that setup_test.sh builds, older than any release.
constexpr wchar_t kOlderVersion[] = L"0.0.0.1";

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    fs::path result = SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK ? path : L"";
    CoTaskMemFree(path);
    return result;
}
fs::path ProgramFiles() {
#ifdef _WIN64
    return KnownFolder(FOLDERID_ProgramFiles);
#else
    return KnownFolder(FOLDERID_ProgramFilesX86);
#endif
}
fs::path DefaultFolder() { return ProgramFiles() / L"Kestrum"; }
fs::path SystemQelt() { return KnownFolder(FOLDERID_System) / L"Qelt.dll"; }
std::wstring Quoted(const fs::path& path) { return L"\"" + path.native() + L"\""; }

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
void RemoveAll(const fs::path& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}
std::wstring Listing(const fs::path& folder) {
    std::wstring names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        names += entry.path().filename().native() + L" ";
    }
    return names;
}

// What keeps an obstacle in place until its case is over; null when this Wine cannot make it.
using Obstacle = std::shared_ptr<void>;
Obstacle InPlace() { return std::make_shared<bool>(true); }
Obstacle Holding(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : Obstacle(handle, CloseHandle);
}

fs::path Setup(const std::wstring& version) {
    return ProgramBeside(L"Kestrum-" + version + L"-setup.exe");
}
// The command line as a deployment writes it: NSIS takes /D= only unquoted, and last.
std::optional<DWORD> RunSetup(const std::wstring& arguments,
                              const std::wstring& version = kVersion) {
    const fs::path setup = Setup(version);
    return RunProgram({setup, {}, Quoted(setup) + L" " + arguments}, Milliseconds{60000}).exitCode;
}

// The quiet uninstall command as the list of installed programs runs it.
std::optional<DWORD> RunRegisteredUninstall() {
    const auto folder = RegistryText(kUninstallKey, L"InstallLocation");
    const auto command = RegistryText(kUninstallKey, L"QuietUninstallString");
    if (!folder || !command) return std::nullopt;
    return RunProgram({fs::path(*folder) / L"Uninstall.exe", {}, *command}, Milliseconds{60000})
        .exitCode;
}

// The command ends with the uninstallation; the uninstaller it ran in place, and with it the
// folder, go just after.
void Uninstall(const fs::path& folder, bool folderStays = false) {
    ASSERT_EQ(RunRegisteredUninstall(), 0u);
    EXPECT_FALSE(Registered());
    EXPECT_FALSE(fs::exists(folder / L"Kestrum.exe"));
    const bool removed = WaitUntil([&] {
        return !fs::exists(folder / L"Uninstall.exe") && fs::exists(folder) == folderStays;
    });
    EXPECT_TRUE(removed) << "left in " << folder << ": " << Listing(folder);
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

class SetupTest : public SheetFixture {
protected:
    void SetUp() override {
        if (fs::exists(SystemQelt())) return;
        ASSERT_TRUE(CopyFileW(ProgramBeside(L"Qelt.dll").c_str(), SystemQelt().c_str(), TRUE));
    }
    void TearDown() override {
        if (const auto folder = RegistryText(kUninstallKey, L"InstallLocation")) {
            Uninstall(*folder);
            RemoveAll(*folder);
        }
        // So that the next test starts afresh even when this one's uninstallation failed.
        RemoveAll(DefaultFolder());
    }

    void InstallSilently(const std::wstring& version = kVersion) {
        ASSERT_EQ(RunSetup(L"/S", version), 0u);
        kestrum = WaitForRunningKestrum();
        ASSERT_NE(kestrum.process, nullptr);
        ClearJournal();
    }

    RunningKestrum kestrum;
};

TEST_F(SetupTest, SilentInstallPutsProgramRunValueAndRegistrationInPlaceAndStartsKestrum) {
    // The name that an earlier setup locked with, which any user can create.
    const Obstacle squatted = Holding(CreateMutexW(nullptr, FALSE, L"Global\\KestrumSetup"));
    // A file of the user's under the name an earlier setup's write probe overwrote and deleted.
    const fs::path userFile = DefaultFolder() / L"Kestrum-setup.tmp";
    fs::create_directories(DefaultFolder());
    std::ofstream(userFile) << "mine";
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    EXPECT_TRUE(fs::exists(userFile));
    fs::remove(userFile);
    const fs::path program = DefaultFolder() / L"Kestrum.exe";
    EXPECT_EQ(kestrum.image, program);
    EXPECT_FALSE(IsShown(kestrum.frame));
    EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), Quoted(program));
    const std::wstring uninstaller = Quoted(DefaultFolder() / L"Uninstall.exe");
    const std::wstring inPlace = L"_?=" + DefaultFolder().native();
    const std::pair<const wchar_t*, std::wstring> registration[] = {
        {L"DisplayName", L"Kestrum"},
        {L"DisplayVersion", kVersion},
        {L"Publisher", L"" KESTRUM_PUBLISHER},
        {L"DisplayIcon", program.native() + L",0"},
        {L"InstallLocation", DefaultFolder().native()},
        {L"UninstallString", uninstaller + L" " + inPlace},
        {L"QuietUninstallString", uninstaller + L" /S " + inPlace},
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
    ASSERT_EQ(RunSetup(L"/S"), 0u);
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
    EXPECT_EQ(RunSetup(L"/S"), kKestrumStillRunning);
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
        RemoveAll(DefaultFolder());
    }
}

// Any program can open a window with Kestrum's class and title, the test here: the
// uninstaller neither waits for it nor stops because of it.
TEST_F(SetupTest, UninstallClosesTheInstalledProgramNotAWindowThatLooksLikeIt) {
    InstallSilently();
    const ForeignWindow lookalike(Wide(kKestrumFrameClass).data(), Wide(kKestrumFrameTitle).data());
    ASSERT_NE(lookalike.Handle(), nullptr);
    Uninstall(DefaultFolder());
    ExpectClosedThroughItsEvent(kestrum);
}

// Indexers and virus scanners hold a folder open a moment just as it is emptied: it goes all
// the same once they let it go.
TEST_F(SetupTest, UninstallRemovesTheFolderOnceWhatHeldItOpenLetsGo) {
    InstallSilently();
    HANDLE held = CreateFileW(DefaultFolder().c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::jthread letGo([held] {
        Sleep(2000);
        CloseHandle(held);
    });
    Uninstall(DefaultFolder());
    ExpectClosedThroughItsEvent(kestrum);
}

TEST_F(SetupTest, InstallingIntoAnotherFolderRemovesTheRegisteredInstallationFirst) {
    InstallSilently();
    const fs::path elsewhere = ProgramFiles() / L"Elsewhere" / L"Kestrum";
    ASSERT_EQ(RunSetup(L"/S /D=" + elsewhere.native()), 0u);
    ExpectClosedThroughItsEvent(kestrum);
    EXPECT_FALSE(fs::exists(DefaultFolder()));
    EXPECT_EQ(RegistryText(kUninstallKey, L"InstallLocation"), elsewhere.native());
    EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), Quoted(elsewhere / L"Kestrum.exe"));
    const RunningKestrum moved = WaitForRunningKestrum();
    EXPECT_EQ(moved.image, elsewhere / L"Kestrum.exe");
    CloseHandle(moved.process);
}

struct VersionCase {
    const char* name;
    const wchar_t* installed;
    const wchar_t* next;
    DWORD exitCode;
};
void PrintTo(const VersionCase& versions, std::ostream* out) { *out << versions.name; }

class VersionTest : public SetupTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, OnlyTheSameOrANewerVersionReplacesTheInstalledOne) {
    InstallSilently(GetParam().installed);
    EXPECT_EQ(RunSetup(L"/S", GetParam().next), GetParam().exitCode);
    EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayVersion"), kVersion);
    // Refused before anything changed: the running Kestrum was not asked to end.
    EXPECT_EQ(WaitForSingleObject(kestrum.process, 0) == WAIT_TIMEOUT,
              GetParam().exitCode == kNewerInstalled);
    CloseHandle(kestrum.process);
    if (GetParam().exitCode == 0) CloseHandle(WaitForRunningKestrum().process);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionTest,
                         testing::Values(VersionCase{"OlderOverNewer", kVersion, kOlderVersion,
                                                     kNewerInstalled},
                                         VersionCase{"NewerOverOlder", kOlderVersion, kVersion, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// Kestrum.exe held open by another program, found once Kestrum has been closed.
struct HeldProgramCase {
    const char* name;
    std::optional<DWORD> (*run)();
    DWORD exitCode;
};
void PrintTo(const HeldProgramCase& held, std::ostream* out) { *out << held.name; }

class HeldProgramTest : public SetupTest, public testing::WithParamInterface<HeldProgramCase> {};

TEST_P(HeldProgramTest, StopsWithEverythingInPlaceAndTheClosedKestrumRunningAgain) {
    InstallSilently();
    const fs::path program = DefaultFolder() / L"Kestrum.exe";
    HANDLE held = CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetParam().run(), GetParam().exitCode);
    CloseHandle(held);
    ExpectClosedThroughItsEvent(kestrum);
    EXPECT_TRUE(Registered());
    EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), Quoted(program));
    EXPECT_TRUE(fs::exists(DefaultFolder() / L"Uninstall.exe"));
    const RunningKestrum again = WaitForRunningKestrum();
    EXPECT_EQ(again.image, program);
    CloseHandle(again.process);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, HeldProgramTest,
    testing::Values(HeldProgramCase{"Upgrade", [] { return RunSetup(L"/S"); }, kFolderNotWritable},
                    HeldProgramCase{"Uninstall", RunRegisteredUninstall, kKestrumStillRunning}),
    [](const auto& info) { return std::string(info.param.name); });

// Run by setup_test.sh alone, after an installation and the end of its Wine session: a plain
// wineboot runs the machine's Run values as a log-on does.
TEST_F(SetupTest, DISABLED_KestrumStartsAtLogOnAndShowsTheBattery) {
    ASSERT_TRUE(Registered());
    ASSERT_TRUE(SetOnMains(80));
    ASSERT_EQ(RunProgram({KnownFolder(FOLDERID_System) / L"wineboot.exe", {}}).exitCode, 0u);
    kestrum = WaitForRunningKestrum();
    ASSERT_NE(kestrum.process, nullptr);
    EXPECT_EQ(kestrum.image, DefaultFolder() / L"Kestrum.exe");
    ASSERT_TRUE(PressBatteryKey());
    sheet = WaitForShownSheet(GetProcessId(kestrum.process));
    ASSERT_NE(sheet, nullptr);
    for (int value : kBatteryValueIds) EXPECT_TRUE(Shown(value)) << value;
    EXPECT_EQ(Text(IDC_PERCENT_TEXT), u"80%");
    CloseHandle(kestrum.process);
}

fs::path HeldFolder() { return ProgramFiles() / L"Held" / L"Kestrum"; }
const fs::path kOutside = L"C:\\Outside";

Obstacle RemoveSystemQelt() {
    DeleteFileW(SystemQelt().c_str());
    return InPlace();
}
Obstacle PutFileInTheFoldersPath() {
    std::ofstream(HeldFolder().parent_path()) << "a file";
    return InPlace();
}
Obstacle HoldProgramFileOpen() {
    fs::create_directories(HeldFolder());
    return Holding(CreateFileW((HeldFolder() / L"Kestrum.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr));
}
// A setup waiting on its first page holds the lock from its start until it ends.
Obstacle RunInteractiveSetup() {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION setup{};
    if (!StartProcess({Setup(kVersion), {}}, 0, false, startup, setup)) return nullptr;
    CloseHandle(setup.hThread);
    const Obstacle running(setup.hProcess, [](HANDLE process) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, INFINITE);
        CloseHandle(process);
    });
    return WaitForTopLevel({u"#32770", std::nullopt, setup.dwProcessId}) ? running : nullptr;
}
// This Wine cannot make a junction: a Unix symbolic link plays one, which Wine reports as a
// reparse point and follows as Windows follows a junction. It stays, as Wine's
// RemoveDirectoryW would remove its target instead.
Obstacle LinkProgramFilesToOutside() {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    const fs::path link = ProgramFiles() / L"Linked";
    fs::create_directories(kOutside);
    if (unixName == nullptr) return nullptr;
    std::wstring command = L"/bin/ln -s";
    for (const fs::path& path : {kOutside, link}) {
        char* name = unixName(path.c_str());
        command += L" \"" + std::wstring(Wide(Decode(name, CP_UTF8))) + L"\"";
        HeapFree(GetProcessHeap(), 0, name);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION ln{};
    if (!StartProcess({L"Z:\\bin\\ln", {}, command}, 0, false, startup, ln)) return nullptr;
    CloseHandle(ln.hThread);
    CloseHandle(ln.hProcess);
    // Wine does not tell when a Unix program has ended.
    const bool linked = WaitUntil([&] {
        const DWORD attributes = GetFileAttributesW(link.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    });
    return linked ? InPlace() : nullptr;
}

// Each makes the setup stop before its first change, with its own exit code.
struct RefusedSetupCase {
    const char* name;
    Obstacle (*obstacle)();
    std::wstring (*folder)();  // null: the default one
    DWORD exitCode;
};
void PrintTo(const RefusedSetupCase& refused, std::ostream* out) { *out << refused.name; }

class RefusedSetupTest : public SetupTest, public testing::WithParamInterface<RefusedSetupCase> {};

TEST_P(RefusedSetupTest, FailsClearlyAndInstallsNothing) {
    Obstacle obstacle = GetParam().obstacle();
    if (obstacle == nullptr) GTEST_SKIP() << "this Wine cannot put the obstacle in place";
    const std::wstring folder = GetParam().folder ? GetParam().folder() : DefaultFolder().native();
    EXPECT_EQ(RunSetup(L"/S /D=" + folder), GetParam().exitCode);
    obstacle.reset();
    EXPECT_FALSE(Registered());
    EXPECT_EQ(RegistryText(kRunKey, L"Kestrum"), std::nullopt);
    EXPECT_FALSE(fs::exists(DefaultFolder()));
    EXPECT_FALSE(fs::exists(fs::path(folder) / L"Uninstall.exe"));
    if (GetParam().exitCode == kFolderNotAllowed) {
        EXPECT_FALSE(fs::exists(folder));
    }
    EXPECT_EQ(TopLevelWindows({kKestrumFrameClass, kKestrumFrameTitle, 0}).size(), 0u);
    for (const fs::path& made : {HeldFolder().parent_path(), fs::path(L"C:\\Tools"), kOutside}) {
        RemoveAll(made);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedSetupTest,
    testing::Values(
        RefusedSetupCase{"NoQeltAnywhere", RemoveSystemQelt, nullptr, kNoQelt},
        RefusedSetupCase{"FileInTheFoldersPath", PutFileInTheFoldersPath,
                         [] { return HeldFolder().native(); }, kFolderNotWritable},
        RefusedSetupCase{"ProgramFileHeldOpen", HoldProgramFileOpen,
                         [] { return HeldFolder().native(); }, kFolderNotWritable},
        RefusedSetupCase{"AnotherSetupRunning", RunInteractiveSetup, nullptr, kSetupRunning},
        RefusedSetupCase{"FolderOutsideProgramFiles", InPlace,
                         [] { return std::wstring(L"C:\\Tools\\Kestrum"); }, kFolderNotAllowed},
        RefusedSetupCase{"RelativeFolder", InPlace, [] { return std::wstring(L"Kestrum"); },
                         kFolderNotAllowed},
        RefusedSetupCase{"DotsOutOfProgramFiles", InPlace,
                         [] { return (ProgramFiles() / L"..\\Tools\\Kestrum").native(); },
                         kFolderNotAllowed},
        RefusedSetupCase{"LinkOutOfProgramFiles", LinkProgramFilesToOutside,
                         [] { return (ProgramFiles() / L"Linked\\Kestrum").native(); },
                         kFolderNotAllowed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
