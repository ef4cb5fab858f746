#include "ui/sheet_power_events.h"

#include "common/debug_sink.h"

bool TakePowerEvent(std::uintptr_t event, bool statusPageHasWindow, DebugSink& debug) {
    if (!statusPageHasWindow) return false;
    switch (event) {
        case kPowerEventResumeSuspend:
            debug.Write(u"PBT_APMRESUMESUSPEND");
            return false;
        case kPowerEventStatusChange:
            debug.Write(u"PBT_APMPOWERSTATUSCHANGE");
            return true;
        case kPowerEventSettingChange:
            debug.Write(u"PBT_POWERSETTINGCHANGE");
            return true;
        default:
            return false;
    }
}
