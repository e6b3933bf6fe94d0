#pragma once

#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

// A grid like the results table: a header row, a name column, 24 numbers and two junction names
// per sewer, 26 columns in all, two of them hidden as the column chooser hides them.
inline std::unique_ptr<TDataGrid> ResultsLikeGrid(int sewers) {
    auto grid = std::make_unique<TDataGrid>(nullptr);
    grid->SetColCount(26);
    grid->SetRowCount(sewers + 1);
    grid->Delimiter = ',';
    for (int c = 0; c < 26; ++c)
        grid->SetCellEx(c, 0, "Column " + IntToStr(c) + " (m)");
    for (int r = 1; r <= sewers; ++r) {
        grid->SetCellEx(0, r, "S" + IntToStr(r));
        for (int c = 1; c < 26; ++c)
            grid->SetCellEx(
                c, r, c == 10 || c == 11 ? "J" + IntToStr(r + c) : FloatToStrF(r * 0.37 + c, ffFixed, 7, 3));
    }
    grid->HideColumn(3);
    grid->HideColumn(7);
    return grid;
}

using Writer = void (TDataGrid::*)(const AnsiString&);

// Writes a grid of state.range(0) sewers to one file, named name, again and again.
inline void TimeWrite(benchmark::State& state, Writer write, const char* name = "table") {
    const auto grid = ResultsLikeGrid(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const AnsiString file = dir.filePath(name).toStdString();
    for (auto _ : state)
        ((*grid).*write)(file);
    state.counters["rows"] = static_cast<double>(state.range(0));
}
