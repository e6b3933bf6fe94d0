#pragma once

#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

// A random tree of sewers draining through S1 to junction J0, listed in random order. Sewer Sk
// leaves Jk for a junction of lower number; S1 alone reaches J0 and carries the datum. Every 97th sewer ends
// in a drop junction and carries the datum of the sub-network above it.
inline std::unique_ptr<SimpleSewerNetwork> RandomTree(int sewers) {
    std::mt19937 random(20110118);
    std::vector<int> order(static_cast<std::size_t>(sewers));
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), random);
    auto network = std::make_unique<SimpleSewerNetwork>();
    for (int k : order) {
        const int below = k == 1 ? 0 : std::uniform_int_distribution<int>(1, k - 1)(random);
        const AnsiString name = IntToStr(k);
        network->AddSewer("S" + name, "J" + name, "J" + IntToStr(below), 20.0 + k % 50);
        Sewer& s = *network->Sewers.back();
        s.Population.InitialNumberOfHouses = k % 40;
        s.Population.FinalNumberOfHouses = k % 40 + 5;
        s.Population.InitialHousePopulation = 4;
        s.Population.FinalHousePopulation = 4;
        s.InitialInfiltration = k % 3;
        s.FinalInfiltration = k % 5;
        s.Slope = 0.001 * (1 + k % 30);
        if (k > 1 && k % 97 == 0) {
            s.DownstreamEnd->DropJunction = true;
            network->SetSewerDatum(s.Name, true, true, 0);
        }
    }
    for (SewerNode* j : network->Junctions)
        j->Z = 100.0 + 0.1 * static_cast<double>(std::hash<std::string>{}(j->Name.str()) % 20);
    network->SetSewerDatum("S1", true, true, 0);
    network->BuildConnections();
    return network;
}

// 1k, 10k and 100k sewers, each timed as often as the library likes.
inline void NetworkSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

// A million sewers, timed once: one run takes seconds.
inline void MillionSewers(benchmark::internal::Benchmark* b) {
    b->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
}

// Reports the time per sewer beside the time per run.
inline void SetPerSewer(benchmark::State& state) {
    state.counters["per_sewer"] =
        benchmark::Counter(static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What the results table runs on the network: check, design through the design window, levels.
inline void DesignAsTheResultsTable(benchmark::State& state, SimpleSewerNetwork& network) {
    network.ClearDesignedFlags();
    network.BuildConnections();
    if (network.CheckNetwork() != 0 || network.DesignNetwork() != 0)
        state.SkipWithError("the network did not design");
}
