#include "grid/Datagrid.h"

#include "tests/grid/GridFiles.h"
#include "tests/grid/GridTexts.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
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

// The rows of FillGroups grouped by kind, then act.
void GroupByKind(TDataGrid& grid, const std::function<void(TDataGrid&)>& act) {
    FillGroups(grid);
    grid.Group(4);
    act(grid);
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

// A count asks nothing of the texts it counts: names without a digit are counted as any.
TEST(DatagridNodes, AGroupCountTakesTextsWithoutNumbers) {
    TDataGrid grid(nullptr);
    FillGroups(grid);
    const char* names[] = {"ann", "bob", "cy"};
    for (int r = 1; r <= 3; ++r)
        grid.SetCells(1, r, names[r - 1]);
    grid.Group(4);
    grid.GroupCount(1);
    EXPECT_EQ(Column(grid, 1), "Name|2|bob|cy|1|ann");
}

// Group B's value is a word: a figure over the numbers raises before any node row is written.
TEST(DatagridNodes, AGroupFigureOverAWordWritesNoNodeRow) {
    const std::function<void(TDataGrid&)> figures[] = {
        [](TDataGrid& g) { g.GroupSum(3); }, [](TDataGrid& g) { g.GroupAvg(3); },
        [](TDataGrid& g) { g.GroupMin(3); }, [](TDataGrid& g) { g.GroupMax(3); }};
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        SCOPED_TRACE(i);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        grid.SetCells(3, 1, "five");
        grid.Group(4);
        EXPECT_THROW(figures[i](grid), EDataGridError);
        EXPECT_EQ(Column(grid, 3), "Value||1|4||five");
    }
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

TEST(DatagridNodes, ANodeInsideAnotherKeepsItsRows) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 10);
    // Node 1 heads rows 1-5, node 3 rows 3-4.
    grid.AddNode(1, 5);
    grid.AddNode(3, 2);
    grid.ContractNode(3);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b5|b6|b7|b8|b9");
    grid.ContractNode(1);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b6|b7|b8|b9");
    grid.ExpandNode(1);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b5|b6|b7|b8|b9");
    EXPECT_TRUE(grid.GetNodeState(3));
    grid.ExpandNode(3);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b4|b5|b6|b7|b8|b9");
}

TEST(DatagridNodes, RemovingTheOnlyNodeRowLeavesNoNodes) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 6);
    grid.AddNode(2, 3);
    ASSERT_TRUE(grid.HasNodes());
    grid.RemoveRows(2, 1);
    EXPECT_FALSE(grid.HasNodes());
}

// Eight rows with node rows 2 and 5: whether a node row is left after each way of emptying cells
// or making a node.
TEST(DatagridNodes, TheNodeCountFollowsTheNodeRowsLeft) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        bool nodesLeft;
    } rows[] = {
        {"fewer rows, both nodes gone", [](TDataGrid& g) { g.SetRowCount(2); }, false},
        {"fewer rows, one node left", [](TDataGrid& g) { g.SetRowCount(4); }, true},
        {"cleared", [](TDataGrid& g) { g.Clear(); }, false},
        {"node rows cleared", [](TDataGrid& g) { g.ClearRows(2, 4); }, false},
        {"both graphics freed",
         [](TDataGrid& g) {
             g.FreeCellGraphic(0, 2);
             g.FreeCellGraphic(0, 5);
         },
         false},
        {"one graphic freed", [](TDataGrid& g) { g.FreeCellGraphic(0, 5); }, true},
        {"a node made again on a node row, both removed",
         [](TDataGrid& g) {
             g.AddNode(2, 2);
             g.RemoveNode(2);
             g.RemoveNode(5);
         },
         false},
        {"both node cells emptied",
         [](TDataGrid& g) {
             g.NilCell(0, 2);
             g.NilCell(0, 5);
         },
         false},
        {"another cell of a node row emptied", [](TDataGrid& g) { g.NilCell(1, 2); }, true},
        {"both node rows emptied",
         [](TDataGrid& g) {
             g.NilRow(2);
             g.NilRow(5);
         },
         false},
        {"one node row emptied", [](TDataGrid& g) { g.NilRow(5); }, true},
        {"first column emptied", [](TDataGrid& g) { g.NilCol(0); }, false},
        {"second column emptied", [](TDataGrid& g) { g.NilCol(1); }, true},
        {"a node made as a graphic on row 6, both other nodes removed",
         [](TDataGrid& g) {
             g.CreateCellGraphic(0, 6)->CellType = ctNode;
             g.RemoveNode(2);
             g.RemoveNode(5);
         },
         true},
        {"a node made as a graphic on row 6, all three freed",
         [](TDataGrid& g) {
             g.CreateCellGraphic(0, 6)->CellType = ctNode;
             g.FreeCellGraphic(0, 2);
             g.FreeCellGraphic(0, 5);
             g.FreeCellGraphic(0, 6);
         },
         false},
        {"a node made as a graphic on row 6, rows 2-6 removed",
         [](TDataGrid& g) {
             g.CreateCellGraphic(0, 6)->CellType = ctNode;
             g.RemoveRows(2, 5);
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 8);
        grid.AddNode(2, 3);
        grid.AddNode(5, 0);
        row.act(grid);
        EXPECT_EQ(grid.HasNodes(), row.nodesLeft);
        // The grid grown again holds no node rows it had lost.
        grid.SetRowCount(8);
        EXPECT_EQ(grid.IsNode(2) || grid.IsNode(5) || grid.IsNode(6), row.nodesLeft);
    }
}

void FilterColumn1(TDataGrid& grid, const char* condition) {
    TFilterData* data = grid.Filter->Add();
    data->Column = 1;
    data->Condition = condition;
    grid.SetFilterActive(true);
}

// Ten rows; node 2 heads rows 2-4 and is contracted with the filter on. Once the filter is off the
// rows a contracted node hides stay hidden, and expanding every node shows all.
TEST(DatagridNodes, RowsOfAContractedNodeStayHiddenWhenTheFilterGoesOff) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* shownAfterFilter;
    } rows[] = {
        {"filtered after contracting",
         [](TDataGrid& g) {
             g.ContractNode(2);
             FilterColumn1(g, "!b6");
         },
         "b0|b1|b2|b5|b6|b7|b8|b9"},
        // b3 comes back from the filter into a span that is contracted by then.
        {"filtered before contracting",
         [](TDataGrid& g) {
             FilterColumn1(g, "!b3");
             g.ContractNode(2);
         },
         "b0|b1|b2|b5|b6|b7|b8|b9"},
        // The filter leaves its empty stand-in row, which goes again.
        {"every row filtered out",
         [](TDataGrid& g) {
             g.ContractNode(2);
             FilterColumn1(g, "zzz");
         },
         "b0|b1|b2|b5|b6|b7|b8|b9"},
        // Node 6 heads 6-7 inside node 5's span 5-8: both contracted, then node 5 filtered out.
        {"a node filtered out with an inner node",
         [](TDataGrid& g) {
             g.AddNode(5, 4);
             g.AddNode(6, 2);
             g.ContractNode(2);
             g.ContractNode(6);
             g.ContractNode(5);
             FilterColumn1(g, "!b5");
         },
         "b0|b1|b2|b5|b9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 10);
        grid.AddNode(2, 3);
        row.act(grid);
        grid.SetFilterActive(false);
        EXPECT_EQ(Column(grid, 1), row.shownAfterFilter);
        EXPECT_TRUE(grid.GetNodeState(2));
        grid.ExpandAll();
        EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b4|b5|b6|b7|b8|b9");
    }
}

// Rows b0 .. under node rows 2 (span 3) and second, every node contracted.
void FillContracted(TDataGrid& grid, int rows, int second, int secondSpan) {
    FillLettered(grid, 3, rows);
    grid.AddNode(2, 3);
    grid.AddNode(second, secondSpan);
    grid.ContractAll();
}

TEST(DatagridNodes, ExpandingAllLeavesTheRowsOfANodeTheFilterHidHidden) {
    TDataGrid grid(nullptr);
    // Node 2 hides b3 and b4, node 6 hides b7; the filter then hides node 2 itself.
    FillContracted(grid, 10, 6, 2);
    FilterColumn1(grid, "!b2");
    ASSERT_EQ(Column(grid, 1), "b0|b1|b5|b6|b8|b9");
    grid.ExpandAll();
    EXPECT_EQ(Column(grid, 1), "b0|b1|b5|b6|b7|b8|b9");
    EXPECT_FALSE(grid.GetNodeState(3));
    grid.SetFilterActive(false);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b5|b6|b7|b8|b9");
}

TEST(DatagridNodes, ShowingEveryHiddenRowLeavesNoNodeContracted) {
    TDataGrid grid(nullptr);
    FillContracted(grid, 8, 5, 0);
    ASSERT_EQ(Column(grid, 1), "b0|b1|b2|b5");
    grid.UnHideRowsAll();
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b4|b5|b6|b7");
    EXPECT_FALSE(grid.GetNodeState(2));
    EXPECT_FALSE(grid.GetNodeState(5));
    // Expanded as they show, the nodes contract again.
    grid.ContractNode(2);
    EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b5|b6|b7");
}

// Requests for rows outside the grid of ten rows change nothing and raise nothing.
TEST(DatagridNodes, RowsOutsideTheGridAreIgnored) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
    } rows[] = {
        {"add", [](TDataGrid& g) { g.AddNode(50, 1); }},
        {"add before the first", [](TDataGrid& g) { g.AddNode(-1, 1); }},
        {"contract", [](TDataGrid& g) { g.ContractNode(50); }},
        {"expand", [](TDataGrid& g) { g.ExpandNode(50); }},
        {"remove", [](TDataGrid& g) { g.RemoveNode(50); }},
        {"state", [](TDataGrid& g) { g.SetNodeState(50, true); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 10);
        grid.AddNode(2, 3);
        EXPECT_NO_THROW(row.act(grid));
        EXPECT_EQ(Column(grid, 1), "b0|b1|b2|b3|b4|b5|b6|b7|b8|b9");
        EXPECT_EQ(grid.GetNodeSpan(2), 3);
        EXPECT_EQ(grid.GetNodeSpanType(50), 0);
        EXPECT_EQ(grid.GetNodeSpanType(-1), 0);
        EXPECT_EQ(grid.GetNodeSpan(50), -1);
        EXPECT_FALSE(grid.GetNodeState(50));
    }
}

// Values 1, 4, 5, 7 of kinds A, A, B, B in column 2, kinds in column 3; A's rows hidden under its
// node row 1, B's node on display row 2.
TEST(DatagridNodes, FiguresOfAContractedGroupComeFromItsHiddenRows) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> calculate;
        const char* groupA;
        const char* groupB;
    } rows[] = {
        {"sum", [](TDataGrid& g) { g.GroupSum(2); }, "5.00", "12.00"},
        {"average", [](TDataGrid& g) { g.GroupAvg(2); }, "2.50", "6.00"},
        {"least", [](TDataGrid& g) { g.GroupMin(2); }, "1.00", "5.00"},
        {"greatest", [](TDataGrid& g) { g.GroupMax(2); }, "4.00", "7.00"},
        {"count", [](TDataGrid& g) { g.GroupCount(2); }, "2", "2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(4);
        grid.SetRowCount(5);
        const char* values[][2] = {{"1", "A"}, {"4", "A"}, {"5", "B"}, {"7", "B"}};
        for (int r = 1; r <= 4; ++r) {
            grid.SetCells(2, r, values[r - 1][0]);
            grid.SetCells(3, r, values[r - 1][1]);
        }
        grid.Group(3);
        grid.ContractNode(1);
        ASSERT_TRUE(grid.IsNode(2));
        row.calculate(grid);
        EXPECT_EQ(grid.GetCells(2, 1), row.groupA);
        EXPECT_EQ(grid.GetCells(2, 2), row.groupB);
    }
}

// The kind column 4 goes out with the grouping while rows are hidden, and comes back whole.
TEST(DatagridNodes, HiddenRowsKeepTheirGroupCells) {
    struct Row {
        const char* name;
        bool filterFirst;
        const char* hiddenName;
        const char* kinds;
        const char* names;
    } rows[] = {
        // x2 is of a kind of its own, hidden before the grouping and standing in A's rows since.
        {"hidden before the grouping", true, "!x2", "Kind|A|C|B", "Name|x3|x2|x1"},
        // x3 is hidden in group A after the grouping: it is of A.
        {"hidden while grouped", false, "!x3", "Kind|A|A|B", "Name|x2|x3|x1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        grid.SetCells(4, 2, row.filterFirst ? "C" : "A");
        TFilterData* condition = grid.Filter->Add();
        condition->Column = 1;
        condition->Condition = row.hiddenName;
        if (row.filterFirst)
            grid.SetFilterActive(true);
        grid.Group(4);
        if (!row.filterFirst)
            grid.SetFilterActive(true);
        grid.UnGroup();
        grid.SetFilterActive(false);
        EXPECT_EQ(Column(grid, 4), row.kinds);
        EXPECT_EQ(Column(grid, 1), row.names);
    }
}

// Grouped by kind with the filter on column 1 (names) at some point; after UnGroup and the filter
// off no node row is left, and every row has its own kind.
TEST(DatagridNodes, UnGroupRemovesHiddenNodeRowsAndGivesEveryRowItsKind) {
    struct Row {
        const char* name;
        const char* x2Kind;
        std::function<void(TDataGrid&)> act;
        const char* kinds;
        const char* names;
    } rows[] = {
        // The node rows have no name: the filter hides them.
        {"node rows filtered out", "A",
         [](TDataGrid& g) {
             g.Group(4);
             FilterColumn1(g, "x*");
         },
         "Kind|A|A|B", "Name|x2|x3|x1"},
        {"a contracted node filtered out", "A",
         [](TDataGrid& g) {
             g.Group(4);
             g.ContractNode(1);
             FilterColumn1(g, "x*");
         },
         "Kind|A|A|B", "Name|x2|x3|x1"},
        // x2, of kind C, comes back among A's rows while grouped.
        {"a row shown again while grouped", "C",
         [](TDataGrid& g) {
             FilterColumn1(g, "!x2");
             g.Group(4);
             g.SetFilterActive(false);
         },
         "Kind|A|C|B", "Name|x3|x2|x1"},
        {"a row shown and hidden again while grouped", "C",
         [](TDataGrid& g) {
             FilterColumn1(g, "!x2");
             g.Group(4);
             g.SetFilterActive(false);
             g.SetFilterActive(true);
         },
         "Kind|A|C|B", "Name|x3|x2|x1"},
        {"a row shown again in a contracted group", "C",
         [](TDataGrid& g) {
             FilterColumn1(g, "!x2");
             g.Group(4);
             g.ContractNode(1);
             g.SetFilterActive(false);
         },
         "Kind|A|C|B", "Name|x3|x2|x1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        grid.SetCells(4, 2, row.x2Kind);
        grid.SetColors(4, 2, clRed);
        row.act(grid);
        grid.UnGroup();
        grid.SetFilterActive(false);
        EXPECT_FALSE(grid.HasNodes());
        EXPECT_EQ(grid.NumHiddenRows(), 0);
        EXPECT_EQ(Column(grid, 4), row.kinds);
        EXPECT_EQ(Column(grid, 1), row.names);
        // A kept cell comes back with its colour; the others take their group's text alone.
        if (std::string(row.x2Kind) == "C") {
            EXPECT_EQ(grid.GetColors(4, 2), clRed);
        }
    }
}

TEST(DatagridNodes, RowsHiddenByTheFilterAreNoPartOfAGroupsFigures) {
    TDataGrid grid(nullptr);
    FillGroups(grid);
    TFilterData* condition = grid.Filter->Add();
    condition->Column = 1;
    condition->Condition = "!x2";
    grid.SetFilterActive(true);
    grid.Group(4);
    // A holds x3 alone (x2 stands hidden among its rows), B x1.
    grid.GroupCount(3);
    EXPECT_EQ(Column(grid, 3), "Value|1|4|1|5");
    grid.ContractNode(1);
    grid.GroupCount(3);
    EXPECT_EQ(Column(grid, 3), "Value|1|1|5");
    // Expanding shows the rows the node hid, not the one the filter hid.
    grid.ExpandNode(1);
    EXPECT_EQ(Column(grid, 1), "Name||x3||x1");
}

// The group's text stands in the label column as shown: the second normal column of the grid
// without the group column, or its last column when there is no second.
// With x1 filtered out, group B has no rows: a sum and a count write 0, the others nothing.
TEST(DatagridNodes, AnEmptyGroupGetsOnlyItsSumAndCount) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> calculate;
        const char* figures;
    } rows[] = {
        {"sum", [](TDataGrid& g) { g.GroupSum(3); }, "Value|5.00|1|4|0.00"},
        {"average", [](TDataGrid& g) { g.GroupAvg(3); }, "Value|2.50|1|4|"},
        {"least", [](TDataGrid& g) { g.GroupMin(3); }, "Value|1.00|1|4|"},
        {"greatest", [](TDataGrid& g) { g.GroupMax(3); }, "Value|4.00|1|4|"},
        {"count", [](TDataGrid& g) { g.GroupCount(3); }, "Value|2|1|4|0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        grid.Group(4);
        FilterColumn1(grid, "!x1");
        row.calculate(grid);
        EXPECT_EQ(Column(grid, 3), row.figures);
    }
}

TEST(DatagridNodes, GroupLabelsStandWhereTheyShow) {
    struct Row {
        const char* name;
        int colCount;
        int hiddenCol;
        int groupCol;
        int labelRealCol;
        const char* labels;
    } rows[] = {
        {"label column shown", 5, -1, 4, 2, "Label|A|||B|"},
        // Label hidden: display column 2 is Value, real 3.
        {"label column hidden", 5, 2, 4, 3, "Value|A|1|4|B|5"},
        // Three columns grouped by the last: one normal column is left.
        {"no second normal column", 3, -1, 2, 1, "Name|A|x2|x3|B|x1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        if (row.colCount == 3) {
            for (int r = 0; r < 4; ++r)
                grid.SetCells(2, r, grid.GetCells(4, r));
            grid.SetColCount(3);
        }
        if (row.hiddenCol >= 0)
            grid.HideColumn(row.hiddenCol);
        grid.Group(row.groupCol);
        EXPECT_EQ(Column(grid, row.labelRealCol), row.labels);
        grid.UnGroup();
        EXPECT_EQ(Column(grid, row.groupCol), "Kind|A|A|B");
        EXPECT_EQ(grid.GetColCount() + grid.NumHiddenColumns(), row.colCount);
    }
}

// Columns hidden, shown, moved or inserted while grouped: UnGroup reads each node's text where
// Group wrote it, and every row gets its kind back.
TEST(DatagridNodes, UnGroupReadsTheLabelsWhereTheyWereWritten) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        // Real columns 1 to 5 afterwards.
        std::array<const char*, 5> columns;
    } rows[] = {
        {"a column before the label hidden while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.HideColumn(1);
         },
         {"Name|x2|x3|x1", "Label|||", "Value|1|4|5", "Kind|A|A|B", nullptr}},
        // The labels went into Value (display column 2), which gets its own texts back.
        {"the label column hidden at grouping, shown while grouped",
         [](TDataGrid& g) {
             g.HideColumn(2);
             g.Group(4);
             g.UnHideColumn(2);
         },
         {"Name|x2|x3|x1", "Label|||", "Value|1|4|5", "Kind|A|A|B", nullptr}},
        {"a column before the label shown while grouped",
         [](TDataGrid& g) {
             g.HideColumn(1);
             g.Group(4);
             g.UnHideColumn(1);
         },
         {"Name|x2|x3|x1", "Label|||", "Value|1|4|5", "Kind|A|A|B", nullptr}},
        {"the label column swapped while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.SwapColumns(2, 3);
         },
         {"Name|x2|x3|x1", "Value|1|4|5", "Label|||", "Kind|A|A|B", nullptr}},
        {"the label column moved while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.MoveColumn(2, 1);
         },
         {"Label|||", "Name|x2|x3|x1", "Value|1|4|5", "Kind|A|A|B", nullptr}},
        {"a column inserted before the label while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.InsertCols(1, 1);
         },
         {"|||", "Name|x2|x3|x1", "Label|||", "Value|1|4|5", "Kind|A|A|B"}},
        {"a column removed before the label while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.RemoveCols(1, 1);
         },
         {"Label|||", "Value|1|4|5", "Kind|A|A|B", nullptr, nullptr}},
        {"the label column merged into another while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.MergeCols(1, 2);
         },
         {"Name|x2|x3|x1", "Value|1|4|5", "Kind|A|A|B", nullptr, nullptr}},
        // The group column comes back after the columns left; the cells a lower count leaves out
        // stay in the grid, the labels too.
        {"the column count lowered before the group column's place while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.SetColCount(3);
         },
         {"Name|x2|x3|x1", "Label|||", "Kind|A|A|B", nullptr, nullptr}},
        {"the column count lowered before the labels while grouped",
         [](TDataGrid& g) {
             g.Group(4);
             g.SetColCount(2);
         },
         {"Name|x2|x3|x1", "Kind|A|A|B", nullptr, nullptr, nullptr}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        row.act(grid);
        grid.UnGroup();
        grid.UnHideColumnsAll();
        // A null text: the grid has no such column.
        for (int c = 1; c <= 5; ++c)
            if (const char* texts = row.columns[static_cast<std::size_t>(c - 1)])
                EXPECT_EQ(Column(grid, c), texts) << "column " << c;
            else
                EXPECT_LE(grid.GetColCount() + grid.NumHiddenColumns(), c);
    }
}

// Group A holds x2 (1) and x3 (4), B x1 (5); the filter leaves x2 out. Whichever of the filter and
// the contraction comes first, A's sum is x3's alone, expanding shows no row the filter hides, and
// with the filter off every row shows once.
TEST(DatagridNodes, FilterAndContractionAgreeInEitherOrder) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* shown;
    } rows[] = {
        {"filter, then contract",
         [](TDataGrid& g) {
             FilterColumn1(g, "!x2");
             g.ContractNode(1);
         },
         "Name|||x1"},
        {"contract, then filter",
         [](TDataGrid& g) {
             g.ContractNode(1);
             FilterColumn1(g, "!x2");
         },
         "Name|||x1"},
        {"contract, filter, filter applied again",
         [](TDataGrid& g) {
             g.ContractNode(1);
             FilterColumn1(g, "!x2");
             g.ApplyFilter();
         },
         "Name|||x1"},
        {"contract all, then filter",
         [](TDataGrid& g) {
             g.ContractAll();
             FilterColumn1(g, "!x2");
         },
         "Name||"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        GroupByKind(grid, row.act);
        EXPECT_EQ(Column(grid, 1), row.shown);
        grid.GroupSum(3);
        EXPECT_EQ(grid.GetCells(3, 1), "4.00");
        grid.ExpandAll();
        EXPECT_EQ(Column(grid, 1), "Name||x3||x1");
        grid.ContractNode(1);
        grid.ExpandNode(1);
        EXPECT_EQ(Column(grid, 1), "Name||x3||x1");
        grid.SetFilterActive(false);
        EXPECT_EQ(Column(grid, 1), "Name||x2|x3||x1");
    }
}

// Rows b0..b7, node 2 heading b2-b4, contracted. Removing rows that hold the node shows its rows
// first; rows inserted or removed around it leave its rows with it.
TEST(DatagridNodes, RowsOfAContractedNodeOutliveItsRemoval) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* shown;
        const char* expanded;
    } rows[] = {
        {"the node row removed", [](TDataGrid& g) { g.RemoveRows(2, 1); }, "b0|b1|b3|b4|b5|b6|b7",
         "b0|b1|b3|b4|b5|b6|b7"},
        {"the node row and the row after it removed", [](TDataGrid& g) { g.RemoveRows(2, 2); },
         "b0|b1|b3|b4|b6|b7", "b0|b1|b3|b4|b6|b7"},
        {"the node row removed as a selected row",
         [](TDataGrid& g) {
             g.MouseActions->DisjunctRowSelect = true;
             g.SetRowSelect(2, true);
             g.SetRowSelect(4, true);
             g.RemoveSelectedRows();
         },
         "b0|b1|b3|b4|b5|b7", "b0|b1|b3|b4|b5|b7"},
        {"a row inserted after the node", [](TDataGrid& g) { g.InsertRows(3, 1); }, "b0|b1|b2||b5|b6|b7",
         "b0|b1|b2|b3|b4||b5|b6|b7"},
        {"a row inserted before the node", [](TDataGrid& g) { g.InsertRows(2, 1); }, "b0|b1||b2|b5|b6|b7",
         "b0|b1||b2|b3|b4|b5|b6|b7"},
        {"the row after the node removed", [](TDataGrid& g) { g.RemoveRows(3, 1); }, "b0|b1|b2|b6|b7",
         "b0|b1|b2|b3|b4|b6|b7"},
        {"two contracted node rows removed at once",
         [](TDataGrid& g) {
             g.AddNode(5, 2);
             g.ContractNode(5);
             g.RemoveRows(2, 2);
         },
         "b0|b1|b3|b4|b6|b7", "b0|b1|b3|b4|b6|b7"},
        {"the node row removed with a contracted node inside",
         [](TDataGrid& g) {
             g.ExpandNode(2);
             g.AddNode(3, 2);
             g.ContractNode(3);
             g.ContractNode(2);
             g.RemoveRows(2, 1);
         },
         "b0|b1|b3|b5|b6|b7", "b0|b1|b3|b4|b5|b6|b7"},
        // The inner node reaches b5, which shows after the node row and goes with it.
        {"the node row removed with the row after it, a contracted node inside reaching it",
         [](TDataGrid& g) {
             g.ExpandNode(2);
             g.AddNode(3, 3);
             g.ContractAll();
             g.RemoveRows(2, 2);
         },
         "b0|b1|b3|b6|b7", "b0|b1|b3|b4|b6|b7"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 8);
        grid.AddNode(2, 3);
        grid.ContractNode(2);
        row.act(grid);
        EXPECT_EQ(Column(grid, 1), row.shown);
        grid.ExpandAll();
        EXPECT_EQ(Column(grid, 1), row.expanded);
        EXPECT_EQ(grid.NumHiddenRows(), 0);
    }
}

// Rows b0..b7 with node 2 over b2-b4, contracted. Whatever call takes the node, its rows show
// again: expanding the node leaves nothing hidden, and a saved file holds every row.
TEST(DatagridNodes, AContractedNodeShowsItsRowsWhateverTakesIt) {
    TestFolder folder;
    const AnsiString loaded = folder.Path("loaded.csv");
    WriteFile(loaded, "x0,y0\r\nx1,y1\r\nx2,y2\r\n");
    const AnsiString cellFile = folder.Path("loaded.cel");
    {
        TDataGrid source(nullptr);
        FillLettered(source, 3, 4);
        source.SaveToFile(cellFile);
    }
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        // Column 1 saved, row by row.
        const char* saved;
    } rows[] = {
        {"RemoveNode", [](TDataGrid& g) { g.RemoveNode(2); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"AddNode again", [](TDataGrid& g) { g.AddNode(2, 3); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"RemoveCellGraphic", [](TDataGrid& g) { g.RemoveCellGraphic(0, 2, ctNode); },
         "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"FreeCellGraphic", [](TDataGrid& g) { g.FreeCellGraphic(0, 2); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"another graphic made", [](TDataGrid& g) { g.CreateCellGraphic(0, 2); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"ClearRows", [](TDataGrid& g) { g.ClearRows(2, 1); }, "b0|b1||b3|b4|b5|b6|b7"},
        // The rows shown again inside the range are cleared with it.
        {"ClearRows over the next row", [](TDataGrid& g) { g.ClearRows(2, 2); }, "b0|b1|||||b6|b7"},
        {"Clear", [](TDataGrid& g) { g.Clear(); }, "|||||||"},
        {"Clear with the last rows under a node",
         [](TDataGrid& g) {
             g.AddNode(5, 0);
             g.ContractNode(5);
             g.Clear();
         },
         "|||||||"},
        {"ClearCols", [](TDataGrid& g) { g.ClearCols(0, 1); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"RemoveCols", [](TDataGrid& g) { g.RemoveCols(0, 1); }, "c0|c1|c2|c3|c4|c5|c6|c7"},
        // Column 0's cells moved elsewhere take its node along, as no node.
        {"InsertCols", [](TDataGrid& g) { g.InsertCols(0, 1); }, "a0|a1|a2|a3|a4|a5|a6|a7"},
        {"SwapColumns", [](TDataGrid& g) { g.SwapColumns(0, 1); }, "a0|a1|a2|a3|a4|a5|a6|a7"},
        {"MoveColumn", [](TDataGrid& g) { g.MoveColumn(0, 2); }, "c0|c1|c2|c3|c4|c5|c6|c7"},
        {"RemoveRows", [](TDataGrid& g) { g.RemoveRows(2, 1); }, "b0|b1|b3|b4|b5|b6|b7"},
        {"RemoveSelectedRows",
         [](TDataGrid& g) {
             g.MouseActions->DisjunctRowSelect = true;
             g.SetRowSelect(2, true);
             g.RemoveSelectedRows();
         },
         "b0|b1|b3|b4|b5|b6|b7"},
        {"SetRowCount lower", [](TDataGrid& g) { g.SetRowCount(2); }, "b0|b1"},
        {"NilCell", [](TDataGrid& g) { g.NilCell(0, 2); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"NilRow", [](TDataGrid& g) { g.NilRow(2); }, "b0|b1||b3|b4|b5|b6|b7"},
        {"NilCol", [](TDataGrid& g) { g.NilCol(0); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        // The first cell's slot emptied, replaced or taken whole.
        {"SetObjects", [](TDataGrid& g) { g.SetObjects(0, 2, nullptr); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"SetCellProperties", [](TDataGrid& g) { g.SetCellProperties(0, 2, nullptr); },
         "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"TakeObjects", [](TDataGrid& g) { g.TakeObjects(0, 2); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"CopyCols onto column 0", [](TDataGrid& g) { g.CopyCols(0, 2); }, "b0|b1|b2|b3|b4|b5|b6|b7"},
        {"CopyCols from column 0", [](TDataGrid& g) { g.CopyCols(1, 0); }, "a0|a1|a2|a3|a4|a5|a6|a7"},
        // Display row 5 holds b7 while b3 and b4 are hidden, and still once they show.
        {"CopyRows onto the node row", [](TDataGrid& g) { g.CopyRows(2, 5); }, "b0|b1|b7|b3|b4|b5|b6|b7"},
        {"CopyRows from the node row", [](TDataGrid& g) { g.CopyRows(5, 2); }, "b0|b1|b2|b3|b4|b5|b6|b2"},
        // The grouping's own node rows go at UnGroup, the rows under the node made before stay.
        {"Group and UnGroup",
         [](TDataGrid& g) {
             g.Group(2);
             g.UnGroup();
         },
         "b0|b1|b2|b3|b4|b5|b6|b7"},
        // A load takes the rows it writes over, hidden ones too.
        {"LoadFromCSV", [&](TDataGrid& g) { g.LoadFromCSV(loaded); }, "y0|y1|y2"},
        {"LoadFromFile", [&](TDataGrid& g) { g.LoadFromFile(cellFile); }, "b0|b1|b2|b3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 8);
        grid.AddNode(2, 3);
        grid.ContractNode(2);
        row.act(grid);
        grid.ExpandNode(2);
        EXPECT_EQ(grid.NumHiddenRows(), 0);
        const AnsiString saved = folder.Path("saved.csv");
        grid.SaveToCSV(saved);
        TDataGrid back(nullptr);
        back.LoadFromCSV(saved);
        EXPECT_EQ(Column(back, 1), row.saved);
    }
}

// A descendant sorts through SortSwapRows, one exchange at a time.
class TSwappingGrid : public TDataGrid {
public:
    using TDataGrid::TDataGrid;
};

// Rows b0..b7 with 7, 6, .. 1 in column 2 from row 1; node 2 heads b2-b4, contracted. Wherever a
// move, swap or sort puts the node row, its rows go with it and come back under it.
TEST(DatagridNodes, AContractedNodeTakesItsRowsAlong) {
    struct Row {
        const char* name;
        bool descendant;
        std::function<void(TDataGrid&)> act;
        int nodeAt;
        const char* expanded;
        // After every node is expanded, when that shows more.
        const char* expandedAll = nullptr;
    } rows[] = {
        {"moved down", false, [](TDataGrid& g) { g.MoveRow(2, 4); }, 4, "b0|b1|b5|b6|b2|b3|b4|b7"},
        {"moved up", false, [](TDataGrid& g) { g.MoveRow(2, 1); }, 1, "b0|b2|b3|b4|b1|b5|b6|b7"},
        {"moved last", false, [](TDataGrid& g) { g.MoveRow(2, 5); }, 5, "b0|b1|b5|b6|b7|b2|b3|b4"},
        {"another row moved before it", false, [](TDataGrid& g) { g.MoveRow(4, 1); }, 3,
         "b0|b6|b1|b2|b3|b4|b5|b7"},
        {"swapped down", false, [](TDataGrid& g) { g.SwapRows(2, 4); }, 4, "b0|b1|b6|b5|b2|b3|b4|b7"},
        {"swapped up", false, [](TDataGrid& g) { g.SwapRows(1, 2); }, 1, "b0|b2|b3|b4|b1|b5|b6|b7"},
        // Node 6 heads b6-b7: the two contracted nodes change places.
        {"swapped with another contracted node", false,
         [](TDataGrid& g) {
             g.AddNode(6, 2);
             g.ContractNode(6);
             g.SwapRows(2, 4);
         },
         4, "b0|b1|b6|b5|b2|b3|b4", "b0|b1|b6|b7|b5|b2|b3|b4"},
        {"sorted", false,
         [](TDataGrid& g) {
             g.SortSettings->Column = 2;
             g.QSort();
         },
         4, "b0|b7|b6|b5|b2|b3|b4|b1"},
        {"sorted by column", false, [](TDataGrid& g) { g.SortByColumn(2); }, 4, "b0|b7|b6|b5|b2|b3|b4|b1"},
        {"sorted by a descendant", true,
         [](TDataGrid& g) {
             g.SortSettings->Column = 2;
             g.QSort();
         },
         4, "b0|b7|b6|b5|b2|b3|b4|b1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::unique_ptr<TDataGrid> grid =
            row.descendant ? std::make_unique<TSwappingGrid>(nullptr) : std::make_unique<TDataGrid>(nullptr);
        FillLettered(*grid, 3, 8);
        for (int r = 1; r < 8; ++r)
            grid->SetCells(2, r, std::to_string(8 - r));
        grid->AddNode(2, 3);
        grid->ContractNode(2);
        row.act(*grid);
        ASSERT_TRUE(grid->GetNodeState(row.nodeAt));
        grid->SetNodeState(row.nodeAt, false);
        EXPECT_EQ(Column(*grid, 1), row.expanded);
        grid->ExpandAll();
        EXPECT_EQ(Column(*grid, 1), row.expandedAll ? row.expandedAll : row.expanded);
        EXPECT_EQ(grid->NumHiddenRows(), 0);
    }
}

// The filter hides every row, its empty stand-in row showing: UnGroup writes no kind into the
// stand-in, which goes with the filter; the stand-in alone is nothing to group.
TEST(DatagridNodes, UnGroupLeavesTheFiltersStandInEmpty) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* kinds;
        const char* names;
    } rows[] = {
        {"grouped, then filtered",
         [](TDataGrid& g) {
             g.Group(4);
             FilterColumn1(g, "zzz");
         },
         "Kind|A|A|B", "Name|x2|x3|x1"},
        {"a group contracted, then filtered",
         [](TDataGrid& g) {
             g.Group(4);
             g.ContractNode(1);
             FilterColumn1(g, "zzz");
         },
         "Kind|A|A|B", "Name|x2|x3|x1"},
        {"every group contracted, then filtered",
         [](TDataGrid& g) {
             g.Group(4);
             g.ContractAll();
             FilterColumn1(g, "zzz");
         },
         "Kind|A|A|B", "Name|x2|x3|x1"},
        {"filtered, then grouped",
         [](TDataGrid& g) {
             FilterColumn1(g, "zzz");
             g.Group(4);
         },
         "Kind|B|A|A", "Name|x1|x2|x3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillGroups(grid);
        row.act(grid);
        ASSERT_EQ(grid.GetRowCount(), 2);
        grid.UnGroup();
        EXPECT_EQ(Column(grid, 4), "Kind|");
        grid.SetFilterActive(false);
        EXPECT_EQ(Column(grid, 4), row.kinds);
        EXPECT_EQ(Column(grid, 1), row.names);
        EXPECT_EQ(grid.NumHiddenRows(), 0);
        EXPECT_FALSE(grid.HasNodes());
    }
}

// Rows loaded from a file into the grouped grid are no group's rows: UnGroup keeps every loaded
// row, node rows among them too, and puts the kind column back empty in them; rows a load leaves
// keep their group's kind.
TEST(DatagridNodes, UnGroupKeepsRowsLoadedWhileGrouped) {
    TestFolder folder;
    const AnsiString csv = folder.Path("loaded.csv");
    WriteFile(csv, ",Name,Label,Value\r\n,y1,L1,7\r\n,y2,L2,8\r\n,y3,L3,9\r\n");
    const AnsiString line = folder.Path("line.csv");
    WriteFile(line, ",y9,L9,9\r\n");
    const AnsiString fixed = folder.Path("fixed.txt");
    WriteFile(fixed, "pP7\r\nqQ8\r\n");
    const AnsiString cells = folder.Path("loaded.cls");
    {
        TDataGrid source(nullptr);
        source.LoadFromCSV(csv);
        source.SaveToFile(cells);
    }
    const AnsiString workbook = folder.Path("loaded.xlsx");
    MakeWorkbook(workbook.str(), "for row in [('h', 'Name', 'Label', 'Value'), ('a', 'y1', 'L1', 7),\n"
                                 "            ('b', 'y2', 'L2', 8), ('c', 'y3', 'L3', 9)]:\n"
                                 "    wb.active.append(row)\n");
    const AnsiString database = folder.Path("loaded.sqlite");
    RunPython("import sys, sqlite3\nsqlite3.connect(sys.argv[1]).execute('CREATE TABLE t (x)')\n",
              {QString::fromStdString(database.str())});
    const auto loadFixed = [&](TDataGrid& g) {
        g.IncludeFixedCells = false;
        TIntList positions = Positions({1, 2, 3, 4});
        g.LoadFromFixed(fixed, &positions);
    };
    struct Columns {
        const char* names;
        const char* values;
        const char* kinds;
    };
    // Every row written over by the file's three.
    const Columns loaded{"Name|y1|y2|y3", "Value|7|8|9", "Kind|||"};
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        Columns columns;
    } rows[] = {
        {"a CSV file", [&](TDataGrid& g) { g.LoadFromCSV(csv); }, loaded},
        {"a CSV file into a contracted group",
         [&](TDataGrid& g) {
             g.ContractNode(1);
             g.LoadFromCSV(csv);
         },
         loaded},
        {"a cell file", [&](TDataGrid& g) { g.LoadFromFile(cells); }, loaded},
        // x2 keeps its own kind while grouped once the filter shows it again; the load writes over it.
        {"over a row that kept its own kind",
         [&](TDataGrid& g) {
             g.UnGroup();
             FilterColumn1(g, "!x2");
             g.Group(4);
             g.SetFilterActive(false);
             g.LoadFromCSV(csv);
         },
         loaded},
        {"a workbook", [&](TDataGrid& g) { g.LoadFromXLS(workbook); }, loaded},
        {"a database query",
         [&](TDataGrid& g) {
             g.LoadFromMDBSQL(database, "SELECT 'y1' AS Name, 'L1' AS Label, 7 AS Value UNION ALL "
                                        "SELECT 'y2', 'L2', 8 UNION ALL SELECT 'y3', 'L3', 9");
         },
         loaded},
        {"a CSV line added after the rows",
         [&](TDataGrid& g) { g.InsertFromCSV(line); },
         {"Name|x2|x3|x1|y9", "Value|1|4|5|9", "Kind|A|A|B|"}},
        // Two lines over node row A and x2: x3 is still of A.
        {"a fixed-width file over the first rows",
         loadFixed,
         {"Name|p|q|x3|x1", "Value|7|8|4|5", "Kind|||A|B"}},
        // Two lines over both node rows, x2 and x3 hidden under A between them: x1 is still of B.
        {"a fixed-width file over a contracted group",
         [&](TDataGrid& g) {
             g.ContractNode(1);
             loadFixed(g);
         },
         {"Name|p|q|x1", "Value|7|8|5", "Kind|||B"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        GroupByKind(grid, row.act);
        grid.UnGroup();
        EXPECT_EQ(Column(grid, 1), row.columns.names);
        EXPECT_EQ(Column(grid, 3), row.columns.values);
        EXPECT_EQ(Column(grid, 4), row.columns.kinds);
        EXPECT_FALSE(grid.HasNodes());
        EXPECT_EQ(grid.NumHiddenRows(), 0);
    }
}

// The node rows' states, "+" contracted and "-" expanded, down the shown rows.
std::string NodeStates(TDataGrid& grid) {
    std::string states;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        if (grid.IsNode(r))
            states += grid.GetNodeState(r) ? '+' : '-';
    return states;
}

TEST(DatagridNodes, ANodeWhoseHiddenRowsAllShowAgainIsExpanded) {
    // Node 2 heads rows 2-4; in the nested rows node 1 heads rows 1-6 and node 3 rows 3-5.
    const auto single = [](TDataGrid& g) {
        g.AddNode(2, 3);
        g.ContractNode(2);
    };
    const auto nested = [](TDataGrid& g) {
        g.AddNode(1, 6);
        g.AddNode(3, 3);
        g.ContractNode(3);
        g.ContractNode(1);
    };
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        std::string shown;
        std::string states;
        std::function<void(TDataGrid&)> then;
        std::string shownThen;
        std::string statesThen;
    } rows[] = {
        {"all the node's rows",
         [&](TDataGrid& g) {
             single(g);
             g.UnHideRows(3, 4);
         },
         "b0|b1|b2|b3|b4|b5|b6|b7", "-", [](TDataGrid& g) { g.ContractNode(2); }, "b0|b1|b2|b5|b6|b7", "+"},
        {"part of them",
         [&](TDataGrid& g) {
             single(g);
             g.UnHideRows(3, 3);
         },
         "b0|b1|b2|b3|b5|b6|b7", "+", [](TDataGrid& g) { g.ExpandNode(2); }, "b0|b1|b2|b3|b4|b5|b6|b7", "-"},
        {"a wider range hidden and shown again",
         [&](TDataGrid& g) {
             single(g);
             g.HideRows(1, 5);
             g.UnHideRows(1, 5);
         },
         "b0|b1|b2|b3|b4|b5|b6|b7", "-", [](TDataGrid& g) { g.ContractNode(2); }, "b0|b1|b2|b5|b6|b7", "+"},
        // Rows 4-5 stay hidden by node 3, which keeps its state.
        {"around a contracted node inside",
         [&](TDataGrid& g) {
             nested(g);
             g.UnHideRows(2, 3);
             g.UnHideRows(6, 6);
         },
         "b0|b1|b2|b3|b6|b7", "-+", [](TDataGrid& g) { g.ExpandNode(3); }, "b0|b1|b2|b3|b4|b5|b6|b7", "--"},
        {"part of the rows around a contracted node inside",
         [&](TDataGrid& g) {
             nested(g);
             g.UnHideRows(2, 3);
         },
         "b0|b1|b2|b3|b7", "++", [](TDataGrid& g) { g.ExpandNode(1); }, "b0|b1|b2|b3|b6|b7", "-+"},
        {"the rows of a contracted node inside too",
         [&](TDataGrid& g) {
             nested(g);
             g.UnHideRows(2, 6);
         },
         "b0|b1|b2|b3|b4|b5|b6|b7", "--", [](TDataGrid& g) { g.ContractNode(3); }, "b0|b1|b2|b3|b6|b7", "-+"},
        // Node 5 heads no row.
        {"beside a node with nothing to hide",
         [&](TDataGrid& g) {
             g.AddNode(5, 1);
             g.ContractNode(5);
             single(g);
             g.UnHideRows(3, 4);
         },
         "b0|b1|b2|b3|b4|b5|b6|b7", "-+", [](TDataGrid& g) { g.ExpandNode(5); }, "b0|b1|b2|b3|b4|b5|b6|b7",
         "--"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 8);
        row.act(grid);
        EXPECT_EQ(Column(grid, 1), row.shown);
        EXPECT_EQ(NodeStates(grid), row.states);
        row.then(grid);
        EXPECT_EQ(Column(grid, 1), row.shownThen);
        EXPECT_EQ(NodeStates(grid), row.statesThen);
    }
}

} // namespace
