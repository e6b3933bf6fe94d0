#include "framework/Printer.h"

#include "framework/CommonDialogs.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinterInfo>

namespace {

TPrinter* thePrinter = nullptr;

// Qt's printing goes with the application object, so the printer must go before it.
void FreePrinter() {
    delete thePrinter;
    thePrinter = nullptr;
}

} // namespace

TPrinter* Printer() {
    if (!thePrinter) {
        thePrinter = new TPrinter;
        qAddPostRoutine(FreePrinter);
    }
    return thePrinter;
}

TPrinter::TPrinter() {
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (system.isNull())
        device.setOutputFormat(QPrinter::PdfFormat);
    else
        device.setPrinterName(system.printerName());
}

TPrinter::~TPrinter() {
    if (Printing())
        Abort();
}

TPrinterOrientation TPrinter::GetOrientation() const {
    return device.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
    device.setPageOrientation(value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int TPrinter::PageWidth() const {
    return device.width();
}

int TPrinter::PageHeight() const {
    return device.height();
}

int TPrinter::PixelsPerInchX() const {
    return device.logicalDpiX();
}

int TPrinter::PixelsPerInchY() const {
    return device.logicalDpiY();
}

bool TPrinter::BeginDoc() {
    if (Printing())
        throw EPrinter("Printing in progress");
    // A file named once, in the setup or for a job before, is never written over unasked.
    if (device.outputFormat() == QPrinter::PdfFormat) {
        TSaveDialog dialog(nullptr);
        dialog.Title = "Print to File";
        dialog.Filter = "PDF files (*.pdf)|*.pdf|All files (*.*)|*.*";
        dialog.DefaultExt = "pdf";
        dialog.Options = ofOverwritePrompt | ofHideReadOnly | ofEnableSizing;
        dialog.FileName = device.outputFileName().toStdString();
        if (!dialog.Execute())
            return false;
        device.setOutputFileName(QString::fromStdString(dialog.FileName.str()));
    }
    device.setDocName(QString::fromStdString(Title.str()));
    auto opened = std::make_unique<QPainter>();
    if (!opened->begin(&device)) {
        const AnsiString target = device.outputFormat() == QPrinter::PdfFormat
                                      ? AnsiString("the file " + device.outputFileName().toStdString())
                                      : AnsiString("the printer " + device.printerName().toStdString());
        EndJob();
        throw EPrinter("Cannot print to " + target + ".");
    }
    painter = std::move(opened);
    canvas.Attach(*painter);
    return true;
}

void TPrinter::NewPage() {
    if (!Printing())
        return;
    canvas.Flush();
    device.newPage();
}

void TPrinter::EndDoc() {
    if (!Printing())
        return;
    canvas.Release();
    const bool written = painter->end();
    painter.reset();
    const QString file = device.outputFileName();
    EndJob();
    if (!written)
        throw EPrinter("Cannot print to the file " + file.toStdString() + ".");
}

void TPrinter::Abort() {
    if (!Printing())
        return;
    canvas.Release();
    device.abort();
    painter->end();
    painter.reset();
    EndJob();
}

void TPrinter::EndJob() {
    canvas.SetMapMode(MM_TEXT);
}
