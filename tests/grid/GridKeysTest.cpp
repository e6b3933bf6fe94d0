#include "framework/Clipboard.h"
#include "tests/grid/EditingWindow.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

void FirstLastRows(TDataGrid& grid, Events&) {
    grid.Navigation->HomeEndKey = heFirstLastRow;
}

void LoggedInserts(TDataGrid& grid, Events& events) {
    grid.Navigation->AllowInsertRow = true;
    grid.OnAutoInsertRow = [&events](TObject*, int Index) {
        events.push_back("inserted " + std::to_string(Index));
    };
}

void LoggedInsertsAfter(TDataGrid& grid, Events& events) {
    LoggedInserts(grid, events);
    grid.Navigation->InsertPosition = pInsertAfter;
}

void LoggedDeletes(TDataGrid& grid, Events& events) {
    grid.Navigation->AllowDeleteRow = true;
    grid.OnAutoDeleteRow = [&events](TObject*, int Index) {
        events.push_back("deleted " + std::to_string(Index));
    };
}

void TabsFromTheLastNormalColumn(TDataGrid& grid, Events&) {
    grid.SetOptions(grid.GetOptions() | goTabs);
    grid.FixedRightCols = 1;
    grid.SetCol(3);
}

// Each row: a grid of 5 x 5 cells (row 0 fixed, column 0 holding "a" to "d") with the current cell
// at (1, 2), set up, then one key; the current cell, the row count, column 0's texts from row 1
// down (after the empty fixed row) and what the grid's events said.
TEST(GridKeys, KeyRules) {
    using SetUp = std::function<void(TDataGrid&, Events&)>;
    struct Row {
        const char* name;
        SetUp setUp;
        Qt::Key key;
        int col, row, rowCount;
        const char* column;
        const char* event;
    } rows[] = {
        {"Home with first and last rows keeps the column", FirstLastRows, Qt::Key_Home, 1, 1, 5, "a b c d",
         ""},
        {"End with first and last rows", FirstLastRows, Qt::Key_End, 1, 4, 5, "a b c d", ""},
        {"End stops above a floating footer",
         [](TDataGrid& grid, Events& events) {
             FirstLastRows(grid, events);
             grid.FloatingFooter->SetVisible(true);
         },
         Qt::Key_End, 1, 3, 5, "a b c d", ""},
        {"Home within the row otherwise", nullptr, Qt::Key_Home, 0, 2, 5, "a b c d", ""},
        {"Insert puts a row before the current one", LoggedInserts, Qt::Key_Insert, 1, 2, 6, "a  b c d",
         "inserted 2"},
        {"Insert after goes to the new row", LoggedInsertsAfter, Qt::Key_Insert, 1, 3, 6, "a b  c d",
         "inserted 3"},
        {"Insert after the last row appends one and goes to it",
         [](TDataGrid& grid, Events& events) {
             LoggedInsertsAfter(grid, events);
             grid.SetRow(4);
         },
         Qt::Key_Insert, 1, 5, 6, "a b c d ", "inserted 5"},
        {"Insert refused",
         [](TDataGrid& grid, Events&) {
             grid.Navigation->AllowInsertRow = true;
             grid.OnCanInsertRow = [](TObject*, int, bool& CanInsert) { CanInsert = false; };
         },
         Qt::Key_Insert, 1, 2, 5, "a b c d", ""},
        {"Delete removes the current row", LoggedDeletes, Qt::Key_Delete, 1, 2, 4, "a c d", "deleted 2"},
        {"Delete on the only normal row empties it",
         [](TDataGrid& grid, Events& events) {
             LoggedDeletes(grid, events);
             grid.SetRowCount(2);
         },
         Qt::Key_Delete, 1, 1, 2, "", "deleted 1"},
        {"Tab from the last normal column wraps past the right fixed column", TabsFromTheLastNormalColumn,
         Qt::Key_Tab, 0, 3, 5, "a b c d", ""},
        {"Shift+Tab from there goes back", TabsFromTheLastNormalColumn, Qt::Key_Backtab, 2, 2, 5, "a b c d",
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        for (int r = 1; r < 5; ++r)
            window.grid->SetCells(0, r, std::string(1, static_cast<char>('a' + r - 1)));
        window.Show();
        window.Select(1, 2);
        if (row.setUp)
            row.setUp(*window.grid, window.log);
        window.Press(row.key, row.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(window.grid->GetCol(), row.col);
        EXPECT_EQ(window.grid->GetRow(), row.row);
        EXPECT_EQ(window.grid->GetRowCount(), row.rowCount);
        EXPECT_EQ(ColTexts(*window.grid, 0), std::string(" ") + row.column);
        EXPECT_EQ(window.log, *row.event ? Events{row.event} : Events{});
    }
}

TEST(GridKeys, ClipboardShortCutsAskTheirEventFirst) {
    struct Row {
        const char* name;
        bool shortCuts;
        bool allow;
        const char* clipboard;
    } rows[] = {
        {"short-cuts off", false, true, "before"},
        {"allowed", true, true, "12.5"},
        {"refused", true, false, "before"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->SetCells(1, 1, "12.5");
        window.grid->Navigation->AllowClipboardShortCuts = row.shortCuts;
        window.grid->OnClipboardCopy = [&](TObject*, bool& Allow) { Allow = row.allow; };
        Clipboard().SetAsText("before");
        window.Show();
        window.Select(1, 1);
        window.Press(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(Clipboard().GetAsText(), row.clipboard);
    }
}

TEST(GridKeys, TheKeypadsDecimalKeyTypesTheLocalesSeparator) {
    const LocaleSeparators comma(',', '.');
    struct Row {
        const char* name;
        bool excelStyle;
        Qt::KeyboardModifiers modifiers;
        const char* typed;
    } rows[] = {
        {"keypad", true, Qt::KeypadModifier, ","},
        {"main keyboard", true, {}, "."},
        {"keypad without the switch", false, Qt::KeypadModifier, "."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->ExcelStyleDecimalSeparator = row.excelStyle;
        window.Show();
        window.Select(1, 1);
        // The first key opens the editor, the second types into it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period, row.modifiers, '.');
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period, row.modifiers, '.');
        EXPECT_EQ(window.grid->GetCells(1, 1), std::string(row.typed) + row.typed);
    }
}

TEST(GridKeys, APlainLetterNeverReachesTheWindowsShortCuts) {
    EditingWindow window;
    window.Show();
    auto overrides = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
        QKeyEvent event(QEvent::ShortcutOverride, key, modifiers, text);
        event.ignore();
        QApplication::sendEvent(window.grid->View(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(overrides(Qt::Key_L, {}, "l"));
    EXPECT_FALSE(overrides(Qt::Key_L, Qt::AltModifier, "l"));
    EXPECT_FALSE(overrides(Qt::Key_S, Qt::ControlModifier, "\x13"));
}

TEST(GridKeys, TypedTextBeyondAsciiOpensTheEditorWhole) {
    EditingWindow window;
    window.Show();
    window.Select(0, 1);
    // As a keyboard with the letter types it: a key press with the character and no key code.
    for (const QString& letter : {QString("B"), QString("ü"), QString("r"), QString("o")}) {
        QKeyEvent press(QEvent::KeyPress,
                        letter == "ü" ? int(Qt::Key_unknown) : int(letter.toUpper()[0].unicode()),
                        Qt::NoModifier, letter);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    EXPECT_EQ(window.grid->GetCells(0, 1), "Büro");
}

TEST(GridKeys, WidthsFollowTheWindowWithSynchWithGrid) {
    TForm form(nullptr);
    auto* grid = new TDataGrid(&form);
    grid->SetParent(&form);
    grid->ColumnSize->SynchWithGrid = true;
    grid->SetColWidths(1, 50);
    // The first size only sets the width to follow from.
    grid->SetBounds(0, 0, 400, 200);
    EXPECT_EQ(grid->GetColWidths(1), 50);
    grid->SetBounds(0, 0, 600, 200);
    EXPECT_EQ(grid->GetColWidths(1), 75);
    // A window shrunk to nothing leaves the widths; back to 300 they halve from 600.
    grid->SetBounds(0, 0, 0, 200);
    EXPECT_EQ(grid->GetColWidths(1), 75);
    grid->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(grid->GetColWidths(1), 38);
}

TEST(GridKeys, AlwaysEditOpensTheEditorAfterAnArrowAndOnFocus) {
    EditingWindow window;
    window.grid->Navigation->AlwaysEdit = true;
    window.grid->SetCells(0, 2, "x");
    window.Show();
    QApplication::processEvents();
    EXPECT_TRUE(window.EditorFocused());
    window.Press(Qt::Key_Down);
    EXPECT_TRUE(window.EditorFocused());
    EXPECT_EQ(window.grid->GetRow(), 2);
    EXPECT_EQ(window.EditorText(), "x");
}

} // namespace
