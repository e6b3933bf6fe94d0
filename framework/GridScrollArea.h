#pragma once

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>

#include <functional>

// The framework grid's view: a scroll area whose bars stand for the first row and column in
// view; the grid draws every cell itself. Tab goes to the grid while it takes tabs.
class GridScrollArea : public QAbstractScrollArea {
public:
    std::function<bool()> TakesTabs;
    // A key about to be matched against the window's shortcuts; true keeps it for the grid.
    std::function<bool(const QKeyEvent&)> KeepsShortcutKey;
    // A tooltip asked for over the cells; true when the grid answered it.
    std::function<bool(const QHelpEvent&)> ShowsToolTip;
    // Draws over the frame around the cells once the frame is painted.
    std::function<void(QPainter&)> PaintFrame;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride && KeepsShortcutKey &&
            KeepsShortcutKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        const bool handled = QAbstractScrollArea::event(event);
        if (event->type() == QEvent::Paint && PaintFrame) {
            QPainter painter(this);
            PaintFrame(painter);
        }
        return handled;
    }
    bool viewportEvent(QEvent* event) override {
        if (event->type() == QEvent::ToolTip && ShowsToolTip &&
            ShowsToolTip(*static_cast<QHelpEvent*>(event)))
            return true;
        return QAbstractScrollArea::viewportEvent(event);
    }
    bool focusNextPrevChild(bool next) override {
        if (TakesTabs && TakesTabs())
            return false;
        return QAbstractScrollArea::focusNextPrevChild(next);
    }
    void scrollContentsBy(int, int) override {}
};
