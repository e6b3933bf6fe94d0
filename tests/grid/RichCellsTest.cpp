#include "framework/RichText.h"
#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/PdfPages.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string Rich(const char* body) {
    return std::string("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil DejaVu Sans;}}\\f0\\fs20 ") + body + "\\par}";
}

// Pixels of a cell darker than mid grey.
int DarkPixels(const QImage& image, const TRect& cell) {
    int dark = 0;
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++dark;
    return dark;
}

TEST(RichCells, ABoldRichCellPaintsBolderThanARegularOne) {
    ShownGrid<TDataGrid> shown;
    TDataGrid& grid = *shown.grid;
    grid.SetColWidths(1, 120);
    grid.SetCells(1, 1, Rich("\\b WWWW").c_str());
    grid.SetCells(1, 2, Rich("WWWW").c_str());
    grid.SetCells(1, 3, "WWWW");
    shown.Show();
    const QImage image = static_cast<QAbstractScrollArea*>(grid.View())->viewport()->grab().toImage();
    const int bold = DarkPixels(image, grid.CellRect(1, 1));
    const int regular = DarkPixels(image, grid.CellRect(1, 2));
    const int plain = DarkPixels(image, grid.CellRect(1, 3));
    EXPECT_GT(regular, 0);
    EXPECT_GT(bold, regular + regular / 5);
    // The regular rich cell shows its four letters, not the control words around them.
    EXPECT_LT(regular, 2 * plain);
}

TEST_F(PrintedGrid, ARichCellPrintsItsTextFormattedNotItsControlWords) {
    QTemporaryDir dir;
    const QString file = dir.filePath("rich.pdf");
    grid.SetCells(0, 0, Rich("\\b bold\\b0  and plain").c_str());
    Responder().AnswerFile(file.toStdString());
    grid.Print();
    const auto pages = PdfPageTexts(file);
    ASSERT_FALSE(pages.empty());
    EXPECT_NE(pages[0].find("bold"), std::string::npos) << pages[0];
    EXPECT_NE(pages[0].find("plain"), std::string::npos) << pages[0];
    EXPECT_EQ(pages[0].find("rtf"), std::string::npos) << pages[0];
}

} // namespace
