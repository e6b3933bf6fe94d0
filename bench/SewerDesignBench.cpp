#include "network/PipeSizes.h"
#include "network/SewerDesign.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// One design run of the design window's default sewer, with the friction formula as argument.
void CalcSewerRun(benchmark::State& state) {
    const PipeSizeList sizes = BuiltInPipeSizes();
    const SewerDesignInput input{.InitialPopulation = 6000,
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
                                 .FrictionFormula = static_cast<int>(state.range(0)),
                                 .SizingCriterion = BothCriteria};
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcSewer(input, sizes));
}
BENCHMARK(CalcSewerRun)
    ->ArgName("formula")
    ->Arg(GManningFormula)
    ->Arg(ColebrookWhiteFormula)
    ->Arg(EscrittFormula);

} // namespace
