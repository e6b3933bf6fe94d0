#pragma once

#include "framework/CustomEdit.h"

#include <QPoint>

// A point of the edit, half way down, where a click puts the caret at position (bytes before it).
inline QPoint Over(TCustomEdit& edit, int position) {
    UpdateStaleViews();
    for (int x = 0; x < edit.Width(); ++x)
        if (edit.CharFromPos(x) == position)
            return QPoint(x, edit.Height() / 2);
    return QPoint(edit.Width() - 4, edit.Height() / 2);
}
