#include "grid/Datagrid.h"

#include "tests/grid/EditingWindow.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

// Column 0 of rows 1.. holds the texts, column 1 each row's first place; one fixed row.
void FillColumn(TDataGrid& grid, const std::vector<const char*>& texts) {
    grid.SetColCount(2);
    grid.SetRowCount(static_cast<int>(texts.size()) + 1);
    grid.SetFixedCols(0);
    grid.SetFixedRows(1);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        grid.SetCells(0, static_cast<int>(i) + 1, texts[i]);
        grid.SetCells(1, static_cast<int>(i) + 1, std::to_string(i));
    }
}

// The texts of a column down the normal rows, joined by '|' so that empty ones show.
std::string Normal(TDataGrid& grid, int col) {
    std::string texts;
    for (int r = grid.GetFixedRows(); r < grid.GetRowCount() - grid.FixedFooters; ++r)
        texts += (r > grid.GetFixedRows() ? "|" : "") + grid.GetCells(col, r).str();
    return texts;
}

void Style(TDataGrid& grid, TSortStyle style, const char* prefix = "") {
    grid.OnGetFormat = [style, prefix](TObject*, int, TSortStyle& s, AnsiString& p, AnsiString&) {
        s = style;
        p = prefix;
    };
}

TEST(DatagridSort, OrdersByStyle) {
    LocaleSeparators locale('.', ',');
    const std::vector<const char*> numbers{"10", "9", "", "abc", "2.5", "-1"};
    struct Row {
        const char* name;
        std::vector<const char*> texts;
        std::function<void(TDataGrid&)> setUp;
        const char* expected;
    } rows[] = {
        {"numeric: empty as 0, a text that is no number after the numbers", numbers,
         [](TDataGrid& g) { Style(g, ssNumeric); }, "-1||2.5|9|10|abc"},
        {"numeric descending: the text still last", numbers,
         [](TDataGrid& g) {
             Style(g, ssNumeric);
             g.SortSettings->Direction = sdDescending;
         },
         "10|9|2.5||-1|abc"},
        {"blanks last", numbers,
         [](TDataGrid& g) {
             Style(g, ssNumeric);
             g.SortSettings->IgnoreBlanks = true;
             g.SortSettings->BlankPos = blLast;
         },
         "-1|2.5|9|10|abc|"},
        {"blanks last descending", numbers,
         [](TDataGrid& g) {
             Style(g, ssNumeric);
             g.SortSettings->IgnoreBlanks = true;
             g.SortSettings->BlankPos = blLast;
             g.SortSettings->Direction = sdDescending;
         },
         "10|9|2.5|-1|abc|"},
        {"blanks first",
         {"b", "", "a"},
         [](TDataGrid& g) {
             g.SortSettings->IgnoreBlanks = true;
             g.SortSettings->Direction = sdDescending;
         },
         "|b|a"},
        {"prefix $", {"$40", "$100", "$5"}, [](TDataGrid& g) { Style(g, ssNumeric, "$"); }, "$5|$40|$100"},
        {"the same texts alphabetic",
         {"$40", "$100", "$5"},
         [](TDataGrid& g) { Style(g, ssAlphabetic); },
         "$100|$40|$5"},
        {"financial", {"1,200.50", "999"}, [](TDataGrid& g) { Style(g, ssFinancial); }, "999|1,200.50"},
        {"numeric reads no thousands",
         {"1,200.50", "999"},
         [](TDataGrid& g) { Style(g, ssNumeric); },
         "999|1,200.50"},
        {"short dates d/m/y, a bad one as the base date",
         {"31/12/1999", "01/01/2000", "15/06/1999", "bad"},
         [](TDataGrid& g) { Style(g, ssShortDateEU); },
         "bad|15/06/1999|31/12/1999|01/01/2000"},
        {"short dates m/d/y",
         {"12/31/1999", "01/01/2000", "06/15/1999"},
         [](TDataGrid& g) { Style(g, ssShortDateUS); },
         "06/15/1999|12/31/1999|01/01/2000"},
        {"a short date that does not exist counts as 0",
         {"01/01/2000", "31/02/1999"},
         [](TDataGrid& g) { Style(g, ssShortDateEU); },
         "31/02/1999|01/01/2000"},
        {"alphabetic by bytes",
         {"b", "B", "a", "A", "\xC3\xA4"},
         [](TDataGrid& g) { Style(g, ssAlphabetic); },
         "A|B|a|b|\xC3\xA4"},
        {"without case, ties kept in order",
         {"b", "B", "a", "A"},
         [](TDataGrid& g) { Style(g, ssAlphaNoCase); },
         "a|A|b|B"},
        {"HTML without its tags",
         {"<b>b</b>", "a", "<i>c</i>"},
         [](TDataGrid& g) { Style(g, ssHTML); },
         "a|<b>b</b>|<i>c</i>"},
        {"custom: the event's answer",
         {"1", "333", "22"},
         [](TDataGrid& g) {
             Style(g, ssCustom);
             g.OnCustomCompare = [](TObject*, const AnsiString& a, const AnsiString& b, int& res) {
                 res = b.Length() - a.Length();
             };
         },
         "333|22|1"},
        {"custom without its event: all equal", {"b", "a"}, [](TDataGrid& g) { Style(g, ssCustom); }, "b|a"},
        {"long texts alike in their first eight characters",
         {"Pipe run 12", "Pipe run 2", "Pipe ru", "Pipe run 1", "Pipe run 12"},
         [](TDataGrid& g) { Style(g, ssAlphabetic); },
         "Pipe ru|Pipe run 1|Pipe run 12|Pipe run 12|Pipe run 2"},
        {"long texts descending",
         {"Pipe run 12", "Pipe run 2", "Pipe ru", "Pipe run 1"},
         [](TDataGrid& g) {
             Style(g, ssAlphabetic);
             g.SortSettings->Direction = sdDescending;
         },
         "Pipe run 2|Pipe run 12|Pipe run 1|Pipe ru"},
        {"negative numbers, and -0 equal to 0 in its place",
         {"0", "-0.5", "-0", "1000", "-20", "999.5"},
         [](TDataGrid& g) { Style(g, ssNumeric); },
         "-20|-0.5|0|-0|999.5|1000"},
        {"the same descending",
         {"0", "-0.5", "-0", "1000", "-20", "999.5"},
         [](TDataGrid& g) {
             Style(g, ssNumeric);
             g.SortSettings->Direction = sdDescending;
         },
         "1000|999.5|0|-0|-0.5|-20"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillColumn(grid, row.texts);
        grid.SortSettings->Full = false;
        grid.SortSettings->Column = 0;
        row.setUp(grid);
        grid.QSort();
        EXPECT_EQ(Normal(grid, 0), row.expected);
    }
}

TEST(DatagridSort, AutomaticStyleFromTheFirstCell) {
    DateSettings dates("dd/mm/yyyy", '/');
    LocaleSeparators locale(',', '.');
    struct Row {
        const char* name;
        std::vector<const char*> texts;
        const char* expected;
    } rows[] = {
        // As text 01/06/99 would come first.
        {"dates", {"12/05/99", "01/06/99", "30/04/99"}, "30/04/99|12/05/99|01/06/99"},
        {"numbers with a decimal comma", {"1,5", "10", "2"}, "1,5|2|10"},
        {"texts", {"abc", "10", "2"}, "10|2|abc"},
        {"decided by the first cell that is not empty", {"", "10", "9"}, "|9|10"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillColumn(grid, row.texts);
        grid.SortSettings->Column = 0;
        grid.QSort();
        EXPECT_EQ(Normal(grid, 0), row.expected);
    }
}

TEST(DatagridSort, TiesByTheNextColumnsOnlyWithFull) {
    for (const bool full : {true, false}) {
        SCOPED_TRACE(full ? "Full" : "without Full");
        TDataGrid grid(nullptr);
        FillColumn(grid, {"b", "a", "b", "a"});
        for (int r = 1; r <= 4; ++r)
            grid.SetCells(1, r, std::to_string(5 - r));
        grid.SortSettings->Full = full;
        grid.SortSettings->Direction = sdDescending;
        grid.QSort();
        EXPECT_EQ(Normal(grid, 1), full ? "4|2|3|1" : "4|2|3|1");
        grid.SortSettings->Direction = sdAscending;
        grid.QSort();
        // Without Full the tied rows keep the order the last sort left them in.
        EXPECT_EQ(Normal(grid, 1), full ? "1|3|2|4" : "3|1|4|2");
    }
}

TEST(DatagridSort, IndexedOnTwoColumnsEachWithItsDirection) {
    TDataGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(5);
    const char* texts[][3] = {{"x", "1", "a"}, {"y", "2", "b"}, {"z", "3", "a"}, {"w", "4", "b"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetCells(c, r + 1, texts[r][c]);
    grid.SortIndexes().AddIndex(2, true);
    grid.SortIndexes().AddIndex(1, false);
    grid.QSortIndexed();
    EXPECT_EQ(Normal(grid, 0), "z|x|w|y");
    grid.SortSettings->Full = false;
    grid.QSortIndexed();
    // Column 2 alone: the tied rows stay as they were.
    EXPECT_EQ(Normal(grid, 0), "z|x|w|y");

    grid.SortIndexes().Clear();
    EXPECT_EQ(ErrorText([&] { grid.QSortIndexed(); }), "No indexes specified for indexed sort");
    EXPECT_EQ(Normal(grid, 0), "z|x|w|y");
}

TEST(DatagridSort, RowsMoveWithAllTheyCarry) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 5, 6);
    grid.SetFixedCols(1);
    grid.SetFixedFooters(1);
    // Column 2 sorts the normal rows 1..4 into the order 4, 2, 1, 3.
    const char* keys[] = {"c", "b", "d", "a"};
    for (int r = 1; r <= 4; ++r)
        grid.SetCells(2, r, keys[r - 1]);
    grid.HideColumn(4);
    grid.SetRowHeights(3, 40);
    grid.SetColors(3, 3, clRed);
    grid.CreateCellGraphic(1, 3)->CellType = ctCheckBox;
    grid.SetRowSelect(4, true);
    grid.InitSortXRef();
    grid.SortSettings->Column = 2;
    grid.QSort();
    EXPECT_EQ(ColTexts(grid, 1), "b0 b4 b2 b1 b3 b5");
    // The hidden column's cells went with their rows; the footer and header rows stayed.
    EXPECT_EQ(RowTexts(grid, 1), "a4 b4 a d4 e4");
    EXPECT_EQ(RowTexts(grid, 5), "a5 b5 c5 d5 e5");
    EXPECT_EQ(grid.GetRowHeights(4), 40);
    EXPECT_EQ(grid.GetColors(3, 4), clRed);
    EXPECT_EQ(grid.GetCellType(1, 4), ctCheckBox);
    EXPECT_EQ(grid.GetRowSelect(1), true);
    EXPECT_EQ(grid.GetRowSelect(4), false);
    grid.SortSettings->Direction = sdDescending;
    grid.QSort();
    EXPECT_EQ(ColTexts(grid, 1), "b0 b3 b1 b2 b4 b5");
    // After two sorts the unsorted row still names the row the text came from.
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(grid.GetUnSortedCell(1, r), "b" + std::to_string(r));
}

TEST(DatagridSort, NormalCellsOnlyKeepsTheHeaderColumn) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 4);
    grid.SetFixedCols(1);
    grid.SortSettings->NormalCellsOnly = true;
    grid.SortSettings->Column = 1;
    grid.SortSettings->Direction = sdDescending;
    grid.QSort();
    EXPECT_EQ(ColTexts(grid, 0), "a0 a1 a2 a3");
    EXPECT_EQ(ColTexts(grid, 1), "b0 b3 b2 b1");
}

TEST(DatagridSort, TheCurrentRowFollowsItsDataOnlyWithMoveRowOnSort) {
    for (const bool follow : {true, false}) {
        SCOPED_TRACE(follow ? "MoveRowOnSort" : "without");
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 5);
        grid.Navigation->MoveRowOnSort = follow;
        grid.SetRow(1);
        grid.SortSettings->Column = 1;
        grid.SortSettings->Direction = sdDescending;
        grid.QSort();
        EXPECT_EQ(grid.GetRow(), follow ? 4 : 1);
    }
}

TEST(DatagridSort, WithinGroupsTheCurrentRowAlwaysFollowsItsData) {
    for (const bool follow : {true, false}) {
        SCOPED_TRACE(follow ? "MoveRowOnSort" : "without");
        TDataGrid grid(nullptr);
        FillColumn(grid, {"", "c", "a", "b", "", "z", "y"});
        grid.AddNode(1, 4);
        grid.AddNode(5, 3);
        grid.Navigation->MoveRowOnSort = follow;
        grid.SetRow(2);
        grid.SortSettings->Column = 0;
        grid.QSortGroup();
        EXPECT_EQ(Normal(grid, 0), "|a|b|c||y|z");
        // "c" went from row 2 to row 4.
        EXPECT_EQ(grid.GetRow(), 4);
    }
}

TEST(DatagridSort, AFailingSortLeavesTheRowsAsTheyWere) {
    TDataGrid grid(nullptr);
    FillColumn(grid, {"c", "a", "b"});
    Style(grid, ssCustom);
    int calls = 0;
    grid.OnCustomCompare = [&](TObject*, const AnsiString&, const AnsiString&, int&) {
        if (++calls == 2)
            throw EDataGridError("refused");
    };
    EXPECT_EQ(ErrorText([&] { grid.QSort(); }), "refused");
    EXPECT_EQ(Normal(grid, 0), "c|a|b");
    EXPECT_FALSE(grid.GetLockFlag());
}

TEST(DatagridSort, AComparisonThatIsNoOrderKeepsEveryRow) {
    TDataGrid grid(nullptr);
    std::vector<const char*> texts;
    for (int i = 0; i < 200; ++i)
        texts.push_back(i % 2 ? "x" : "y");
    FillColumn(grid, texts);
    std::mt19937 random(7);
    grid.OnRawCompare = [&](TObject*, int, int, int, int& res) { res = static_cast<int>(random() % 3) - 1; };
    Style(grid, ssRaw);
    grid.QSort();
    // Every first place is still there once.
    std::vector<int> seen(200);
    for (int r = 1; r <= 200; ++r)
        ++seen[static_cast<std::size_t>(std::stoi(grid.GetCells(1, r).str()))];
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 200);
}

TEST(DatagridSort, SingleComparisonsAndExchanges) {
    LocaleSeparators locale('.', ',');
    TDataGrid grid(nullptr);
    FillColumn(grid, {"abc", "5", "", "12"});
    Style(grid, ssNumeric);
    // A text that is no number equals any number; an empty cell is 0.
    EXPECT_EQ(grid.Compare(0, 1, 2), 0);
    EXPECT_EQ(grid.Compare(0, 2, 4), -1);
    EXPECT_EQ(grid.Compare(0, 3, 2), -1);
    grid.SortSettings->IgnoreBlanks = true;
    grid.SortSettings->BlankPos = blLast;
    EXPECT_EQ(grid.Compare(0, 3, 2), 1);
    grid.SortSettings->Direction = sdDescending;
    // Turned back so that, the direction applied, the blank still goes last.
    EXPECT_EQ(grid.Compare(0, 3, 2), -1);
    grid.SortSettings->Direction = sdAscending;
    EXPECT_TRUE(grid.SortLine(0, 4, 2));
    EXPECT_EQ(Normal(grid, 0), "abc|12||5");
    grid.SortByColumn(0);
    EXPECT_EQ(Normal(grid, 0), "5|12|abc|");
}

// Column 2's cells: the rows' texts to sort by.
struct SortingWindow : EditingWindow {
    SortingWindow() {
        grid->SortSettings->Show = true;
        grid->SetCells(2, 0, "Sorting key");
        const char* keys[] = {"c", "a", "d", "b"};
        for (int r = 1; r <= 4; ++r) {
            grid->SetCells(2, r, keys[r - 1]);
            grid->SetCells(3, r, keys[4 - r]);
        }
        grid->OnClickSort = [this](TObject*, int ACol) { log.push_back("sorted " + std::to_string(ACol)); };
    }
    void ClickHeader(int col, int dx = 30, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(Cells(), Qt::LeftButton, modifiers, QPoint(col * 64 + dx, 10));
    }
};

TEST(DatagridSort, HeaderClicks) {
    SortingWindow window;
    window.Show();
    window.ClickHeader(2);
    EXPECT_EQ(Normal(*window.grid, 2), "a|b|c|d");
    window.ClickHeader(2);
    EXPECT_EQ(Normal(*window.grid, 2), "d|c|b|a");
    EXPECT_EQ(window.grid->SortSettings->Direction, sdDescending);
    window.ClickHeader(3);
    EXPECT_EQ(Normal(*window.grid, 3), "a|b|c|d");
    EXPECT_EQ(window.log, (std::vector<std::string>{"sorted 2", "sorted 2", "sorted 3"}));

    window.grid->OnCanSort = [](TObject*, int, bool& allow) { allow = false; };
    window.ClickHeader(2);
    EXPECT_EQ(Normal(*window.grid, 3), "a|b|c|d");
}

TEST(DatagridSort, HeaderClicksWithIndexesAddAColumnWithShift) {
    SortingWindow window;
    window.grid->SortSettings->IndexShow = true;
    window.grid->SetCells(2, 4, "a");
    window.Show();
    window.ClickHeader(2);
    window.ClickHeader(3, 30, Qt::ShiftModifier);
    window.ClickHeader(3, 30, Qt::ShiftModifier);
    ASSERT_EQ(window.grid->SortIndexes().Count(), 2);
    EXPECT_EQ(window.grid->SortIndexes().GetInteger(0), 2);
    EXPECT_LT(window.grid->SortIndexes().GetInteger(1), 0);
    // Column 2 ascending, ties on column 3 descending.
    EXPECT_EQ(Normal(*window.grid, 2) + " " + Normal(*window.grid, 3), "a|a|c|d d|c|b|a");
    window.ClickHeader(2);
    EXPECT_EQ(window.grid->SortIndexes().Count(), 1);
}

TEST(DatagridSort, HeaderClicksMergeTheMergedColumnsAnewAroundTheSort) {
    SortingWindow window;
    // Column 1 alternates, so nothing merges before the sort.
    const char* sides[] = {"x", "y", "x", "y"};
    for (int r = 1; r <= 4; ++r)
        window.grid->SetCells(1, r, sides[r - 1]);
    window.grid->SortSettings->AutoColumnMerge = true;
    window.grid->MergedColumns().Add(1);
    window.Show();
    const auto blocks = [&] {
        std::string found;
        for (int r = 1; r <= 4; ++r)
            found += window.grid->GetCellEx(1, r).str() +
                     (window.grid->IsBaseCell(1, r) ? std::to_string(window.grid->CellSpan(1, r).y) : "-");
        return found;
    };
    // Sorted a, b, c, d the y rows come first, each pair one block.
    window.ClickHeader(2);
    EXPECT_EQ(Normal(*window.grid, 2), "a|b|c|d");
    EXPECT_EQ(blocks(), "y1y-x1x-");
    window.ClickHeader(2);
    EXPECT_EQ(Normal(*window.grid, 2), "d|c|b|a");
    EXPECT_EQ(blocks(), "x1x-y1y-");
}

TEST(DatagridSort, HeaderClicksNearABorderOrAfterAnAutoSizeDoNotSort) {
    SortingWindow window;
    window.grid->SetOptions(window.grid->GetOptions() | goColSizing);
    window.Show();
    window.ClickHeader(2, 61);
    EXPECT_EQ(Normal(*window.grid, 2), "c|a|d|b");
    // The right border of column 2: the column takes its widest text.
    QTest::mouseDClick(window.Cells(), Qt::LeftButton, {}, QPoint(2 * 64 + 62, 10));
    EXPECT_EQ(Normal(*window.grid, 2), "c|a|d|b");
    window.ClickHeader(2, 20);
    EXPECT_EQ(Normal(*window.grid, 2), "a|b|c|d");
}

} // namespace
