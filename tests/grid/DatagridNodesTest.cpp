#include "grid/Datagrid.h"

#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Column(TDataGrid& grid, int col) {
    std::string texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts += (r ? "|" : "") + grid.GetCells(col, r).str();
    return texts;
}

TEST(DatagridNodes, ANodeHidesTheRowsOfItsSpan) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 8);
    grid.AddNode(2, 3);
    grid.AddNode(5, 0);
    EXPECT_TRUE(grid.HasNodes());
    EXPECT_EQ(grid.GetNodeSpan(2), 3);
    EXPECT_EQ(grid.GetNodeSpan(3), -1);
    // Row 4 is the last row of the first span, 3 one inside it; 7 is the last row of all.
    EXPECT_EQ(grid.GetNodeSpanType(2), 0);
    EXPECT_EQ(grid.GetNodeSpanType(3), 2);
    EXPECT_EQ(grid.GetNodeSpanType(4), 1);
    EXPECT_EQ(grid.GetNodeSpanType(7), 1);
    EXPECT_EQ(grid.GetNodeSpanType(1), 0);
    EXPECT_EQ(grid.NodeIndent(3), 16);
    EXPECT_EQ(grid.NodeIndent(2), 0);
    EXPECT_EQ(grid.NodeIndent(1), 0);

    grid.ContractNode(2);
    EXPECT_TRUE(grid.GetNodeState(2));
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b5|b6|b7");
    EXPECT_EQ(grid.NumHiddenRows(), 2);
    // A span of 0 reaches to the end.
    grid.SetNodeState(3, true);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b5");
    grid.ExpandAll();
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b4|b5|b6|b7");
    grid.ContractAll();
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b5");
    grid.RemoveNode(5);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b5|b6|b7");
    EXPECT_EQ(grid.GetNodeSpan(3), -1);
}

// Under a header row: names in column 1, an empty label column 2 (where a group's text goes),
// numbers in 3 and the kinds to group by in 4.
void FillGroups(TDataGrid& grid) {
    grid.SetColCount(5);
    grid.SetRowCount(4);
    const char* headers[] = {"", "Name", "Label", "Value", "Kind"};
    const char* rows[][5] = {{"", "x1", "", "5", "B"}, {"", "x2", "", "1", "A"}, {"", "x3", "", "4", "A"}};
    for (int c = 0; c < 5; ++c) {
        grid.SetCells(c, 0, headers[c]);
        for (int r = 1; r <= 3; ++r)
            grid.SetCells(c, r, rows[r - 1][c]);
    }
}

TEST(DatagridNodes, GroupingPutsRunsUnderNodeRowsWithTheirFigures) {
    LocaleSeparators locale('.', ',');
    TDataGrid grid(nullptr);
    FillGroups(grid);
    grid.SetColWidths(4, 77);
    grid.Group(4);
    EXPECT_EQ(grid.GetGroupColumn(), 4);
    EXPECT_EQ(grid.GetColCount(), 4);
    EXPECT_EQ(Column(grid, 1), "Name||x2|x3||x1");
    EXPECT_EQ(Column(grid, 2), "Label|A|||B|");
    EXPECT_EQ(grid.GetNodeSpan(1), 3);
    EXPECT_EQ(grid.GetNodeSpan(4), 2);
    EXPECT_EQ(grid.GetRow(), 1);
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> calculate;
        const char* firstNode;
        const char* secondNode;
    } rows[] = {
        // A: 1 and 4; B: 5.
        {"sum", [](TDataGrid& g) { g.GroupSum(3); }, "5.00", "5.00"},
        {"average", [](TDataGrid& g) { g.GroupAvg(3); }, "2.50", "5.00"},
        {"least", [](TDataGrid& g) { g.GroupMin(3); }, "1.00", "5.00"},
        {"greatest", [](TDataGrid& g) { g.GroupMax(3); }, "4.00", "5.00"},
        {"count", [](TDataGrid& g) { g.GroupCount(3); }, "2", "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.calculate(grid);
        EXPECT_EQ(grid.GetCells(3, 1), row.firstNode);
        EXPECT_EQ(grid.GetCells(3, 4), row.secondNode);
    }
    grid.ContractNode(1);
    EXPECT_EQ(grid.GetRowCount(), 4);
    grid.UnGroup();
    EXPECT_EQ(grid.GetGroupColumn(), -1);
    EXPECT_FALSE(grid.HasNodes());
    EXPECT_EQ(Column(grid, 4), "Kind|A|A|B");
    EXPECT_EQ(Column(grid, 3), "Value|1|4|5");
    EXPECT_EQ(Column(grid, 1), "Name|x2|x3|x1");
    EXPECT_EQ(grid.GetColWidths(4), 77);
}

TEST(DatagridNodes, GroupingRefusesAFixedColumnAndAGridWithoutNormalRows) {
    TDataGrid grid(nullptr);
    FillGroups(grid);
    grid.SetGroupColumn(0);
    grid.Group(0);
    EXPECT_EQ(grid.GetGroupColumn(), -1);
    grid.SetGroupColumn(-1);
    EXPECT_EQ(Column(grid, 4), "Kind|B|A|A");
    // Header and footer rows only: no normal row to make a group of.
    grid.SetFixedFooters(3);
    grid.Group(4);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetColCount(), 5);
    EXPECT_FALSE(grid.HasNodes());
}

TEST(DatagridNodes, SortingWithinGroups) {
    TDataGrid grid(nullptr);
    FillGroups(grid);
    grid.Group(4);
    grid.SortSettings->Column = 3;
    grid.SortSettings->Direction = sdDescending;
    grid.QSortGroup();
    // Each group sorted on its own; the node rows stay.
    EXPECT_EQ(Column(grid, 1), "Name||x3|x2||x1");
}

} // namespace
