// The results table's grid at scale: its refill, column sizing, hiding columns, rows inserted
// and removed in the middle, and a repaint, on a shown 26-column grid whose colour event is set.
#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

constexpr int Columns = 26;
// The columns a user might untick in the column chooser.
constexpr int Unticked[] = {2, 3, 6, 7, 8};

// A results-table sized grid on a shown window, its colour event set as the table sets it.
struct ResultsWindow {
    ResultsWindow() {
        form.SetBounds(0, 0, 900, 600);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 880, 580);
        grid->SetColCount(Columns);
        grid->SetRowCount(2);
        grid->SetDefaultRowHeight(16);
        grid->SetRowHeights(0, 48);
        grid->SetWordWrap(true);
        grid->OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush*, TFont*) {};
        form.Show();
        QApplication::processEvents();
    }
    // The table's update: emptied, one row per sewer, every cell by real column, the unticked
    // columns hidden with the grid out of sight.
    void Fill(const std::vector<std::vector<AnsiString>>& texts) {
        const int rows = static_cast<int>(texts.size());
        grid->RemoveRows(1, grid->GetRowCount() - 1);
        grid->InsertRows(1, rows);
        grid->SetFixedRows(1);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Columns; ++c)
                grid->SetCells(c, r + 1, texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        grid->SetVisible(false);
        for (int c = 0; c < Columns; ++c) {
            if (std::find(std::begin(Unticked), std::end(Unticked), c) != std::end(Unticked))
                grid->HideColumn(c);
            else
                grid->UnHideColumn(c);
        }
        grid->SetVisible(true);
    }
    void Repaint() { static_cast<GridScrollArea*>(grid->View())->viewport()->repaint(); }

    TForm form{nullptr};
    TDataGrid* grid;
};

// Texts as the results table writes them for sewer i: names, fixed and scientific numbers.
std::vector<std::vector<AnsiString>> SewerTexts(int rows) {
    std::vector<std::vector<AnsiString>> texts(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        auto& row = texts[static_cast<std::size_t>(i)];
        const double x = 1 + (i * 7919 % 10007) / 97.0;
        row.push_back("S" + std::to_string(i + 1));
        for (int c = 1; c < Columns; ++c) {
            if (c == 10 || c == 11)
                row.push_back("J" + std::to_string(i + c));
            else if (c >= 2 && c <= 8)
                row.push_back(FloatToStrF(0.0137 * x * c, ffExponent, 4, 2));
            else
                row.push_back(FloatToStrF(x * c / 3.0, ffFixed, 7, c % 2 ? 2 : 3));
        }
    }
    return texts;
}

void ResultsTableFill(benchmark::State& state) {
    const auto texts = SewerTexts(static_cast<int>(state.range(0)));
    ResultsWindow window;
    for (auto _ : state) {
        window.Fill(texts);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ResultsTableFill)->Arg(10000)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

void AutoSizeColumnsOverTheTable(benchmark::State& state) {
    ResultsWindow window;
    window.Fill(SewerTexts(static_cast<int>(state.range(0))));
    for (auto _ : state)
        window.grid->AutoSizeColumns(false, 10);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AutoSizeColumnsOverTheTable)
    ->Arg(10000)
    ->Arg(100000)
    ->ArgName("rows")
    ->Unit(benchmark::kMillisecond);

void HideAndShowAColumn(benchmark::State& state) {
    ResultsWindow window;
    window.Fill(SewerTexts(100000));
    for (auto _ : state) {
        window.grid->HideColumn(12);
        window.grid->UnHideColumn(12);
        QApplication::processEvents();
    }
}
BENCHMARK(HideAndShowAColumn)->Unit(benchmark::kMillisecond);

void InsertAndRemoveRowsInTheMiddle(benchmark::State& state) {
    ResultsWindow window;
    window.Fill(SewerTexts(100000));
    for (auto _ : state) {
        window.grid->InsertRows(50000, 1000);
        window.grid->RemoveRows(50000, 1000);
        QApplication::processEvents();
    }
}
BENCHMARK(InsertAndRemoveRowsInTheMiddle)->Unit(benchmark::kMillisecond);

// One repaint of a screenful with the unticked columns hidden, at the top of the rows.
void RepaintWithHiddenColumns(benchmark::State& state) {
    ResultsWindow window;
    window.Fill(SewerTexts(static_cast<int>(state.range(0))));
    for (auto _ : state)
        window.Repaint();
}
BENCHMARK(RepaintWithHiddenColumns)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

} // namespace
