#include "app/StartedWindows.h"
#include "bench/support/TownNetwork.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// The main window and the editor, its paint box 800 x 600, with the town of the given size,
// fitted.
class Editor {
public:
    explicit Editor(int sewers) {
        VisualEditForm->SetBounds(0, 0, 1047, 633);
        FrontForm->ReplaceNetwork(TownNetwork(sewers));
        VisualEditForm->CentreSpeedButtonClick(nullptr);
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    SimpleSewerNetwork& Network() const { return *FrontForm->Network; }

    // Zooms about the view's middle until about count sewers show.
    void ShowAbout(int count) const {
        VisualEditForm->Scale = VisualEditForm->FitScale * std::sqrt(Network().Sewers.size() / double(count));
    }

    // The sewers with an end in the view.
    int SewersInView() const {
        int shown = 0;
        for (const Sewer* s : Network().Sewers)
            for (const SewerNode* j : {s->UpstreamNode, s->DownstreamNode}) {
                double sx = 0, sy = 0;
                VisualEditForm->WorldToScreen(j->X, j->Y, sx, sy);
                if (sx >= 0 && sx < 800 && sy >= 0 && sy < 600) {
                    ++shown;
                    break;
                }
            }
        return shown;
    }

private:
    StartedWindows windows;
};

void SetNamesShown(bool shown) {
    for (TSpeedButton* names :
         {VisualEditForm->SewerNameSpeedButton, VisualEditForm->JunctionNameSpeedButton})
        if (names->GetDown() != shown)
            names->ViewClicked();
}

// A repaint of a view of a few hundred sewers, names shown: it should cost the same however
// large the town around them.
void RepaintZoomedIn(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    editor.ShowAbout(300);
    for (auto _ : state)
        VisualEditForm->PaintBox->Repaint();
    state.counters["sewers_in_view"] = editor.SewersInView();
}
BENCHMARK(RepaintZoomedIn)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole town in view.
void RepaintFullView(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    SetNamesShown(state.range(1) != 0);
    for (auto _ : state)
        VisualEditForm->PaintBox->Repaint();
}
BENCHMARK(RepaintFullView)
    ->ArgNames({"sewers", "names"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// One move of the pointer while a sewer is drawn: the band over the picture as it stands.
void MoveWhileBanding(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    VisualEditForm->DrawModeSpeedButton->ViewClicked();
    VisualEditForm->PaintBoxMouseDown(nullptr, mbLeft, {}, 100, 100);
    int x = 100;
    for (auto _ : state) {
        x = x == 700 ? 100 : x + 1;
        VisualEditForm->PaintBoxMouseMove(nullptr, {}, x, 400);
    }
}
BENCHMARK(MoveWhileBanding)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

// One move of the pointer while the junction nearest the view's middle is dragged.
void MoveWhileDragging(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    double wx = 0, wy = 0;
    VisualEditForm->ScreenToWorld(400, 300, wx, wy);
    const SewerNode* junction = editor.Network().NearestJunction(wx, wy);
    double sx = 0, sy = 0;
    VisualEditForm->WorldToScreen(junction->X, junction->Y, sx, sy);
    VisualEditForm->PaintBoxMouseDown(nullptr, mbLeft, {}, static_cast<int>(sx), static_cast<int>(sy));
    if (VisualEditForm->DragState != 2)
        state.SkipWithError("the junction was not taken hold of");
    int x = 100;
    for (auto _ : state) {
        x = x == 700 ? 100 : x + 1;
        VisualEditForm->PaintBoxMouseMove(nullptr, {}, x, 400);
    }
}
BENCHMARK(MoveWhileDragging)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

// What a press picks, anywhere in and around the town: through the editor's index (index 1), and
// by the network's own search over every sewer or junction (index 0).
template <class Picked, Picked* (TVisualEditForm::*ThroughIndex)(double, double) const,
          Picked* (SimpleSewerNetwork::*OverEvery)(double, double) const>
void Pick(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    const bool throughIndex = state.range(1) != 0;
    double x = 0;
    for (auto _ : state) {
        x += 7.3;
        const double wx = std::fmod(x, 10000) - 500, wy = std::fmod(x * 1.7, 10000) - 500;
        benchmark::DoNotOptimize(throughIndex ? (VisualEditForm->*ThroughIndex)(wx, wy)
                                              : (editor.Network().*OverEvery)(wx, wy));
    }
}
void Picks(benchmark::internal::Benchmark* b) {
    b->ArgNames({"sewers", "index"})->ArgsProduct({{1000, 100000}, {1, 0}})->Unit(benchmark::kMicrosecond);
}
BENCHMARK(Pick<SewerNode, &TVisualEditForm::PickJunction, &SimpleSewerNetwork::NearestJunction>)
    ->Name("PickJunction")
    ->Apply(Picks);
BENCHMARK(Pick<Sewer, &TVisualEditForm::PickSewer, &SimpleSewerNetwork::NearestSewer>)
    ->Name("PickSewer")
    ->Apply(Picks);

// The first repaint after an edit, which makes the index again.
void RepaintAfterAnEdit(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    editor.ShowAbout(300);
    for (auto _ : state) {
        VisualEditForm->NetworkReplaced();
        VisualEditForm->PaintBox->Repaint();
    }
}
BENCHMARK(RepaintAfterAnEdit)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The sewer page filled for a sewer, both junction lists holding every junction.
void ShowSewer(benchmark::State& state) {
    const Editor editor(static_cast<int>(state.range(0)));
    Sewer* s = editor.Network().Sewers[editor.Network().Sewers.size() / 2];
    for (auto _ : state)
        VisualEditForm->ShowSewer(s);
}
BENCHMARK(ShowSewer)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
