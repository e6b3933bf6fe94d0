#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/ImageList.h"
#include "framework/NumberFormat.h"
#include "grid/Datagrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

constexpr int Columns = 26;
// Column 0: names; 1: numbers; 2: dates; 3: one of 100 kinds; 4: one of 1,000 groups; the last
// a random key that puts the rows back in a random order between runs.
constexpr int NameCol = 0;
constexpr int NumberCol = 1;
constexpr int DateCol = 2;
constexpr int KindCol = 3;
constexpr int GroupCol = 4;
constexpr int ShuffleCol = Columns - 1;

void Fill(TDataGrid& grid, int rows) {
    grid.SetColCount(Columns);
    grid.SetRowCount(rows + 1);
    std::mt19937 random(11);
    for (int r = 1; r <= rows; ++r) {
        const auto n = static_cast<int>(random() % 1000000);
        grid.SetCells(NameCol, r, "Sewer " + std::to_string(n));
        grid.SetCells(NumberCol, r, FloatToStrF(n * 0.001, ffFixed, 9, 3));
        grid.SetCells(DateCol, r,
                      std::to_string(1 + n % 28) + "/" + std::to_string(1 + n % 12) + "/" +
                          std::to_string(1950 + n % 70));
        grid.SetCells(KindCol, r, "K" + std::to_string(n % 100));
        grid.SetCells(GroupCol, r, "G" + std::to_string(n % 1000));
        for (int c = GroupCol + 1; c < ShuffleCol; ++c)
            grid.SetCells(c, r, std::to_string(c * r));
        grid.SetCells(ShuffleCol, r, std::to_string(random()));
    }
}

void Shuffle(TDataGrid& grid) {
    grid.SortSettings->Full = false;
    grid.SortSettings->Column = ShuffleCol;
    grid.SortSettings->Direction = sdAscending;
    grid.QSort();
}

void SortColumn(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const int col = static_cast<int>(state.range(1));
    const bool descending = state.range(2) != 0;
    TDataGrid grid(nullptr);
    Fill(grid, rows);
    grid.OnGetFormat = [](TObject*, int ACol, TSortStyle& style, AnsiString&, AnsiString&) {
        if (ACol == DateCol)
            style = ssShortDateEU;
    };
    for (auto _ : state) {
        state.PauseTiming();
        Shuffle(grid);
        // Ties on the kind column go on to the next columns.
        grid.SortSettings->Full = col == KindCol;
        grid.SortSettings->Column = col;
        grid.SortSettings->Direction = descending ? sdDescending : sdAscending;
        state.ResumeTiming();
        grid.QSort();
    }
}
BENCHMARK(SortColumn)
    ->ArgsProduct({{10000, 100000}, {NameCol, NumberCol, DateCol, KindCol}, {0, 1}})
    ->ArgNames({"rows", "col", "descending"})
    ->Unit(benchmark::kMillisecond);

void SortIndexedOnThreeKeys(benchmark::State& state) {
    TDataGrid grid(nullptr);
    Fill(grid, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        Shuffle(grid);
        grid.SortSettings->Full = true;
        grid.SortIndexes().AddIndex(KindCol, true);
        grid.SortIndexes().AddIndex(GroupCol, false);
        grid.SortIndexes().AddIndex(NumberCol, true);
        state.ResumeTiming();
        grid.QSortIndexed();
    }
}
BENCHMARK(SortIndexedOnThreeKeys)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// Half the rows hidden by the filter, then all shown again.
void FilterHalf(benchmark::State& state) {
    const bool off = state.range(1) != 0;
    TDataGrid grid(nullptr);
    Fill(grid, static_cast<int>(state.range(0)));
    TFilterData* condition = grid.Filter->Add();
    condition->Column = NumberCol;
    condition->Condition = "<500";
    for (auto _ : state) {
        if (off) {
            state.PauseTiming();
            grid.SetFilterActive(true);
            state.ResumeTiming();
            grid.SetFilterActive(false);
        } else {
            grid.SetFilterActive(true);
            state.PauseTiming();
            grid.SetFilterActive(false);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(FilterHalf)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"rows", "off"})
    ->Unit(benchmark::kMillisecond);

void GroupIntoAThousand(benchmark::State& state) {
    TDataGrid grid(nullptr);
    Fill(grid, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        grid.Group(GroupCol);
        state.PauseTiming();
        grid.UnGroup();
        state.ResumeTiming();
    }
}
BENCHMARK(GroupIntoAThousand)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// Grouped into a thousand with every group contracted, then every row removed: the rows of each
// node row removed come back first.
void RemoveContractedGroups(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TDataGrid>(nullptr);
        Fill(*grid, static_cast<int>(state.range(0)));
        grid->Group(GroupCol);
        grid->ContractAll();
        state.ResumeTiming();
        grid->RemoveRows(1, grid->GetRowCount() - 1);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(RemoveContractedGroups)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// Grouped into a thousand with every group contracted, then the node rows sorted one way and the
// other on their group texts: each node row takes the rows it hides along.
void SortContractedGroups(benchmark::State& state) {
    TDataGrid grid(nullptr);
    Fill(grid, static_cast<int>(state.range(0)));
    grid.Group(GroupCol);
    grid.ContractAll();
    grid.SortSettings->Column = NumberCol;
    for (auto _ : state) {
        grid.SortSettings->Direction =
            grid.SortSettings->Direction == sdAscending ? sdDescending : sdAscending;
        grid.QSort();
    }
}
BENCHMARK(SortContractedGroups)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

// A screenful of cell objects painted, near the top of a grid of 100 or 100,000 rows: check
// boxes, or pictures from the image list, one and two to a cell.
void RepaintCellObjects(benchmark::State& state, bool images) {
    const int rows = static_cast<int>(state.range(0));
    TForm form(nullptr);
    form.SetBounds(0, 0, 900, 600);
    TImageList list(nullptr);
    for (const QRgb colour : {0xFF0000u, 0x00FF00u}) {
        QImage square(16, 16, QImage::Format_RGB32);
        square.fill(colour);
        list.Add(square);
    }
    auto* grid = new TDataGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 880, 580);
    grid->SetImages(&list);
    grid->SetColCount(6);
    grid->SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c < 6; ++c)
            if (!images) {
                grid->AddCheckBox(c, r, (r + c) % 2 == 0, false);
            } else if (c % 2 == 0) {
                grid->AddImageIdx(c, r, (r + c) % 2, haBeforeText, vaCenter);
            } else {
                grid->AddMultiImage(c, r, 0, haBeforeText, vaCenter);
                grid->GetCellImages(c, r)->Add(0);
                grid->GetCellImages(c, r)->Add(1);
            }
    form.Show();
    QApplication::processEvents();
    QWidget* surface = static_cast<GridScrollArea*>(grid->View())->viewport();
    for (auto _ : state)
        surface->repaint();
}

void RepaintCheckBoxes(benchmark::State& state) {
    RepaintCellObjects(state, false);
}
BENCHMARK(RepaintCheckBoxes)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

void RepaintImages(benchmark::State& state) {
    RepaintCellObjects(state, true);
}
BENCHMARK(RepaintImages)->Arg(100)->Arg(100000)->ArgName("rows")->Unit(benchmark::kMillisecond);

} // namespace
