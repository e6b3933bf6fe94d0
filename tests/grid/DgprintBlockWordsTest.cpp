#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

enum TBlockText { btWords, btHTMLWords, btRichWords, btHTMLLines, btRichLines };

// Numbered words: blanks between them, or lines, in plain, HTML or rich text; in HTML the first in
// bold.
std::string NumberedText(TBlockText kind, char prefix, int count) {
    const bool html = kind == btHTMLWords || kind == btHTMLLines;
    const bool rich = kind == btRichWords || kind == btRichLines;
    const std::string p(1, prefix);
    std::string text = rich ? "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil DejaVu Sans;}}\\f0\\fs20 " : "";
    text += html ? "<B>" + p + "1</B>" : p + "1";
    const char* between = kind == btHTMLLines ? "<BR>" : kind == btRichLines ? "\\par " : " ";
    for (int i = 2; i <= count; ++i)
        text += between + p + std::to_string(i);
    return rich ? text + "\\par}" : text;
}

// Where each of a text's numbered words is, by number: every place it was found.
std::map<int, std::vector<PdfWord>> Numbered(const PrintedPdf& pdf, char prefix) {
    std::map<int, std::vector<PdfWord>> found;
    for (const PdfWord& word : pdf.Words)
        if (word.Text.size() > 1 && word.Text[0] == prefix &&
            word.Text.find_first_not_of("0123456789", 1) == std::string::npos)
            found[std::stoi(word.Text.substr(1))].push_back(word);
    return found;
}

} // namespace

// A block's text prints as it was laid out for the row heights and page ends: each of its words
// once, on the sheet, within the columns its strip prints it over and above the row below; and
// the preview shows each on the page the print has it on, within its smaller sheet.
TEST_F(PrintedGrid, EveryWordOfABlockPrintsOnceWithinItsStripAndOnThePreviewsPage) {
    const struct {
        const char* label;
        TBlockText kind;
        char prefix;
        int count;
        // Columns of the grid, and their screen width (0: as they are).
        int cols, colWidth;
        // The block from its base cell, its columns and rows; the word "below" in the row under it.
        int col, row, spanCols, spanRows;
        bool wrapped;
        TFitToPage fit;
        // Fixed columns, printed again left of every strip after the first: the times each word
        // prints, once a strip, with "below"; the points where the fixed column ends.
        int fixedCols, times;
        double fixedRight;
        // Points from the file page's left edge between which the block's part with the text
        // prints.
        double left, right;
    } rows[] = {
        // Columns of (300 - 4) x 254 / 96 = 783 tenths, two a sheet: the block's first column
        // stands from 10 + 783 x 72 / 254 = 232 to 10 + 1566 x 72 / 254 = 454 points.
        {"words of a block the sheet's last column cuts", btWords, 'w', 400, 4, 300, 1, 1, 2, 1, true,
         fpNever, 0, 1, 0, 232, 454},
        {"HTML words of a block the sheet's last column cuts", btHTMLWords, 'w', 400, 4, 300, 1, 1, 2, 1,
         true, fpNever, 0, 1, 0, 232, 454},
        // A block from the fixed column into the next prints its part over the fixed column again
        // left of the second and third strips, to 232 points.
        {"words of a block over the fixed column, repeated", btWords, 'w', 150, 4, 300, 0, 1, 2, 1, true,
         fpNever, 1, 3, 232, 10, 454},
        {"HTML words of a block over the fixed column, repeated", btHTMLWords, 'w', 150, 4, 300, 0, 1, 2, 1,
         true, fpNever, 1, 3, 232, 10, 454},
        {"rich words of a block over the fixed column, repeated", btRichWords, 'w', 150, 4, 300, 0, 1, 2, 1,
         true, fpNever, 1, 3, 232, 10, 454},
        // Laid out narrower over the fixed column again, the block's lines stand elsewhere there:
        // pages end between those lines too.
        {"HTML words of a block over the fixed column, repeated, higher than a sheet", btHTMLWords, 'w', 900,
         4, 300, 0, 1, 2, 1, true, fpNever, 1, 3, 232, 10, 454},
        // Unwrapped HTML widens its columns to hold its lines as far as the sheet allows: each of the
        // block's columns takes the sheet's width, a strip of its own, the text in the first.
        {"HTML words of a block the sheet's last column cuts, not wrapped", btHTMLWords, 'w', 400, 4, 300, 1,
         1, 2, 1, false, fpNever, 0, 1, 0, 10, 585},
        {"HTML words of a two-column block, not wrapped", btHTMLWords, 'w', 1500, 2, 0, 0, 1, 2, 1, false,
         fpNever, 0, 1, 0, 10, 585},
        {"HTML words of a block higher than a sheet", btHTMLWords, 'w', 1500, 2, 300, 0, 1, 1, 3, true,
         fpNever, 0, 1, 0, 10, 232},
        // Two narrow columns grow to the sheet's width, the text with them.
        {"HTML lines grown to the sheet", btHTMLLines, 'H', 130, 2, 40, 0, 1, 1, 1, false, fpGrow, 0, 1, 0,
         10, 585},
        {"HTML lines of a block higher than a sheet", btHTMLLines, 'H', 130, 2, 0, 0, 1, 1, 3, false, fpNever,
         0, 1, 0, 10, 585},
        {"rich lines of a block higher than a sheet", btRichLines, 'R', 130, 2, 0, 0, 1, 1, 3, false, fpNever,
         0, 1, 0, 10, 585},
        // A paragraph of rich words breaks into lines that pages end between: each line prints on
        // its page alone, none again just above the next page's top.
        {"rich words of a row higher than a sheet", btRichWords, 'w', 1500, 2, 300, 0, 1, 1, 1, true, fpNever,
         0, 1, 0, 10, 232},
        {"rich words of a block higher than a sheet", btRichWords, 'w', 1500, 2, 300, 0, 1, 1, 3, true,
         fpNever, 0, 1, 0, 10, 232},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid printed(nullptr);
        PrintTwoColumnsOnA4(printed);
        printed.SetColCount(row.cols);
        printed.SetRowCount(row.row + row.spanRows + 1);
        if (row.colWidth > 0)
            for (int c = 0; c < row.cols; ++c)
                printed.SetColWidths(c, row.colWidth);
        printed.WordWrap = row.wrapped;
        printed.EnableHTML = true;
        printed.PrintSettings->FitToPage = row.fit;
        printed.SetFixedCols(row.fixedCols);
        printed.PrintSettings->RepeatFixedCols = row.fixedCols > 0;
        printed.SetCells(row.col, row.row, NumberedText(row.kind, row.prefix, row.count));
        printed.MergeCells(row.col, row.row, row.spanCols, row.spanRows);
        printed.SetCells(row.col, row.row + row.spanRows, "below");

        const PrintedPdf print = PrintToPdf(printed);
        const PrintedPdf preview = PreviewToPdf(printed);
        EXPECT_EQ(preview.Pages, print.Pages);
        // What went wrong, word by word, the first few of it told.
        std::vector<std::string> faults;
        auto check = [&faults](bool sound, const PdfWord& word, const char* fault) {
            if (!sound)
                faults.push_back(word.Text + fault + " at " + std::to_string(word.XMin) + ", " +
                                 std::to_string(word.YMin) + " - " + std::to_string(word.XMax) + ", " +
                                 std::to_string(word.YMax) + " on page " + std::to_string(word.Page));
        };
        // A4's printable part lies 10 points in from each edge; the preview's sheet is 2028 x
        // 2900 tenths of 0.15 points from the file page's corner.
        for (const PdfWord& word : print.Words)
            check(word.XMin >= 9.5 && word.XMax <= 585.5 && word.YMin >= 9.5 && word.YMax <= 832.5, word,
                  " printed off the sheet");
        for (const PdfWord& word : preview.Words)
            check(word.XMin >= -0.5 && word.XMax <= 304.7 && word.YMin >= -0.5 && word.YMax <= 435.5, word,
                  " previewed off the sheet");
        std::vector<PdfWord> below;
        std::copy_if(print.Words.begin(), print.Words.end(), std::back_inserter(below),
                     [](const PdfWord& word) { return word.Text == "below"; });
        EXPECT_EQ(below.size(), static_cast<std::size_t>(row.times));
        const auto printedWords = Numbered(print, row.prefix);
        const auto previewWords = Numbered(preview, row.prefix);
        for (int i = 1; i <= row.count; ++i) {
            const std::string word = row.prefix + std::to_string(i);
            const auto printedWord = printedWords.find(i);
            const auto previewWord = previewWords.find(i);
            const std::size_t printedTimes =
                printedWord == printedWords.end() ? 0 : printedWord->second.size();
            const std::size_t previewTimes =
                previewWord == previewWords.end() ? 0 : previewWord->second.size();
            const auto times = static_cast<std::size_t>(row.times);
            if (printedTimes != times || previewTimes != times) {
                faults.push_back(word + " printed " + std::to_string(printedTimes) + " and previewed " +
                                 std::to_string(previewTimes) + " times");
                continue;
            }
            for (std::size_t k = 0; k < times; ++k) {
                const PdfWord& placed = printedWord->second[k];
                check(previewWord->second[k].Page == placed.Page, previewWord->second[k],
                      " previewed on another page than printed");
                // Page by page: the first strip's, then those of the strips after it.
                const double right = k == 0 ? row.right : row.fixedRight;
                check(placed.XMin >= row.left - 0.5 && placed.XMax <= right + 0.5, placed,
                      " printed off its strip");
                for (const PdfWord& under : below)
                    check(under.Page != placed.Page || placed.YMax <= under.YMin + 0.5, placed,
                          " over the row below");
            }
        }
        std::string told;
        for (std::size_t i = 0; i < std::min<std::size_t>(faults.size(), 8); ++i)
            told += faults[i] + "\n";
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << told;
    }
}
