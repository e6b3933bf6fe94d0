#include "bench/support/RandomNetworks.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Check, design through the hidden design window, and levels: what the results table runs.
void BM_DesignNetwork(benchmark::State& state) {
    TSewerMainForm window(nullptr);
    SewerMainForm = &window;
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    for (auto _ : state)
        DesignAsTheResultsTable(state, *network);
    SetPerSewer(state);
    SewerMainForm = nullptr;
}

// A file opened and designed, the generated network gone before: run it alone to read the
// program's peak memory for a network of that size.
void BM_ReadAndDesignNetwork(benchmark::State& state) {
    TSewerMainForm window(nullptr);
    SewerMainForm = &window;
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("bench.snt").toStdString();
    RandomTree(static_cast<int>(state.range(0)))->WriteToFile(file);
    for (auto _ : state) {
        SimpleSewerNetwork network;
        if (network.ReadFromFile(file) != 0)
            state.SkipWithError("the network was not read");
        DesignAsTheResultsTable(state, network);
    }
    SetPerSewer(state);
    SewerMainForm = nullptr;
}

BENCHMARK(BM_DesignNetwork)->Apply(NetworkSizes);
BENCHMARK(BM_DesignNetwork)->Apply(MillionSewers);
BENCHMARK(BM_ReadAndDesignNetwork)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndDesignNetwork)->Apply(MillionSewers);

} // namespace
