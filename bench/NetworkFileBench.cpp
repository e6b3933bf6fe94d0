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

// A random tree of sewers draining to junction J0, listed in random order. Sewer Sk leaves Jk for a
// junction of lower number, so S1 runs into J0 and carries the datum.
std::unique_ptr<SimpleSewerNetwork> RandomTree(int sewers) {
    std::mt19937 random(20110118);
    std::vector<int> order(static_cast<std::size_t>(sewers));
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), random);
    auto network = std::make_unique<SimpleSewerNetwork>();
    for (int k : order) {
        const int below = std::uniform_int_distribution<int>(0, k - 1)(random);
        const AnsiString name = IntToStr(k);
        network->AddSewer("S" + name, "J" + name, "J" + IntToStr(below), 20.0 + k % 50);
        Sewer& s = *network->Sewers.back();
        s.Population.InitialNumberOfHouses = k % 40;
        s.Population.InitialHousePopulation = 4;
        s.Slope = 0.001 * (1 + k % 30);
    }
    network->SetSewerDatum("S1", true, true, 0);
    network->BuildConnections();
    return network;
}

void SetPerSewer(benchmark::State& state) {
    state.counters["per_sewer"] =
        benchmark::Counter(static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

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
