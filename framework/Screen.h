#pragma once

#include "framework/Cursors.h"

#include <QCursor>

#include <map>

// The screen: its size, the cursor shown over the whole program, and the table of cursors by
// number that controls pick theirs from.
class TScreen {
public:
    int Width() const;
    int Height() const;

    // While set to other than crDefault, this cursor shows over every window.
    TCursor GetCursor() const { return cursor; }
    void SetCursor(TCursor value);

    // The cursor of a number; an unknown number gives the arrow.
    QCursor Cursors(TCursor index) const;
    void SetCursors(TCursor index, const QCursor& value);

private:
    TCursor cursor = crDefault;
    std::map<TCursor, QCursor> installed;
};

extern TScreen* Screen;
