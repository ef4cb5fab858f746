// The resource source chosen from the libraries beside a module. A resource-only library
// copied into a fresh folder stands in for the executable, so the test decides what lies
// beside it.
#include "resources/resource_source_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/module_string_blocks_win32.h"
#include "resources/resolved_resource_win32.h"
#include "resources/resource_source.h"
#include "tests/win/language_libraries/language_library.h"

namespace {

constexpr wchar_t kCodeRanMark[] = L"KESTRUM_LIBRARY_CODE_RAN";

std::wstring UserAbbreviation() {
    wchar_t name[16] = {};
    GetLocaleInfoW(ConvertDefaultLocale(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT)),
                   LOCALE_SABBREVLANGNAME, name, 16);
    return name;
}

std::u16string Text(HMODULE module, std::uint16_t id) {
    const ModuleStringBlocks blocks(module);
    return LoadText(BlockStringTable(blocks), id);
}

class ResourceSourceWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        // One folder per test and run; the test's name is ASCII, so widening it unit by unit is
        // exact.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = std::wstring(temp) + L"kestrum_source_" +
                   std::to_wstring(GetCurrentProcessId()) + L"_" +
                   std::wstring(test.begin(), test.end());
        SetEnvironmentVariableW(kCodeRanMark, nullptr);
    }

    void TearDown() override {
        if (m_source && m_source != m_executable) FreeLibrary(m_source);
        if (m_executable) FreeLibrary(m_executable);
        for (const std::wstring& file : m_files) DeleteFileW(file.c_str());
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder) {
            RemoveDirectoryW(folder->c_str());
        }
    }

    // Makes the folder deeper until the stand-in's path has at least `length` characters.
    void Deepen(std::size_t length) {
        while (m_folder.size() + std::size(L"\\probe.dll") - 1 < length) {
            m_folders.push_back(m_folder);
            CreateDirectoryW(m_folder.c_str(), nullptr);
            m_folder += L"\\" + std::wstring(40, L'd');
        }
    }

    void Place(const wchar_t* library, const std::wstring& name) {
        if (m_folders.empty() || m_folders.back() != m_folder) {
            m_folders.push_back(m_folder);
            CreateDirectoryW(m_folder.c_str(), nullptr);
        }
        const std::wstring target = m_folder + L"\\" + name;
        ASSERT_TRUE(CopyFileW((TestFolder() + library).c_str(), target.c_str(), FALSE))
            << GetLastError();
        m_files.push_back(target);
    }

    // The stand-in executable: the damaged library, whose text 129 is missing.
    HMODULE Choose() {
        Place(L"damaged_library.dll", L"probe.dll");
        m_executable = LoadLibraryW((m_folder + L"\\probe.dll").c_str());
        EXPECT_NE(m_executable, nullptr);
        m_source = ChooseResourceSource(m_executable);
        return m_source;
    }

    std::wstring m_folder;
    std::vector<std::wstring> m_folders;
    std::vector<std::wstring> m_files;
    HMODULE m_executable = nullptr;
    HMODULE m_source = nullptr;
};

TEST_F(ResourceSourceWin32Test, WithoutALibraryTheExecutableIsTheSource) {
    EXPECT_EQ(Choose(), m_executable);
}

TEST_F(ResourceSourceWin32Test, LibraryBesideTheExecutableTakesOverEveryResource) {
    Place(L"marker_library.dll", L"probeLOC.dll");
    HMODULE source = Choose();
    ASSERT_NE(source, m_executable);
    EXPECT_EQ(Text(source, 129), u"Marker status");
    HBITMAP picture = LoadResolvedBitmap(source, 133);
    EXPECT_NE(picture, nullptr);
    DeleteObject(picture);
    HICON icon = LoadResolvedIcon(source, 128, 32);
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST_F(ResourceSourceWin32Test, UserLanguageComesBeforeTheSystemLocale) {
    const std::wstring user = UserAbbreviation();
    ASSERT_FALSE(user.empty());
    Place(L"marker_library.dll", L"probe" + user + L".dll");
    Place(L"damaged_library.dll", L"probeLOC.dll");
    EXPECT_EQ(Text(Choose(), 129), u"Marker status");
}

TEST_F(ResourceSourceWin32Test, LongExecutablePathKeepsTheExecutable) {
    // Wine cannot map a data file at such a length either, so this shows that a name longer
    // than the buffer is handled; where the cut-off lies is shown by the host tests.
    Deepen(kLanguageLibraryExecutablePathLimit);
    Place(L"marker_library.dll", L"probeLOC.dll");
    EXPECT_EQ(Choose(), m_executable);
}

TEST_F(ResourceSourceWin32Test, NoCodeInTheLibraryRuns) {
    Place(L"code_library.dll", L"probeLOC.dll");
    HMODULE source = Choose();
    ASSERT_NE(source, m_executable);
    EXPECT_EQ(Text(source, 129), u"Marker status");
    EXPECT_EQ(GetEnvironmentVariableW(kCodeRanMark, nullptr, 0), 0u);

    // The mark does appear when the same file is loaded to run.
    HMODULE run = LoadLibraryW((m_folder + L"\\probeLOC.dll").c_str());
    ASSERT_NE(run, nullptr);
    EXPECT_NE(GetEnvironmentVariableW(kCodeRanMark, nullptr, 0), 0u);
    FreeLibrary(run);
}

TEST_F(ResourceSourceWin32Test, LibraryMissingResourcesYieldsNothingForThem) {
    Place(L"damaged_library.dll", L"probeLOC.dll");
    HMODULE source = Choose();
    ASSERT_NE(source, m_executable);
    EXPECT_EQ(Text(source, 128), u"Kestrum");
    EXPECT_EQ(Text(source, 129), u"");
    EXPECT_EQ(Text(source, 150), u"");
    EXPECT_EQ(LoadResolvedBitmap(source, 133), nullptr);
    EXPECT_EQ(LoadResolvedBitmap(source, 137), nullptr);
    EXPECT_EQ(LoadResolvedIcon(source, 128, 16), nullptr);
}

}  // namespace
