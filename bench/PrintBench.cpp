#include "framework/Bitmap.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "framework/Printer.h"
#include "grid/Datagrid.h"

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

} // namespace
