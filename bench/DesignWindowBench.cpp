#include "network/Sewermainform.h"

#include <benchmark/benchmark.h>

namespace {

// One sewer as the network's design loop hands it to the hidden design window: its inputs set
// into the boxes, then one design run.
void DesignOneSewer(benchmark::State& state) {
    TSewerMainForm form(nullptr);
    form.FrictionFormulaRadioGroup->SetItemIndex(static_cast<int>(state.range(0)));
    form.SizingRadioGroup->SetItemIndex(BothCriteria);
    for (auto _ : state) {
        form.IPopTypedEdit->SetText("6000");
        form.FPopTypedEdit->SetText("11000");
        form.InitialLCDTypedEdit->SetText("100");
        form.FinalLCDTypedEdit->SetText("100");
        form.InitialSuplementaryFlowTypedEdit->SetText("1200");
        form.FinalSuplementaryFlowTypedEdit->SetText("1500");
        form.InitialUSFlowTypedEdit->SetText("12.34567");
        form.FinalUSFlowTypedEdit->SetText("23.45678");
        form.returnTypedEdit->SetText("85");
        form.peakTypedEdit->SetText("1.8");
        form.vscTypedEdit->SetText("0.5");
        form.tauTypedEdit->SetText("1");
        form.nTypedEdit->SetText("0.013");
        form.GroundSlopeTypedEdit->SetText("0.00123");
        form.CalcSewerButtonClick(nullptr);
        benchmark::DoNotOptimize(form.Design.DesignGradient);
    }
}
BENCHMARK(DesignOneSewer)
    ->ArgName("formula")
    ->Arg(GManningFormula)
    ->Arg(ColebrookWhiteFormula)
    ->Arg(EscrittFormula);

// The design run alone, the boxes already filled.
void CalcSewerButtonClickOnly(benchmark::State& state) {
    TSewerMainForm form(nullptr);
    for (auto _ : state) {
        form.CalcSewerButtonClick(nullptr);
        benchmark::DoNotOptimize(form.Design.DesignGradient);
    }
}
BENCHMARK(CalcSewerButtonClickOnly);

} // namespace
