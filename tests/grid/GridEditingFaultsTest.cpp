#include "tests/grid/EditingWindow.h"
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

} // namespace
