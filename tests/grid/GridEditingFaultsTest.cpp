#include "tests/grid/EditingWindow.h"
#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

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

// A cost typed into (1, 1) and stored with Enter; then Ctrl+Z in the editor on the next cell,
// whether Enter went on to it or the user moved there and pressed F2: that cell's own text stays,
// and Enter stores it as it was.
TEST(GridEditingFaults, UndoBelongsToTheCellItWasTypedIn) {
    struct Row {
        const char* name;
        bool advance;
        std::function<void(NumberedWindow&)> next;
        int col;
        int row;
        const char* text;
    } rows[] = {
        {"Enter going on to the next cell", true, [](NumberedWindow&) {}, 2, 1, "21"},
        {"Enter, Down and F2", false,
         [](NumberedWindow& window) {
             window.Press(Qt::Key_Down);
             window.Press(Qt::Key_F2);
         },
         1, 2, "12"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedWindow window;
        window.grid->Navigation->AdvanceOnEnter = row.advance;
        window.Show();
        window.Select(1, 1);
        window.Press(Qt::Key_F2);
        window.Press(Qt::Key_End);
        window.Type("99");
        window.Press(Qt::Key_Return);
        row.next(window);
        ASSERT_TRUE(window.EditorFocused());
        window.Press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(window.EditorText(), AnsiString(row.text));
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.grid->GetCellEx(1, 1), "1199");
        EXPECT_EQ(window.grid->GetCellEx(row.col, row.row), AnsiString(row.text));
    }
}

// Rows and columns inserted or removed from code before the cell the user edits, before the
// editor opens or while it is open: the typed value lands in the cell it was typed into and the
// cell that stood there before keeps its text.
TEST(GridEditingFaults, AnEditLandsInItsCellAfterRowsOrColumnsMove) {
    struct Cell {
        int col;
        int row;
        const char* text;
    };
    struct Row {
        const char* name;
        std::function<void(NumberedWindow&)> act;
        std::vector<Cell> expected;
        const char* validated;
    } rows[] = {
        {"a row inserted above the current cell, then an edit",
         [](NumberedWindow& window) {
             window.Click(1, 3);
             window.grid->InsertRows(1, 1);
             window.Press(Qt::Key_F2);
             window.Type("5");
             window.Click(3, 1);
         },
         {{1, 3, "12"}, {1, 4, "5"}},
         "1,4 5"},
        {"a column inserted left of the current cell, then an edit",
         [](NumberedWindow& window) {
             window.Click(2, 3);
             window.grid->InsertCols(1, 1);
             window.Press(Qt::Key_F2);
             window.Type("5");
             window.Click(1, 1);
         },
         {{2, 3, "13"}, {3, 3, "5"}},
         "3,3 5"},
        {"a row removed above the cell being edited",
         [](NumberedWindow& window) {
             window.Edit(1, 3, "5");
             window.grid->RemoveRows(1, 1);
             window.Click(3, 1);
         },
         {{1, 2, "5"}, {1, 3, "14"}},
         "1,2 5"},
        {"a row hidden above the cell being edited",
         [](NumberedWindow& window) {
             window.Edit(1, 3, "5");
             window.grid->HideRow(1);
             window.Click(3, 1);
         },
         {{1, 2, "5"}, {1, 3, "14"}},
         "1,2 5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedWindow window;
        window.grid->OnCellValidate = [&](TObject*, int Col, int Row, AnsiString& Value, bool&) {
            window.log.push_back(std::to_string(Col) + "," + std::to_string(Row) + " " + Value.str());
        };
        window.Show();
        row.act(window);
        for (const Cell& cell : row.expected)
            EXPECT_EQ(window.grid->GetCellEx(cell.col, cell.row), AnsiString(cell.text))
                << cell.col << ", " << cell.row;
        EXPECT_EQ(window.log, std::vector<std::string>{row.validated});
    }
}

// The grid refilled from code while a value is typed, and the same cell edited again at once: the
// typed value goes into its cell as the refill starts, and the new edit is validated against what
// the refill put there, so typing the text from before the refill is an edit the handler hears of.
TEST(GridEditingFaults, AnEditAfterARefillIsValidatedAgainstTheNewText) {
    NumberedWindow window;
    window.grid->OnCellValidate = [&](TObject*, int Col, int Row, AnsiString& Value, bool& Valid) {
        window.log.push_back(std::to_string(Col) + "," + std::to_string(Row) + " " + Value.str());
        Valid = Value != "11";
    };
    window.Show();
    window.Edit(1, 1, "77");
    window.grid->SetRowCount(5);
    window.grid->SetCellEx(1, 1, "12");
    window.Press(Qt::Key_F2);
    window.Type("11");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.log, (std::vector<std::string>{"1,1 77", "1,1 11"}));
    EXPECT_EQ(window.grid->GetCellEx(1, 1), "12");
}

// A cost typed into (1, 1), then the program sets that cell while the editor still shows the
// typed text: the editor shows the program's value, and however the user ends the edit the cell
// keeps it, unvalidated.
TEST(GridEditingFaults, AValueSetFromCodeWinsOverTheOpenEditor) {
    struct Row {
        const char* name;
        std::function<void(NumberedWindow&)> end;
    } rows[] = {
        {"Enter", [](NumberedWindow& w) { w.Press(Qt::Key_Return); }},
        {"a click on another cell", [](NumberedWindow& w) { w.Click(2, 2); }},
        {"the focus taken elsewhere", [](NumberedWindow& w) { w.edit->SetFocus(); }},
        {"Escape, then Enter",
         [](NumberedWindow& w) {
             w.Press(Qt::Key_Escape);
             w.Press(Qt::Key_Return);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedWindow window;
        window.grid->OnCellValidate = [&](TObject*, int, int, AnsiString& Value, bool&) {
            window.log.push_back(Value.str());
        };
        window.Show();
        window.Edit(1, 1, "77");
        window.grid->SetCells(1, 1, "10.00");
        EXPECT_EQ(window.EditorText(), "10.00");
        row.end(window);
        EXPECT_EQ(window.grid->GetCellEx(1, 1), "10.00");
        EXPECT_TRUE(window.log.empty());
    }
}

// An editing window with a footer row under three normal ones: rows hidden or removed from code
// while the current cell stands in the last normal row. The current cell stays among the normal
// rows that are left, or on the footer once none is left; clicks and keys afterwards fail nowhere
// and edit no footer.
TEST(GridEditingFaults, TheCurrentCellStaysInsideTheGrid) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        int row;
    } rows[] = {
        {"every normal row removed", [](TDataGrid& g) { g.RemoveRows(1, 3); }, 1},
        {"every normal row hidden", [](TDataGrid& g) { g.HideRows(1, 3); }, 1},
        {"the last normal row hidden, keeping the current row", [](TDataGrid& g) { g.HideRowsEx(3, 3); }, 1},
        {"the last normal row removed, keeping the current row", [](TDataGrid& g) { g.RemoveRowsEx(3, 1); },
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedWindow window;
        window.grid->SetFixedFooters(1);
        window.Show();
        window.Select(2, 3);
        row.act(*window.grid);
        EXPECT_EQ(window.grid->GetCol(), 2);
        EXPECT_EQ(window.grid->GetRow(), row.row);
        Responder().Clear();
        const int footer = window.grid->GetRowCount() - 1;
        window.Click(3, 1);
        window.Click(1, footer);
        window.Press(Qt::Key_Down);
        window.Press(Qt::Key_F2);
        window.Type("9");
        window.Press(Qt::Key_Return);
        EXPECT_TRUE(Responder().Asked.empty())
            << (Responder().Asked.empty() ? "" : Responder().Asked[0].Text.str());
        EXPECT_LT(window.grid->GetRow(), window.grid->GetRowCount());
        EXPECT_EQ(window.grid->GetCellEx(1, footer), "14");
    }
}

// Fixed areas of a negative size are refused as any count out of range, and nothing changes.
TEST(GridEditingFaults, NegativeFixedAreasAreRefused) {
    TDataGrid grid(nullptr);
    grid.SetFixedFooters(1);
    grid.SetFixedRightCols(1);
    for (const auto& set : std::vector<std::function<void()>>{[&] { grid.SetFixedRightCols(-1); },
                                                              [&] { grid.SetFixedFooters(-1); }}) {
        try {
            set();
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGridOperation& error) {
            EXPECT_EQ(AnsiString(error.Message), "Grid index out of range");
        }
    }
    EXPECT_EQ(grid.FixedFooters, 1);
    EXPECT_EQ(grid.FixedRightCols, 1);
}

// A grid of one row that is always shown fixed hides its selection as it takes the focus: keys,
// typing and clicks afterwards fail nowhere and change no cell.
TEST(GridEditingFaults, KeysOnAHiddenSelectionFailNowhere) {
    EditingWindow window;
    window.grid->FixedRowAlways = true;
    window.grid->SetRowCount(1);
    window.grid->SetCells(1, 0, "kept");
    window.Show();
    Responder().Clear();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_End, Qt::Key_F2})
        window.Press(key);
    window.Type("x");
    window.Click(1, 0);
    EXPECT_TRUE(Responder().Asked.empty());
    EXPECT_EQ(window.grid->GetCells(1, 0), "kept");
}

} // namespace
