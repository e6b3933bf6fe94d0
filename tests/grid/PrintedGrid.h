#pragma once

#include "framework/Printer.h"
#include "grid/Datagrid.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ScriptedResponder.h"

#include "framework/Bitmap.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

// The printer as the tests print: into PDF files on A4 sheets, upright. The PDF printer keeps 10
// points clear at each edge, so a sheet's printable area is 575 x 822 points: 2028 x 2900 tenths
// of a millimetre.
inline void UseA4PdfPrinter() {
    QPrinter& device = Printer()->Device();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(QString());
    device.setPageSize(QPageSize(QPageSize::A4));
    Printer()->SetOrientation(poPortrait);
}

// All three print fonts DejaVu Sans of the given size, which every machine measures alike: at
// 10 points a line is 41 tenths high (ascent and descent 2384 / 2048 em of 35 tenths).
inline void UseDejaVu(TPrintSettings& settings, int size = 10, const char* name = "DejaVu Sans") {
    for (TFont* font : {&settings.Font, &settings.HeaderFont, &settings.FooterFont}) {
        font->SetName(name);
        font->SetSize(size);
    }
}

// The grid the printing tests start from: two columns of fifty rows, none fixed, in DejaVu Sans of
// 10 points with widths as on the screen, printed on A4.
inline void PrintTwoColumnsOnA4(TDataGrid& grid) {
    UseA4PdfPrinter();
    Responder().Clear();
    grid.SetColCount(2);
    grid.SetRowCount(50);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    UseDejaVu(*grid.PrintSettings);
    grid.PrintSettings->NoAutoSize = true;
}

// A white image of the given resolution to draw printed pages on.
inline QImage PageImage(int width, int height, int dpi) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(dpi * 10000 / 254);
    image.setDotsPerMeterY(dpi * 10000 / 254);
    return image;
}

inline bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The grid printed into a PDF file, read back.
struct PrintedPdf {
    std::vector<PdfWord> Words;
    int Pages;
};
inline PrintedPdf PrintToPdf(TDataGrid& grid) {
    QTemporaryDir dir;
    const QString file = dir.filePath("printed.pdf");
    Responder().AnswerFile(file.toStdString());
    grid.Print();
    return {PdfWords(file), PdfPageCount(file)};
}

// The preview's pages drawn one after another into a PDF file, each sheet of 2028 x 2900 tenths of
// a millimetre in a rectangle of 406 x 580 pixels at 96 an inch from the file page's top-left
// corner: 0.2 pixels, 0.15 points, a tenth.
inline PrintedPdf PreviewToPdf(TDataGrid& grid) {
    QTemporaryDir dir;
    const QString file = dir.filePath("preview.pdf");
    {
        QPdfWriter writer(file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(96);
        QPainter painter(&writer);
        TCanvas canvas;
        canvas.Attach(painter);
        grid.FastPreview = false;
        for (int page = 1; page == 1 || page <= grid.GetPrintPageCount(); ++page) {
            if (page > 1)
                writer.newPage();
            grid.SetPreviewPage(page);
            grid.PrintPreview(&canvas, Rect(0, 0, 406, 580));
        }
        canvas.Release();
    }
    return {PdfWords(file), PdfPageCount(file)};
}

// How many times each word was printed.
inline std::map<std::string, int> WordCounts(const PrintedPdf& printed) {
    std::map<std::string, int> counts;
    for (const PdfWord& word : printed.Words)
        ++counts[word.Text];
    return counts;
}

// The numbers of the printed words that are the prefix and a number ("L7"), in reading order: page
// by page, down each page.
inline std::vector<int> NumberedWords(const PrintedPdf& printed, const std::string& prefix) {
    std::vector<int> numbers;
    for (const PdfWord& word : printed.Words) {
        const std::string& text = word.Text;
        if (text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0 &&
            std::all_of(text.begin() + prefix.size(), text.end(),
                        [](unsigned char c) { return std::isdigit(c); }))
            numbers.push_back(std::stoi(text.substr(prefix.size())));
    }
    return numbers;
}

// A grid as PrintTwoColumnsOnA4 leaves it, with the last row of each page it lays out.
struct PrintedGrid : testing::Test {
    PrintedGrid() {
        PrintTwoColumnsOnA4(grid);
        grid.OnPrintPageDone = [this](TObject*, TCanvas*, int LastRow, int, int, int, int) {
            LastRows.push_back(LastRow);
        };
    }

    // The pages of the range counted and drawn as the preview draws them.
    int Preview(const TGridRect& range) {
        LastRows.clear();
        TBitmap page;
        page.SetSize(210, 297);
        grid.PrintPreviewRect(page.Canvas, Rect(0, 0, 210, 297), range);
        return grid.GetPrintPageCount();
    }
    int Preview() { return Preview(TGridRect{0, 0, grid.GetColCount() - 1, grid.GetRowCount() - 1}); }

    // Every row as high as the settings' fixed height of 100: with the 41 high text of the font a
    // row is drawn 2 x 5 + 100 + 100 / 8 = 122 high, 23 to a page.
    void FixedRowHeights() {
        grid.PrintSettings->UseFixedHeight = true;
        grid.PrintSettings->FixedHeight = 100;
    }

    TDataGrid grid{nullptr};
    std::vector<int> LastRows;
};
