#include "bench/support/GridFileBench.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// Reads the file a grid of state.range(0) sewers wrote, again and again.
void TimeRead(benchmark::State& state, Writer write, Writer read) {
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("table").toStdString();
    ((*ResultsLikeGrid(static_cast<int>(state.range(0)))).*write)(file);
    TDataGrid grid(nullptr);
    for (auto _ : state)
        (grid.*read)(file);
    state.counters["rows"] = static_cast<double>(state.range(0));
}

void BM_SaveToCSV(benchmark::State& state) {
    TimeWrite(state, &TDataGrid::SaveToCSV);
}

void BM_LoadFromCSV(benchmark::State& state) {
    TimeRead(state, &TDataGrid::SaveToCSV, &TDataGrid::LoadFromCSV);
}

void BM_SaveToFile(benchmark::State& state) {
    TimeWrite(state, &TDataGrid::SaveToFile);
}

void BM_LoadFromFile(benchmark::State& state) {
    TimeRead(state, &TDataGrid::SaveToFile, &TDataGrid::LoadFromFile);
}

void BM_CopyToClipboard(benchmark::State& state) {
    const auto grid = ResultsLikeGrid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        grid->CopyToClipBoard();
    state.counters["rows"] = static_cast<double>(state.range(0));
}

// The whole table pasted back into an editable grid of one row, which grows once.
void BM_PasteFromClipboard(benchmark::State& state) {
    ResultsLikeGrid(static_cast<int>(state.range(0)))->CopyToClipBoard();
    TDataGrid grid(nullptr);
    grid.SetOptions(grid.GetOptions() | goEditing);
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetRowCount(2);
        state.ResumeTiming();
        grid.PasteFromClipboard();
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_SaveToCSV)->Arg(10000)->Arg(30000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromCSV)->Arg(10000)->Arg(30000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Arg(10000)->Arg(30000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Arg(10000)->Arg(30000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyToClipboard)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteFromClipboard)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
