#include "grid/Datagrid.h"

#include "framework/GridScrollArea.h"
#include "grid/HTMLHintWindow.h"
#include "grid/Picturecontainer.h"
#include "tests/grid/HTMLPictures.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {

// A shown grid of 5 x 8 cells, 64 x 21 pixels each, on white.
struct HTMLGrid : ShownGrid<TDataGrid> {
    HTMLGrid() {
        grid->SetRowCount(8);
        grid->SetColor(clWhite);
        grid->HideSelection();
    }
    QWidget* Cells() { return static_cast<GridScrollArea*>(grid->View())->viewport(); }
    QImage Shot() {
        QApplication::processEvents();
        return Cells()->grab().toImage();
    }
    // Dark pixels inside cell (c, r).
    int Ink(const QImage& shot, int col, int row) {
        int dark = 0;
        for (int y = 21 * row + 1; y < 21 * row + 19; ++y)
            for (int x = 64 * col + 1; x < 64 * col + 62; ++x)
                dark += qGray(shot.pixel(x, y)) < 128;
        return dark;
    }
};

TEST(DatagridHTML, BoldTagPaintsBold) {
    HTMLGrid window;
    window.grid->SetCells(1, 1, "<B>xxx</B>");
    window.grid->SetCells(2, 1, "xxx</Z>");
    window.Show();
    const QImage shot = window.Shot();
    const int regular = window.Ink(shot, 2, 1);
    EXPECT_GT(regular, 0);
    EXPECT_GT(window.Ink(shot, 1, 1), regular);
}

TEST(DatagridHTML, ColumnSizedToTheLaidOutText) {
    TDataGrid grid(nullptr);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, "<B>abc</B> def");
    grid.SetCells(1, 2, "ab");
    grid.AutoSizeCol(1);
    QFont font = QApplication::font();
    font.setPointSize(grid.Font.Size);
    const QFontMetrics regular(font);
    font.setBold(true);
    const QFontMetrics bold(font);
    EXPECT_EQ(grid.GetColWidths(1), bold.horizontalAdvance("abc") + regular.horizontalAdvance(" def") + 4);
}

TEST(DatagridHTML, AnchorsFollowedOnAPress) {
    struct Row {
        const char* anchor;
        TPoint current;
        std::vector<AnsiString> opened;
    } rows[] = {
        {"CELL://R5C2", Point(2, 5), {}},
        {"http://example.com/a", Point(1, 1), {"http://example.com/a"}},
        {"file:/etc/passwd", Point(1, 1), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.anchor);
        HTMLGrid window;
        window.grid->SetCells(3, 3, AnsiString("<A HREF=\"") + row.anchor + "\">go</A>");
        window.grid->UnHideSelection();
        window.grid->SetCol(1);
        window.grid->SetRow(1);
        window.Show();
        Responder().Clear();
        AnsiString clicked;
        window.grid->OnAnchorClick = [&](TObject*, int, int, const AnsiString& anchor, bool&) {
            clicked = anchor;
        };
        QTest::mouseClick(window.Cells(), Qt::LeftButton, {}, QPoint(3 * 64 + 5, 3 * 21 + 8));
        EXPECT_EQ(clicked, row.anchor);
        EXPECT_EQ(Point(window.grid->GetCol(), window.grid->GetRow()), row.current);
        EXPECT_EQ(Responder().Opened, row.opened);
    }
}

// The grid printed into the file name in dir.
QString PrintToPdf(TDataGrid& grid, const QTemporaryDir& dir, const char* name) {
    const QString file = dir.filePath(name);
    Responder().AnswerFile(file.toStdString());
    grid.Print();
    return file;
}

TEST_F(PrintedGrid, HTMLCellsPrintTheirText) {
    grid.SetCells(0, 0, "<B>bold</B> and <I>slanted</I>");
    grid.SetCells(1, 0, "plain");
    QTemporaryDir dir;
    const auto pages = PdfPageTexts(PrintToPdf(grid, dir, "html.pdf"));
    ASSERT_FALSE(pages.empty());
    EXPECT_NE(pages[0].find("bold and slanted"), std::string::npos);
    EXPECT_EQ(pages[0].find("<B>"), std::string::npos);
    EXPECT_NE(pages[0].find("plain"), std::string::npos);
}

// A black picture of 96 x 96 pixels, one inch on the screen, named "Ink".
struct InkContainer {
    InkContainer() {
        TPictureItem* item = container.Items.Add();
        item->Name = "Ink";
        LoadBytes(*item->Picture, PngBytes(96, 96, Qt::black));
    }
    TPictureContainer container{nullptr};
};

TEST_F(PrintedGrid, HTMLTitlePrintsFormattedInItsMargin) {
    InkContainer ink;
    grid.SetPictureContainer(&ink.container);
    grid.SetCells(0, 0, "cell");
    TPrintSettings& settings = *grid.PrintSettings;
    settings.HeaderSize = 300;
    settings.FooterSize = 300;
    settings.TitleLines.Add("<B>Riverside</B> <IMG SRC=\"ink\"> sewers");
    // The margins' bands in points from the sheet's top: 10 points kept clear, 300 tenths of a
    // millimetre = 85 points; an A4 sheet is 842 points high.
    struct Row {
        TPrintPosition title;
        double top, bottom;
    } rows[] = {{ppTopLeft, 10, 95}, {ppBottomLeft, 747, 832}};
    QTemporaryDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        settings.Title = row.title;
        const AnsiString file = dir.filePath("title.pdf").toStdString();
        Responder().AnswerFile(file);
        grid.Print();
        const QString pdf = QString::fromStdString(file.str());
        std::vector<std::string> title;
        for (const PdfWord& word : PdfWords(pdf)) {
            if (word.Page != 1 || word.Text == "cell")
                continue;
            title.push_back(word.Text);
            EXPECT_GE(word.YMin, row.top) << word.Text;
            EXPECT_LE(word.YMax, row.bottom) << word.Text;
        }
        EXPECT_EQ(title, (std::vector<std::string>{"Riverside", "sewers"}));
        // The picture keeps its inch on paper.
        std::vector<PdfImage> images = PdfImages(pdf);
        std::erase_if(images, [](const PdfImage& image) { return image.Page != 1; });
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].Width, 96);
        EXPECT_EQ(images[0].PixelsPerInchX, 96);
        EXPECT_EQ(images[0].PixelsPerInchY, 96);
    }
}

// The shrunken sheet of a preview draws a cell's picture as small as it draws the text: an inch of
// picture takes as many pixels as an inch of the sheet.
TEST_F(PrintedGrid, HTMLPicturesShrinkWithThePreview) {
    InkContainer ink;
    grid.SetPictureContainer(&ink.container);
    grid.SetCells(0, 0, "<IMG SRC=\"ink\">");
    for (const int width : {210, 420}) {
        SCOPED_TRACE(width);
        TBitmap page;
        page.SetSize(width, width * 297 / 210);
        grid.PrintPreviewRect(page.Canvas, Rect(0, 0, page.Width(), page.Height()),
                              TGridRect{0, 0, grid.GetColCount() - 1, grid.GetRowCount() - 1});
        const QImage image = page.Image();
        // The widest run of dark pixels on a line, and the tallest down a column.
        TPoint picture = Point(0, 0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0, run = 0; x < image.width(); ++x) {
                run = Dark(image, x, y) ? run + 1 : 0;
                picture.x = std::max(picture.x, run);
            }
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0, run = 0; y < image.height(); ++y) {
                run = Dark(image, x, y) ? run + 1 : 0;
                picture.y = std::max(picture.y, run);
            }
        // The printable area is 2028 tenths of a millimetre wide; an inch is 254 of them.
        int sheet = 0;
        for (int x = 0; x < image.width(); ++x)
            sheet += image.pixel(x, image.height() / 2) == qRgb(255, 255, 255);
        const double inch = sheet * 254.0 / 2028;
        EXPECT_NEAR(picture.x, inch, 1.5);
        EXPECT_NEAR(picture.y, inch, 1.5);
    }
}

// The footer's template, the current row's cells put in, shows formatted (printed to PDF as the
// panel paints it); with the selection hidden there is no current row to put in.
TEST(DatagridHTML, FooterTemplateShowsTheCurrentRowFormatted) {
    struct Row {
        bool hidden;
        const char* text;
    } rows[] = {{false, "Pipe S12 of 40 m"}, {true, "Pipe of"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        HTMLGrid window;
        window.grid->SetCells(1, 2, "S12");
        window.grid->SetCells(2, 2, "40 m");
        window.grid->FloatingFooter->SetFooterStyle(fsCustomPreview);
        window.grid->FloatingFooter->SetCustomTemplate("Pipe <B><#1></B> of <I><#2></I><#x>");
        window.grid->FloatingFooter->SetVisible(true);
        window.grid->UnHideSelection();
        window.grid->SetRow(2);
        if (row.hidden)
            window.grid->HideSelection();
        window.Show();
        QApplication::processEvents();
        QTemporaryDir dir;
        const QString pdf = dir.filePath("footer.pdf");
        {
            QPdfWriter writer(pdf);
            QPainter painter(&writer);
            window.grid->FooterPanel->View()->render(&painter);
        }
        const auto pages = PdfPageTexts(pdf);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NE(pages[0].find(row.text), std::string::npos) << pages[0];
        EXPECT_EQ(pages[0].find("<"), std::string::npos) << pages[0];
        EXPECT_EQ(pages[0].find("S12") != std::string::npos, !row.hidden) << pages[0];
    }
}

TEST(DatagridHTML, HintWindowKeepsInsideTheScreen) {
    TDataGrid grid(nullptr);
    THTMLHintWindow window(&grid);
    const AnsiString hint = "cw=<b>120</b>";
    const TRect screen = Rect(0, 0, 800, 600);
    const TRect inside = window.HintRect(Rect(100, 100, 100, 100), hint, screen);
    EXPECT_EQ(inside.Left, 100);
    EXPECT_EQ(inside.Top, 100);
    const TRect past = window.HintRect(Rect(790, 595, 790, 595), hint, screen);
    EXPECT_EQ(past.Right, 798);
    EXPECT_EQ(past.Bottom, 598);
    EXPECT_EQ(past.Width(), inside.Width());
    EXPECT_EQ(past.Height(), inside.Height());
    window.ActivateHint(Rect(10, 10, 10, 10), hint);
    EXPECT_TRUE(window.View()->isVisible());
    EXPECT_EQ(window.View()->geometry(), QRect(10, 10, inside.Width(), inside.Height()));
    window.ReleaseHandle();
    EXPECT_FALSE(window.View()->isVisible());
}

// DejaVu Sans stands 2384 / 2048 em high. Plain text of 10 points prints 35 tenths of a
// millimetre high, 9.92 points: words 11.55 points high; HTML text, in whole points, at 10: 11.64.
// HTML size 4 is 14 points: 16.30.
TEST_F(PrintedGrid, HTMLCellsPrintAtThePlainTextsSize) {
    grid.SetCells(0, 0, "plain text");
    grid.SetCells(0, 1, "<B>bold</B> html text");
    grid.SetCells(1, 1, "<FONT SIZE=\"4\">large</FONT>");
    QTemporaryDir dir;
    std::map<std::string, double> heights;
    for (const PdfWord& word : PdfWords(PrintToPdf(grid, dir, "sizes.pdf")))
        heights[word.Text] = word.YMax - word.YMin;
    const std::pair<const char*, double> rows[] = {
        {"plain", 11.55}, {"bold", 11.64}, {"html", 11.64}, {"large", 16.30}};
    for (const auto& [word, height] : rows) {
        SCOPED_TRACE(word);
        EXPECT_NEAR(heights[word], height, 0.05);
    }
}

// Rows of HTML text take as many pages as rows of plain text of the same font.
TEST_F(PrintedGrid, HTMLRowsTakeThePagesOfPlainRows) {
    grid.SetRowCount(300);
    std::vector<int> pages;
    for (const char* text : {"row", "<B>row</B>"}) {
        SCOPED_TRACE(text);
        for (int r = 0; r < grid.GetRowCount(); ++r)
            grid.SetCells(0, r, text);
        pages.push_back(Preview());
    }
    EXPECT_EQ(pages[0], pages[1]);
}

} // namespace
