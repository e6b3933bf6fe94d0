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
    const bool docked = state.range(0) != 0;
    if (docked) {
        FrontForm->Show();
        FrontForm->ShowChildForm(DataEntryForm);
        QApplication::processEvents();
    }
    const auto network = RandomTree(100000);
    for (auto _ : state) {
        network->ClearDesignedFlags();
        network->BuildConnections();
        if (network->CheckNetwork() != 0 || network->DesignNetwork() != 0)
            state.SkipWithError("the network did not design");
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
BENCHMARK(DockedDesign)->ArgName("docked_and_covered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
