#include "framework/CustomControl.h"

void TCustomControl::ViewPaint(QPainter& painter) {
    canvas.Font = Font;
    canvas.Brush = TBrush{GetColor(), bsSolid};
    struct Detach {
        TCanvas& canvas;
        ~Detach() { canvas.Release(); }
    } detach{canvas};
    canvas.Attach(painter);
    Paint();
}

void TCustomControl::UpdateView() {
    TWinControl::UpdateView();
    QPalette palette = View()->palette();
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    View()->setPalette(palette);
    View()->setAutoFillBackground(true);
    View()->setFocusPolicy(TabStop ? Qt::StrongFocus : Qt::ClickFocus);
}
