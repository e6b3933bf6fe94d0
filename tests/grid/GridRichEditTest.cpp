#include "grid/GridRichEdit.h"
#include "framework/RichDocument.h"
#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* BoldOld =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs16 \\b old\\b0  text\\par}";

// A cell's rich text as its runs: the text, "*" when bold, "^" and the half points it is raised
// by (negative: lowered); paragraphs split by "|".
std::string Runs(const AnsiString& rtf) {
    QTextDocument doc;
    RtfToDocument(rtf.view(), doc);
    std::string out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            out += "|";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            out += "[" + it.fragment().text().toStdString();
            if (format.fontWeight() >= QFont::Bold)
                out += "*";
            if (RaisedBy(format) != 0)
                out += "^" + std::to_string(RaisedBy(format));
            out += "]";
        }
    }
    return out;
}

// Every cell of the editing window edited in the rich edit.
struct RichWindow : SpecialCell {
    explicit RichWindow(const char* text) : SpecialCell(edRichEdit, text) {
        grid->OnGetEditorType = [](TObject*, int, int, TEditorType& AEditor) { AEditor = edRichEdit; };
    }
    TGridRichEdit& Rich() const { return *Editors().RichEdit; }
    void OpenAt(int col, int row) {
        Show();
        Select(col, row);
        Press(Qt::Key_F2);
    }
};

TEST(GridRichEdit, OpensOverTheCellWithItsTextAllSelected) {
    struct Row {
        const char* label;
        const char* cell;
        const char* shown;
    } rows[] = {
        {"rich text shows formatted", BoldOld, "[old*][ text]"},
        {"plain text as it stands", "abc", "[abc]"},
        {"an empty cell an empty edit", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        RichWindow window(row.cell);
        window.Open();
        TGridRichEdit& rich = window.Rich();
        const TRect cell = window.grid->CellRect(1, 1);
        EXPECT_TRUE(rich.GetVisible());
        EXPECT_TRUE(rich.GetEnabled());
        EXPECT_TRUE(window.HasFocus(rich));
        EXPECT_EQ(rich.BoundsRect(), Rect(cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1));
        EXPECT_EQ(Runs(rich.GetRichText()), row.shown);
        EXPECT_EQ(rich.GetSelStart(), 0);
        EXPECT_EQ(rich.GetSelLength(), rich.Document().characterCount() - 1);
        EXPECT_FALSE(window.grid->GetEditorMode());
    }
}

TEST(GridRichEdit, TypedBoldRaisedAndLoweredCharactersAreStoredAsRichText) {
    struct Row {
        const char* label;
        // How the editor is left.
        std::function<void(RichWindow&)> leave;
        int row;
    } rows[] = {
        {"Down", [](RichWindow& w) { w.Press(Qt::Key_Down); }, 2},
        {"a click on another cell", [](RichWindow& w) { w.Click(3, 3); }, 3},
        {"the focus going to another control", [](RichWindow& w) { w.edit->SetFocus(); }, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        RichWindow window(BoldOld);
        window.Open();
        TGridRichEdit& rich = window.Rich();
        // The first key replaces the whole text and takes the format of its first character.
        window.Type("H");
        rich.SetSelStyle(0);
        window.Type("2");
        rich.SelSubscript();
        window.Type("O");
        rich.SelSuperscript();
        window.Type("x");
        rich.SelNormal();
        rich.SetSelStyle(fsBold);
        window.Type("y");
        row.leave(window);
        EXPECT_FALSE(rich.GetVisible());
        EXPECT_EQ(window.grid->GetRow(), row.row);
        const AnsiString stored = window.grid->GetCells(1, 1);
        // 40 twips are 4 half points: "\dn4" and "\up4".
        EXPECT_EQ(Runs(stored), "[H*][2][O^-4][x^4][y*]");
        EXPECT_EQ(stored.view().substr(0, 5), "{\\rtf");
        EXPECT_NE(stored.view().find("\\dn4"), std::string_view::npos) << stored.str();
        EXPECT_NE(stored.view().find("\\up4"), std::string_view::npos) << stored.str();
    }
}

TEST(GridRichEdit, TypingOnTheCellOpensTheEditorWithTheKey) {
    RichWindow window(BoldOld);
    window.Show();
    window.Select(1, 1);
    window.Type("z");
    QApplication::processEvents();
    EXPECT_TRUE(window.HasFocus(window.Rich()));
    EXPECT_EQ(Runs(window.Rich().GetRichText()), "[z*]");
}

TEST(GridRichEdit, EscapeAndAnUnchangedEditLeaveTheCellAsItWas) {
    struct Row {
        const char* label;
        const char* cell;
        const char* typed;
        Qt::Key key;
        int row;
    } rows[] = {
        {"Escape after typing, rich text", BoldOld, "new", Qt::Key_Escape, 1},
        {"Escape after typing, plain text", "abc", "new", Qt::Key_Escape, 1},
        {"left unchanged, plain text stays plain", "abc", "", Qt::Key_Down, 2},
        {"left unchanged, rich text stays byte for byte", BoldOld, "", Qt::Key_Down, 2},
        {"an empty cell left empty stays empty", "", "", Qt::Key_Down, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        RichWindow window(row.cell);
        window.Open();
        window.Type(row.typed);
        window.Press(row.key);
        EXPECT_EQ(window.grid->GetCells(1, 1), row.cell);
        EXPECT_FALSE(window.Rich().GetVisible());
        EXPECT_EQ(window.grid->GetRow(), row.row);
        EXPECT_TRUE(window.HasFocus(*window.grid));
    }
}

TEST(GridRichEdit, UpAndDownLeaveTheEditorUnlessCellsHoldSeveralLines) {
    struct Row {
        const char* label;
        bool wordWrap;
        bool multiline;
        Qt::Key key;
        bool leaves;
        int row;
    } rows[] = {
        {"Up to the row above", false, false, Qt::Key_Up, true, 1},
        {"Down to the row below", false, false, Qt::Key_Down, true, 3},
        {"WordWrap keeps Up in the editor", true, false, Qt::Key_Up, false, 2},
        {"Multilinecells keeps Down in the editor", false, true, Qt::Key_Down, false, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        RichWindow window("");
        window.grid->SetCells(2, 2, "abc");
        window.grid->SetWordWrap(row.wordWrap);
        window.grid->Multilinecells = row.multiline;
        window.OpenAt(2, 2);
        window.Type("q");
        window.Press(row.key);
        EXPECT_EQ(window.Rich().GetVisible(), !row.leaves);
        EXPECT_EQ(window.grid->GetRow(), row.row);
        EXPECT_EQ(window.grid->GetCol(), 2);
        // Left, the typed text is the cell's; kept, Escape then leaves the cell as it was, so the key
        // wrote nothing.
        if (!row.leaves)
            window.Press(Qt::Key_Escape);
        EXPECT_EQ(Runs(window.grid->GetCells(2, 2)), row.leaves ? "[q]" : "[abc]");
    }
}

TEST(GridRichEdit, TheRowGrowsWithTheTextWhileTypingButNotPastTheGrid) {
    struct Row {
        const char* label;
        bool sizeWhileTyping;
        int row;
        int lines;
    } rows[] = {
        {"grows line by line", true, 1, 3},
        {"stays at the grid's bottom edge", true, 4, 12},
        {"without SizeWhileTyping.Height the row stays", false, 1, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        RichWindow window("");
        window.grid->SizeWhileTyping->Height = row.sizeWhileTyping;
        window.OpenAt(1, row.row);
        TGridRichEdit& rich = window.Rich();
        const int top = window.grid->CellRect(1, row.row).Top;
        window.Type("a");
        int height = window.grid->GetRowHeights(row.row);
        int grown = 0;
        for (int line = 1; line < row.lines; ++line) {
            window.Press(Qt::Key_Return);
            window.Type("a");
            const int now = window.grid->GetRowHeights(row.row);
            EXPECT_GE(now, height);
            grown += now > height;
            height = now;
        }
        EXPECT_TRUE(rich.GetVisible());
        if (!row.sizeWhileTyping) {
            EXPECT_EQ(height, 21);
            EXPECT_EQ(rich.Height(), 20);
            continue;
        }
        // Each row of text adds a line's height; the editor covers the row.
        EXPECT_GT(grown, 0);
        EXPECT_EQ(rich.Height(), height);
        EXPECT_LE(top + height, window.grid->ClientHeight());
        if (row.lines == 3)
            EXPECT_EQ(grown, 2);
        else
            EXPECT_LT(grown, row.lines - 1);
    }
}

TEST(GridRichEdit, TheEditorsSelectionMovesAreTheGridsEvent) {
    RichWindow window("abc");
    int changes = 0;
    window.grid->OnRichEditSelectionChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, window.grid);
        ++changes;
    };
    window.Open();
    const int opened = changes;
    window.Press(Qt::Key_Home);
    window.Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(changes, opened + 2);
    EXPECT_EQ(window.Rich().GetSelLength(), 1);
    window.Press(Qt::Key_Down);
    window.Press(Qt::Key_Right);
    EXPECT_EQ(changes, opened + 2);
}

} // namespace
