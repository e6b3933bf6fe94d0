#include "framework/GridCells.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

namespace {

// An object that counts how many of its kind are alive.
struct Tracked : TObject {
    explicit Tracked(int& alive) : alive(alive) { ++alive; }
    ~Tracked() override { --alive; }
    int& alive;
};

// The one-letter texts of column col, top to bottom, '-' for an empty cell.
std::string Column(const GridCells& cells, int col) {
    std::string texts;
    for (int r = 0; r < cells.RowCount(); ++r)
        texts += cells.Text(col, r).IsEmpty() ? "-" : cells.Text(col, r).str();
    return texts;
}

// A grid's own tests move rows through the grid; these keep a row's far column with it too.
TEST(GridCells, RowsMoveWholeWithTheirFarColumns) {
    const struct {
        const char* name;
        void (*act)(GridCells&);
        const char* col0;
    } rows[] = {
        {"delete rows 0 and 2",
         [](GridCells& c) {
             c.DeleteRows({0, 2});
         },
         "bd"},
        {"exchange rows 0 and 2", [](GridCells& c) { c.ExchangeRows(0, 2); }, "cbad"},
        {"fewer rows", [](GridCells& c) { c.SetRowCount(2); }, "ab"},
        {"more rows", [](GridCells& c) { c.SetRowCount(5); }, "abcd-"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GridCells cells;
        cells.SetRowCount(4);
        for (int r = 0; r < 4; ++r) {
            cells.SetText(0, r, std::string(1, "abcd"[r]));
            cells.SetText(30, r, std::string(1, "ABCD"[r]));
        }
        row.act(cells);
        EXPECT_EQ(Column(cells, 0), row.col0);
        std::string upper = row.col0;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(c));
        EXPECT_EQ(Column(cells, 30), upper);
    }
}

TEST(GridCells, ColumnsShiftInEveryRow) {
    const struct {
        const char* name;
        void (*act)(GridCells&);
        const char* row0;
    } rows[] = {
        {"insert one before column 1", [](GridCells& c) { c.InsertColumns(1, 1); }, "x-yz-"},
        {"delete columns 0-1", [](GridCells& c) { c.DeleteColumns(0, 2); }, "z----"},
        {"move column 0 to 3", [](GridCells& c) { c.MoveColumn(0, 3); }, "yz-x-"},
        {"move column 2 to 0", [](GridCells& c) { c.MoveColumn(2, 0); }, "zxy--"},
        {"move beyond the stored cells", [](GridCells& c) { c.MoveColumn(7, 4); }, "xyz--"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GridCells cells;
        cells.SetRowCount(2);
        cells.SetText(0, 0, "x");
        cells.SetText(1, 0, "y");
        cells.SetText(2, 0, "z");
        row.act(cells);
        std::string texts;
        for (int c = 0; c < 5; ++c)
            texts += cells.Text(c, 0).IsEmpty() ? "-" : cells.Text(c, 0).str();
        EXPECT_EQ(texts, row.row0);
        EXPECT_EQ(cells.Text(0, 1), "");
    }
}

TEST(GridCells, SlotsOwnTheirObjects) {
    int alive = 0;
    {
        GridCells cells;
        cells.SetRowCount(3);
        for (int r = 0; r < 3; ++r)
            cells.SetObject(2, r, std::make_unique<Tracked>(alive));
        cells.SetObject(2, 0, std::make_unique<Tracked>(alive));
        EXPECT_EQ(alive, 3);

        auto taken = cells.TakeObject(2, 1);
        EXPECT_EQ(cells.Object(2, 1), nullptr);
        cells.SetObject(2, 0, std::move(taken));
        EXPECT_EQ(alive, 2);

        cells.MoveRow(0, 2);
        EXPECT_NE(cells.Object(2, 2), nullptr);
        EXPECT_EQ(cells.Object(2, 0), nullptr);
        cells.DeleteRows({1});
        EXPECT_EQ(alive, 1);
        cells.InsertColumns(0, 3);
        EXPECT_NE(cells.Object(5, 1), nullptr);
        cells.SetObject(9, 0, nullptr);
        EXPECT_EQ(cells.Object(9, 0), nullptr);
    }
    EXPECT_EQ(alive, 0);
}

} // namespace
