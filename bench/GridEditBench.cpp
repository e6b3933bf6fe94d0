// Working a results-sized grid with keys and the mouse, editing in place, finding and selecting
// rows: the cost should not grow with the rows.
#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"
#include "grid/GridInplaceEdit.h"

#include <QApplication>
#include <QEvent>
#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int Columns = 26;

// Counts the paints of the grid's cells.
class PaintCounter : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A shown results-like grid of 26 columns filled with names and numbers, one fixed row and
// column.
struct ShownGrid {
    explicit ShownGrid(int rows) {
        form.SetBounds(0, 0, 900, 600);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 880, 580);
        grid->SetColCount(Columns);
        grid->SetRowCount(rows + 1);
        grid->SetOptions(grid->GetOptions() | goEditing);
        grid->Navigation->AdvanceOnEnter = true;
        // The same 64 rows of texts over and over, so that any screenful paints alike.
        for (int r = 1; r <= rows; ++r) {
            grid->SetCells(0, r, "S" + std::to_string(r % 64));
            for (int c = 1; c < Columns; ++c)
                grid->SetCells(c, r, FloatToStrF(0.1 * (r % 64) * c + 0.25, ffFixed, 7, 3));
        }
        form.Show();
        Cells()->installEventFilter(&counter);
        QApplication::processEvents();
    }
    QWidget* Cells() const { return static_cast<GridScrollArea*>(grid->View())->viewport(); }
    // A key as the view hands it to the control that has it, then the paints it brings.
    static void Key(TWinControl& control, WORD key, char character) {
        bool passOn = false;
        control.ViewKeyDown(key, {}, 0, character, passOn);
        control.ViewKeyUp(key, {}, passOn);
        QApplication::processEvents();
    }
    TForm form{nullptr};
    TDataGrid* grid;
    PaintCounter counter;
};

// 1000 arrow keys: 50 down from the first row and 50 back up, ten times, the view scrolling as
// the current row leaves it; the same keys in a grid of any size.
void ArrowDowns(benchmark::State& state) {
    ShownGrid window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.grid->SetRow(1);
        for (int i = 0; i < 1000; ++i)
            ShownGrid::Key(*window.grid, (i / 50) % 2 == 0 ? VK_DOWN : VK_UP, 0);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(ArrowDowns)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// "12.5" typed into the middle of the table and Enter: stored, and on to the next cell.
void TypeAndEnter(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    ShownGrid window(rows);
    for (auto _ : state) {
        window.grid->SetRow(rows / 2);
        window.grid->SetCol(5);
        ShownGrid::Key(*window.grid, '1', '1');
        TGridInplaceEdit& editor = *window.grid->GetInplaceEditor();
        for (const char typed : std::string("2.5"))
            ShownGrid::Key(editor, 0, typed);
        ShownGrid::Key(editor, VK_RETURN, '\r');
        window.grid->HideInplaceEdit();
    }
    if (window.grid->GetCells(5, rows / 2) != "12.5")
        state.SkipWithError("the typed value was not stored");
}
BENCHMARK(TypeAndEnter)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

// A click on a cell in view and its release.
void ClickACell(benchmark::State& state) {
    ShownGrid window(static_cast<int>(state.range(0)));
    window.grid->SetTopRow(window.grid->GetRowCount() / 2);
    bool passOn = false;
    int x = 100;
    for (auto _ : state) {
        x = x == 100 ? 200 : 100;
        window.grid->ViewMouseDown(mbLeft, {}, x, 100, passOn);
        window.grid->ViewMouseUp(mbLeft, {}, x, 100, passOn);
        QApplication::processEvents();
    }
}
BENCHMARK(ClickACell)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

// A column's right border in the header dragged 30 pixels wider and back, as the results
// table's columns are sized.
void SizeAColumn(benchmark::State& state) {
    ShownGrid window(static_cast<int>(state.range(0)));
    window.grid->SetOptions(window.grid->GetOptions() | goColSizing);
    const int border = 4 * 64 + 3;
    bool passOn = false;
    int width = 64;
    int widened = 0;
    for (auto _ : state) {
        const int to = width == 64 ? border + 30 : border;
        const int from = width == 64 ? border : border + 30;
        window.grid->ViewMouseMove({}, from, 10);
        window.grid->ViewMouseDown(mbLeft, {}, from, 10, passOn);
        window.grid->ViewMouseMove({ssLeft}, to, 10);
        window.grid->ViewMouseUp(mbLeft, {}, to, 10, passOn);
        QApplication::processEvents();
        width = window.grid->GetColWidths(3);
        widened += width == 94;
    }
    if (widened == 0)
        state.SkipWithError("the column was not sized");
}
BENCHMARK(SizeAColumn)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

// Every cell compared with a text none holds.
void FindFirstWithoutAHit(benchmark::State& state) {
    ShownGrid window(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(window.grid->FindFirst("pump", 0));
    state.SetItemsProcessed(state.iterations() * state.range(0) * Columns);
}
BENCHMARK(FindFirstWithoutAHit)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// Every row of the selection taken into the row selection, then the paints that follow.
void SelectAllToRowSelect(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    ShownGrid window(rows);
    window.grid->MouseActions->DisjunctRowSelect = true;
    int paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.grid->ClearRowSelect();
        QApplication::processEvents();
        window.grid->SetSelection({1, 1, Columns - 1, rows});
        QApplication::processEvents();
        window.counter.paints = 0;
        state.ResumeTiming();
        window.grid->SelectToRowSelect(true);
        QApplication::processEvents();
        paints = window.counter.paints;
    }
    state.counters["paints"] = paints;
}
BENCHMARK(SelectAllToRowSelect)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

} // namespace
