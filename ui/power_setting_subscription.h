// The sheet's subscription to battery-percentage notifications. The two notification
// functions are found at run time in the user-interface library, because older systems do not
// have them; the look-ups are an interface so that every way they can fail can be exercised.
#pragma once

class DebugSink;

class PowerSettingFunctions {
public:
    using Module = void*;
    using Function = void*;
    using Window = void*;
    using Registration = void*;

    virtual ~PowerSettingFunctions() = default;

    // The user-interface library as already loaded into the process, or null; never released.
    virtual Module LoadedUser32() = 0;
    // The same library loaded once more by its file name, or null; released with Release.
    virtual Module LoadUser32() = 0;
    virtual void Release(Module module) = 0;
    virtual Function Find(Module module, const char* name) = 0;

    // Calls the registration function for the battery-percentage-remaining setting, with the
    // notifications sent as window messages to `window`.
    virtual Registration Register(Function registerFunction, Window window) = 0;
    virtual void Unregister(Function unregisterFunction, Registration registration) = 0;
};

// Subscribes `window` where the platform offers it. Returns the registration, which is null
// when there is none and may also be null when the platform returned an empty one.
PowerSettingFunctions::Registration SubscribeBatteryPercentage(PowerSettingFunctions& functions,
                                                               PowerSettingFunctions::Window window,
                                                               DebugSink& debug);

// Ends what SubscribeBatteryPercentage began. The registration is handed to the platform as
// stored, an empty one included.
void EndBatteryPercentageSubscription(PowerSettingFunctions& functions,
                                      PowerSettingFunctions::Registration registration,
                                      DebugSink& debug);
