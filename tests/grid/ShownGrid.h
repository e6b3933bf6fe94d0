#pragma once

#include "framework/Form.h"

#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <gtest/gtest.h>

// A grid of the given kind, 300 x 200, in a 400 x 300 window on screen.
template <class Grid> struct ShownGrid {
    ShownGrid() {
        form.SetBounds(0, 0, 400, 300);
        grid = new Grid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 300, 200);
    }
    // Shows the window once the test has set the grid up.
    void Show() {
        form.Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.View()));
    }
    TForm form{nullptr};
    Grid* grid;
};

// The region of a widget painted since it was watched, or since the last look.
struct PaintedArea : QObject {
    explicit PaintedArea(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            area += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion area;
};
