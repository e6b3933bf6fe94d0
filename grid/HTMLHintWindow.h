#pragma once

#include "framework/HintWindow.h"

class TDataGrid;

// The grid's hint window: the hint text drawn by the HTML renderer, so tags format it.
class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TDataGrid* grid);

    void ActivateHint(TRect Rect, const AnsiString& AHint) override;
    TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData) override;
    // Where ActivateHint puts a hint that starts at Rect's top-left: the measured text and a margin,
    // moved back inside screen 2 pixels from its right and bottom edges.
    TRect HintRect(TRect Rect, const AnsiString& AHint, const TRect& screen);

protected:
    void Paint() override;

private:
    TPoint Measure(const AnsiString& AHint, int width);

    TDataGrid& grid;
    int textWidth = 0;
    int textHeight = 0;
};
