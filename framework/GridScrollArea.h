#pragma once

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>

#include <functional>

// The framework grid's view: a scroll area whose bars stand for the first row and column in
// view; the grid draws every cell itself. Tab goes to the grid while it takes tabs.
class GridScrollArea : public QAbstractScrollArea {
public:
    std::function<bool()> TakesTabs;
    // Draws over the frame around the cells once the frame is painted.
    std::function<void(QPainter&)> PaintFrame;

protected:
    bool event(QEvent* event) override {
        const bool handled = QAbstractScrollArea::event(event);
        if (event->type() == QEvent::Paint && PaintFrame) {
            QPainter painter(this);
            PaintFrame(painter);
        }
        return handled;
    }
    bool focusNextPrevChild(bool next) override {
        if (TakesTabs && TakesTabs())
            return false;
        return QAbstractScrollArea::focusNextPrevChild(next);
    }
    void scrollContentsBy(int, int) override {}
};
