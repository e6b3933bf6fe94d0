#include "framework/FileBytes.h"
#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// Grids at the edges of what printing meets: ranges past the grid, fixed rows and columns larger
// than the sheet, columns of no width and settings read from a damaged file.
struct PrintLimits : PrintedGrid {};

TEST_F(PrintLimits, ARangeReachingPastTheGridPrintsTheGridsCells) {
    FixedRowHeights();
    // The 50 rows take three pages.
    const int whole = Preview();
    EXPECT_EQ(whole, 3);
    EXPECT_EQ(Preview(TGridRect{-3, -2, 7, 80}), whole);
}

TEST_F(PrintLimits, FixedRowsTallerThanASheetLeaveTheOtherRowsOnIt) {
    // Three fixed rows of 1000 measured (drawn 2 x 5 + 1000 + 125 = 1135): two fill the first of
    // the 2900 of a sheet. Repeated, the three would fill every later sheet and push its own rows
    // below the paper's edge, so they are not repeated; nor is the third printed twice.
    grid.SetRowCount(12);
    grid.SetFixedRows(3);
    grid.PrintSettings->RepeatFixedRows = true;
    grid.OnPrintSetRowHeight = [](TObject*, int ARow, int& Height) { Height = ARow < 3 ? 1000 : 100; };
    auto Name = [](int r) { return AnsiString((r < 3 ? "[F" : "[R") + std::to_string(r) + "]"); };
    for (int r = 0; r < 12; ++r)
        grid.SetCells(0, r, Name(r));
    QTemporaryDir dir;
    const QString file = dir.filePath("fixed.pdf");
    Responder().AnswerFile(file.toStdString());
    grid.Print();
    std::string all;
    for (const std::string& page : PdfPageTexts(file))
        all += page;
    for (int r = 0; r < 12; ++r) {
        const std::string text = Name(r).str();
        SCOPED_TRACE(text);
        const std::size_t first = all.find(text);
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(all.find(text, first + 1), std::string::npos);
    }
}

TEST_F(PrintLimits, ARowTallerThanASheetGoesOnOverTheNextSheets) {
    // Numbered lines, or numbered words broken into lines in a narrow column, many sheets high,
    // between a row above and one below.
    std::string lines, words;
    for (int i = 1; i <= 120; ++i)
        lines += (i > 1 ? "\r\n" : "") + ("L" + std::to_string(i));
    for (int i = 1; i <= 700; ++i)
        words += (i > 1 ? " " : "") + ("W" + std::to_string(i));
    const struct {
        const char* label;
        std::string text;
        const char* prefix;
        int count;
        bool wrapped;
        int pages;
    } rows[] = {
        // Lines of 41 + 41 / 8 = 46 tenths, 62 to the 2854 a sheet has above its footer: "above"
        // alone on the first sheet, then 62 lines and 58 with "below".
        {"lines kept apart", lines, "L", 120, false, 3},
        // Some 650 lines of about 41 tenths, each printed on one sheet only.
        {"words wrapped", words, "W", 700, true, 11},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        grid.SetRowCount(3);
        grid.Multilinecells = !row.wrapped;
        grid.WordWrap = row.wrapped;
        grid.SetColWidths(0, 80);
        grid.SetCells(0, 0, "above");
        grid.SetCells(0, 1, row.text);
        grid.SetCells(1, 1, "beside");
        grid.SetCells(0, 2, "below");
        const PrintedPdf printed = PrintToPdf(grid);
        for (const PdfWord& word : printed.Words)
            EXPECT_LE(word.YMax, 842) << word.Text;
        std::map<std::string, int> seen = WordCounts(printed);
        const std::vector<int> order = NumberedWords(printed, row.prefix);
        for (const char* text : {"above", "beside", "below"})
            EXPECT_EQ(seen[text], 1) << text;
        EXPECT_EQ(order.size(), static_cast<std::size_t>(row.count));
        for (std::size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(order[i], static_cast<int>(i) + 1);
        // The row starts on a sheet of its own and goes on over more.
        EXPECT_GE(printed.Pages, row.pages);
        // The preview counts the same pages, on the same sheet.
        EXPECT_EQ(Preview(), printed.Pages);
    }
}

TEST_F(PrintLimits, FixedColumnsWiderThanASheetLeaveTheStripsOnIt) {
    // Two fixed columns 1500 wide ((571 - 4) x 254 / 96) and two of 519 ((200 - 4) x 254 / 96):
    // the fixed columns together are wider than the 2028 of a sheet, so they are not repeated.
    grid.SetColCount(4);
    grid.SetRowCount(2);
    grid.SetFixedCols(2);
    grid.PrintSettings->RepeatFixedCols = true;
    for (int c = 0; c < 4; ++c)
        grid.SetColWidths(c, c < 2 ? 571 : 200);
    struct Placed {
        int left, right;
    };
    std::vector<std::vector<Placed>> pages;
    grid.OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int, int, int) {
        std::vector<Placed> columns;
        for (int c = 0; c < 4; ++c)
            columns.push_back(
                {grid.GetPrintColOffset(c), grid.GetPrintColOffset(c) + grid.GetPrintColWidth(c)});
        pages.push_back(columns);
    };
    // Strips: column 0 alone; column 1 with 2 (1500 + 519); column 3.
    const struct {
        int page;
        std::vector<int> columns;
    } strips[] = {{1, {0}}, {2, {1, 2}}, {3, {3}}};
    EXPECT_EQ(Preview(), 3);
    ASSERT_EQ(pages.size(), 3u);
    for (const auto& strip : strips) {
        SCOPED_TRACE(strip.page);
        const std::vector<Placed>& placed = pages[static_cast<std::size_t>(strip.page - 1)];
        int left = 0;
        for (int c : strip.columns) {
            EXPECT_EQ(placed[static_cast<std::size_t>(c)].left, left) << "column " << c;
            left = placed[static_cast<std::size_t>(c)].right;
            EXPECT_LE(left, 2028) << "column " << c;
        }
    }
}

TEST_F(PrintLimits, ColumnsTooNarrowToShowTakeNoRoomOnPaper) {
    // A screen width at or below the 4 pixels of its lines prints 0 wide, never less.
    grid.SetColCount(4);
    const int pixels[] = {0, 2, 4, 100};
    for (int c = 0; c < 4; ++c)
        grid.SetColWidths(c, pixels[c]);
    Preview();
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(pixels[c]);
        EXPECT_EQ(grid.GetPrintColWidth(c), 0);
        EXPECT_EQ(grid.GetPrintColOffset(c + 1), 0);
    }
    EXPECT_EQ(grid.GetPrintColWidth(3), 254);
}

TEST_F(PrintLimits, LengthsAndSizesBeyondReasonInASettingsFileKeepTheirDefaults) {
    QTemporaryDir dir;
    const AnsiString name = dir.filePath("junk.ini").toStdString();
    std::string text = "[PRINTSETTINGS]\r\n";
    for (const char* key : {"ColumnSpacing", "RowSpacing", "TitleSpacing", "FixedHeight", "FixedWidth",
                            "FooterSize", "HeaderSize", "LeftSize", "RightSize"})
        text += std::string(key) + "=2147483647\r\n";
    text += "UseFixedHeight=Y\r\nUseFixedWidth=Y\r\nNoAutoSize=N\r\nFitToPage=1\r\n"
            "FontSize=2147483647\r\nHeaderFontSize=-2147483648\r\nFooterFontSize=0\r\n"
            "FontName=DejaVu Sans\r\nHeaderFontName=DejaVu Sans\r\nFooterFontName=DejaVu Sans\r\n";
    ASSERT_TRUE(WriteFileBytes(name, text));
    grid.LoadPrintSettings(name, "PRINTSETTINGS");
    const TPrintSettings& s = *grid.PrintSettings;
    const struct {
        const char* label;
        int value, expected;
    } rows[] = {
        {"column spacing", s.ColumnSpacing, 20},
        {"row spacing", s.RowSpacing, 20},
        {"title spacing", s.TitleSpacing, 20},
        {"fixed height", s.FixedHeight, 0},
        {"fixed width", s.FixedWidth, 0},
        {"footer", s.FooterSize, 100},
        {"header", s.HeaderSize, 100},
        {"left", s.LeftSize, 100},
        {"right", s.RightSize, 100},
        {"font", s.Font.Size, 10},
        {"header font", s.HeaderFont.Size, 10},
        {"footer font", s.FooterFont.Size, 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(row.value, row.expected);
    }
    // And the pages are laid out with them.
    grid.SetCells(0, 0, "S1");
    EXPECT_GE(Preview(), 1);
}

TEST_F(PrintLimits, ARowWhoseLinesWouldRunOffTheSheetGoesToTheNextOne) {
    // Rows measured at 41 tenths a line are drawn 46 a line: measured, these fit the 2854 above
    // the footer, drawn they would reach past the sheet's 2900.
    const struct {
        const char* label;
        int linesAbove, lines;
    } rows[] = {
        {"on a sheet of its own", 1, 64},
        {"after a row of ten lines", 10, 55},
    };
    grid.Multilinecells = true;
    grid.SetRowCount(3);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::string above = "above", lines = "L1";
        for (int i = 1; i < row.linesAbove; ++i)
            above += "\r\nabove";
        for (int i = 2; i <= row.lines; ++i)
            lines += "\r\nL" + std::to_string(i);
        grid.SetCells(0, 0, above);
        grid.SetCells(0, 1, lines);
        grid.SetCells(0, 2, "below");
        std::map<std::string, int> seen;
        for (const PdfWord& word : PrintToPdf(grid).Words) {
            ++seen[word.Text];
            // The printable part of an A4 sheet ends 10 points above its 842.
            EXPECT_LE(word.YMax, 832) << word.Text;
        }
        for (int i = 1; i <= row.lines; ++i)
            EXPECT_EQ(seen["L" + std::to_string(i)], 1) << i;
        EXPECT_EQ(seen["below"], 1);
    }
}
