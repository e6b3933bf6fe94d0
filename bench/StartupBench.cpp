#include "app/StartedWindows.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <optional>

namespace {

// From nothing to the main window shown with the design window docked: the splash, every window
// of the start-up, the first activation and the events that paint them.
void Startup(benchmark::State& state) {
    for (auto _ : state) {
        AboutBox = new TAboutBox(nullptr);
        AboutBox->Show();
        QApplication::processEvents();
        std::optional<StartedWindows> windows(std::in_place);
        FrontForm->Show();
        QApplication::processEvents();
        state.PauseTiming();
        windows.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(Startup)->Unit(benchmark::kMillisecond);

} // namespace
