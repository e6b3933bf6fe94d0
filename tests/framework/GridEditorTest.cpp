#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/Grids.h"
#include "tests/framework/ActiveWindow.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A shown, active window with a 5 x 5 editable string grid and an edit box beside it.
struct EditorForm : TForm {
    EditorForm() : TForm(nullptr) {
        SetBounds(0, 0, 400, 300);
        Grid->SetParent(this);
        Grid->SetBounds(0, 0, 330, 140);
        Grid->SetOptions(Grid->GetOptions() | goEditing);
        Box->SetParent(this);
        Box->SetBounds(0, 150, 100, 21);
        Grid->OnEnter = [this](TObject*) { log.push_back("enter"); };
        Grid->OnExit = [this](TObject*) { log.push_back("exit"); };
        Grid->OnSetEditText = [this](TObject*, int ACol, int ARow, const AnsiString& Value) {
            log.push_back("set " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value.str());
        };
        ShowActive(*this);
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    bool EditorFocused() const {
        return Grid->InplaceEditor() && QApplication::focusWidget() == Grid->InplaceEditor()->View();
    }
    TStringGrid* Grid = new TStringGrid(this);
    TEdit* Box = new TEdit(this);
    std::vector<std::string> log;
};

TEST(GridEditor, FocusEntersAndLeavesTheGridAndItsEditorTogether) {
    EditorForm form;
    form.Box->SetFocus();
    form.log.clear();
    form.Grid->SetFocus();
    form.Type("a");
    EXPECT_TRUE(form.EditorFocused());
    form.Press(Qt::Key_Down);
    form.Type("b");
    form.Box->SetFocus();
    form.Grid->SetFocus();
    QApplication::processEvents();
    // Focus that comes to the grid goes on into the editor still open there.
    EXPECT_TRUE(form.EditorFocused());
    EXPECT_EQ(form.log, (std::vector<std::string>{"enter", "set 1,1 a", "set 1,2 b", "exit", "enter"}));
}

TEST(GridEditor, TheEditorWritesItsCellOnlyWhenTheTextChanges) {
    EditorForm form;
    form.Grid->SetCells(1, 1, "12");
    form.Grid->SetFocus();
    form.log.clear();
    form.Press(Qt::Key_F2);
    form.Press(Qt::Key_Return);
    EXPECT_FALSE(form.Grid->GetEditorMode());
    EXPECT_TRUE(form.log.empty());
    form.Press(Qt::Key_F2);
    form.Press(Qt::Key_End);
    form.Type("5");
    form.Press(Qt::Key_Return);
    EXPECT_EQ(form.log, (std::vector<std::string>{"set 1,1 125"}));
    EXPECT_EQ(form.Grid->GetCells(1, 1), "125");
}

TEST(GridEditor, KeysInTheEditor) {
    struct Row {
        const char* name;
        TGridOptions options;
        Qt::Key key;
        int col, row;
        bool editing;
    } rows[] = {
        {"down moves on", 0, Qt::Key_Down, 1, 2, false},
        {"left stays in the text", 0, Qt::Key_Left, 1, 1, true},
        {"tab moves on with tabs", goTabs, Qt::Key_Tab, 2, 1, false},
        {"escape is the grid's", 0, Qt::Key_Escape, 1, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditorForm form;
        form.Grid->SetOptions(form.Grid->GetOptions() | row.options);
        form.Grid->SetFocus();
        form.Type("x");
        form.Press(row.key);
        EXPECT_EQ(form.Grid->GetCol(), row.col);
        EXPECT_EQ(form.Grid->GetRow(), row.row);
        EXPECT_EQ(form.Grid->GetEditorMode(), row.editing);
        EXPECT_EQ(form.Grid->GetCells(1, 1), "x");
    }
}

TEST(GridEditor, ChangingRowsClosesTheEditorWithItsText) {
    EditorForm form;
    form.Grid->SetFocus();
    form.Type("kept");
    form.Grid->SetRowCount(3);
    EXPECT_FALSE(form.Grid->GetEditorMode());
    EXPECT_EQ(form.Grid->GetCells(1, 1), "kept");
    form.Press(Qt::Key_Down);
    form.Type("moved");
    form.Grid->InsertEmptyRows(1, 1);
    EXPECT_FALSE(form.Grid->GetEditorMode());
    EXPECT_EQ(form.Grid->GetCells(1, 3), "moved");
    EXPECT_EQ(form.Grid->GetCells(1, 2), "kept");
}

} // namespace
