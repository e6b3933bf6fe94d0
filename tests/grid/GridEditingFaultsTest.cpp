#include "tests/grid/EditingWindow.h"
#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// An editing window whose cell (c, r) holds the number 10c + r.
struct NumberedWindow : EditingWindow {
    NumberedWindow() {
        for (int r = 1; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                grid->SetCells(c, r, AnsiString(std::to_string(c * 10 + r)));
    }
    // Opens the editor on a cell with a click on it as the current cell, and types into it.
    void Edit(int col, int row, const char* text) {
        Select(col, row);
        Click(col, row);
        Type(text);
    }
    // The user goes on elsewhere: another cell, then the edit box beside the grid.
    void Leave() {
        Click(1, 4);
        edit->SetFocus();
    }
};

// Each row changes the grid, scrolls or moves about while a value is typed into a cell, or after;
// every cell must then hold its own text: the typed value where it went, its neighbours untouched.
TEST(GridEditingFaults, NoCellTakesAnotherCellsText) {
    struct Cell {
        int col;
        int row;
        const char* text;
    };
    struct Row {
        const char* name;
        std::function<void(NumberedWindow&)> act;
        std::vector<Cell> expected;
    } rows[] = {
        {"Escape on the grid after a step refused by a right fixed column",
         [](NumberedWindow& window) {
             window.grid->SetFixedRightCols(1);
             window.Select(3, 1);
             window.grid->SetFocus();
             window.Press(Qt::Key_Right);
             window.Press(Qt::Key_Escape);
         },
         {{3, 1, "31"}, {4, 1, "41"}}},
        {"Escape in the editor after Ctrl+Right was refused by a right fixed column",
         [](NumberedWindow& window) {
             window.grid->SetFixedRightCols(1);
             window.Edit(3, 1, "5");
             window.Press(Qt::Key_Right, Qt::ControlModifier);
             window.Press(Qt::Key_Escape);
         },
         {{3, 1, "31"}, {4, 1, "41"}}},
        {"Escape on the grid after the fixed rows changed from code",
         [](NumberedWindow& window) {
             window.Edit(2, 3, "5");
             window.grid->SetFixedRows(2);
             window.Press(Qt::Key_Escape);
         },
         {{2, 3, "5"}, {0, 2, "2"}}},
        // Columns counted in the grid's cell store, hidden ones too.
        {"a column inserted before the one being edited",
         [](NumberedWindow& window) {
             window.Edit(3, 1, "5");
             window.grid->InsertCols(1, 1);
             window.Leave();
         },
         {{3, 1, "21"}, {4, 1, "5"}, {5, 1, "41"}}},
        {"a column removed before the one being edited",
         [](NumberedWindow& window) {
             window.Edit(3, 1, "5");
             window.grid->RemoveCols(1, 1);
             window.Leave();
         },
         {{1, 1, "21"}, {2, 1, "5"}, {3, 1, "41"}}},
        {"a column hidden before the one being edited",
         [](NumberedWindow& window) {
             window.Edit(3, 1, "5");
             window.grid->HideColumn(1);
             window.Leave();
         },
         {{2, 1, "21"}, {3, 1, "5"}, {4, 1, "41"}}},
        {"the row being edited swapped with the next",
         [](NumberedWindow& window) {
             window.Edit(3, 1, "5");
             window.grid->SwapRows(1, 2);
             window.Leave();
         },
         {{3, 1, "32"}, {3, 2, "5"}}},
        {"the column being edited swapped with the one before",
         [](NumberedWindow& window) {
             window.Edit(3, 1, "5");
             window.grid->SwapColumns(3, 2);
             window.Leave();
         },
         {{2, 1, "5"}, {3, 1, "21"}}},
        // Typing goes on in the editor out of sight; Enter stores it and goes on to the next cell.
        {"the rows scrolled with the scroll bar while a cell is edited",
         [](NumberedWindow& window) {
             window.grid->SetRowCount(40);
             window.Edit(1, 2, "3");
             QScrollBar* bar = static_cast<QAbstractScrollArea*>(window.grid->View())->verticalScrollBar();
             for (int i = 0; i < 6; ++i)
                 QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 5));
             window.Type("4");
             window.Press(Qt::Key_Return);
             window.Type("9");
             window.Leave();
         },
         {{1, 2, "34"}, {2, 2, "9"}}},
        {"a refused value typed after a look at another window",
         [](NumberedWindow& window) {
             window.grid->OnCellValidate = [](TObject*, int, int, AnsiString& Value, bool& Valid) {
                 Valid = Value.Pos("x") == 0;
             };
             window.Edit(1, 1, "1");
             TForm other{nullptr};
             other.SetBounds(600, 0, 100, 100);
             other.Show();
             other.View()->activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(other.View()));
             window.form.View()->activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(window.form.View()));
             window.Type("x");
             window.Press(Qt::Key_Return);
         },
         {{1, 1, "1"}}},
        // As a cost matrix loaded with its button while an edited cost still shows.
        {"the cell refilled from code after the edit was left",
         [](NumberedWindow& window) {
             window.Edit(1, 1, "12.5");
             window.edit->SetFocus();
             window.grid->SetCellEx(1, 1, "10.00");
             window.Click(2, 2);
         },
         {{1, 1, "10.00"}, {2, 2, "22"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedWindow window;
        window.Show();
        row.act(window);
        for (const Cell& cell : row.expected)
            EXPECT_EQ(window.grid->GetCellEx(cell.col, cell.row), cell.text) << cell.col << ", " << cell.row;
    }
}

// A cost typed into cell (1, 1), then the grid filled anew from code while the editor still shows
// it: the editor closes unwritten, and whether the user then presses Enter, clicks another cell or
// presses Escape, the cell keeps what the refill put there.
TEST(GridEditingFaults, ARefillDropsTheEditOfTheCellsBefore) {
    TestFolder folder;
    const AnsiString csv = folder.Path("costs.csv");
    WriteFile(csv, "Item,Cost\r\nSand,12\r\nGravel,9\r\n");
    struct Refill {
        const char* name;
        std::function<void(TDataGrid&)> fill;
        const char* text;
    } refills[] = {
        {"the counts set as they were, then the cell",
         [](TDataGrid& g) {
             g.SetColCount(5);
             g.SetRowCount(5);
             g.SetCellEx(1, 1, "12");
         },
         "12"},
        {"a row more, then the cell",
         [](TDataGrid& g) {
             g.SetRowCount(6);
             g.SetCellEx(1, 1, "12");
         },
         "12"},
        {"a CSV file loaded", [&](TDataGrid& g) { g.LoadFromCSV(csv); }, "12"},
        {"cleared", [](TDataGrid& g) { g.Clear(); }, ""},
        {"the normal cells cleared", [](TDataGrid& g) { g.ClearNormalCells(); }, ""},
        {"its row cleared", [](TDataGrid& g) { g.ClearRows(1, 1); }, ""},
    };
    struct Then {
        const char* name;
        std::function<void(NumberedWindow&)> act;
    } thens[] = {
        {"Enter", [](NumberedWindow& w) { w.Press(Qt::Key_Return); }},
        {"a click on another cell", [](NumberedWindow& w) { w.Click(2, 2); }},
        {"Escape", [](NumberedWindow& w) { w.Press(Qt::Key_Escape); }},
        {"the focus taken elsewhere, then a click back",
         [](NumberedWindow& w) {
             w.edit->SetFocus();
             w.Click(1, 1);
             w.Press(Qt::Key_Return);
         }},
    };
    for (const Refill& refill : refills)
        for (const Then& then : thens) {
            SCOPED_TRACE(std::string(refill.name) + ", " + then.name);
            NumberedWindow window;
            window.Show();
            window.Edit(1, 1, "77");
            refill.fill(*window.grid);
            EXPECT_FALSE(window.grid->GetEditorMode());
            then.act(window);
            EXPECT_EQ(window.grid->GetCellEx(1, 1), AnsiString(refill.text));
        }
}

} // namespace
