#include "bench/support/RandomNetworks.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The network's design loop through the design window, hidden as in a batch run or shown as
// under the results table: the two must cost the same.
void DesignLoop(benchmark::State& state) {
    TSewerMainForm window(nullptr);
    SewerMainForm = &window;
    const bool shown = state.range(0) != 0;
    if (shown) {
        window.Show();
        QApplication::processEvents();
    }
    const auto network = RandomTree(1000);
    for (auto _ : state) {
        DesignAsTheResultsTable(state, *network);
        // What the window owes its views after the run, as the event loop would bring them up to date.
        QApplication::processEvents();
    }
    SetPerSewer(state);
    SewerMainForm = nullptr;
}
BENCHMARK(DesignLoop)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
