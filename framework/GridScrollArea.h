#pragma once

#include <QAbstractScrollArea>

#include <functional>

// The framework grid's view: a scroll area whose bars stand for the first row and column in
// view; the grid draws every cell itself. Tab goes to the grid while it takes tabs.
class GridScrollArea : public QAbstractScrollArea {
public:
    std::function<bool()> TakesTabs;

protected:
    bool focusNextPrevChild(bool next) override {
        if (TakesTabs && TakesTabs())
            return false;
        return QAbstractScrollArea::focusNextPrevChild(next);
    }
    void scrollContentsBy(int, int) override {}
};
