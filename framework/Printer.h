#pragma once

#include <QPrinter>

// The printer the program prints on, with the settings the printer setup dialog chose.
class TPrinter {
public:
    QPrinter& Device() { return device; }

private:
    QPrinter device;
};

TPrinter* Printer();
