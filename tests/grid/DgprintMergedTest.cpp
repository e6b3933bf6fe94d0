#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// A merged cell prints its text over the whole block: broken into lines at the block's width and
// given the height its lines need, so that the rows below keep clear of it.
TEST_F(PrintedGrid, AMergedCellsTextTakesItsWholeBlock) {
    const std::string twelve = "one two three four zero six seven eight nine ten eleven twelve";
    const struct {
        const char* label;
        std::string text;
        bool wrapped;
        // Columns and rows of the block at (0, 1), and a column hidden (-1 none): the grid has
        // one column more beyond the block then.
        int cols, rows;
        int hidden;
    } rows[] = {
        {"words broken over two columns", twelve, true, 2, 1, -1},
        {"words broken over two columns and two rows", twelve, true, 2, 2, -1},
        {"lines kept apart", "one\r\ntwo\r\nthree\r\nfour\r\nzero\r\nsix", false, 2, 1, -1},
        {"lines kept apart over two rows", "one\r\ntwo\r\nthree\r\nfour\r\nzero\r\nsix", false, 1, 2, -1},
        {"words broken over the two shown of three columns", twelve, true, 3, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid printed(nullptr);
        PrintTwoColumnsOnA4(printed);
        printed.SetRowCount(5);
        printed.WordWrap = row.wrapped;
        printed.Multilinecells = !row.wrapped;
        // Columns of (100 - 4) x 254 / 96 = 254 tenths: "seven eight" is about 240 wide.
        printed.SetColCount(row.hidden < 0 ? 2 : 4);
        for (int c = 0; c < printed.GetColCount(); ++c)
            printed.SetColWidths(c, 100);
        // The block's last column, and the grid's second one shown.
        const int lastCol = row.hidden < 0 ? 1 : 2;
        printed.SetCells(lastCol, 0, "right");
        printed.SetCells(0, 1, row.text);
        printed.MergeCells(0, 1, row.cols, row.rows);
        printed.SetCells(0, 3, "under");
        printed.SetCells(lastCol, 3, "beneath");
        if (row.hidden >= 0)
            printed.HideColumn(row.hidden);
        const std::vector<PdfWord> words = PrintToPdf(printed).Words;
        auto find = [&words](const std::string& text) {
            return std::find_if(words.begin(), words.end(), [&](const PdfWord& w) { return w.Text == text; });
        };
        ASSERT_NE(find("right"), words.end());
        ASSERT_NE(find("under"), words.end());
        ASSERT_NE(find("beneath"), words.end());
        const double secondColumn = find("right")->XMin;
        const double rowBelow = std::min(find("under")->YMin, find("beneath")->YMin);
        double widest = 0;
        std::istringstream text(row.text);
        for (std::string word; text >> word;) {
            SCOPED_TRACE(word);
            const auto printedWord = find(word);
            if (printedWord == words.end()) {
                ADD_FAILURE() << "not printed";
                continue;
            }
            EXPECT_LT(printedWord->YMax, rowBelow);
            widest = std::max(widest, printedWord->XMax);
        }
        // Broken at the block's width, a line reaches into the second column shown and ends in
        // it: 254 tenths are 72 points, its text starting a letter (some 6 points) inside.
        if (row.wrapped) {
            EXPECT_GT(widest, secondColumn);
            EXPECT_LT(widest, secondColumn + 67);
        }
    }
}

// A block whose base cell does not print, in a hidden column or outside the printed range, prints
// its text in its first printed cell, broken over the columns of it that print.
TEST_F(PrintedGrid, AMergedBlockPrintsInItsFirstPrintedCell) {
    const struct {
        const char* label;
        bool hideBase;
        TGridRect range;
    } rows[] = {
        {"base column hidden", true, TGridRect{0, 0, 3, 3}},
        {"base column left of the range", false, TGridRect{1, 0, 3, 3}},
        {"base row above the range", false, TGridRect{0, 2, 3, 3}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid printed(nullptr);
        PrintTwoColumnsOnA4(printed);
        printed.WordWrap = true;
        printed.SetColCount(4);
        printed.SetRowCount(4);
        for (int c = 0; c < 4; ++c)
            printed.SetColWidths(c, 100);
        // Three columns of 254 tenths, two rows: the words need two columns' width a line.
        printed.SetCells(0, 1, "seven eight nine seven eight nine");
        printed.MergeCells(0, 1, 3, 2);
        printed.SetCells(3, 2, "beside");
        if (row.hideBase)
            printed.HideColumn(0);
        QTemporaryDir dir;
        const QString file = dir.filePath("block.pdf");
        Responder().AnswerFile(file.toStdString());
        printed.PrintRect(row.range);
        const std::vector<PdfWord> words = PdfWords(file);
        const auto beside =
            std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.Text == "beside"; });
        ASSERT_NE(beside, words.end());
        int nines = 0;
        double widest = 0;
        for (const PdfWord& word : words) {
            if (word.Text == "nine")
                ++nines;
            if (word.Text != "beside") {
                EXPECT_LT(word.XMax, beside->XMin) << word.Text;
                widest = std::max(widest, word.XMax);
            }
        }
        EXPECT_EQ(nines, 2);
        // Two columns of 72 points from the sheet's left edge at 10: a line reaches into the second.
        EXPECT_GT(widest, 10 + 72);
    }
}

// A block of rows that the page's end cuts goes on at the top of the next page: each of its lines
// prints once, whole, among the rows of its sheet.
TEST_F(PrintedGrid, AMergedBlockCutByThePageGoesOnOverTheNext) {
    const struct {
        const char* label;
        int topRow, rows, lines, height;
        bool wrapped, html;
    } rows[] = {
        // 23 rows of 122 a page: rows 20 to 22 on the first, the rest on the second.
        {"across one page end", 20, 6, 12, 100, false, false},
        // Rows 10 to 55 over three pages.
        {"across two page ends", 10, 46, 90, 100, false, false},
        // Lines 46 apart: the sixth runs from 230 to 276 across the page's end at 244.
        {"a line across the page end", 21, 6, 12, 100, false, false},
        // Rows of 10 + 90 + 11: 25 a page; the sixth of lines 41 apart runs from 205 to 246 across 222.
        {"a wrapped line across the page end", 23, 6, 12, 90, true, false},
        // HTML lines 41 apart: the ninth runs from 328 to 369 across 366. Its column keeps its width,
        // the rows' labels beside it on the same sheets.
        {"HTML lines across the page end", 20, 6, 12, 100, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid printed(nullptr);
        PrintTwoColumnsOnA4(printed);
        printed.PrintSettings->UseFixedHeight = true;
        printed.PrintSettings->FixedHeight = row.height;
        printed.Multilinecells = !row.wrapped;
        printed.WordWrap = row.wrapped;
        printed.EnableHTML = row.html;
        // A word a line when wrapped.
        if (row.wrapped)
            printed.SetColWidths(0, 30);
        printed.SetRowCount(60);
        for (int r = 0; r < 60; ++r)
            printed.SetCells(1, r, "r" + std::to_string(r));
        std::string lines = row.html ? "<B>M1</B>" : "M1";
        for (int i = 2; i <= row.lines; ++i)
            lines += (row.html ? "<BR>M" : row.wrapped ? " M" : "\r\nM") + std::to_string(i);
        printed.SetCells(0, row.topRow, lines);
        printed.MergeCells(0, row.topRow, 1, row.rows);
        const std::vector<PdfWord> words = PrintToPdf(printed).Words;
        // Each page's rows, from the top of the first to the end of the last: the row labels
        // stand at their rows' tops as the block's first line does at its.
        const double rowPoints = (10 + row.height + row.height / 8) * 72 / 254.0;
        std::map<int, std::pair<double, double>> pageRows;
        for (const PdfWord& word : words)
            if (word.Text[0] == 'r') {
                auto [it, added] = pageRows.try_emplace(word.Page, word.YMin, word.YMin + rowPoints);
                it->second.first = std::min(it->second.first, word.YMin);
                it->second.second = std::max(it->second.second, word.YMin + rowPoints);
            }
        std::map<std::string, int> seen;
        int lastPage = 0;
        for (const PdfWord& word : words) {
            ++seen[word.Text];
            EXPECT_LE(word.YMax, 832) << word.Text;
            if (word.Text[0] != 'M')
                continue;
            EXPECT_GE(word.Page, lastPage) << word.Text;
            lastPage = word.Page;
            // Beside the rows it spans, not on sheets apart from them.
            const auto page = pageRows.find(word.Page);
            if (page == pageRows.end()) {
                ADD_FAILURE() << word.Text << " on a sheet without rows";
                continue;
            }
            const auto [top, end] = page->second;
            EXPECT_GE(word.YMin, top - 0.5) << word.Text << " cut at its page's top";
            EXPECT_LE(word.YMax, end + 0.5) << word.Text << " cut at its page's end";
        }
        for (int i = 1; i <= row.lines; ++i)
            EXPECT_EQ(seen["M" + std::to_string(i)], 1) << i;
        EXPECT_GT(lastPage, 1);
    }
}
