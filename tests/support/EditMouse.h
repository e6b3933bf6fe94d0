#pragma once

#include "framework/CustomEdit.h"

#include <QApplication>
#include <QPoint>
#include <QTest>

// A point of the edit, half way down, where a click puts the caret at position (bytes before it).
inline QPoint Over(TCustomEdit& edit, int position) {
    UpdateStaleViews();
    for (int x = 0; x < edit.Width(); ++x)
        if (edit.CharFromPos(x) == position)
            return QPoint(x, edit.Height() / 2);
    return QPoint(edit.Width() - 4, edit.Height() / 2);
}

// A user's double click, as a widget gets it: press, release, double click, release. (QTest's
// double click alone sends only the third.)
inline void DoubleClick(QWidget* view, QPoint at) {
    QTest::mousePress(view, Qt::LeftButton, {}, at);
    QTest::mouseRelease(view, Qt::LeftButton, {}, at);
    QTest::mouseDClick(view, Qt::LeftButton, {}, at);
    QTest::mouseRelease(view, Qt::LeftButton, {}, at);
    QApplication::processEvents();
}
