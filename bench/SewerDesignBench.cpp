#include "network/PipeSizes.h"
#include "network/SewerDesign.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// The design window's default sewer.
SewerDesignInput DefaultSewer() {
    return {.InitialPopulation = 6000,
            .FinalPopulation = 11000,
            .InitialLCD = 100,
            .FinalLCD = 100,
            .ReturnFactor = 85,
            .PeakFactor = 1.8,
            .MinimumVelocity = 0.5,
            .MinimumTau = 1,
            .ManningN = 0.013,
            .FlowLimit = true,
            .MinQ = 1.5,
            .DiameterLimit = true,
            .MinD = 100,
            .GroundSlopeLimit = true,
            .SizingCriterion = BothCriteria};
}

// One design run of the default sewer, with the friction formula as argument.
void CalcSewerRun(benchmark::State& state) {
    const PipeSizeList sizes = BuiltInPipeSizes();
    SewerDesignInput input = DefaultSewer();
    input.FrictionFormula = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcSewer(input, sizes));
}
BENCHMARK(CalcSewerRun)
    ->ArgName("formula")
    ->Arg(GManningFormula)
    ->Arg(ColebrookWhiteFormula)
    ->Arg(EscrittFormula);

// A sewer with no initial flow and no limits gets the placeholder diameter and so the largest
// pipe, here one of 2000 km from a pipe-size file; the depth search must not walk its millimetres.
void CalcSewerHugePipe(benchmark::State& state) {
    PipeSizeList sizes = BuiltInPipeSizes();
    sizes.push_back({"2000000000", 2e9});
    SewerDesignInput input = DefaultSewer();
    input.InitialPopulation = 0;
    input.FlowLimit = input.DiameterLimit = input.GroundSlopeLimit = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcSewer(input, sizes));
}
BENCHMARK(CalcSewerHugePipe);

} // namespace
