// HTML cell text at scale: columns sized over 100,000 rows of distinct and of repeated texts, and
// a screenful of HTML cells repainted at the top of a short and of a long grid; words marked in
// a long text and unmarked again; a long text of short words laid out in narrow and wide columns.
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "grid/Datagrid.h"
#include "grid/HTMLText.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int Columns = 3;

// About 30 characters with three tags; with distinct false, one of ten texts.
AnsiString CellText(int row, int col, bool distinct) {
    const int n = distinct ? row * Columns + col : (row + col) % 10;
    return "Pipe <B>S" + std::to_string(n) + "</B> runs <I>" + std::to_string(n % 97) +
           " m</I> down <U>x</U>";
}

struct HTMLWindow {
    explicit HTMLWindow(int rows, bool distinct) {
        form.SetBounds(0, 0, 900, 600);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 880, 580);
        grid->SetColCount(Columns + 1);
        grid->SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= Columns; ++c)
                grid->SetCells(c, r, CellText(r, c, distinct));
        form.Show();
        QApplication::processEvents();
    }
    void Repaint() { static_cast<GridScrollArea*>(grid->View())->viewport()->repaint(); }

    TForm form{nullptr};
    TDataGrid* grid;
};

void AutoSizeHTMLColumns(benchmark::State& state) {
    HTMLWindow window(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        window.grid->AutoSizeColumns(false, 0);
    state.SetItemsProcessed(state.iterations() * state.range(0) * Columns);
}
BENCHMARK(AutoSizeHTMLColumns)
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->ArgNames({"rows", "distinct"})
    ->Unit(benchmark::kMillisecond);

void RepaintHTMLCells(benchmark::State& state) {
    HTMLWindow window(static_cast<int>(state.range(0)), true);
    for (auto _ : state)
        window.Repaint();
}
BENCHMARK(RepaintHTMLCells)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// A text of characters with a hit every second one, half of them in a tag, marked and unmarked.
void HiLightAndBack(benchmark::State& state) {
    std::string text;
    while (static_cast<int>(text.size()) < state.range(0))
        text += text.size() % 40 == 0 ? "<B>a</B>" : "ab";
    const AnsiString S(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(UnHiLight(HiLight(S, "a", "hi", true), "hi"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(HiLightAndBack)->Arg(4000)->Arg(40000)->ArgName("characters")->Unit(benchmark::kMillisecond);

// 100,000 characters of "a a a ..." measured in a column the given pixels wide: a word a line,
// some fifty words a line, and a dozen long lines; each well under 0.3 s.
void LayOutLongText(benchmark::State& state) {
    QImage image(400, 100, QImage::Format_RGB32);
    TCanvas canvas;
    canvas.SetImage(&image);
    std::string words;
    while (words.size() < 100000)
        words += "a ";
    THTMLRenderContext context;
    context.Paint = false;
    const TRect rect = Rect(0, 0, static_cast<int>(state.range(0)), 100);
    int lines = 0;
    static int laidOut = 0;
    for (auto _ : state) {
        // A text not laid out before, so that no kept layout answers.
        const AnsiString text(words + std::to_string(++laidOut));
        THTMLRenderResult result;
        RenderHTMLText(canvas, text, rect, context, result);
        lines = result.Lines;
    }
    state.counters["lines"] = lines;
}
BENCHMARK(LayOutLongText)->Arg(1)->Arg(300)->Arg(40000)->ArgName("pixels")->Unit(benchmark::kMillisecond);

} // namespace
