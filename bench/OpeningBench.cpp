#include "app/StartedWindows.h"
#include "bench/support/TownNetwork.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <optional>

namespace {

// A file named on the command line, from the main window's first showing until it and the visual
// editor have painted: the read, the lists and settings filled from it, the connections, the fit
// and the first picture of the whole town, names shown.
void OpenCommandLineFile(benchmark::State& state) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("town.snt").toStdString();
    if (TownNetwork(static_cast<int>(state.range(0)))->WriteToFile(file) != 0)
        state.SkipWithError("the town was not written");
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<StartedWindows> windows(std::in_place);
        FrontForm->CommandLineFile = file;
        state.ResumeTiming();
        FrontForm->Show();
        QApplication::processEvents();
        state.PauseTiming();
        if (!FrontForm->Network ||
            FrontForm->Network->Sewers.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("the town was not read");
        windows.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenCommandLineFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
