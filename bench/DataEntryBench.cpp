#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The main window shown with the tabular editor docked in it, showing a random tree.
class ShownEditor {
public:
    explicit ShownEditor(int sewers) {
        FrontForm->Show();
        FrontForm->ReplaceNetwork(RandomTree(sewers));
        FrontForm->DataEntryForm1Click(nullptr);
        QApplication::processEvents();
    }
    ShownEditor(const ShownEditor&) = delete;
    ShownEditor& operator=(const ShownEditor&) = delete;

private:
    StartedWindows windows;
};

// Both lists refilled from the network and the views brought up to date.
void RefreshLists(benchmark::State& state) {
    ShownEditor editor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DataEntryForm->RefreshLists();
        QApplication::processEvents();
    }
}
BENCHMARK(RefreshLists)->Apply(NetworkSizes);

// A click on a sewer of the list: its boxes filled, its U/S junction highlighted and shown.
void SewerListClick(benchmark::State& state) {
    ShownEditor editor(static_cast<int>(state.range(0)));
    const int count = DataEntryForm->SewerListBox->Items.Count();
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % count;
        DataEntryForm->SewerListBox->ViewSelected(row);
        QApplication::processEvents();
    }
}
BENCHMARK(SewerListClick)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One sewer's length changed and applied: the check of the boxes, the edit and the refresh.
void SewerApply(benchmark::State& state) {
    ShownEditor editor(static_cast<int>(state.range(0)));
    DataEntryForm->SewerListBox->ViewSelected(DataEntryForm->SewerListBox->Items.Count() / 2);
    int length = 0;
    for (auto _ : state) {
        DataEntryForm->LengthTypedEdit->SetText(IntToStr(10 + length++ % 50));
        DataEntryForm->ApplySewerChangeButtonClick(nullptr);
        QApplication::processEvents();
    }
}
BENCHMARK(SewerApply)->Arg(100000)->Unit(benchmark::kMillisecond);

// Check Network with "Delete unused junctions" on: a thousand unused junctions swept from the
// network, then the check and its message.
void CheckNetworkWithSweep(benchmark::State& state) {
    ShownEditor editor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i)
            FrontForm->Network->SetJunctionLevel("U" + IntToStr(i), 0);
        state.ResumeTiming();
        DataEntryForm->CheckNetworkButtonClick(nullptr);
        QApplication::processEvents();
    }
}
BENCHMARK(CheckNetworkWithSweep)->Apply(NetworkSizes);

} // namespace
