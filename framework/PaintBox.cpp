#include "framework/PaintBox.h"

#include "framework/ControlView.h"

#include <QScopedValueRollback>

TPaintBox::TPaintBox(TComponent* owner) : TControl(owner), Canvas(picture.Canvas) {
    SetView(new ControlView<QWidget>(*this));
    ClicksOnRelease = true;
    // Drawing outside OnPaint shows at the next paint of the view; OnPaint's own is shown anyway.
    Canvas->OnChange = [this](TObject*) {
        if (!painting && View())
            View()->update();
    };
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Invalidate() {
    stale = true;
    TControl::Invalidate();
}

void TPaintBox::Repaint() {
    stale = true;
    Paint();
    TControl::Invalidate();
}

void TPaintBox::Paint() {
    stale = false;
    const TColor ground = ParentColor && Parent() ? Parent()->GetColor() : GetColor();
    Canvas->Font = Font;
    Canvas->Brush = TBrush{ground, bsSolid};
    const QScopedValueRollback<bool> whilePainting(painting, true);
    Canvas->FillRect(ClientRect());
    if (OnPaint)
        OnPaint(this);
}

void TPaintBox::ViewPaint(QPainter& painter) {
    if (stale)
        Paint();
    painter.drawImage(0, 0, picture.Image());
}

void TPaintBox::Resize() {
    picture.SetSize(Width(), Height());
    stale = true;
    TControl::Resize();
}
