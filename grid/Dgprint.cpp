// The grid's printing and preview entry points: pages counted and drawn by one page builder, on
// the printer's sheet, for printing and for the preview alike.
#include "grid/Datagrid.h"

#include "framework/Printer.h"
#include "framework/Screen.h"

#include <algorithm>
#include <cmath>

namespace {

// Tenths of a millimetre of a length in device pixels, halves to the even neighbour.
int Tenths(int pixels, int pixelsPerInch) {
    return static_cast<int>(std::nearbyint(pixels * 254.0 / pixelsPerInch));
}

// The printer's sheet, turned as the settings ask, in tenths of a millimetre.
TRect PrinterPage(TPrinterOrientation orientation) {
    TPrinter& printer = *Printer();
    printer.SetOrientation(orientation);
    return Rect(0, 0, Tenths(printer.PageWidth(), printer.PixelsPerInchX()),
                Tenths(printer.PageHeight(), printer.PixelsPerInchY()));
}

// Restores a canvas's mapping and page placement when a pass is done, however it ends.
class ScopedPageMapping {
public:
    explicit ScopedPageMapping(TCanvas& canvas) : canvas(canvas), mode(canvas.GetMapMode()) {}
    ~ScopedPageMapping() {
        canvas.SetMapMode(mode);
        canvas.ResetPageScale();
    }
    ScopedPageMapping(const ScopedPageMapping&) = delete;
    ScopedPageMapping& operator=(const ScopedPageMapping&) = delete;

private:
    TCanvas& canvas;
    int mode;
};

} // namespace

TGridRect TDataGrid::WholeGrid() const {
    return {0, 0, GetColCount() - 1, GetRowCount() - 1};
}

int TDataGrid::ScreenPixelsPerInch() const {
    return Screen ? Screen->PixelsPerInch() : 96;
}

int TDataGrid::MapFontHeight(int pointSize) const {
    return ::MapFontHeight(pointSize, 1);
}

int TDataGrid::MapFontSize(int height) const {
    return ::MapFontSize(height);
}

void TDataGrid::SetPreviewPage(int page) {
    FromPage = page;
    ToPage = page;
}

int TDataGrid::BuildPages(TCanvas* canvas, TPrintMethod method, int pages) {
    TPrintPass pass(*this, *canvas, method, pages);
    return pass.Run();
}

void TDataGrid::Print() {
    PrintRect(WholeGrid());
}

void TDataGrid::PrintRect(const TGridRect& range) {
    printRange = range;
    pageRect = PrinterPage(PrintSettings->Orientation);
    const int pages = FastPreview ? 1 : BuildPages(&countingCanvas, prCalcPrint, -1);
    FromPage = 1;
    ToPage = pages;
    printPageCount = pages;
    if (OnPrintStart) {
        OnPrintStart(this, pages, FromPage, ToPage);
        if (FromPage == 0 || ToPage == 0 || ToPage < FromPage)
            return;
        printPageCount = ToPage;
    }
    TPrinter& printer = *Printer();
    printer.Title = PrintSettings->JobName;
    if (!printer.BeginDoc())
        return;
    const ScopedPrintJob job(printer);
    {
        const ScopedPageMapping mapping(*printer.Canvas);
        BuildPages(printer.Canvas, prPrint, pages);
    }
    printer.EndDoc();
}

void TDataGrid::PrintPreview(TCanvas* canvas, const TRect& rect) {
    PrintPreviewRect(canvas, rect, WholeGrid());
}

void TDataGrid::PrintPreviewRect(TCanvas* canvas, const TRect& rect, const TGridRect& range) {
    printRange = range;
    pageRect = PrinterPage(PrintSettings->Orientation);
    // The sheet as large as the rectangle allows, centred in it, on a grey ground.
    const double scale = std::min(static_cast<double>(rect.Width()) / pageRect.Width(),
                                  static_cast<double>(rect.Height()) / pageRect.Height());
    const int sheetWidth = static_cast<int>(pageRect.Width() * scale);
    const int sheetHeight = static_cast<int>(pageRect.Height() * scale);
    const int left = rect.Left + (rect.Width() - sheetWidth) / 2;
    const int top = rect.Top + (rect.Height() - sheetHeight) / 2;
    const TBrush brush = canvas->Brush;
    canvas->Brush = TBrush{clGray, bsSolid};
    canvas->FillRect(rect);
    canvas->Brush.Color = clWhite;
    canvas->FillRect(Rect(left, top, left + sheetWidth, top + sheetHeight));
    canvas->Brush = brush;

    const ScopedPageMapping mapping(*canvas);
    canvas->SetMapMode(MM_LOMETRIC);
    canvas->SetPageScale(scale, QPointF(left, top));
    int pages = 1;
    if (!FastPreview) {
        pages = BuildPages(canvas, prCalcPreview, -1);
        printPageCount = pages;
    }
    BuildPages(canvas, prPreview, pages);
}

void TDataGrid::PrintDraw(TCanvas* canvas, const TRect& rect) {
    PrintDrawRect(canvas, rect, WholeGrid());
}

void TDataGrid::PrintDrawRect(TCanvas* canvas, const TRect&, const TGridRect& range) {
    printRange = range;
    FromPage = 1;
    ToPage = 1;
    printPageCount = 1;
    const ScopedPageMapping mapping(*canvas);
    canvas->SetMapMode(MM_LOMETRIC);
    const TRect clip = canvas->ClipBox();
    pageRect = Rect(0, 0, clip.Right - clip.Left, clip.Top - clip.Bottom);
    BuildPages(canvas, prPrint, 1);
}
