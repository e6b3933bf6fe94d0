#pragma once

#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <QPrinter>

#include <memory>

enum TPrinterOrientation { poPortrait, poLandscape };

// A print job that cannot start or go on: a file that cannot be written, a printer that refuses.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

class QPainter;

// The printer the program prints on: the system's default printer when there is one, else a PDF
// file named when each job begins. Page sizes are in the device's pixels, at its resolution.
class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    TPrinterOrientation GetOrientation() const;
    void SetOrientation(TPrinterOrientation value);
    // The printable area of a sheet and the pixels per inch across and down it.
    int PageWidth() const;
    int PageHeight() const;
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    bool Printing() const { return painter != nullptr; }

    // Starts a job named Title. Output to a PDF file asks every time where to write it, offering
    // the file of the job before or the one the printer setup named: false when the user cancels,
    // and then no job starts. A file that cannot be written raises EPrinter.
    bool BeginDoc();
    void NewPage();
    // Ends the job; the output is complete once it returns.
    void EndDoc();
    // Ends the job without finishing it (a print that failed halfway).
    void Abort();

    // Draws on the sheet while a job runs.
    TCanvas* const Canvas = &canvas;
    // The job's name in the printer's queue.
    AnsiString Title;

    QPrinter& Device() { return device; }

private:
    void EndJob();

    QPrinter device{QPrinter::HighResolution};
    TCanvas canvas;
    std::unique_ptr<QPainter> painter;
};

TPrinter* Printer();

// Ends the running job unless it was ended: a print that leaves by an exception leaves no job open.
class ScopedPrintJob {
public:
    explicit ScopedPrintJob(TPrinter& printer) : printer(printer) {}
    ~ScopedPrintJob() {
        if (printer.Printing())
            printer.Abort();
    }
    ScopedPrintJob(const ScopedPrintJob&) = delete;
    ScopedPrintJob& operator=(const ScopedPrintJob&) = delete;

private:
    TPrinter& printer;
};
