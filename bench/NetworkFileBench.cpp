#include "bench/support/RandomNetworks.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

void BM_WriteNetwork(benchmark::State& state) {
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("bench.snt").toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(network->WriteToFile(file));
    SetPerSewer(state);
}

void BM_ReadNetwork(benchmark::State& state) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("bench.snt").toStdString();
    RandomTree(static_cast<int>(state.range(0)))->WriteToFile(file);
    for (auto _ : state) {
        SimpleSewerNetwork network;
        benchmark::DoNotOptimize(network.ReadFromFile(file));
    }
    SetPerSewer(state);
}

void BM_CheckNetwork(benchmark::State& state) {
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(network->CheckNetwork());
    SetPerSewer(state);
}

BENCHMARK(BM_WriteNetwork)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadNetwork)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckNetwork)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
