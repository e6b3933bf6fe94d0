#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ComboCell : SpecialCell {
    ComboCell(TEditorType type, const char* text, std::initializer_list<const char*> items)
        : SpecialCell(type, text) {
        for (const char* item : items)
            grid->AddComboString(item);
        grid->OnComboChange = [this](TObject*, int ACol, int ARow, int AItemIndex,
                                     const AnsiString& ASelection) {
            log.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + ":" +
                          std::to_string(AItemIndex) + " " + ASelection.str());
        };
    }
    TGridCombo& Combo() const { return *Editors().Combo; }
};

TEST(GridComboEditor, EscapePutsBackTheCellsTextAndItem) {
    ComboCell window(edComboEdit, "B", {"A", "B", "C"});
    window.Open();
    window.Combo().SetEditSel(1, 0);
    window.Type("Z");
    EXPECT_EQ(window.Combo().GetText(), "BZ");
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.Combo().GetText(), "B");
    EXPECT_EQ(window.Combo().GetItemIndex(), 1);
    EXPECT_EQ(window.grid->GetCells(1, 1), "B");
    EXPECT_FALSE(window.Combo().GetVisible());
}

TEST(GridComboEditor, TypingCompletesFromTheItemsAndLeavingKeepsANewText) {
    ComboCell window(edComboEdit, "", {"Banana", "Apple", "Apricot"});
    window.grid->Lookup = true;
    window.grid->LookupHistory = true;
    window.Open();
    // The typed part stays as typed, the rest of the item follows it selected.
    window.Type("ap");
    EXPECT_EQ(window.Combo().GetText(), "apple");
    EXPECT_EQ(window.Combo().GetItemIndex(), 1);
    EXPECT_EQ(window.Combo().GetSelStart(), 2);
    EXPECT_EQ(window.Combo().GetSelLength(), 3);
    // Backspace completes nothing.
    window.Press(Qt::Key_Backspace);
    EXPECT_EQ(window.Combo().GetText(), "ap");
    window.Type("ricots");
    EXPECT_EQ(window.Combo().GetText(), "apricots");
    window.edit->SetFocus();
    EXPECT_EQ(window.grid->GetCells(1, 1), "apricots");
    EXPECT_EQ(window.Combo().Items[3], "apricots");
}

TEST(GridComboEditor, TheWheelMovesThroughTheItemsAndStopsAtBothEnds) {
    ComboCell window(edComboList, "B", {"A", "B", "C"});
    window.Open();
    struct Turn {
        int delta;
        int index;
    } turns[] = {{-120, 2}, {-120, 2}, {120, 1}, {120, 0}, {120, 0}};
    for (const Turn& turn : turns) {
        EXPECT_TRUE(window.Combo().ViewMouseWheel({}, turn.delta, 5, 5));
        EXPECT_EQ(window.Combo().GetItemIndex(), turn.index);
    }
    EXPECT_EQ(window.log, (std::vector<std::string>{"1,1:2 C", "1,1:2 C", "1,1:1 B", "1,1:0 A", "1,1:0 A"}));
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "A");
}

TEST(GridComboEditor, ButtonWidthLimitsAndTheDisabledFace) {
    ComboCell window(edComboList, "B", {"A"});
    TGridCombo& combo = window.Combo();
    EXPECT_EQ(combo.GetButtonWidth(), 16);
    for (const int width : {13, 14, 32, 33}) {
        SCOPED_TRACE(width);
        combo.SetButtonWidth(20);
        combo.SetButtonWidth(width);
        EXPECT_EQ(combo.GetButtonWidth(), width >= 14 && width <= 32 ? width : 20);
    }
    window.grid->SetColor(clYellow);
    combo.SetEnabled(true);
    combo.SetColor(clAqua);
    combo.SetEnabled(false);
    EXPECT_EQ(combo.GetColor(), clYellow);
    combo.SetEnabled(true);
    EXPECT_EQ(combo.GetColor(), clAqua);
}

TEST(GridComboEditor, OpenedByAClickTheCaretStandsWhereTheMouseIs) {
    struct Row {
        const char* label;
        bool caretPositioning;
        int dx;
    } rows[] = {{"near the start", true, 14}, {"further on", true, 34}, {"placement off", false, 34}};
    int lastCaret = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ComboCell window(edComboEdit, "abcdefghijkl", {"A"});
        window.grid->MouseActions->DirectEdit = true;
        window.grid->MouseActions->CaretPositioning = row.caretPositioning;
        window.Show();
        const QPoint at(64 + row.dx, 21 + 10);
        QCursor::setPos(window.Cells()->mapToGlobal(at));
        QTest::mouseClick(window.Cells(), Qt::LeftButton, {}, at);
        TGridCombo& combo = window.Combo();
        ASSERT_TRUE(combo.GetVisible());
        UpdateStaleViews();
        // The mouse coming over the box redraws it and leaves the caret where it is.
        combo.ViewMouseEnter();
        UpdateStaleViews();
        const int caret = combo.GetSelStart();
        if (row.caretPositioning) {
            EXPECT_EQ(combo.GetSelLength(), 0);
            EXPECT_GT(caret, lastCaret);
            EXPECT_LT(caret, 12);
            lastCaret = caret;
        } else {
            EXPECT_TRUE(caret == 0 || caret == 12);
        }
    }
}

} // namespace
