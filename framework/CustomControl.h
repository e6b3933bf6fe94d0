#pragma once

#include "framework/Canvas.h"
#include "framework/ControlView.h"

#include <type_traits>

// A windowed control that paints itself: Paint draws on Canvas, which is ready during painting
// with the control's font and colour.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TCustomControl(owner, std::type_identity<QWidget>()) {}

    void ViewPaint(QPainter& painter) override;

    TCanvas* const Canvas = &canvas;

protected:
    // A control shown in a widget of another kind, a scroll area for one.
    template <class Widget>
    TCustomControl(TComponent* owner, std::type_identity<Widget>) : TWinControl(owner) {
        SetView(new ControlView<Widget>(*this));
        ClicksOnRelease = true;
        TabStop = true;
    }

    virtual void Paint() {}
    void UpdateView() override;

private:
    TCanvas canvas;
};
