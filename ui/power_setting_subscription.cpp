#include "ui/power_setting_subscription.h"

#include "common/debug_sink.h"

namespace {

constexpr char kRegisterName[] = "RegisterPowerSettingNotification";
constexpr char kUnregisterName[] = "UnregisterPowerSettingNotification";
constexpr char16_t kLoadedLine[] = u"Load RegisterPowerSettingNotification Success";

bool PlatformHasRegistration(PowerSettingFunctions& functions) {
    PowerSettingFunctions::Module loaded = functions.LoadedUser32();
    return loaded != nullptr && functions.Find(loaded, kRegisterName) != nullptr;
}

}  // namespace

PowerSettingFunctions::Registration SubscribeBatteryPercentage(PowerSettingFunctions& functions,
                                                               PowerSettingFunctions::Window window,
                                                               DebugSink& debug) {
    if (!PlatformHasRegistration(functions)) {
        debug.Write(u"RegisterPowerSettingNotification not Exist");
        return nullptr;
    }
    debug.Write(u"RegisterPowerSettingNotification Exist");
    PowerSettingFunctions::Registration registration = nullptr;
    PowerSettingFunctions::Module library = functions.LoadUser32();
    if (library == nullptr) return registration;
    if (PowerSettingFunctions::Function registerFunction = functions.Find(library, kRegisterName)) {
        registration = functions.Register(registerFunction, window);
        debug.Write(kLoadedLine);
    }
    functions.Release(library);
    return registration;
}

void EndBatteryPercentageSubscription(PowerSettingFunctions& functions,
                                      PowerSettingFunctions::Registration registration,
                                      DebugSink& debug) {
    if (!PlatformHasRegistration(functions)) return;
    PowerSettingFunctions::Module library = functions.LoadUser32();
    if (library == nullptr) return;
    if (PowerSettingFunctions::Function unregister = functions.Find(library, kUnregisterName)) {
        functions.Unregister(unregister, registration);
        debug.Write(kLoadedLine);
    }
    functions.Release(library);
}
