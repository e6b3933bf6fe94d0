#include "tests/grid/EditingWindow.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// An editing window with rows of unit costs; the unit in column 2 of row 1 may not be typed over.
struct CostsWindow : EditingWindow {
    CostsWindow() {
        grid->SetCells(0, 1, "Cement");
        grid->SetCells(1, 1, "10.00");
        grid->SetCells(2, 1, "bag");
        grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
            if (ARow == 1 && ACol == 2)
                CanEdit = false;
        };
    }
    // Shown, then the cost in (1, 1) clicked and typed over.
    void TypeCost(const char* text) {
        Show();
        Click(1, 1);
        Type(text);
    }
};

TEST(GridEditing, EscapePutsTheCostBackAndTheEditStaysOpen) {
    CostsWindow window;
    window.TypeCost("99");
    EXPECT_EQ(window.grid->GetCells(1, 1), "99");
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.grid->GetCells(1, 1), "10.00");
    EXPECT_EQ(window.EditorText(), "10.00");
    EXPECT_TRUE(window.EditorFocused());
    // What is typed next replaces the text put back.
    EXPECT_EQ(window.grid->GetInplaceEditor()->GetSelText(), "10.00");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "10.00");
    EXPECT_EQ(window.grid->GetCol(), 3);
}

TEST(GridEditing, ClickingAwayOrLeavingTheGridKeepsWhatWasTyped) {
    CostsWindow window;
    int exits = 0;
    window.grid->OnExit = [&](TObject*) { ++exits; };
    window.TypeCost("4.5");
    window.Click(3, 3);
    EXPECT_EQ(window.grid->GetCells(1, 1), "4.5");
    EXPECT_FALSE(window.grid->GetEditorMode());
    EXPECT_EQ(window.grid->GetCol(), 3);
    EXPECT_EQ(window.grid->GetRow(), 3);
    EXPECT_EQ(exits, 0);

    window.Type("8");
    window.edit->SetFocus();
    EXPECT_EQ(window.grid->GetCells(3, 3), "8");
    EXPECT_EQ(exits, 1);
    // Coming back and going again is one more exit, not one for the grid and one for its editor.
    window.Click(3, 3);
    window.Type("9");
    window.edit->SetFocus();
    EXPECT_EQ(window.grid->GetCells(3, 3), "9");
    EXPECT_EQ(exits, 2);
}

TEST(GridEditing, TheValidationHandlerAcceptsReplacesOrRefusesTheText) {
    struct Row {
        const char* name;
        bool valid;
        const char* replacement;
        const char* stored;
        int col;
    } rows[] = {
        // Accepted: Enter goes on past the read-only column 2, ready for typing.
        {"accepted", true, nullptr, "5", 3},
        {"accepted as replaced", true, "5.00", "5.00", 3},
        // Refused: the text from before, and the user back in the cell with its editor.
        {"refused", false, nullptr, "10.00", 1},
        {"refused with a replacement", false, "0.00", "0.00", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CostsWindow window;
        window.grid->OnCellValidate = [&](TObject*, int Col, int Row, AnsiString& Value, bool& Valid) {
            window.log.push_back("validate " + std::to_string(Col) + "," + std::to_string(Row) + " " +
                                 Value.str());
            if (row.replacement)
                Value = row.replacement;
            Valid = row.valid;
        };
        window.grid->OnCellsChanged = [&](TObject*, const TRect& R) {
            window.log.push_back("changed " + window.grid->GetCells(R.Left, R.Top).str());
        };
        window.TypeCost("5");
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.grid->GetCells(1, 1), AnsiString(row.stored));
        EXPECT_EQ(window.grid->GetCol(), row.col);
        // Notifiers hear of the cell once it holds its final text.
        EXPECT_EQ(window.log,
                  (std::vector<std::string>{"validate 1,1 5", std::string("changed ") + row.stored}));
        EXPECT_TRUE(window.EditorFocused());
        EXPECT_EQ(window.EditorText(), row.col == 1 ? row.stored : "");
    }
}

TEST(GridEditing, AnEditEndingWithTheTextItBeganWithAsksNoValidation) {
    CostsWindow window;
    window.grid->OnCellValidate = [&](TObject*, int, int, AnsiString& Value, bool&) {
        window.log.push_back(Value.str());
    };
    window.Show();
    window.Select(1, 1);
    window.Press(Qt::Key_F2);
    window.Press(Qt::Key_Return);
    // Typed over with the same text.
    window.Select(1, 1);
    window.Type("10.00");
    window.Press(Qt::Key_Return);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(window.grid->GetCells(1, 1), "10.00");
}

// F2 on a cell, then Enter or a click on another cell: the cell keeps its text unless the user
// typed. Only a text the grid shows as HTML is edited without its tags.
TEST(GridEditing, AnEditorLeftAsItOpenedStoresNothing) {
    struct Row {
        const char* name;
        const char* cell;
        bool html;
        const char* typed;
        bool click;
        const char* shown;
        const char* stored;
    } rows[] = {
        {"angle brackets, Enter", "Pipe <150> mm", true, "", false, "Pipe <150> mm", "Pipe <150> mm"},
        {"angle brackets, a click", "Pipe <150> mm", true, "", true, "Pipe <150> mm", "Pipe <150> mm"},
        {"HTML, Enter", "<B>12</B> m", true, "", false, "12 m", "<B>12</B> m"},
        {"HTML, a click", "<i>a</i> b", true, "", true, "a b", "<i>a</i> b"},
        {"HTML typed over", "<B>12</B>", true, "13", false, "12", "13"},
        {"HTML switched off", "<B>12</B>", false, "", true, "<B>12</B>", "<B>12</B>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->EnableHTML = row.html;
        window.grid->SetCells(1, 1, row.cell);
        window.grid->OnCellsChanged = [&](TObject*, const TRect&) { window.log.push_back("changed"); };
        window.Show();
        window.Select(1, 1);
        window.Press(Qt::Key_F2);
        EXPECT_EQ(window.EditorText(), AnsiString(row.shown));
        window.Type(row.typed);
        if (row.click)
            window.Click(3, 3);
        else
            window.Press(Qt::Key_Return);
        EXPECT_EQ(window.grid->GetCells(1, 1), AnsiString(row.stored));
        EXPECT_EQ(window.log.empty(), *row.typed == 0);
        EXPECT_NE(window.grid->GetCol(), 1);
    }
}

TEST(GridEditing, ARefusalAsTheFocusLeavesBringsTheUserBackToTheCell) {
    CostsWindow window;
    window.grid->OnCellValidate = [](TObject*, int, int, AnsiString& Value, bool& Valid) {
        Valid = Value != "x";
    };
    window.TypeCost("x");
    window.Click(3, 2);
    EXPECT_EQ(window.grid->GetCells(1, 1), "10.00");
    QApplication::processEvents();
    EXPECT_EQ(window.grid->GetCol(), 1);
    EXPECT_EQ(window.grid->GetRow(), 1);
    EXPECT_TRUE(window.EditorFocused());
    // An unchanged text asks nothing.
    window.Type("12");
    window.edit->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.grid->GetCells(1, 1), "12");
    EXPECT_EQ(QApplication::focusWidget(), window.edit->View());
}

TEST(GridEditing, EventsOfOneEditInOrder) {
    CostsWindow window;
    auto note = [&](const std::string& what) { window.log.push_back(what); };
    window.grid->OnClickCell = [&](TObject*, int, int) { note("click cell"); };
    window.grid->OnCellChanging = [&](TObject*, int, int, int NewRow, int NewCol, bool&) {
        note("changing " + std::to_string(NewCol) + "," + std::to_string(NewRow));
    };
    window.grid->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool&) { note("validate"); };
    window.grid->OnCellsChanged = [&](TObject*, const TRect&) { note("changed"); };
    window.grid->OnEnter = [&](TObject*) { note("enter"); };
    window.grid->OnExit = [&](TObject*) { note("exit"); };
    window.Show();
    window.log.clear();
    window.Click(1, 1);
    window.Type("3");
    window.Press(Qt::Key_Return);
    window.edit->SetFocus();
    EXPECT_EQ(window.log, (std::vector<std::string>{"changing 1,1", "click cell", "validate", "changed",
                                                    "changing 3,1", "exit"}));
}

TEST(GridEditing, AnotherWindowComingToTheFrontEndsNoEdit) {
    CostsWindow window;
    window.grid->OnEnter = [&](TObject*) { window.log.push_back("enter"); };
    window.grid->OnExit = [&](TObject*) { window.log.push_back("exit"); };
    window.TypeCost("6");
    TForm other(nullptr);
    other.SetBounds(600, 0, 200, 100);
    other.Show();
    other.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.View()));
    window.form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.form.View()));
    EXPECT_TRUE(window.log.empty());
    EXPECT_TRUE(window.EditorFocused());
    window.Type("7");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "67");
}

TEST(GridEditing, ReadOnlyCellsNeverOpenAnEditor) {
    CostsWindow window;
    PaintedArea painted(window.Cells());
    window.Show();
    window.Select(1, 1);
    QApplication::processEvents();
    painted.area = QRegion();
    window.Click(2, 1);
    window.Type("z");
    EXPECT_EQ(window.grid->GetCells(2, 1), "bag");
    EXPECT_FALSE(window.grid->GetEditorMode());
    // Editing is switched off on that cell only, and only the cells left and entered repaint.
    EXPECT_FALSE(window.grid->GetOptions() & goEditing);
    QApplication::processEvents();
    EXPECT_EQ(painted.area.boundingRect(), QRect(64, 21, 128, 21));
    painted.area = QRegion();
    window.Press(Qt::Key_Right);
    EXPECT_TRUE(window.grid->GetOptions() & goEditing);
    QApplication::processEvents();
    EXPECT_EQ(painted.area.boundingRect(), QRect(128, 21, 128, 21));
    window.Type("z");
    EXPECT_EQ(window.grid->GetCells(3, 1), "z");
}

TEST(GridEditing, ARefusedMoveLeavesTheCellAndEditingAsTheyWere) {
    CostsWindow window;
    window.grid->OnCellChanging = [](TObject*, int, int, int, int NewCol, bool& Allow) {
        Allow = NewCol != 2;
    };
    window.Show();
    window.Select(1, 1);
    for (const auto& move : {std::function<void()>([&] { window.Click(2, 1); }),
                             std::function<void()>([&] { window.Press(Qt::Key_Right); })}) {
        move();
        EXPECT_EQ(window.grid->GetCol(), 1);
        EXPECT_EQ(window.grid->GetRow(), 1);
        // Column 2 is read-only, yet editing stays on for the cell still current.
        EXPECT_TRUE(window.grid->GetOptions() & goEditing);
    }
}

TEST(GridEditing, AFailingValidationIsShownAndEditingGoesOn) {
    CostsWindow window;
    bool fail = true;
    window.grid->OnCellValidate = [&](TObject*, int, int, AnsiString& Value, bool&) {
        window.log.push_back(Value.str());
        if (std::exchange(fail, false))
            throw EConvertError("'x' is not a valid floating point value");
    };
    Responder().Clear();
    window.TypeCost("x");
    window.Press(Qt::Key_Return);
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "'x' is not a valid floating point value");
    // The editor stays over its cell, and the text is validated again when the edit ends.
    EXPECT_TRUE(window.EditorFocused());
    EXPECT_EQ(window.grid->GetCol(), 1);
    window.Type("7");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.log, (std::vector<std::string>{"x", "x7"}));
    EXPECT_EQ(window.grid->GetCells(1, 1), "x7");
    EXPECT_EQ(window.grid->GetCol(), 3);
}

// A grid whose rows are all fixed or footers: keys, typing, clicks, finds and advances change
// nothing and fail nowhere.
TEST(GridEditing, AGridWithoutNormalCellsTakesKeysAndClicksHarmlessly) {
    EditingWindow window;
    window.grid->FixedFooters = 4;
    window.grid->Navigation->AllowDeleteRow = true;
    window.grid->SetCells(1, 2, "kept");
    window.Show();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Delete, Qt::Key_Return})
        window.Press(key);
    window.Type("typed");
    window.Click(1, 2);
    window.grid->AdvanceEdit(1, 2, true, true, true);
    EXPECT_EQ(window.grid->FindFirst("kept", 0), (TPoint{-1, -1}));
    EXPECT_EQ(window.grid->FindNext(), (TPoint{-1, -1}));
    EXPECT_EQ(window.grid->GetCells(1, 2), "kept");
    EXPECT_EQ(window.grid->GetCells(0, 1), "");
    EXPECT_FALSE(window.grid->GetEditorMode());
    EXPECT_EQ(window.grid->GetRowCount(), 5);
}

} // namespace
