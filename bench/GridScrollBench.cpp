// Moving about a shown 26-column grid of 100 and 100,000 rows: a wheel notch, a pan tick,
// scrolling a cell into view, a thumb dragged with ScrollSynch, and zooming. Repaints are left
// to the event loop and not timed.
#include "framework/Form.h"
#include "grid/Datagrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

constexpr int Columns = 26;

// A grid of rows rows, the current cell half way down, on a shown window.
struct MovingWindow {
    explicit MovingWindow(int rows) {
        form.SetBounds(0, 0, 900, 600);
        grid = new TDataGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 880, 580);
        grid->SetColCount(Columns);
        grid->SetRowCount(rows);
        for (int r = 1; r < rows; r += 97)
            grid->SetCells(1, r, "S" + std::to_string(r));
        grid->ScrollHints = shVertical;
        grid->ScrollSynch = true;
        form.Show();
        grid->SetRow(rows / 2);
        QApplication::processEvents();
    }
    QScrollBar* Bar() const { return static_cast<QAbstractScrollArea*>(grid->View())->verticalScrollBar(); }

    TForm form{nullptr};
    TDataGrid* grid;
};

void WheelNotch(benchmark::State& state) {
    MovingWindow window(static_cast<int>(state.range(0)));
    TControl& grid = *window.grid;
    bool down = true;
    for (auto _ : state) {
        grid.ViewMouseWheel({}, down ? -120 : 120, 100, 100);
        down = !down;
    }
}
BENCHMARK(WheelNotch)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

void PanTick(benchmark::State& state) {
    MovingWindow window(static_cast<int>(state.range(0)));
    window.grid->IntelliPan = ipBoth;
    TControl& grid = *window.grid;
    bool passOn = false;
    grid.ViewMouseDown(mbMiddle, {}, 300, 200, passOn);
    grid.ViewMouseUp(mbMiddle, {}, 300, 200, passOn);
    bool down = true;
    for (auto _ : state) {
        // Below and right of the press, then above and left: the cell steps both ways.
        grid.ViewMouseMove({}, down ? 340 : 260, down ? 240 : 160);
        window.grid->WMTimer(999);
        down = !down;
    }
}
BENCHMARK(PanTick)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

void ScrollInView(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    MovingWindow window(rows);
    bool far = true;
    for (auto _ : state) {
        window.grid->ScrollInView(far ? Columns - 1 : 1, far ? rows - 3 : 2);
        far = !far;
    }
}
BENCHMARK(ScrollInView)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

void ThumbTrackStep(benchmark::State& state) {
    MovingWindow window(static_cast<int>(state.range(0)));
    QScrollBar* bar = window.Bar();
    bar->setSliderDown(true);
    // The same 40 positions in both grids: the hint's texts are laid out once and then repeat
    // alike, so what differs is the number of rows alone.
    constexpr int Positions = 40;
    int at = bar->minimum();
    for (auto _ : state) {
        at = at >= bar->minimum() + Positions ? bar->minimum() : at + 1;
        bar->setSliderPosition(at);
    }
    bar->setSliderDown(false);
}
BENCHMARK(ThumbTrackStep)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMicrosecond);

void Zoom(benchmark::State& state) {
    MovingWindow window(static_cast<int>(state.range(0)));
    bool in = true;
    for (auto _ : state) {
        window.grid->Zoom(in ? 3 : -3);
        in = !in;
    }
}
BENCHMARK(Zoom)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

} // namespace
