#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"
#include "network/Sewernetwork.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The network designed through the design window as the program holds it: docked in the shown
// main window and covered by another working window, against a design window never shown. The
// two must cost the same.
void DockedDesign(benchmark::State& state) {
    const StartedWindows windows;
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
}
BENCHMARK(DockedDesign)
    ->ArgNames({"sewers", "docked_and_covered"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
