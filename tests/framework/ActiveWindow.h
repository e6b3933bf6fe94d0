#pragma once

#include "framework/Form.h"

#include <QTest>
#include <gtest/gtest.h>

// Shows the window and waits until it is the active one, as the user finds it.
inline void ShowActive(TForm& form) {
    form.Show();
    form.View()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.View()));
}
