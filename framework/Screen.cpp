#include "framework/Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

Qt::CursorShape StandardShape(TCursor index) {
    switch (index) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

TScreen theScreen;

} // namespace

TScreen* Screen = &theScreen;

int TScreen::PixelsPerInch() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 96;
}

int TScreen::Width() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

void TScreen::SetCursor(TCursor value) {
    if (value == cursor)
        return;
    if (cursor != crDefault)
        QGuiApplication::restoreOverrideCursor();
    cursor = value;
    if (cursor != crDefault)
        QGuiApplication::setOverrideCursor(Cursors(cursor));
}

QCursor TScreen::Cursors(TCursor index) const {
    const auto found = installed.find(index);
    return found != installed.end() ? found->second : QCursor(StandardShape(index));
}

void TScreen::SetCursors(TCursor index, const QCursor& value) {
    installed[index] = value;
}
