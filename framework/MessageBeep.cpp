#include "framework/MessageBeep.h"

#include <QApplication>

namespace {
int beeps = 0;
}

void MessageBeep(unsigned) {
    ++beeps;
    QApplication::beep();
}

int MessageBeeps() {
    return beeps;
}
