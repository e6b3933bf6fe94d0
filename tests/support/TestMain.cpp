#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    SetDialogResponder(&Responder());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
