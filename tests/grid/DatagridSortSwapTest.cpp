#include "grid/Datagrid.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A descendant that keeps a tag of its own for each row, in step through SortSwapRows.
struct TaggedGrid : TDataGrid {
    TaggedGrid() : TDataGrid(nullptr) {
        const char* keys[] = {"key", "d", "g", "a", "f", "c", "e", "b"};
        SetColCount(2);
        SetRowCount(8);
        SetFixedCols(0);
        SetFixedRows(1);
        for (int r = 0; r < 8; ++r) {
            SetCells(0, r, keys[r]);
            SetCells(1, r, std::to_string(r));
            tags.emplace_back(keys[r]);
        }
    }
    void SortSwapRows(int ARow1, int ARow2) override {
        std::swap(tags[static_cast<std::size_t>(ARow1)], tags[static_cast<std::size_t>(ARow2)]);
        ++swaps;
        TDataGrid::SortSwapRows(ARow1, ARow2);
    }
    std::string Keys() {
        std::string keys;
        for (int r = 1; r < GetRowCount(); ++r)
            keys += GetCells(0, r).str();
        return keys;
    }
    std::vector<std::string> tags;
    int swaps = 0;
};

TEST(DatagridSortSwap, ADescendantsSortSwapRowsKeepsItsDataInStep) {
    const struct {
        const char* name;
        void (*sort)(TaggedGrid&);
        const char* keys;
        // The current row starts on row 1, "d".
        int row;
    } rows[] = {
        {"QSort",
         [](TaggedGrid& grid) {
             grid.SortSettings->Column = 0;
             grid.QSort();
         },
         "abcdefg", 4},
        {"QSortIndexed, descending",
         [](TaggedGrid& grid) {
             grid.SortIndexes().AddIndex(0, false);
             grid.QSortIndexed();
         },
         "gfedcba", 4},
        {"SortByColumn", [](TaggedGrid& grid) { grid.SortByColumn(0); }, "abcdefg", 4},
        {"QuickSort", [](TaggedGrid& grid) { grid.QuickSort(0, 1, 7); }, "abcdefg", 4},
        // Rows 2..5 (g, a, f, c) alone.
        {"QuickSortRows over a range", [](TaggedGrid& grid) { grid.QuickSortRows(0, 2, 5); }, "dacfgeb", 1},
        // Entry 1 on its own without Full: column 0 descending; entry 0 (column 1) unread.
        {"QuickSortRowsIndexed from entry 1",
         [](TaggedGrid& grid) {
             grid.SortSettings->Full = false;
             grid.SortIndexes().AddIndex(1, true);
             grid.SortIndexes().AddIndex(0, false);
             grid.QuickSortRowsIndexed(1, 1, 7);
         },
         "gfedcba", 4},
        {"QuickSortIndexed",
         [](TaggedGrid& grid) {
             grid.SortIndexes().AddIndex(0, true);
             grid.QuickSortIndexed(1, 7);
         },
         "abcdefg", 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TaggedGrid grid;
        grid.Navigation->MoveRowOnSort = true;
        grid.SetRow(1);
        row.sort(grid);
        EXPECT_EQ(grid.Keys(), row.keys);
        for (int r = 0; r < grid.GetRowCount(); ++r)
            EXPECT_EQ(grid.tags[static_cast<std::size_t>(r)], grid.GetCells(0, r).str()) << "row " << r;
        // Seven rows take at most six exchanges.
        EXPECT_GT(grid.swaps, 0);
        EXPECT_LE(grid.swaps, 6);
        EXPECT_EQ(grid.GetRow(), row.row);
    }
}

TEST(DatagridSortSwap, ExchangesFollowTheCyclesOfTheOrder) {
    // d g a f c e b sorted, one exchange fewer than the rows of each cycle: d, f, e, c, a go to
    // rows 4, 6, 5, 3, 1 (rows 1, 4, 6, 5, 3: five rows, four exchanges); g and b trade rows 2
    // and 7 (one).
    TaggedGrid grid;
    grid.SortSettings->Column = 0;
    grid.QSort();
    EXPECT_EQ(grid.Keys(), "abcdefg");
    EXPECT_EQ(grid.swaps, 5);
}

} // namespace
