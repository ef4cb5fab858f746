#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/host/fakes.h"
#include "ui/power_setting_subscription.h"
#include "ui/sheet_power_events.h"

namespace {

TEST(SheetPowerEventsTest, LinesAndRefreshes) {
    const struct {
        std::uintptr_t event;
        bool pageHasWindow;
        std::vector<std::u16string> lines;
        bool refresh;
    } cases[] = {
        {7, true, {u"PBT_APMRESUMESUSPEND"}, false},
        {10, true, {u"PBT_APMPOWERSTATUSCHANGE"}, true},
        {0x8013, true, {u"PBT_POWERSETTINGCHANGE"}, true},
        // Before the status page has a window every event is ignored.
        {7, false, {}, false},
        {10, false, {}, false},
        {0x8013, false, {}, false},
        // Suspend query, suspend, resume automatic, and codes nobody sends.
        {0, true, {}, false},
        {4, true, {}, false},
        {18, true, {}, false},
        {0x8012, true, {}, false},
        {0x10007, true, {}, false},
    };
    for (const auto& c : cases) {
        RecordingDebugSink debug;
        EXPECT_EQ(TakePowerEvent(c.event, c.pageHasWindow, debug), c.refresh) << c.event;
        EXPECT_EQ(debug.lines, c.lines) << c.event;
    }
}

// The run-time look-ups as a script: which names each module exports and what the calls did.
class ScriptedPowerSettingFunctions final : public PowerSettingFunctions {
public:
    Module LoadedUser32() override { return loadedModule ? &m_loaded : nullptr; }
    Module LoadUser32() override {
        if (!loadable) return nullptr;
        ++loads;
        return &m_library;
    }
    void Release(Module module) override {
        EXPECT_EQ(module, &m_library) << "only the library loaded by name is released";
        ++releases;
    }
    Function Find(Module module, const char* name) override {
        const std::string wanted = name;
        if (module == &m_loaded)
            return loadedHasRegister && wanted == kRegister ? &m_register : nullptr;
        if (module != &m_library) return nullptr;
        if (wanted == kRegister) return libraryHasRegister ? &m_register : nullptr;
        if (wanted == kUnregister) return libraryHasUnregister ? &m_unregister : nullptr;
        return nullptr;
    }
    Registration Register(Function function, Window window) override {
        EXPECT_EQ(function, &m_register);
        registeredWindows.push_back(window);
        return registration;
    }
    void Unregister(Function function, Registration handle) override {
        EXPECT_EQ(function, &m_unregister);
        unregistered.push_back(handle);
    }

    static constexpr const char* kRegister = "RegisterPowerSettingNotification";
    static constexpr const char* kUnregister = "UnregisterPowerSettingNotification";

    bool loadedModule = true;
    bool loadedHasRegister = true;
    bool loadable = true;
    bool libraryHasRegister = true;
    bool libraryHasUnregister = true;
    Registration registration = reinterpret_cast<Registration>(0x5150);

    int loads = 0;
    int releases = 0;
    std::vector<Window> registeredWindows;
    std::vector<Registration> unregistered;

private:
    int m_loaded = 0, m_library = 0, m_register = 0, m_unregister = 0;
};

TEST(PowerSettingSubscriptionTest, EveryWayTheLookUpCanGo) {
    void* const window = reinterpret_cast<void*>(0x1234);
    void* const handle = reinterpret_cast<void*>(0x5150);
    const struct {
        const char* name;
        void (*script)(ScriptedPowerSettingFunctions&);
        std::vector<std::u16string> subscribeLines;
        void* registration;  // what was stored, and handed back at the end
        bool registered;
        std::vector<std::u16string> endLines;
        bool unregistered;
    } cases[] = {
        {"registered",
         [](ScriptedPowerSettingFunctions&) {},
         {u"RegisterPowerSettingNotification Exist",
          u"Load RegisterPowerSettingNotification Success"},
         handle,
         true,
         {u"Load RegisterPowerSettingNotification Success"},
         true},
        {"empty registration kept",
         [](ScriptedPowerSettingFunctions& f) { f.registration = nullptr; },
         {u"RegisterPowerSettingNotification Exist",
          u"Load RegisterPowerSettingNotification Success"},
         nullptr,
         true,
         {u"Load RegisterPowerSettingNotification Success"},
         true},
        {"user-interface library not loaded",
         [](ScriptedPowerSettingFunctions& f) { f.loadedModule = false; },
         {u"RegisterPowerSettingNotification not Exist"},
         nullptr,
         false,
         {},
         false},
        {"no entry point on this system",
         [](ScriptedPowerSettingFunctions& f) { f.loadedHasRegister = false; },
         {u"RegisterPowerSettingNotification not Exist"},
         nullptr,
         false,
         {},
         false},
        {"loading by file name fails",
         [](ScriptedPowerSettingFunctions& f) { f.loadable = false; },
         {u"RegisterPowerSettingNotification Exist"},
         nullptr,
         false,
         {},
         false},
        {"entry point missing from the loaded library",
         [](ScriptedPowerSettingFunctions& f) {
             f.libraryHasRegister = false;
             f.libraryHasUnregister = false;
         },
         {u"RegisterPowerSettingNotification Exist"},
         nullptr,
         false,
         {},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPowerSettingFunctions functions;
        c.script(functions);
        RecordingDebugSink debug;

        void* const registration = SubscribeBatteryPercentage(functions, window, debug);
        EXPECT_EQ(registration, c.registration);
        EXPECT_EQ(debug.lines, c.subscribeLines);
        EXPECT_EQ(functions.registeredWindows,
                  c.registered ? std::vector<void*>{window} : std::vector<void*>{});
        EXPECT_EQ(functions.releases, functions.loads);

        debug.lines.clear();
        EndBatteryPercentageSubscription(functions, registration, debug);
        EXPECT_EQ(debug.lines, c.endLines);
        EXPECT_EQ(functions.unregistered,
                  c.unregistered ? std::vector<void*>{c.registration} : std::vector<void*>{});
        EXPECT_EQ(functions.releases, functions.loads);
    }
}

}  // namespace
