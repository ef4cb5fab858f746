// What one battery refresh costs in the portable logic alone, with scripted readings: a
// battery that answers every request, and a machine without a battery device, on which every
// request fails and writes its debug line.

#include <benchmark/benchmark.h>

#include "battery/refresh_battery.h"
#include "tests/host/fakes.h"

namespace {

// The recording sink of the tests would grow for the whole run and time its own allocations.
class DiscardingDebugSink final : public DebugSink {
public:
    void Write(const char16_t* line) override { benchmark::DoNotOptimize(line); }
};

void RunRefreshes(benchmark::State& state, ScriptedPower& power, ScriptedBattery& battery) {
    ScriptedController ec;
    DiscardingDebugSink debug;
    const BatterySources sources{power, battery, ec, EnglishStrings(), debug};
    BatterySnapshot snapshot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RefreshBattery(snapshot, sources));
        benchmark::ClobberMemory();
        // The scripted battery records its requests; keep that record from growing.
        battery.requests.clear();
        ec.calls.clear();
    }
}

void BM_RefreshBattery_BatteryPresent(benchmark::State& state) {
    ScriptedPower power;
    power.status = {0, 1, 87, 7530};
    ScriptedBattery battery;
    RunRefreshes(state, power, battery);
}
BENCHMARK(BM_RefreshBattery_BatteryPresent);

void BM_RefreshBattery_NoDevice(benchmark::State& state) {
    ScriptedPower power;
    power.status = {1, 128, 255, 0xFFFFFFFF};
    ScriptedBattery battery;
    battery.present = false;
    RunRefreshes(state, power, battery);
}
BENCHMARK(BM_RefreshBattery_NoDevice);

}  // namespace
