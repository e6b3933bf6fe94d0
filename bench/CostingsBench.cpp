#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"
#include "framework/Application.h"

#include <QApplication>
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

// A visit of the bill of quantities tab in the docked costings window, as the user chooses it
// from another tab: the results table updated again, the take-off, the pricing, the bill and
// the repaint.
void VisitBillTab(benchmark::State& state) {
    const StartedWindows windows;
    FrontForm->Show();
    FrontForm->ReplaceNetwork(RandomTree(static_cast<int>(state.range(0))));
    CostingsForm->LoadDefaultCostingRates();
    FrontForm->ShowChildForm(CostingsForm);
    QApplication::processEvents();
    if (!CostingsForm->MatrixLoaded())
        state.SkipWithError("no rates");
    constexpr int BillPage = 4;
    for (auto _ : state) {
        state.PauseTiming();
        CostingsForm->CostingsPageControl->SetActivePageIndex(0);
        QApplication::processEvents();
        state.ResumeTiming();
        CostingsForm->CostingsPageControl->ViewTabChosen(BillPage);
        QApplication::processEvents();
    }
    if (CostingsForm->NetworkCostPipeDataGrid->GetRowCount() != static_cast<int>(state.range(0)) + 2)
        state.SkipWithError("no take-off");
    SetPerSewer(state);
}
BENCHMARK(VisitBillTab)->Apply(NetworkSizes);

} // namespace
