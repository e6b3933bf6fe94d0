#include "app/StartedWindows.h"
#include "bench/support/RandomNetworks.h"
#include "framework/Bitmap.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "framework/Printer.h"
#include "grid/Datagrid.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A grid laid out as the results table: 26 columns of 64 pixels, word wrap for the tall header
// row, a name column and 25 numbers a sewer, printed in Arial of 8 points, shrunk to the sheet.
std::unique_ptr<TDataGrid> ResultsLikeGrid(int sewers) {
    auto grid = std::make_unique<TDataGrid>(nullptr);
    grid->SetColCount(26);
    grid->SetRowCount(sewers + 1);
    grid->SetDefaultColWidth(64);
    grid->SetRowHeights(0, 48);
    grid->WordWrap = true;
    for (int c = 0; c < 26; ++c)
        grid->SetCellEx(c, 0, "Total initial flow " + IntToStr(c) + " (l/s)");
    for (int r = 1; r <= sewers; ++r) {
        grid->SetCellEx(0, r, "S" + IntToStr(r));
        for (int c = 1; c < 26; ++c)
            grid->SetCellEx(c, r, FloatToStrF(r * 0.37 + c, ffExponent, 4, 2));
    }
    TPrintSettings& settings = *grid->PrintSettings;
    settings.Font.SetName("Arial");
    settings.Font.SetHeight(-11);
    settings.NoAutoSize = true;
    settings.Centered = true;
    settings.FitToPage = fpShrink;
    settings.PageNr = ppBottomCenter;
    return grid;
}

// Every print job goes into the same PDF file.
class PdfFileResponder : public DialogResponder {
public:
    explicit PdfFileResponder(AnsiString file) : file(std::move(file)) {}
    int MessageBox(const MessageRequest&) override { return IDOK; }
    int ShowModal(TForm&) override { return mrCancel; }
    bool ChooseFile(FileRequest& request) override {
        request.FileName = file;
        return true;
    }

private:
    AnsiString file;
};

void UsePdfPrinter() {
    QPrinter& device = Printer()->Device();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(QString());
    device.setPageSize(QPageSize(QPageSize::A4));
}

// The whole table printed into a PDF file: counted, laid out and drawn page by page.
void BM_PrintToPdf(benchmark::State& state) {
    const auto grid = ResultsLikeGrid(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    PdfFileResponder responder(dir.filePath("table.pdf").toStdString());
    SetDialogResponder(&responder);
    UsePdfPrinter();
    for (auto _ : state) {
        // A changed cell: nothing of an earlier layout may be used.
        grid->SetCellEx(0, 1, "S1");
        grid->Print();
    }
    SetDialogResponder(nullptr);
    state.counters["rows"] = static_cast<double>(state.range(0));
    state.counters["pages"] = grid->GetPrintPageCount();
}
BENCHMARK(BM_PrintToPdf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The preview's first showing: every page counted, page 1 drawn.
void BM_PreviewFirstPage(benchmark::State& state) {
    const auto grid = ResultsLikeGrid(static_cast<int>(state.range(0)));
    UsePdfPrinter();
    TBitmap box;
    box.SetSize(390, 330);
    for (auto _ : state) {
        grid->SetCellEx(0, 1, "S1");
        grid->SetPreviewPage(1);
        grid->PrintPreview(box.Canvas, Rect(0, 0, 390, 330));
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PreviewFirstPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// "Next" in the preview of 100,000 rows: page state.range(0) drawn once the table was counted.
void BM_PreviewNext(benchmark::State& state) {
    const auto grid = ResultsLikeGrid(100000);
    UsePdfPrinter();
    TBitmap box;
    box.SetSize(390, 330);
    grid->PrintPreview(box.Canvas, Rect(0, 0, 390, 330));
    for (auto _ : state) {
        grid->SetPreviewPage(static_cast<int>(state.range(0)));
        grid->PrintPreview(box.Canvas, Rect(0, 0, 390, 330));
    }
    state.counters["pages"] = grid->GetPrintPageCount();
}
BENCHMARK(BM_PreviewNext)->Arg(2)->Arg(500)->Unit(benchmark::kMillisecond);

// The program's results table filled from a designed random tree, its print settings as the
// print setup's Apply leaves them (borders, fit to page, centred, page numbers).
class FilledTable {
public:
    explicit FilledTable(int sewers) {
        FrontForm->ReplaceNetwork(RandomTree(sewers));
        FrontForm->Network->CheckNetwork();
        TableForm->UpdateTableFromNetwork();
        PrintSetupForm->CheckBox3->SetChecked(true);
        PrintSetupForm->ApplyButton->Click();
        UsePdfPrinter();
    }
    FilledTable(const FilledTable&) = delete;
    FilledTable& operator=(const FilledTable&) = delete;

    TDataGrid& Grid() const { return *TableForm->DataGrid1; }
    // A cell written again, as a refill would: nothing of an earlier layout may be used.
    void Touch() const { Grid().SetCellEx(0, 1, Grid().GetCellEx(0, 1)); }

private:
    StartedWindows windows;
};

// File > Print Solution Table into a PDF file: pages counted, laid out and drawn.
void PrintSolutionTable(benchmark::State& state) {
    const FilledTable table(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("table.pdf");
    PdfFileResponder responder(pdf.toStdString());
    SetDialogResponder(&responder);
    for (auto _ : state) {
        table.Touch();
        FrontForm->Printtable1->Click();
    }
    SetDialogResponder(nullptr);
    state.counters["pages"] = table.Grid().GetPrintPageCount();
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(pdf).size()) / 1e6;
}
BENCHMARK(PrintSolutionTable)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The Print Preview window's first page of the results table: every page counted, page 1 drawn
// on the window's page area.
void PreviewSolutionTable(benchmark::State& state) {
    const FilledTable table(static_cast<int>(state.range(0)));
    TBitmap box;
    box.SetSize(315, 232);
    for (auto _ : state) {
        table.Touch();
        table.Grid().SetPreviewPage(1);
        table.Grid().PrintPreview(box.Canvas, Rect(0, 0, 315, 232));
    }
    state.counters["pages"] = table.Grid().GetPrintPageCount();
}
BENCHMARK(PreviewSolutionTable)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor the printing is measured against: the same cells, one QPainter::drawText each, at
// the rows and columns the program printed them, in its print font at its scale.
void PlainQtFloor(benchmark::State& state) {
    const FilledTable table(static_cast<int>(state.range(0)));
    TDataGrid& grid = table.Grid();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("table.pdf");
    PdfFileResponder responder(pdf.toStdString());
    SetDialogResponder(&responder);
    FrontForm->Printtable1->Click();
    SetDialogResponder(nullptr);
    const int pages = grid.GetPrintPageCount();
    const int rowsPerPage = (grid.GetRowCount() + pages - 1) / pages;
    const double fit =
        static_cast<double>(grid.GetPrintColOffset(grid.GetColCount()) - grid.GetPrintColOffset(0)) /
        ((grid.GetColCount() * (grid.GetColWidths(0) - 4)) * 254.0 / 96);
    for (auto _ : state) {
        QPrinter& device = Printer()->Device();
        device.setOutputFileName(pdf);
        QPainter painter(&device);
        const double pixelsPerTenth = device.logicalDpiX() / 254.0;
        painter.scale(pixelsPerTenth, pixelsPerTenth);
        QFont font(QString::fromStdString(grid.PrintSettings->Font.Name.str()));
        font.setPixelSize(std::max(1, static_cast<int>(grid.PrintSettings->Font.Size * 254.0 / 72 * fit)));
        painter.setFont(font);
        const double pitch = 2700.0 / rowsPerPage;
        for (int row = 0; row < grid.GetRowCount(); ++row) {
            if (row > 0 && row % rowsPerPage == 0)
                device.newPage();
            const double y = 100 + (row % rowsPerPage) * pitch;
            for (int col = 0; col < grid.GetColCount(); ++col)
                painter.drawText(QPointF(grid.GetPrintColOffset(col), y),
                                 QString::fromStdString(grid.GetCellEx(col, row).str()));
        }
        painter.end();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(pdf).size()) / 1e6;
}
BENCHMARK(PlainQtFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
