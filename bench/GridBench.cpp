#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Columns = 26;

// A results-table sized grid on a window, shown or never shown.
struct GridWindow {
    explicit GridWindow(bool shown) {
        form.SetBounds(0, 0, 900, 600);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 880, 580);
        grid->SetColCount(Columns);
        if (shown) {
            form.Show();
            QApplication::processEvents();
        }
    }
    TForm form{nullptr};
    TDataGrid* grid;
};

// Texts like the results table's: names and numbers.
std::vector<AnsiString> RowTexts(int row) {
    std::vector<AnsiString> texts;
    texts.push_back("S" + std::to_string(row));
    for (int c = 1; c < Columns; ++c)
        texts.push_back(FloatToStrF(0.001 * row * c + 0.25, ffFixed, 7, 3));
    return texts;
}

// Refilling the table: the rows made, then every cell written, as the results table does.
void FillCellByCell(benchmark::State& state) {
    const bool shown = state.range(1) != 0;
    const int rows = static_cast<int>(state.range(0));
    GridWindow window(shown);
    std::vector<std::vector<AnsiString>> texts;
    for (int r = 0; r < 64; ++r)
        texts.push_back(RowTexts(r));
    for (auto _ : state) {
        window.grid->SetRowCount(2);
        window.grid->SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            const auto& row = texts[static_cast<std::size_t>(r % 64)];
            for (int c = 0; c < Columns; ++c)
                window.grid->SetCells(c, r, row[static_cast<std::size_t>(c)]);
        }
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * rows * Columns);
}
BENCHMARK(FillCellByCell)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"rows", "shown"})
    ->Unit(benchmark::kMillisecond);

// Hit tests and cell rectangles in the middle of the rows in view, wherever the view stands.
void HitTestsAndRectangles(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    GridWindow window(false);
    window.grid->SetRowCount(rows);
    window.grid->SetTopRow(rows / 2);
    int col = 0, row = 0;
    for (auto _ : state) {
        window.grid->MouseToCell(300, 200, col, row);
        benchmark::DoNotOptimize(window.grid->CellRect(col, row));
    }
}
BENCHMARK(HitTestsAndRectangles)->RangeMultiplier(10)->Range(1000, 1000000)->ArgName("rows");

// One repaint of a screenful, at the top or at the end of the rows.
void RepaintScreenful(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const bool atEnd = state.range(1) != 0;
    GridWindow window(true);
    window.grid->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Columns; ++c)
            window.grid->SetCells(c, r, r < 100 || r > rows - 100 ? "1234.567" : "");
    if (atEnd)
        window.grid->SetRow(rows - 1);
    QWidget* surface = static_cast<GridScrollArea*>(window.grid->View())->viewport();
    for (auto _ : state)
        surface->repaint();
}
BENCHMARK(RepaintScreenful)
    ->ArgsProduct({{100, 100000}, {0, 1}})
    ->ArgNames({"rows", "atEnd"})
    ->Unit(benchmark::kMillisecond);

} // namespace
