#include "bench/support/RandomNetworks.h"
#include "network/Sewernetwork.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_WriteNetwork(benchmark::State& state) {
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("bench.snt").toStdString();
    for (auto _ : state)
        if (network->WriteToFile(file) != 0)
            state.SkipWithError("the network was not written");
    SetPerSewer(state);
}

// What opening a file costs before anything is shown: the read and the check.
void BM_ReadNetwork(benchmark::State& state) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("bench.snt").toStdString();
    RandomTree(static_cast<int>(state.range(0)))->WriteToFile(file);
    for (auto _ : state) {
        SimpleSewerNetwork network;
        if (network.ReadFromFile(file) != 0 || network.CheckNetwork() != 0)
            state.SkipWithError("the network was not read");
    }
    SetPerSewer(state);
}

void BM_CheckNetwork(benchmark::State& state) {
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(network->CheckNetwork());
    SetPerSewer(state);
}

BENCHMARK(BM_WriteNetwork)->Apply(NetworkSizes);
BENCHMARK(BM_WriteNetwork)->Apply(MillionSewers);
BENCHMARK(BM_ReadNetwork)->Apply(NetworkSizes);
BENCHMARK(BM_ReadNetwork)->Apply(MillionSewers);
BENCHMARK(BM_CheckNetwork)->Apply(NetworkSizes);

} // namespace
