#include "app/Dataentry.h"
#include "app/Front.h"
#include "bench/support/RandomNetworks.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The network designed through the design window as the program holds it: docked in the shown
// main window and covered by another working window, against a design window never shown. The
// two must cost the same.
void DockedDesign(benchmark::State& state) {
    TComponent owner(nullptr);
    FrontForm = new TFrontForm(&owner);
    SewerMainForm = new TSewerMainForm(&owner);
    DataEntryForm = new TDataEntryForm(&owner);
    const bool docked = state.range(1) != 0;
    if (docked) {
        FrontForm->Show();
        FrontForm->ShowChildForm(DataEntryForm);
        QApplication::processEvents();
    }
    const auto network = RandomTree(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DesignAsTheResultsTable(state, *network);
        QApplication::processEvents();
    }
    state.counters["per_sewer"] = benchmark::Counter(100000, benchmark::Counter::kIsIterationInvariantRate |
                                                                 benchmark::Counter::kInvert);
    while (!owner.Components().empty())
        delete owner.Components().back();
    FrontForm = nullptr;
    SewerMainForm = nullptr;
    DataEntryForm = nullptr;
}
BENCHMARK(DockedDesign)
    ->ArgNames({"sewers", "docked_and_covered"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
