#pragma once

#include "framework/CustomControl.h"

// A small frameless window over everything that shows a hint and never takes the focus.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);

    // Shows AHint in Rect (screen coordinates) without activating the window.
    virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
    // The rectangle AHint needs, at most MaxWidth wide, from (0, 0).
    virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);
    void ReleaseHandle() { Hide(); }
    const AnsiString& GetCaption() const { return caption; }
    // Only repaints: the window keeps its size.
    void SetCaption(const AnsiString& value);
    // The available area of the screen that holds point.
    static TRect ScreenArea(TPoint point);

protected:
    void Paint() override;

private:
    AnsiString caption;
};
