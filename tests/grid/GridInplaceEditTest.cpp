#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"
#include "tests/grid/EditingWindow.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/EditMouse.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The editor opened with F2 on cell (1, 1) of an editing window, the cell holding a text first.
struct OpenEditor : EditingWindow {
    OpenEditor(TEditorType type, const char* text) {
        grid->SetCells(1, 1, text);
        grid->OnGetEditorType = [type](TObject*, int, int, TEditorType& AEditor) { AEditor = type; };
    }
    void Open() {
        Show();
        Select(1, 1);
        Press(Qt::Key_F2);
    }
    TGridInplaceEdit& Editor() { return *grid->GetInplaceEditor(); }
};

// Rows of keys typed into the editor of a cell of one type: the text that stays and whether the
// refusal beeped. "<" puts the caret at the start, ">" at the end; the rest is typed.
TEST(GridInplaceEdit, TheEditorTypeFiltersTypedCharacters) {
    struct Row {
        const char* name;
        TEditorType type;
        const char* text;
        const char* keys;
        const char* result;
        int beeps;
    } rows[] = {
        {"numeric: a sign after the digits beeps", edNumeric, "12", ">-", "12", 1},
        {"numeric: a sign at the start", edNumeric, "12", "<-", "-12", 0},
        {"numeric: a second sign beeps", edNumeric, "12", "<-<-", "-12", 1},
        {"numeric: letters beep", edNumeric, "", "1a2", "12", 1},
        // Mended: a digit typed before the sign went in, and the cell held no number.
        {"numeric: nothing before the sign", edNumeric, "-3", "<5", "-3", 1},
        {"float: nothing before the sign", edFloat, "-3", "<5.", "-3", 1},
        {"positive: no sign", edPositiveNumeric, "12", "<-", "12", 1},
        {"float: one point", edFloat, "1.5", ">.", "1.5", 0},
        {"float: letters dropped without a beep", edFloat, "", "2x.5", "2.5", 0},
        {"float: a sign only at the start", edFloat, "2", ">-", "2", 1},
        {"upper case", edUpperCase, "", "abc", "ABC", 0},
        {"capital", edCapital, "", "ab", "AB", 0},
        {"lower case", edLowerCase, "", "AbC", "abc", 0},
        {"mixed case: names", edMixedCase, "", "henry ii", "Henry II", 0},
        {"normal: anything", edNormal, "", "a-1.,x", "a-1.,x", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OpenEditor window(row.type, row.text);
        window.Open();
        const int beeps = MessageBeeps();
        for (const char* key = row.keys; *key; ++key) {
            if (*key == '<')
                window.Press(Qt::Key_Home);
            else if (*key == '>')
                window.Press(Qt::Key_End);
            else
                window.Type(std::string(1, *key).c_str());
        }
        EXPECT_EQ(window.EditorText(), row.result);
        EXPECT_EQ(window.grid->GetCells(1, 1), row.result);
        EXPECT_EQ(MessageBeeps() - beeps, row.beeps);
    }
}

TEST(GridInplaceEdit, AFloatCellsPointCanBeReplacedByAComma) {
    OpenEditor window(edFloat, "1.5");
    window.Open();
    window.Editor().SetSelection(1, 2);
    window.Type(",");
    EXPECT_EQ(window.EditorText(), "1,5");
}

TEST(GridInplaceEdit, AtTheLengthLimitOnlyAnAdvancingEnterPasses) {
    struct Row {
        const char* name;
        const char* text;
        bool advanceOnEnter;
        int col;
    } rows[] = {
        {"Enter advances", "abc", true, 2},
        {"Enter dropped", "abc", false, 1},
        // A text set from code may be longer than the limit: typing still stops.
        {"above the limit, Enter advances", "abcde", true, 2},
        {"above the limit, Enter dropped", "abcde", false, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OpenEditor window(edNormal, row.text);
        window.grid->MaxEditLength = 3;
        window.grid->Navigation->AdvanceOnEnter = row.advanceOnEnter;
        window.Open();
        window.Press(Qt::Key_End);
        window.Type("d");
        EXPECT_EQ(window.EditorText(), row.text);
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.grid->GetCol(), row.col);
        EXPECT_EQ(window.grid->GetEditorMode(), true);
    }
}

TEST(GridInplaceEdit, PastedTextKeepsToTheCellsType) {
    struct Row {
        const char* name;
        TEditorType type;
        const char* pasted;
        const char* result;
        bool allowed;
    } rows[] = {
        {"not a whole number", edNumeric, "12a", "7", true},
        {"a whole number", edNumeric, "-12", "-12", true},
        {"a number with its line end", edFloat, "2.5\r\n", "2.5", true},
        {"upper case", edUpperCase, "abc", "ABC", true},
        {"refused by the grid's event", edNormal, "x", "7", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OpenEditor window(row.type, "7");
        window.grid->OnClipboardPaste = [&](TObject* Sender, bool& Allow) {
            EXPECT_EQ(Sender, window.grid->GetInplaceEditor());
            Allow = row.allowed;
        };
        window.Open();
        Clipboard().SetAsText(row.pasted);
        window.Press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(window.EditorText(), row.result);
    }
}

// Mended: typed letters turned upper case as ASCII only, pasted ones by the locale, and a capitals
// cell took a paste as it stood; the length limit counted bytes, so "é" counted two.
TEST(GridInplaceEdit, TypedAndPastedTextKeepTheSameCaseAndLengthRules) {
    struct Row {
        const char* name;
        TEditorType type;
        int maxLength;
        const char* text;
        bool paste;
        const char* entered;
        const char* result;
        bool lineFeedOnEnter = false;
    } rows[] = {
        {"upper case typed", edUpperCase, 0, "", false, "éa", "ÉA"},
        {"upper case pasted", edUpperCase, 0, "", true, "éa", "ÉA"},
        {"capitals typed", edCapital, 0, "", false, "øb", "ØB"},
        {"capitals pasted", edCapital, 0, "", true, "øb", "ØB"},
        {"lower case typed", edLowerCase, 0, "", false, "ÉA", "éa"},
        {"lower case pasted", edLowerCase, 0, "", true, "ÉA", "éa"},
        {"the limit in characters, typed", edNormal, 3, "é", false, "ééé", "ééé"},
        {"the limit in characters, pasted", edNormal, 3, "é", true, "éé", "ééé"},
        {"past the limit, pasted", edNormal, 3, "éé", true, "éé", "éé"},
        {"upper case at the limit, typed", edUpperCase, 2, "", false, "aé", "AÉ"},
        // Mended: the limit was held to the paste before its capitals, and "ß" grew to "SS", so
        // that the end of the paste was cut off; Ctrl+Z did nothing once the text was full.
        {"upper case past the limit in capitals, pasted", edUpperCase, 3, "", true, "ßab", ""},
        {"upper case within the limit in capitals, pasted", edUpperCase, 3, "", true, "ßa", "SSA"},
        {"undo at the limit, typed", edNormal, 3, "", false, "abc\x1A", "ab"},
        {"undo at the limit, pasted", edNormal, 3, "ab", true, "c\x1A", "ab"},
        // Mended: a number cell's paste was checked as a whole number only, so that a sign could
        // stand anywhere in it, and a positive cell took one.
        {"no sign in a positive cell, typed", edPositiveNumeric, 0, "", false, "-5", "5"},
        {"no sign in a positive cell, pasted", edPositiveNumeric, 0, "", true, "-5", ""},
        {"a sign only first, typed", edNumeric, 0, "", false, "5-3", "53"},
        {"a sign only first, pasted", edNumeric, 0, "", true, "5-3", ""},
        {"a sign first, pasted", edNumeric, 0, "", true, "-53", "-53"},
        {"a float's sign only first, typed", edFloat, 0, "", false, "1-2", "12"},
        {"a float's sign only first, pasted", edFloat, 0, "", true, "1-2", ""},
        {"a float's sign not last, pasted", edFloat, 0, "", true, "2.5-", ""},
        {"a float's sign first, pasted", edFloat, 0, "", true, "-2.5", "-2.5"},
        {"a float's sign, pasted after one", edFloat, 0, "-", true, "2.5", "-2.5"},
        // Mended: Enter as a line feed at the limit put in a lone carriage return.
        {"a line break at the limit, typed", edNormal, 3, "ab", false, "\r", "ab", true},
        {"a line break within the limit, typed", edNormal, 4, "ab", false, "\r", "ab\r\n", true},
        {"a line break at the limit, pasted", edNormal, 3, "a", true, "b\r\nc", "a", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OpenEditor window(row.type, row.text);
        window.grid->MaxEditLength = row.maxLength;
        window.grid->Navigation->LineFeedOnEnter = row.lineFeedOnEnter;
        window.grid->Multilinecells = row.lineFeedOnEnter;
        window.Open();
        window.Press(Qt::Key_End);
        // A paste takes the text up to a Ctrl+Z ("\x1A"), which is typed after it.
        const QString entered = QString::fromUtf8(row.entered);
        const qsizetype found = entered.indexOf(QChar(0x1A));
        const qsizetype typedFrom = !row.paste ? 0 : found < 0 ? entered.size() : found;
        if (row.paste) {
            Clipboard().SetAsText(entered.left(typedFrom).toStdString());
            window.Press(Qt::Key_V, Qt::ControlModifier);
        }
        // Each character as the keyboard types it, beyond ASCII too.
        for (const QChar character : entered.mid(typedFrom)) {
            const bool undo = character == QChar(0x1A);
            const int key = undo ? Qt::Key_Z : character == QChar('\r') ? Qt::Key_Return : 0;
            QKeyEvent press(QEvent::KeyPress, key, undo ? Qt::ControlModifier : Qt::NoModifier,
                            QString(character));
            QApplication::sendEvent(QApplication::focusWidget(), &press);
        }
        EXPECT_EQ(window.EditorText(), row.result);
    }
}

TEST(GridInplaceEdit, LookUpCompletesFromTheItems) {
    OpenEditor window(edNormal, "");
    window.grid->Lookup = true;
    window.grid->LookupItems.Add("Apple");
    window.grid->LookupItems.Add("Apricot");
    window.Open();
    window.Type("a");
    window.Type("p");
    EXPECT_EQ(window.EditorText(), "apple");
    EXPECT_EQ(window.Editor().GetSelText(), "ple");
    // Taking back a letter completes nothing again.
    window.Press(Qt::Key_Backspace);
    EXPECT_EQ(window.EditorText(), "ap");
    window.Type("r");
    EXPECT_EQ(window.EditorText(), "apricot");
}

TEST(GridInplaceEdit, RightAlignedNumbersAndTheCellsLook) {
    OpenEditor window(edNormal, "12.5");
    window.grid->AutoNumAlign = true;
    window.grid->OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush* ABrush, TFont* AFont) {
        ABrush->Color = clYellow;
        AFont->Style = fsBold;
    };
    window.Open();
    EXPECT_EQ(window.Editor().GetColor(), clYellow);
    EXPECT_EQ(window.Editor().Font.Style, static_cast<unsigned>(fsBold));
    // One pixel short of the cell's lines, over the cell.
    EXPECT_EQ(window.Editor().Left(), 64);
    EXPECT_EQ(window.Editor().Width(), 63);
    EXPECT_EQ(window.Editor().Height(), 20);
    QApplication::processEvents();
    EXPECT_TRUE(static_cast<QLineEdit*>(window.Editor().View())->alignment() & Qt::AlignRight);
}

TEST(GridInplaceEdit, LinesOfACellWithLineBreaks) {
    OpenEditor window(edNormal, "");
    window.grid->Multilinecells = true;
    window.grid->Navigation->LineFeedOnEnter = true;
    window.grid->SetRowHeights(2, 60);
    window.Show();
    window.Select(1, 2);
    window.Type("a");
    window.Press(Qt::Key_Return);
    window.Type("b");
    EXPECT_TRUE(window.Editor().GetMultiLine());
    EXPECT_EQ(window.grid->GetCells(1, 2), "a\r\nb");
    // Up from the second line stays in the editor; from the first it goes to the row above.
    window.Press(Qt::Key_Up);
    EXPECT_EQ(window.grid->GetRow(), 2);
    window.Type("x");
    EXPECT_EQ(window.grid->GetCells(1, 2), "ax\r\nb");
    window.Press(Qt::Key_Up);
    EXPECT_EQ(window.grid->GetRow(), 1);
    // Ctrl+Enter ends the edit of several lines as Enter does elsewhere.
    window.Select(1, 2);
    window.Press(Qt::Key_F2);
    window.Press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(window.grid->GetCol(), 2);
    EXPECT_EQ(window.grid->GetCells(1, 2), "ax\r\nb");
    // A cell of one line gets one line again.
    window.grid->Multilinecells = false;
    window.grid->Navigation->LineFeedOnEnter = false;
    window.Select(1, 3);
    window.Type("c");
    EXPECT_FALSE(window.Editor().GetMultiLine());
    EXPECT_EQ(window.grid->GetCells(1, 3), "c");
}

TEST(GridInplaceEdit, TheEditorShowsTagsOnlyWhenAsked) {
    struct Row {
        const char* name;
        bool withTags;
        const char* shown;
    } rows[] = {
        {"without tags", false, "12"},
        {"with tags", true, "<B>12</B>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->EditWithTags = row.withTags;
        window.grid->SetCells(1, 1, "<B>12</B>");
        window.Show();
        window.Select(1, 1);
        window.Press(Qt::Key_F2);
        EXPECT_EQ(window.EditorText(), row.shown);
    }
}

// A double click in a cell's editor selects the word from blank to blank, as in an edit box: a
// number goes whole, with its point and separators, on one line or on several.
TEST(GridInplaceEdit, ADoubleClickSelectsTheNumberWhole) {
    struct Row {
        const char* name;
        // Cells of several lines, which their editor shows as such.
        bool lines;
        const char* text;
        // The byte the double click falls on.
        int at;
        const char* typed;
        const char* result;
    } rows[] = {
        {"one line", false, "2.64", 3, "5", "5"},
        {"one line, the unit after a blank stays", false, "12.50 m", 3, "3", "3 m"},
        {"lines of a cell of one", true, "2.64", 3, "5", "5"},
        {"several lines", true, "a b\r\n1,234.50 m", 8, "7", "a b\r\n7 m"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OpenEditor window(edNormal, row.text);
        window.grid->Multilinecells = row.lines;
        window.grid->SetRowHeights(1, 60);
        window.Open();
        TGridInplaceEdit& editor = window.Editor();
        QApplication::processEvents();
        // The view that takes the mouse: the line itself, or the area that shows the lines.
        QWidget* view = editor.View();
        if (auto* lines = qobject_cast<QAbstractScrollArea*>(view))
            view = lines->viewport();
        QPoint at(-1, -1);
        for (int y = 1; y < view->height() && at.x() < 0; y += 2)
            for (int x = 1; x < view->width() && at.x() < 0; ++x)
                if (editor.CharAt(x, y) == row.at)
                    at = QPoint(x + 2, y);
        ASSERT_GE(at.x(), 0);
        DoubleClick(view, at);
        window.Type(row.typed);
        EXPECT_EQ(window.EditorText(), row.result);
    }
}

// The capitals a mixed-case cell's editor writes for a key belong to that key's undo step.
TEST(GridInplaceEdit, AMixedCaseEditorUndoesTheLastKeyWithItsCapitals) {
    OpenEditor window(edMixedCase, "");
    window.Open();
    window.Type("jo s");
    EXPECT_EQ(window.EditorText(), "Jo S");
    window.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.EditorText(), "Jo ");
}

} // namespace
