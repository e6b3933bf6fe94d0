#include "bench/support/RandomNetworks.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"

#include <benchmark/benchmark.h>

namespace {

// Check, design through the hidden design window, and levels: what the results table runs.
void BM_DesignNetwork(benchmark::State& state) {
    TSewerMainForm window(nullptr);
    SewerMainForm = &window;
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DesignAsTheResultsTable(state, *network);
    }
    SetPerSewer(state);
    SewerMainForm = nullptr;
}

BENCHMARK(BM_DesignNetwork)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
