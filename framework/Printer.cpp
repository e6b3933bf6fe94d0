#include "framework/Printer.h"

#include <QCoreApplication>

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
