// What one string lookup costs: the block walk over the product's compiled English table,
// for a text early in its block, one near the end of its block, and an absent one.

#include <benchmark/benchmark.h>

#include "resources/resource.h"
#include "tests/host/fakes.h"

namespace {

void BM_StringLookup(benchmark::State& state) {
    const auto id = static_cast<std::uint16_t>(state.range(0));
    const StringTable& strings = EnglishStrings();
    for (auto _ : state) {
        std::u16string text;
        benchmark::DoNotOptimize(strings.Load(id, text));
        benchmark::DoNotOptimize(text);
    }
}
// The walk's cost grows with the position in the block (id mod 16): 101 is at 5 and the longest
// verdict, 158 at 14; 148 is an empty entry, "not found".
BENCHMARK(BM_StringLookup)
    ->ArgName("id")
    ->Arg(IDS_BT_NOT_IDENTIFIED)
    ->Arg(IDS_PERCENT_UNKNOWN)
    ->Arg(148);

}  // namespace
