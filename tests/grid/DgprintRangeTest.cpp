#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

// A range printed alone prints each of its cells, the fixed columns again left of its later strips
// and the fixed row again at the top of its pages: each word once where it prints, showing, on the
// sheet and within its column, left of every column printed right of it.
TEST_F(PrintedGrid, EveryCellOfARangePrintsOnceWithinItsColumn) {
    const struct {
        const char* label;
        TGridRect range;
        bool repeat, noAutoSize, repeatRows;
        // Strips the range prints in: one a wide column, the fixed ones in the range with the first.
        int strips;
    } rows[] = {
        {"whole grid", {0, 0, 4, 5}, true, false, false, 3},
        {"in the fixed columns", {1, 0, 4, 5}, true, false, false, 3},
        {"at the fixed columns' end", {2, 0, 4, 5}, true, false, false, 3},
        {"past the fixed columns", {3, 0, 4, 5}, true, false, false, 2},
        {"past the fixed columns, rows", {3, 2, 4, 4}, true, false, false, 2},
        {"in the fixed columns, rows", {1, 3, 4, 5}, true, false, false, 3},
        {"past the fixed columns, not repeated", {3, 0, 4, 5}, false, false, false, 2},
        {"in the fixed columns, not repeated", {1, 1, 4, 3}, false, false, false, 3},
        {"in the fixed columns, screen widths", {1, 0, 4, 5}, true, true, false, 3},
        {"past the fixed columns, screen widths, rows", {3, 1, 4, 5}, true, true, false, 2},
        {"past the fixed columns, rows, fixed row repeated", {3, 2, 4, 4}, true, false, true, 2},
        {"in the fixed columns, rows, fixed row repeated", {1, 3, 4, 5}, false, false, true, 3},
        {"at the fixed columns' end, screen widths, rows, fixed row repeated",
         {2, 1, 4, 5},
         true,
         true,
         true,
         3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid printed(nullptr);
        PrintTwoColumnsOnA4(printed);
        printed.SetColCount(5);
        printed.SetRowCount(6);
        printed.SetFixedCols(2);
        printed.SetFixedRows(1);
        printed.PrintSettings->NoAutoSize = row.noAutoSize;
        printed.PrintSettings->RepeatFixedCols = row.repeat;
        printed.PrintSettings->RepeatFixedRows = row.repeatRows;
        // Narrow fixed columns; the others each wider than half the sheet, a strip of their own, a
        // page each. The fixed row's headings are the widest of their columns.
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 6; ++r) {
                const int xs = (c < 2 ? 0 : 45) + (r == 0 ? 10 : 0);
                printed.SetCells(c, r,
                                 "C" + std::to_string(c) + "R" + std::to_string(r) +
                                     (xs > 0 ? "-" + std::string(xs, 'x') : std::string()));
            }
        // A fixed cell of two lines: its row holds both.
        printed.Multilinecells = true;
        printed.SetCells(1, 4, "C1R4\r\nC1R4");
        // A block over both fixed columns prints its base cell's word over them, or over the part
        // of them in the range.
        printed.MergeCells(0, 2, 2, 1);
        QTemporaryDir dir;
        const QString file = dir.filePath("range.pdf");
        Responder().AnswerFile(file.toStdString());
        printed.PrintRect(row.range);
        const std::vector<PdfWord> words = PdfWords(file);
        const std::vector<QImage> pages = PdfPageImages(file);

        std::vector<std::string> faults;
        std::map<std::pair<int, int>, int> times;
        static const std::regex cell(R"(C(\d)R(\d)(-x+)?)");
        // The columns a word prints over: its own, or the block's.
        auto columns = [](const std::string& word) {
            const int c = word[1] - '0';
            return word.compare(0, 4, "C0R2") == 0 ? std::make_pair(0, 1) : std::make_pair(c, c);
        };
        for (const PdfWord& word : words) {
            std::smatch m;
            if (!std::regex_match(word.Text, m, cell)) {
                faults.push_back(word.Text + " printed");
                continue;
            }
            ++times[{std::stoi(m[1]), std::stoi(m[2])}];
            if (word.XMin < 9.5 || word.XMax > 585.5 || word.YMin < 9.5 || word.YMax > 832.5)
                faults.push_back(word.Text + " off the sheet");
            if (!PdfWordShows(pages, word))
                faults.push_back(word.Text + " hidden");
            for (const PdfWord& other : words) {
                if (other.Page != word.Page)
                    continue;
                if (columns(word.Text).second < columns(other.Text).first && word.XMax > other.XMin + 0.5)
                    faults.push_back(word.Text + " over " + other.Text);
                if (word.Text[3] < other.Text[3] && word.YMax > other.YMin + 0.5)
                    faults.push_back(word.Text + " over the row of " + other.Text);
            }
        }
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 6; ++r) {
                const int right = r == 2 && c == 0 ? 1 : c;
                const bool inRows =
                    ((r >= row.range.Top && r <= row.range.Bottom) || (r == 0 && row.repeatRows)) &&
                    !(r == 2 && c == 1);
                const bool inRange = inRows && right >= row.range.Left && c <= row.range.Right;
                const bool again = inRows && c < 2 && row.repeat;
                const int lines = c == 1 && r == 4 ? 2 : 1;
                const int expected = lines * ((inRange ? 1 : 0) + (again ? row.strips - 1 : 0));
                if (times[{c, r}] != expected)
                    faults.push_back("C" + std::to_string(c) + "R" + std::to_string(r) + " printed " +
                                     std::to_string(times[{c, r}]) + " times");
            }
        std::string told;
        for (std::size_t i = 0; i < std::min<std::size_t>(faults.size(), 8); ++i)
            told += faults[i] + "\n";
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << told;
    }
}
