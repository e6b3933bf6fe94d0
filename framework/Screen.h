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
    // Pixels per inch of the screen's texts and drawings.
    int PixelsPerInch() const;

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

// Shows a cursor over every window for as long as it lives, then the default cursor again, also
// when the work in between ends by an exception.
class ScopedScreenCursor {
public:
    explicit ScopedScreenCursor(TCursor cursor) { Screen->SetCursor(cursor); }
    ~ScopedScreenCursor() { Screen->SetCursor(crDefault); }
    ScopedScreenCursor(const ScopedScreenCursor&) = delete;
    ScopedScreenCursor& operator=(const ScopedScreenCursor&) = delete;
};
