#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "grid/Datagrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <string>

namespace {

// A grid of so many columns and rows, 20 pixels short of its window each way.
struct GridWindow {
    GridWindow(int width, int height, int cols, int rows) {
        form.SetBounds(0, 0, width, height);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, width - 20, height - 20);
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
    }
    void Show() {
        form.Show();
        QApplication::processEvents();
    }
    TForm form{nullptr};
    TDataGrid* grid;
};

// Opening and closing a special editor a thousand times on a grid of so many rows: the cost
// should not grow with the rows.
void OpenAndClose(benchmark::State& state) {
    const auto type = static_cast<TEditorType>(state.range(0));
    const int rows = static_cast<int>(state.range(1));
    GridWindow window(600, 400, 5, rows);
    TDataGrid* grid = window.grid;
    grid->SetOptions(grid->GetOptions() | goEditing);
    grid->SetCells(1, rows / 2,
                   type == edUnitEditBtn ? "12.5 kg"
                   : type == edRichEdit  ? "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs16 \\b 4\\b0 2\\par}"
                                         : "42");
    for (const char* item : {"A", "42", "C"})
        grid->AddComboString(item);
    grid->OnGetEditorType = [type](TObject*, int, int, TEditorType& AEditor) { AEditor = type; };
    window.Show();
    grid->SetRow(rows / 2);
    grid->SetCol(1);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            grid->ShowInplaceEdit();
            grid->HideInplaceEdit();
        }
        QApplication::processEvents();
    }
    state.SetLabel(std::to_string(rows) + " rows");
}

void Editors(benchmark::internal::Benchmark* bench) {
    for (const TEditorType type : {edSpinEdit, edComboList, edEditBtn, edUnitEditBtn, edCheckBox, edDateEdit,
                                   edTimeEdit, edButton, edRichEdit})
        for (const int rows : {100, 100000})
            bench->Args({type, rows});
}

BENCHMARK(OpenAndClose)->Apply(Editors)->Unit(benchmark::kMillisecond);

// Rich text of cell number i: bold, italic, a colour and a raised digit, each text its own.
std::string RichCellText(long i) {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}{\\colortbl ;\\red200\\green0\\blue0;}\\f0\\fs16 "
           "\\b Pipe\\b0  \\i " +
           std::to_string(i) + "\\i0  \\cf1 m\\up4 2\\up0\\cf0\\par}";
}

// A screenful of rich-text cells (9 columns of 96 pixels, 28 rows of 20 on a 880 x 580 grid)
// painted again: with the texts read before (0), or each one new (1), read as it is painted.
void RichRepaint(benchmark::State& state) {
    const bool fresh = state.range(0) != 0;
    GridWindow window(900, 600, 9, 29);
    TDataGrid* grid = window.grid;
    grid->SetDefaultColWidth(96);
    grid->SetDefaultRowHeight(20);
    long made = 0;
    const auto fill = [&] {
        for (int r = 1; r < grid->GetRowCount(); ++r)
            for (int c = 1; c < grid->GetColCount(); ++c)
                grid->SetCells(c, r, RichCellText(made++));
    };
    fill();
    window.Show();
    QWidget* cells = static_cast<GridScrollArea*>(grid->View())->viewport();
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            fill();
            state.ResumeTiming();
        }
        cells->repaint();
    }
    state.SetLabel(fresh ? "texts read while painting" : "texts read before");
}

BENCHMARK(RichRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
