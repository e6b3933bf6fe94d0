#include "framework/StringList.h"
#include "tests/grid/EditingWindow.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QAbstractScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Cell (c, r) of the editing window covers x 64c .. 64c + 63 and y 21r .. 21r + 20.
struct ObjectWindow : EditingWindow {
    void Log(const std::string& what, int a, int b, int c) {
        log.push_back(what + " " + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c));
    }
    void Listen() {
        grid->OnCheckBoxClick = [this](TObject*, int c, int r, bool s) { Log("check", c, r, s); };
        grid->OnCheckBoxMouseUp = [this](TObject*, int c, int r, bool s) { Log("check up", c, r, s); };
        grid->OnRadioClick = [this](TObject*, int c, int r, int i) { Log("radio", c, r, i); };
        grid->OnButtonClick = [this](TObject*, int c, int r) { Log("button", c, r, 0); };
    }
    bool Checked(int col, int row) {
        bool state = false;
        grid->GetCheckBoxState(col, row, state);
        return state;
    }
};

TEST(DatagridObjectInput, CheckBoxesTurnByClickAndSpaceWithoutAnEditor) {
    ObjectWindow window;
    window.Listen();
    window.grid->AddCheckBox(2, 2, false, false);
    window.grid->SetCells(2, 2, "Pump");
    window.Show();
    window.Click(2, 2, 8);
    EXPECT_TRUE(window.Checked(2, 2));
    EXPECT_EQ(window.grid->GetCol(), 2);
    EXPECT_EQ(window.grid->GetRow(), 2);
    window.Press(Qt::Key_Space);
    EXPECT_FALSE(window.Checked(2, 2));
    // Typing opens no editor on it, nor does F2.
    window.Type("x");
    window.Press(Qt::Key_F2);
    EXPECT_FALSE(window.grid->GetEditorMode());
    EXPECT_EQ(window.grid->GetCells(2, 2), "Pump");
    EXPECT_EQ(window.log, (std::vector<std::string>{"check 2,2,1", "check up 2,2,1", "check 2,2,0"}));
    // A cell the handler refuses stays as it is.
    window.grid->OnCanEditCell = [](TObject*, int, int, bool& canEdit) { canEdit = false; };
    window.Press(Qt::Key_Space);
    window.Click(2, 2, 8);
    EXPECT_FALSE(window.Checked(2, 2));
}

TEST(DatagridObjectInput, RadioItemsArePickedByWhereTheyStand) {
    ObjectWindow window;
    window.Listen();
    window.grid->SetRowHeights(2, 60);
    TStrings* items = window.grid->CreateRadio(2, 2, 0, 0);
    items->Add("A");
    items->Add("B");
    items->Add("C");
    window.Show();
    TCanvas measure;
    measure.Font.Assign(window.grid->Font);
    const int height = measure.TextHeight("gh");
    struct Row {
        const char* name;
        int y;
        int index;
    } rows[] = {
        {"the third item", 2 + 2 * height + height / 2, 2},
        {"the first", 2 + height / 2, 0},
        {"between the first two", 2 + height, 0},
        {"the second", 2 + height + height / 2, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTest::mouseClick(window.Cells(), Qt::LeftButton, {}, QPoint(2 * 64 + 20, 2 * 21 + row.y));
        int index = -1;
        window.grid->GetRadioIdx(2, 2, index);
        EXPECT_EQ(index, row.index);
    }
    // The space bar goes on to the next item, after the last the first.
    window.Press(Qt::Key_Space);
    int index = -1;
    window.grid->GetRadioIdx(2, 2, index);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(window.log.back(), "radio 2,2,2");
}

TEST(DatagridObjectInput, AButtonIsPushedWhilePressedAndClickedOnRelease) {
    ObjectWindow window;
    window.Listen();
    window.grid->AddButton(3, 2, 30, 15, "Go", haRight, vaTop);
    window.Show();
    QApplication::processEvents();
    const TRect button = window.grid->ButtonRect(3, 2);
    ASSERT_EQ(button.Width(), 30);
    const QPoint inside(button.Left + 5, button.Top + 5);
    QTest::mousePress(window.Cells(), Qt::LeftButton, {}, inside);
    EXPECT_TRUE(window.grid->GetCellGraphic(3, 2)->State);
    EXPECT_TRUE(window.log.empty());
    QTest::mouseRelease(window.Cells(), Qt::LeftButton, {}, inside);
    EXPECT_FALSE(window.grid->GetCellGraphic(3, 2)->State);
    EXPECT_EQ(window.log, (std::vector<std::string>{"button 3,2,0"}));
    // Beside the button the press is an ordinary one.
    window.Click(3, 2, 3);
    EXPECT_EQ(window.log.size(), 1u);
}

TEST(DatagridObjectInput, ANodeBoxOpensAndClosesItsRows) {
    ObjectWindow window;
    window.grid->SetFixedCols(1);
    for (int r = 1; r < 5; ++r)
        window.grid->SetCells(1, r, "r" + std::to_string(r));
    window.grid->AddNode(1, 3);
    std::vector<int> events;
    window.grid->OnContractNode = [&](TObject*, int row, int real) { events.push_back(row * 10 + real); };
    window.grid->OnExpandNode = [&](TObject*, int row, int real) { events.push_back(-(row * 10 + real)); };
    window.Show();
    window.Click(0, 1, 8);
    EXPECT_EQ(window.grid->GetRowCount(), 3);
    EXPECT_EQ(window.grid->GetCells(1, 2), "r4");
    window.Click(0, 1, 8);
    EXPECT_EQ(window.grid->GetRowCount(), 5);
    EXPECT_EQ(events, (std::vector<int>{11, -11}));
}

TEST(DatagridObjectInput, AGroupedGridsFirstColumnOnlyOpensAndClosesNodes) {
    ObjectWindow window;
    const char* groups[] = {"A", "A", "B"};
    for (int r = 1; r <= 3; ++r) {
        window.grid->SetCells(0, r, "r" + std::to_string(r));
        window.grid->SetCells(1, r, groups[r - 1]);
    }
    window.grid->SetRowCount(4);
    window.grid->Group(1);
    // Node A, its two rows, node B, its row.
    ASSERT_EQ(window.grid->GetRowCount(), 6);
    int clicks = 0;
    window.grid->OnClickCell = [&](TObject*, int, int) { ++clicks; };
    window.Show();
    window.grid->SetRow(1);
    window.Click(0, 2, 8);
    EXPECT_EQ(window.grid->GetRow(), 1);
    window.Click(1, 2, 20);
    EXPECT_EQ(window.grid->GetRow(), 2);
    EXPECT_EQ(clicks, 1);
    // The node box still closes its rows.
    window.Click(0, 1, 8);
    EXPECT_EQ(window.grid->GetRowCount(), 4);
}

TEST(DatagridObjectInput, ACommentShowsBesideItsCell) {
    ObjectWindow window;
    window.grid->AddComment(2, 1, "Check the invert");
    window.Show();
    AnsiString hint;
    bool canShow = true;
    THintInfo info;
    info.CursorPos = Point(2 * 64 + 10, 21 + 10);
    window.grid->ShowHintProc(hint, canShow, info);
    EXPECT_EQ(hint, "Check the invert");
    const QPoint corner = window.Cells()->mapToGlobal(QPoint(3 * 64 - 1, 21));
    EXPECT_NEAR(info.HintPos.x, corner.x(), 1);
    EXPECT_EQ(info.HintPos.y, corner.y());
    // Any other cell's hint stands below it.
    info.CursorPos = Point(64 + 10, 21 + 10);
    hint = "";
    window.grid->ShowHintProc(hint, canShow, info);
    EXPECT_NEAR(info.HintPos.y, window.Cells()->mapToGlobal(QPoint(0, 2 * 21 - 1 + 6)).y(), 1);
}

} // namespace
