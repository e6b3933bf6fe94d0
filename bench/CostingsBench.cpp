#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"
#include "framework/Application.h"

#include <benchmark/benchmark.h>

namespace {

// What a visit of the bill's tab does once the results table is filled: the take-off of every
// sewer and junction, the pricing with the rates shipped beside the program, and the bill.
void TakeOffPricingAndBill(benchmark::State& state) {
    const StartedWindows windows;
    FrontForm->ReplaceNetwork(RandomTree(static_cast<int>(state.range(0))));
    CostingsForm->LoadDefaultCostingRates();
    if (!CostingsForm->MatrixLoaded())
        state.SkipWithError("no rates");
    else if (FrontForm->Network->CheckNetwork() != 0 || !TableForm->UpdateTableFromNetwork())
        state.SkipWithError("no results table");
    for (auto _ : state) {
        CostingsForm->TakeOff(*TableForm->DataGrid1, *FrontForm->Network);
        CostingsForm->CalculateCostMatrix();
        CostingsForm->BuildBillOfQuantities();
    }
    SetPerSewer(state);
}
BENCHMARK(TakeOffPricingAndBill)->Apply(NetworkSizes);

} // namespace
