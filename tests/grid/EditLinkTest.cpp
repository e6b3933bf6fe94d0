#include "grid/EditLink.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A link that edits with a line edit and logs what the grid asks of it.
class LineEditLink : public TEditLink {
public:
    LineEditLink(std::vector<std::string>& log) : TEditLink(nullptr), log(log) {}

    TWinControl* GetEditControl() override { return edit; }
    void CreateEditor(TWinControl* AParent) override {
        log.push_back("CreateEditor");
        if (edit)
            return;
        edit = new TEdit(AParent);
        // A pop-up frees its edit with it: the next opening makes another.
        edit->FreeNotification(this);
        edit->SetParent(AParent);
        edit->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) {
            EditKeyDown(Sender, Key, Shift);
        };
        edit->OnExit = [this](TObject* Sender) { EditExit(Sender); };
    }
    void SetRect(TRect R) override {
        log.push_back("SetRect");
        TEditLink::SetRect(R);
    }
    void SetVisible(bool Value) override {
        log.push_back(Value ? "SetVisible(true)" : "SetVisible(false)");
        TEditLink::SetVisible(Value);
    }
    void SetCellProps(TColor, const TFont&) override { log.push_back("SetCellProps"); }
    void SetProperties() override { log.push_back("SetProperties"); }
    void SetEditorValue(const AnsiString& Value) override {
        log.push_back("SetEditorValue " + Value.str());
        edit->SetText(Value);
    }
    AnsiString GetEditorValue() override { return edit->GetText(); }
    void SetFocus(bool Value) override {
        log.push_back(Value ? "SetFocus(true)" : "SetFocus(false)");
        TEditLink::SetFocus(Value);
    }

    TEdit* edit = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove && AComponent == edit)
            edit = nullptr;
        TEditLink::Notification(AComponent, Operation);
    }

private:
    std::vector<std::string>& log;
};

struct LinkedCell : SpecialCell {
    LinkedCell() : SpecialCell(edCustom, "old"), link(log) {
        grid->SetEditLink(&link);
        grid->OnGetEditorProp = [this](TObject*, int ACol, int ARow, TEditLink* AEditLink) {
            EXPECT_EQ(AEditLink, &link);
            log.push_back("OnGetEditorProp " + std::to_string(ACol) + "," + std::to_string(ARow));
        };
        grid->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
            if (Key == VK_RETURN)
                log.push_back("grid saw Return");
        };
    }
    LineEditLink link;
};

TEST(EditLink, OpensInTheCellInOrderAndReturnWritesAndAdvancesUnseen) {
    LinkedCell window;
    window.Open();
    EXPECT_EQ(window.log, (std::vector<std::string>{"CreateEditor", "SetRect", "SetVisible(true)",
                                                    "SetCellProps", "SetProperties", "OnGetEditorProp 1,1",
                                                    "SetEditorValue old", "SetFocus(true)"}));
    const TRect cell = window.grid->CellRect(1, 1);
    EXPECT_EQ(window.link.edit->BoundsRect(),
              Rect(cell.Left, cell.Top, cell.Right - window.grid->GetGridLineWidth(),
                   cell.Bottom - window.grid->GetGridLineWidth()));
    EXPECT_TRUE(window.HasFocus(*window.link.edit));
    window.log.clear();
    // Home stays with the editor, whatever the switches.
    window.link.WantKeyHomeEnd = false;
    window.Press(Qt::Key_Home);
    EXPECT_TRUE(window.HasFocus(*window.link.edit));
    window.Type("new");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "newold");
    EXPECT_FALSE(window.link.edit->GetVisible());
    EXPECT_EQ(window.grid->GetCol(), 2);
    EXPECT_EQ(window.log, std::vector<std::string>{"SetVisible(false)"});
}

TEST(EditLink, KeysTheSwitchesKeepStayWithTheEditor) {
    LinkedCell window;
    window.link.WantKeyHomeEnd = true;
    window.link.WantKeyUpDown = true;
    window.Open();
    for (const Qt::Key key : {Qt::Key_End, Qt::Key_Up, Qt::Key_Down}) {
        window.Press(key);
        EXPECT_TRUE(window.HasFocus(*window.link.edit)) << key;
    }
    window.link.WantKeyUpDown = false;
    window.Press(Qt::Key_Down);
    EXPECT_EQ(window.grid->GetRow(), 2);
    EXPECT_FALSE(window.link.edit->GetVisible());
}

TEST(EditLink, EscapePutsBackTheTextOfTheCellItWasOpenedOn) {
    LinkedCell window;
    // Real column 1 hidden: display column 1 is real column 2.
    window.grid->SetCells(2, 1, "orig");
    window.grid->HideColumn(1);
    window.grid->OnGetEditorType = [](TObject*, int ACol, int ARow, TEditorType& AEditor) {
        if (ACol == 2 && ARow == 1)
            AEditor = edCustom;
    };
    window.Open();
    EXPECT_EQ(window.link.edit->GetText(), "orig");
    window.Press(Qt::Key_End);
    window.Type("zz");
    window.Press(Qt::Key_Escape);
    EXPECT_EQ(window.grid->GetCellEx(2, 1), "orig");
    EXPECT_EQ(window.grid->GetCellEx(1, 1), "old");
}

TEST(EditLink, APopupWritesBackAndGoesWhenTheUserClicksElsewhere) {
    LinkedCell window;
    window.link.EditStyle = esPopup;
    window.link.PopupWidth = 120;
    window.link.PopupHeight = 40;
    // The plain cell beside it edited first, so that the grid has its own text editor.
    window.Show();
    window.Select(2, 1);
    window.Press(Qt::Key_F2);
    window.Press(Qt::Key_Escape);
    ASSERT_NE(window.grid->GetInplaceEditor(), nullptr);
    window.Select(1, 1);
    window.Press(Qt::Key_F2);
    ASSERT_NE(window.link.GetPopup(), nullptr);
    const QPointer<QWidget> popup = window.link.GetPopup()->View();
    EXPECT_EQ(window.link.GetParent(), window.link.GetPopup());
    EXPECT_EQ(window.link.edit->BoundsRect(),
              Rect(0, 0, 120 - window.grid->GetGridLineWidth(), 40 - window.grid->GetGridLineWidth()));
    EXPECT_EQ(QApplication::activePopupWidget(), popup);
    EXPECT_TRUE(window.HasFocus(*window.link.edit));
    window.Type("typed");
    // The click goes to the window under the pointer as the system hands it to Qt, which gives
    // it to the open pop-up window, which closes.
    QWindow* main = window.form.View()->windowHandle();
    QTest::mouseClick(main, Qt::LeftButton, {}, window.edit->View()->mapTo(window.form.View(), QPoint(5, 5)));
    QApplication::processEvents();
    EXPECT_EQ(window.grid->GetCells(1, 1), "typed");
    EXPECT_EQ(window.EditorText(), "typed");
    EXPECT_EQ(window.link.GetPopup(), nullptr);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Opened again, the pop-up has an edit of its own with the cell's text.
    window.Select(1, 1);
    QTest::keyClick(window.grid->View(), Qt::Key_F2);
    ASSERT_NE(window.link.edit, nullptr);
    EXPECT_EQ(window.link.edit->GetText(), "typed");
    QTest::mouseClick(main, Qt::LeftButton, {}, window.edit->View()->mapTo(window.form.View(), QPoint(5, 5)));
    QApplication::processEvents();
    EXPECT_EQ(window.grid->GetCells(1, 1), "typed");
    EXPECT_EQ(window.link.GetPopup(), nullptr);
}

TEST(EditLink, KeysLeaveAPopupAsTheyLeaveTheCell) {
    const struct {
        const char* label;
        TEditStyle style;
        Qt::Key key;
        const char* cell;
        int col, row;
    } rows[] = {
        {"Escape in the cell", esInplace, Qt::Key_Escape, "old", 1, 1},
        {"Escape in a pop-up", esPopup, Qt::Key_Escape, "old", 1, 1},
        {"Return in a pop-up", esPopup, Qt::Key_Return, "typed", 2, 1},
        {"Down in a pop-up", esPopup, Qt::Key_Down, "typed", 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        LinkedCell window;
        window.link.EditStyle = row.style;
        window.link.PopupWidth = 120;
        window.link.PopupHeight = 40;
        window.Open();
        window.Type("typed");
        window.Press(row.key);
        QApplication::processEvents();
        EXPECT_EQ(window.grid->GetCells(1, 1), row.cell);
        EXPECT_EQ(window.grid->GetCol(), row.col);
        EXPECT_EQ(window.grid->GetRow(), row.row);
        EXPECT_EQ(window.link.GetPopup(), nullptr);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST(EditLink, APopupGoesWithItsGrid) {
    std::vector<std::string> log;
    LineEditLink link(log);
    QPointer<QWidget> popup;
    {
        LinkedCell window;
        window.grid->SetEditLink(&link);
        window.grid->OnGetEditorProp = nullptr;
        link.EditStyle = esPopup;
        link.PopupWidth = 80;
        link.PopupHeight = 30;
        window.Open();
        ASSERT_NE(link.GetPopup(), nullptr);
        popup = link.GetPopup()->View();
    }
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(link.GetPopup(), nullptr);
    EXPECT_EQ(link.GetGrid(), nullptr);
}

} // namespace

namespace {

// The custom editor on (1, 1) "old", in the cell or in a pop-up, typed into or not, then the grid
// changed from code, then the user clicks the edit box beside the grid: the link writes only a
// value the user changed, and only into its own cell wherever that went; a text set from code
// in its cell is the editor's text from then on.
TEST(EditLink, WritesOnlyWhatTheUserChangedIntoItsOwnCell) {
    const struct {
        const char* label;
        TEditStyle style;
        const char* typed;
        std::function<void(TDataGrid&)> change;
        const char* cell1;
        const char* cell2;
    } rows[] = {
        {"untouched, its cell set", esInplace, "", [](TDataGrid& g) { g.SetCells(1, 1, "new"); }, "new",
         "below"},
        {"pop-up, untouched, its cell set", esPopup, "", [](TDataGrid& g) { g.SetCells(1, 1, "new"); }, "new",
         "below"},
        {"typed, its cell set", esInplace, "x", [](TDataGrid& g) { g.SetCells(1, 1, "new"); }, "new",
         "below"},
        {"pop-up, typed, its cell set", esPopup, "x", [](TDataGrid& g) { g.SetCells(1, 1, "new"); }, "new",
         "below"},
        {"typed, rows swapped", esInplace, "x", [](TDataGrid& g) { g.SwapRows(1, 2); }, "below", "x"},
        {"pop-up, typed, rows swapped", esPopup, "x", [](TDataGrid& g) { g.SwapRows(1, 2); }, "below", "x"},
        {"pop-up, untouched, rows swapped", esPopup, "", [](TDataGrid& g) { g.SwapRows(1, 2); }, "below",
         "old"},
        {"pop-up, typed, its row removed", esPopup, "x", [](TDataGrid& g) { g.RemoveRows(1, 1); }, "below",
         ""},
        {"pop-up, typed, nothing changed", esPopup, "x", [](TDataGrid&) {}, "x", "below"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        LinkedCell window;
        window.grid->SetCells(1, 2, "below");
        window.link.EditStyle = row.style;
        window.link.PopupWidth = 120;
        window.link.PopupHeight = 40;
        window.Open();
        window.Type(row.typed);
        row.change(*window.grid);
        QApplication::processEvents();
        QWindow* main = window.form.View()->windowHandle();
        QTest::mouseClick(main, Qt::LeftButton, {},
                          window.edit->View()->mapTo(window.form.View(), QPoint(5, 5)));
        window.edit->SetFocus();
        QApplication::processEvents();
        EXPECT_EQ(window.grid->GetCells(1, 1), row.cell1);
        EXPECT_EQ(window.grid->GetCells(1, 2), row.cell2);
        EXPECT_EQ(window.link.GetPopup(), nullptr);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

} // namespace

// Mended: a link given to a grid and freed before it, never opened, left the grid pointing at it,
// and the grid's own freeing then called into the freed link.
TEST(EditLink, ALinkFreedBeforeItsGridIsForgotten) {
    for (const bool opened : {false, true}) {
        SCOPED_TRACE(opened ? "opened and closed" : "never opened");
        SpecialCell cell(edCustom, "old");
        auto link = std::make_unique<TEditLink>(nullptr);
        cell.grid->SetEditLink(link.get());
        if (opened) {
            cell.Open();
            cell.grid->HideInplaceEdit();
        }
        link.reset();
        EXPECT_EQ(cell.grid->EditLink, nullptr);
        // The cell opens no custom editor now, and nothing reads the freed link.
        cell.Open();
        EXPECT_EQ(cell.grid->GetCells(1, 1), "old");
    }
}
