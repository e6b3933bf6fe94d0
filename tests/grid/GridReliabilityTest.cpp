#include "tests/grid/EditingWindow.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

using Once = std::function<void()>;

void TypeAndEnter(EditingWindow& window) {
    window.Type("4");
    window.Press(Qt::Key_Return);
}

void Type(EditingWindow& window) {
    window.Type("4");
}

// A handler that fails once, in the middle of a user's key or click: the user reads the message,
// and the grid takes the next edit as if nothing had happened.
TEST(GridReliability, AFailingHandlerIsShownAndTheGridGoesOn) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&, Once)> fail;
        int col, row;
        // What the user does there.
        void (*act)(EditingWindow&);
    } rows[] = {
        {"the move of Enter",
         [](TDataGrid& g, Once once) {
             g.OnCellChanging = [once](TObject*, int, int, int, int, bool&) { once(); };
         },
         1, 1, TypeAndEnter},
        {"a click on a cell",
         [](TDataGrid& g, Once once) { g.OnClickCell = [once](TObject*, int, int) { once(); }; }, 1, 1,
         [](EditingWindow& window) { window.Click(2, 2); }},
        {"the row added after the last cell",
         [](TDataGrid& g, Once once) {
             g.Navigation->AdvanceInsert = true;
             g.OnAutoAddRow = [once](TObject*, int) { once(); };
         },
         4, 4, TypeAndEnter},
        {"the row inserted by the Insert key",
         [](TDataGrid& g, Once once) {
             g.Navigation->AllowInsertRow = true;
             g.OnAutoInsertRow = [once](TObject*, int) { once(); };
         },
         1, 2, [](EditingWindow& window) { window.Press(Qt::Key_Insert); }},
        {"the notice of a validated cell",
         [](TDataGrid& g, Once once) {
             g.OnCellValidate = [](TObject*, int, int, AnsiString&, bool&) {};
             g.OnCellsChanged = [once](TObject*, const TRect&) { once(); };
         },
         1, 1, TypeAndEnter},
        {"the question whether a cell takes typing",
         [](TDataGrid& g, Once once) { g.OnCanEditCell = [once](TObject*, int, int, bool&) { once(); }; }, 1,
         1, Type},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Responder().Clear();
        EditingWindow window;
        bool armed = false;
        row.fail(*window.grid, [&armed] {
            if (std::exchange(armed, false))
                throw std::runtime_error("The handler failed");
        });
        window.Show();
        window.Select(row.col, row.row);
        armed = true;
        row.act(window);
        QApplication::processEvents();
        ASSERT_EQ(Responder().Asked.size(), 1u);
        EXPECT_EQ(Responder().Asked[0].Text, "The handler failed");
        EXPECT_FALSE(window.grid->GetLockFlag());
        // The editor is either closed or over the current cell.
        if (window.grid->GetEditorMode()) {
            EXPECT_EQ(window.grid->GetInplaceEditor()->Left(), window.grid->GetCol() * 64);
            EXPECT_EQ(window.grid->GetInplaceEditor()->Top(), window.grid->GetRow() * 21);
        }
        window.Click(3, 3);
        window.Type("9");
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.grid->GetCells(3, 3), "9");
        EXPECT_EQ(window.grid->GetCol(), 4);
        EXPECT_EQ(window.grid->GetRow(), 3);
        EXPECT_EQ(Responder().Asked.size(), 1u);
    }
}

TEST(GridReliability, BadRowsAndColumnsRaiseTheirErrorsAndChangeNothing) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> call;
        const char* message;
    } rows[] = {
        {"a row below the last asked", [](TDataGrid& grid) { grid.GetRowSelect(5); }, "Invalid Row accessed"},
        {"a row above the first set", [](TDataGrid& grid) { grid.SetRowSelect(-1, true); },
         "Invalid Row accessed"},
        {"a column beyond the last", [](TDataGrid& grid) { grid.SetAllColWidths(5, 10); },
         "Grid index out of range"},
        {"a column before the first", [](TDataGrid& grid) { grid.GetAllColWidths(-1); },
         "Grid index out of range"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(5);
        grid.SetRowCount(5);
        grid.SetRowSelect(2, true);
        EXPECT_EQ(ErrorText([&] { row.call(grid); }), row.message);
        EXPECT_EQ(grid.GetRowSelectCount(), 1);
        EXPECT_EQ(grid.GetAllColWidths(4), 64);
    }
}

// The editor open with "typed" in (1, 2) of the cost rows "a1".."a4", then the rows change from
// code: the text is kept in its cell, wherever the cell went, and the editor is closed.
TEST(GridReliability, RowsChangedUnderAnOpenEditorCloseItWithItsText) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> change;
        const char* column;
    } rows[] = {
        {"a row inserted above", [](TDataGrid& grid) { grid.InsertRows(1, 1); }, " a1 typed a3 a4"},
        {"a row removed above", [](TDataGrid& grid) { grid.RemoveRows(1, 1); }, "typed a3 a4"},
        {"the row removed", [](TDataGrid& grid) { grid.RemoveRows(2, 1); }, "a1 a3 a4"},
        {"a row hidden above", [](TDataGrid& grid) { grid.HideRow(1); }, "typed a3 a4"},
        {"the rows cut short", [](TDataGrid& grid) { grid.SetRowCount(2); }, "a1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        for (int r = 1; r < 5; ++r)
            window.grid->SetCells(0, r, "a" + std::to_string(r));
        window.Show();
        window.Select(0, 2);
        window.Type("typed");
        ASSERT_TRUE(window.grid->GetEditorMode());
        row.change(*window.grid);
        EXPECT_FALSE(window.grid->GetEditorMode());
        EXPECT_EQ(ColTexts(*window.grid, 0), std::string(" ") + row.column);
        // Typing goes on in whatever cell is current now.
        window.Type("z");
        EXPECT_EQ(window.grid->GetCells(window.grid->GetCol(), window.grid->GetRow()), "z");
    }
}

} // namespace
