#include "grid/Datagrid.h"

#include "framework/Clipboard.h"
#include "framework/Exceptions.h"
#include "grid/ClipboardFormat.h"
#include "grid/SmartFill.h"
#include "tests/grid/EditingWindow.h"
#include "tests/grid/FieldRows.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// An editable grid that counts how often it grows and hears of every paste.
struct PastingGrid : TDataGrid {
    explicit PastingGrid(const GridCellTexts& texts) : TDataGrid(nullptr) {
        SetCellTexts(*this, texts);
        SetOptions(GetOptions() | goEditing);
    }
    void SetRowCount(int value) override {
        ++rowCountChanges;
        TDataGrid::SetRowCount(value);
    }
    void PasteNotify(const TPoint& from, const TGridRect& to, TClipOperation operation) override {
        notes.push_back({from, to, operation});
    }
    struct Note {
        TPoint from;
        TGridRect to;
        TClipOperation operation;
    };
    int rowCountChanges = 0;
    std::vector<Note> notes;
};

const GridCellTexts Blank3x3 = Cells("  |  |  ");

TEST(DatagridClipboard, CopiesCellsAsTabbedLines) {
    PastingGrid grid({{"a", "b", "x"}, {"c", "d", "y"}, {"<B>bold</B>", "{\\rtf1 rich\\par}", "l1\r\nl2"}});
    struct Row {
        TGridRect range;
        bool quoting;
        const char* expected;
    } rows[] = {
        {{0, 0, 1, 1}, false, "a\tb\r\nc\td\r\n"},
        {{0, 0, 1, 0}, false, "a\tb"},
        {{0, 2, 2, 2}, false, "<B>bold</B>\trich\tl1\r\nl2"},
        {{2, 2, 2, 2}, true, "\"l1\r\nl2\""},
        {{1, 1, 5, 9}, false, "d\ty\r\nrich\tl1\r\nl2\r\n"},
    };
    grid.Multilinecells = true;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        grid.ClipboardMultiLineQuoting = row.quoting;
        grid.SetSelection(row.range);
        grid.CopySelectionToClipboard();
        EXPECT_EQ(Clipboard().GetAsText(), row.expected);
    }
    grid.Navigation->CopyHTMLTagsToClipboard = false;
    grid.CopyFunc({0, 2, 0, 2});
    EXPECT_EQ(Clipboard().GetAsText(), "bold");
    EXPECT_FALSE(Clipboard().HasFormat("text/rtf"));
    // Rich text goes beside its plain text.
    grid.Navigation->AllowRTFClipboard = true;
    grid.CopyFunc({1, 2, 2, 2});
    EXPECT_EQ(Clipboard().GetAsText(), "rich\tl1\r\nl2");
    EXPECT_EQ(Clipboard().GetAsBytes("text/rtf"), "{\\rtf1 rich\\par}");
}

TEST(DatagridClipboard, QuotedCellsCopiedByKeysPasteBackWhole) {
    // Multi-line cells with quotes, inch marks at either end, a TAB, and two quotes alone.
    const GridCellTexts cells = {{"say \"hi\"\r\nbye", "12\"", "\"q\" said", "a\tb"},
                                 {"6\"", "l1\r\nl2", "\"\"", ""}};
    EditingWindow window;
    window.grid->Multilinecells = true;
    window.grid->ClipboardMultiLineQuoting = true;
    window.grid->Navigation->AllowClipboardShortCuts = true;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            window.grid->SetCells(c, r + 1, cells[r][c]);
    window.Show();
    window.Select(0, 1);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down})
        window.Press(key, Qt::ShiftModifier);
    window.Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().GetAsText(), "\"say \"\"hi\"\"\r\nbye\"\t12\"\t\"\"\"q\"\" said\"\t\"a\tb\"\r\n"
                                       "6\"\t\"l1\r\nl2\"\t\"\"\"\"\"\"\t\r\n");
    window.Select(0, 3);
    window.Press(Qt::Key_V, Qt::ControlModifier);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(cells[r][c]);
            EXPECT_EQ(window.grid->GetCells(c, r + 3), cells[r][c]);
        }
    }
}

TEST(DatagridClipboard, CutEmptiesTheCellsThatMayBeEdited) {
    PastingGrid grid(Cells("a b|c d"));
    grid.OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
        CanEdit = !(ACol == 1 && ARow == 1);
    };
    grid.SetSelection({0, 0, 1, 1});
    grid.CutSelectionToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "a\tb\r\nc\td\r\n");
    // Row 0 and column 0 are fixed.
    EXPECT_EQ(CellTexts(grid), Cells("a b|c d"));
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.CutToClipboard();
    EXPECT_EQ(CellTexts(grid), Cells(" | d"));
    grid.Navigation->AllowClipboardAlways = true;
    grid.CutToClipboard();
    EXPECT_EQ(CellTexts(grid), Cells(" | "));
}

TEST(DatagridClipboard, DisjunctRowsCopyAndCutTheMarkedRows) {
    PastingGrid grid(Cells("h H|a b|c d|e f"));
    grid.MouseActions->DisjunctRowSelect = true;
    grid.SetRowSelect(1, true);
    grid.SetRowSelect(3, true);
    grid.CopySelectionToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "a\tb\r\ne\tf\r\n");
    grid.CutSelectionToClipboard();
    // Column 0 is fixed.
    EXPECT_EQ(CellTexts(grid), Cells("h H|a |c d|e "));
}

// Row 2 of four marked: either cut copies that row alone and empties it alone, only its editable
// cells.
TEST(DatagridClipboard, EitherCutOfMarkedRowsEmptiesOnlyTheRowsItCopied) {
    struct Row {
        const char* name;
        void (TDataGrid::*cut)();
        const char* after;
    } rows[] = {
        {"the selection cut", &TDataGrid::CutSelectionToClipboard, "h H|a b|c |e f"},
        {"the grid cut", &TDataGrid::CutToClipboard, "h H|a b|c |e f"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PastingGrid grid(Cells("h H|a b|c d|e f"));
        grid.MouseActions->DisjunctRowSelect = true;
        grid.SetRowSelect(2, true);
        (grid.*row.cut)();
        EXPECT_EQ(Clipboard().GetAsText(), "c\td\r\n");
        EXPECT_EQ(CellTexts(grid), Cells(row.after));
    }
}

// a..d in 3 rows, row 1 marked: a cut empties the cells it copied that take editing and no others
// (the fixed a1 stays), so a paste of what it copied gives the row back whole.
TEST(DatagridClipboard, CuttingMarkedRowsKeepsWhatWasNotCopied) {
    struct Row {
        const char* name;
        int hidden;
        bool fixedCells;
        const char* copied;
        const char* afterCut;
    } rows[] = {
        {"no column hidden", -1, true, "a1\tb1\tc1\td1\r\n", "a1   "},
        {"a hidden column keeps its cell", 2, true, "a1\tb1\td1\r\n", "a1  c1 "},
        {"the last column hidden", 3, true, "a1\tb1\tc1\r\n", "a1   d1"},
        {"without the fixed cells", 2, false, "b1\td1\r\n", "a1  c1 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PastingGrid grid(Blank3x3);
        FillLettered(grid, 4, 3);
        grid.IncludeFixedCells = row.fixedCells;
        if (row.hidden >= 0)
            grid.HideColumn(row.hidden);
        grid.MouseActions->DisjunctRowSelect = true;
        grid.SetRowSelect(1, true);
        grid.CutSelectionToClipboard();
        EXPECT_EQ(Clipboard().GetAsText(), row.copied);
        EXPECT_EQ(RowTexts(grid, 1), row.afterCut);
        EXPECT_EQ(RowTexts(grid, 2), "a2 b2 c2 d2");
        grid.Navigation->AllowClipboardAlways = true;
        grid.PasteText(row.fixedCells ? 0 : 1, 1, Clipboard().GetAsText());
        EXPECT_EQ(RowTexts(grid, 1), "a1 b1 c1 d1");
    }
}

// a..d in 3 rows, column 2 refusing editing: every cut of row 1 empties b1 and d1 alone, keeping
// the fixed a1 and the refusing c1, so a paste of what it copied, which passes over the same
// cells, gives the row back whole. With c1 and d1 one block, d1 stands for the refusing c1, which
// stays, as the paste back passes over both.
TEST(DatagridClipboard, EveryCutEmptiesOnlyTheCopiedCellsThatTakeEditing) {
    struct Row {
        const char* name;
        bool marked;
        void (TDataGrid::*cut)();
        const char* copied;
        int pasteCol;
        bool merged = false;
        const char* afterCut = "a1  c1 ";
        const char* afterPaste = "a1 b1 c1 d1";
    } rows[] = {
        {"marked rows, the selection cut", true, &TDataGrid::CutSelectionToClipboard, "a1\tb1\tc1\td1\r\n",
         0},
        {"marked rows, the grid cut", true, &TDataGrid::CutToClipboard, "a1\tb1\tc1\td1\r\n", 0},
        {"the selection cut", false, &TDataGrid::CutSelectionToClipboard, "b1\tc1\td1", 1},
        {"the selection cut over a block", false, &TDataGrid::CutSelectionToClipboard, "b1\tc1\tc1", 1, true,
         "a1  c1 c1", "a1 b1 c1 c1"},
        {"marked rows over a block", true, &TDataGrid::CutSelectionToClipboard, "a1\tb1\tc1\tc1\r\n", 0, true,
         "a1  c1 c1", "a1 b1 c1 c1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PastingGrid grid(Blank3x3);
        FillLettered(grid, 4, 3);
        grid.IncludeFixedCells = true;
        grid.OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
        if (row.merged)
            grid.MergeCells(2, 1, 2, 1);
        grid.MouseActions->DisjunctRowSelect = row.marked;
        if (row.marked)
            grid.SetRowSelect(1, true);
        else
            grid.SetSelection({1, 1, 3, 1});
        (grid.*row.cut)();
        EXPECT_EQ(Clipboard().GetAsText(), row.copied);
        EXPECT_EQ(RowTexts(grid, 1), row.afterCut);
        EXPECT_EQ(RowTexts(grid, 2), "a2 b2 c2 d2");
        grid.PasteText(row.pasteCol, 1, Clipboard().GetAsText());
        EXPECT_EQ(RowTexts(grid, 1), row.afterPaste);
    }
}

TEST(DatagridClipboard, PastesLinesAndFieldsGrowingTheGridWhenAllowed) {
    // Each text holds three cells, all counted as pasted, into (2, 1) of a blank 3 x 3 grid.
    struct Row {
        const char* label;
        const char* text;
        bool colGrow;
        bool quoting;
        const char* expected;
    } rows[] = {
        {"three fields at the last column widen the grid by two", "p\tq\tr", true, false,
         "    |  p q r|    "},
        {"without growing, fields beyond the grid are dropped", "p\tq\tr", false, false, "  |  p|  "},
        {"LF lines, as other programs put them", "p\nq\n", true, false, "  |  p|  q"},
        {"quoted lines stay one cell", "\"l1\nl2\"\tx\r\n", true, true, "   |  l1\nl2 x|   "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        PastingGrid grid(Blank3x3);
        grid.Navigation->AllowClipboardColGrow = row.colGrow;
        grid.ClipboardMultiLineQuoting = row.quoting;
        EXPECT_EQ(grid.PasteText(2, 1, row.text), 3);
        EXPECT_EQ(CellTexts(grid), Cells(row.expected));
    }
}

TEST(DatagridClipboard, PasteTellsWhereTheLastCopyCameFrom) {
    PastingGrid grid(Cells("a b |c d |  "));
    grid.SetSelection({0, 0, 1, 0});
    grid.CopySelectionToClipboard();
    grid.SetSelection({1, 1, 1, 1});
    grid.PasteSelectionFromClipboard();
    EXPECT_EQ(CellTexts(grid), Cells("a b |c a b|  "));
    ASSERT_EQ(grid.notes.size(), 1u);
    EXPECT_EQ(grid.notes[0].from, Point(0, 0));
    EXPECT_EQ(grid.notes[0].to, (TGridRect{1, 1, 2, 1}));
    EXPECT_EQ(grid.notes[0].operation, coCopy);
}

TEST(DatagridClipboard, NothingIsPastedIntoAGridThatCannotBeEdited) {
    TDataGrid grid(nullptr);
    SetCellTexts(grid, Blank3x3);
    EXPECT_EQ(grid.PasteText(1, 1, "x"), 0);
    EXPECT_EQ(grid.PasteText(-1, 1, "x"), 0);
    EXPECT_EQ(CellTexts(grid), Blank3x3);
    grid.Navigation->AllowClipboardAlways = true;
    EXPECT_EQ(grid.PasteText(0, 0, "x"), 1);
    EXPECT_EQ(grid.GetCellEx(0, 0), "x");
}

// A paste skips the refused cells and writes the rest, wherever the current cell stands, also
// on a refused cell, which switches the grid's editing off while it is current; passing from one
// refused cell to the next keeps it only switched off.
TEST(DatagridClipboard, APasteSkipsOnlyTheCellsThatRefuseEditing) {
    const struct {
        const char* label;
        std::vector<TPoint> refused;
        std::vector<TPoint> visits;
        int pasted;
        const char* after;
    } rows[] = {
        {"current cell editable", {{1, 1}}, {{2, 2}}, 5, "  |  q| r s"},
        {"current cell refused", {{1, 1}}, {{1, 1}}, 5, "  |  q| r s"},
        {"from a refused cell to another", {{1, 1}, {2, 1}}, {{1, 1}, {2, 1}}, 5, "  |  | r s"},
        {"past two refused cells", {{1, 1}, {2, 1}}, {{1, 1}, {2, 1}, {2, 2}}, 5, "  |  | r s"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        PastingGrid grid(Blank3x3);
        const std::vector<TPoint> refused = row.refused;
        grid.OnCanEditCell = [refused](TObject*, int ARow, int ACol, bool& CanEdit) {
            if (std::find(refused.begin(), refused.end(), Point(ACol, ARow)) != refused.end())
                CanEdit = false;
        };
        // Moved away from the cell a new grid starts on first, so that the grid hears of the move.
        grid.SetCol(2);
        grid.SetRow(2);
        for (const TPoint& at : row.visits) {
            grid.SetCol(at.x);
            grid.SetRow(at.y);
        }
        EXPECT_EQ(grid.PasteText(1, 1, "p\tq\r\nr\ts\r\n"), row.pasted);
        EXPECT_EQ(CellTexts(grid), Cells(row.after));
    }
}

TEST(DatagridClipboard, ASmartPasteFillsTheSelection) {
    struct Row {
        const char* text;
        TGridRect selection;
        std::vector<std::string> column;
    } rows[] = {
        {"1\r\n2\r\n", {1, 1, 1, 5}, {"", "1", "2", "3", "4", "5", ""}},
        {"v\r\n", {1, 1, 1, 6}, {"", "v", "v", "v", "v", "v", "v"}},
        {"1\r\n2", {1, 1, 1, 5}, {"", "1", "2", "3", "4", "5", ""}},
        {"7", {1, 2, 1, 3}, {"", "", "7", "7", "", "", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        PastingGrid grid(GridCellTexts(7, {"", ""}));
        grid.Navigation->AllowSmartClipboard = true;
        Clipboard().SetAsText(row.text);
        grid.SetSelection(row.selection);
        grid.PasteSelectionFromClipboard();
        std::vector<std::string> column;
        for (int r = 0; r < 7; ++r)
            column.push_back(grid.GetCellEx(1, r).str());
        EXPECT_EQ(column, row.column);
    }
}

TEST(DatagridClipboard, AFillThatCannotBeWorkedOutLeavesThePaste) {
    DateSettings dates("dd/mm/yyyy", '/');
    PastingGrid grid(GridCellTexts(5, {"", ""}));
    grid.Navigation->AllowSmartClipboard = true;
    // Two months on from 31 July is 31 September.
    Clipboard().SetAsText("31/05/2024\r\n31/07/2024\r\n");
    grid.SetSelection({1, 1, 1, 4});
    EXPECT_THROW(grid.PasteSelectionFromClipboard(), EConvertError);
    EXPECT_EQ(CellTexts(grid), Cells(" | 31/05/2024| 31/07/2024| | "));
}

TEST(DatagridClipboard, ALongPasteGrowsTheGridOnce) {
    PastingGrid grid(Blank3x3);
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "x\t" + std::to_string(i) + "\n";
    grid.rowCountChanges = 0;
    EXPECT_EQ(grid.PasteText(1, 1, text), 200001);
    EXPECT_EQ(grid.rowCountChanges, 1);
    EXPECT_EQ(grid.GetRowCount(), 100001);
    EXPECT_EQ(grid.GetCellEx(2, 100000), "99999");
}

TEST(DatagridClipboard, MeasuresClipboardText) {
    PastingGrid grid(Blank3x3);
    TPoint size;
    grid.PasteSize("a\tb\tc\r\nd\r\n", size);
    EXPECT_EQ(size, Point(3, 2));
    grid.PasteSize("", size);
    EXPECT_EQ(size, Point(0, 1));
}

TEST(DatagridClipboard, RichTextPastesIntoOneCell) {
    PastingGrid grid(Blank3x3);
    grid.Navigation->AllowRTFClipboard = true;
    Clipboard().Open();
    Clipboard().SetAsText("plain");
    Clipboard().SetAsBytes("application/rtf", std::string("{\\rtf1 x}\0tail", 14));
    Clipboard().Close();
    EXPECT_EQ(grid.PasteFunc(1, 1), 0);
    GridCellTexts expected = Blank3x3;
    expected[1][1] = "{\\rtf1 x}";
    EXPECT_EQ(CellTexts(grid), expected);
}

TEST(ClipboardFormat, SplitsLinesAndTabs) {
    struct Row {
        const char* text;
        bool quoting;
        FieldRows expected;
        int count;
    } rows[] = {
        {"a\tb\r\nc\td\r\n", false, {{"a", "b"}, {"c", "d"}}, 5},
        {"a\tb", false, {{"a", "b"}}, 2},
        {"1\r\n2\r\n", false, {{"1"}, {"2"}}, 3},
        {"v\r\n", false, {{"v"}}, 2},
        {"a\nb\rc", false, {{"a"}, {"b"}, {"c"}}, 3},
        {"a\t", false, {{"a"}}, 2},
        {"a\t\r\n\r\nb", false, {{"a", ""}, {""}, {"b"}}, 4},
        {"", false, {}, 0},
        {"\"l1\nl2\"\tx\r\n", true, {{"l1\nl2", "x"}}, 3},
        {"\"l1\nl2\"\tx\r\n", false, {{"\"l1"}, {"l2\"", "x"}}, 4},
        {"\"one line\"\t\"open\r\nx", true, {{"one line", "\"open"}, {"x"}}, 3},
        {"\"say \"\"hi\"\"\r\nbye\"\t5\"\r\n", true, {{"say \"hi\"\r\nbye", "5\""}}, 3},
        {"\"q\" said\t\"\"\t6\"\r\n", true, {{"\"q\" said", "", "6\""}}, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ClipboardFields fields = ReadClipboardText(row.text, row.quoting);
        EXPECT_EQ(RowsOf(fields.Rows), row.expected);
        EXPECT_EQ(fields.Count, row.count);
    }
}

TEST(SmartFill, ContinuesTheSeriesOfTwoValues) {
    DateSettings dates("dd/mm/yyyy", '/');
    LocaleSeparators numbers('.', ',');
    const AnsiString savedTime = LongTimeFormat;
    LongTimeFormat = "hh:nn:ss";
    struct Row {
        const char* a;
        const char* b;
        std::vector<AnsiString> expected;
    } rows[] = {
        {"1", "2", {"1", "2", "3", "4", "5"}},
        {"10", "7", {"10", "7", "4", "1", "-2"}},
        {"1.5", "2", {"1.50", "2.00", "2.50", "3.00", "3.50"}},
        {"3", "2.25", {"3.00", "2.25", "1.50", "0.75", "0.00"}},
        {"30/01/2024", "31/01/2024", {"30/01/2024", "31/01/2024", "01/02/2024", "02/02/2024", "03/02/2024"}},
        {"15/01/2024", "15/02/2024", {"15/01/2024", "15/02/2024", "15/03/2024", "15/04/2024", "15/05/2024"}},
        {"29/02/2020", "28/02/2021", {"29/02/2020", "28/02/2021", "28/02/2022", "28/02/2023", "28/02/2024"}},
        {"05/01/2024", "03/01/2024", {"05/01/2024", "03/01/2024", "01/01/2024", "30/12/2023", "28/12/2023"}},
        {"08:00:00", "08:30:00", {"08:00:00", "08:30:00", "09:00:00", "09:30:00", "10:00:00"}},
        {"a", "b", {}},
        {"1", "x", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " " + row.b);
        EXPECT_EQ(FillSeries(row.a, row.b, 5, "%.2f"), row.expected);
    }
    LongTimeFormat = savedTime;
}

TEST(SmartFill, ADateThatDoesNotExistRaisesBeforeAnythingIsFilled) {
    DateSettings dates("dd/mm/yyyy", '/');
    // Two months on from 31 July is 31 September.
    EXPECT_EQ(FillSeries("31/05/2024", "31/07/2024", 2, "%.2f").size(), 2u);
    EXPECT_THROW(FillSeries("31/05/2024", "31/07/2024", 3, "%.2f"), EConvertError);
    EXPECT_THROW(FillSeries("1/1/2024", "12:xx", 3, "%.2f"), EConvertError);
    LocaleSeparators numbers('.', ',');
    EXPECT_THROW(FillSeries("1.5", "abc", 3, "%.2f"), EConvertError);
}

} // namespace
