#include "framework/GridCells.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// An object that counts how many of its kind are alive.
struct Tracked : TObject {
    explicit Tracked(int& alive) : alive(alive) { ++alive; }
    ~Tracked() override { --alive; }
    int& alive;
};

// The texts of a column, top to bottom.
std::vector<std::string> Column(const GridCells& cells, int col) {
    std::vector<std::string> texts;
    for (int r = 0; r < cells.RowCount(); ++r)
        texts.push_back(cells.Text(col, r).str());
    return texts;
}

GridCells Lettered(int rows) {
    GridCells cells;
    cells.SetRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        cells.SetText(0, r, std::string(1, static_cast<char>('a' + r)));
        cells.SetText(30, r, std::string(1, static_cast<char>('A' + r)));
    }
    return cells;
}

TEST(GridCells, RowsMoveWholeWithTheirFarColumns) {
    using Texts = std::vector<std::string>;
    struct Row {
        const char* name;
        void (*act)(GridCells&);
        Texts col0;
        Texts col30;
    } rows[] = {
        {"insert two before row 1",
         [](GridCells& c) { c.InsertRows(1, 2); },
         {"a", "", "", "b", "c", "d"},
         {"A", "", "", "B", "C", "D"}},
        {"delete rows 1-2",
         [](GridCells& c) {
             c.DeleteRows({1, 2});
         },
         {"a", "d"},
         {"A", "D"}},
        {"delete rows 0 and 2",
         [](GridCells& c) {
             c.DeleteRows({0, 2});
         },
         {"b", "d"},
         {"B", "D"}},
        {"move row 0 to the end",
         [](GridCells& c) { c.MoveRow(0, 3); },
         {"b", "c", "d", "a"},
         {"B", "C", "D", "A"}},
        {"move row 3 to the top",
         [](GridCells& c) { c.MoveRow(3, 0); },
         {"d", "a", "b", "c"},
         {"D", "A", "B", "C"}},
        {"exchange rows 0 and 2",
         [](GridCells& c) { c.ExchangeRows(0, 2); },
         {"c", "b", "a", "d"},
         {"C", "B", "A", "D"}},
        {"fewer rows", [](GridCells& c) { c.SetRowCount(2); }, {"a", "b"}, {"A", "B"}},
        {"more rows",
         [](GridCells& c) { c.SetRowCount(5); },
         {"a", "b", "c", "d", ""},
         {"A", "B", "C", "D", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GridCells cells = Lettered(4);
        row.act(cells);
        EXPECT_EQ(Column(cells, 0), row.col0);
        EXPECT_EQ(Column(cells, 30), row.col30);
    }
}

TEST(GridCells, ColumnsShiftInEveryRow) {
    using Texts = std::vector<std::string>;
    struct Row {
        const char* name;
        void (*act)(GridCells&);
        Texts row0;
    } rows[] = {
        {"insert one before column 1", [](GridCells& c) { c.InsertColumns(1, 1); }, {"x", "", "y", "z", ""}},
        {"delete columns 0-1", [](GridCells& c) { c.DeleteColumns(0, 2); }, {"z", "", "", "", ""}},
        {"move column 0 to 3", [](GridCells& c) { c.MoveColumn(0, 3); }, {"y", "z", "", "x", ""}},
        {"move column 2 to 0", [](GridCells& c) { c.MoveColumn(2, 0); }, {"z", "x", "y", "", ""}},
        {"move beyond the stored cells", [](GridCells& c) { c.MoveColumn(7, 4); }, {"x", "y", "z", "", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GridCells cells;
        cells.SetRowCount(2);
        cells.SetText(0, 0, "x");
        cells.SetText(1, 0, "y");
        cells.SetText(2, 0, "z");
        row.act(cells);
        Texts texts;
        for (int c = 0; c < 5; ++c)
            texts.push_back(cells.Text(c, 0).str());
        EXPECT_EQ(texts, row.row0);
        EXPECT_EQ(cells.Text(0, 1), "");
    }
}

TEST(GridCells, SlotsOwnTheirObjects) {
    int alive = 0;
    {
        GridCells cells;
        cells.SetRowCount(3);
        cells.SetObject(2, 0, std::make_unique<Tracked>(alive));
        cells.SetObject(2, 1, std::make_unique<Tracked>(alive));
        cells.SetObject(2, 2, std::make_unique<Tracked>(alive));
        EXPECT_EQ(alive, 3);
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
