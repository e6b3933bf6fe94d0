#include "controls/Typededit.h"

#include <QPainter>

// The flat, bordered and transparent looks of the typed edit box.

namespace {

// The text stands this far in from a flat box's sides, and from its top and bottom.
constexpr int FlatInsetX = 2;
constexpr int FlatInsetY = 4;

} // namespace

TColor TTypedEdit::ParentColor() const {
    return Parent() ? Parent()->GetColor() : GetColor();
}

void TTypedEdit::SetFlat(bool value) {
    const bool was = flat;
    flat = value;
    if (Loading())
        return;
    if (value) {
        if (!was)
            colorBeforeFlat = normalColor;
        if (flatParentColor) {
            SetColorEx(ParentColor());
            FocusColor = ParentColor();
        }
        SetBorderStyle(bsNone);
        SetTextMargins(FlatInsetX, FlatInsetY, FlatInsetX, FlatInsetY);
    } else if (was) {
        SetColorEx(colorBeforeFlat);
        SetBorderStyle(savedBorderStyle);
        SetTextMargins(0, 0, 0, 0);
    }
    Invalidate();
}

void TTypedEdit::SetFlatLineColor(TColor value) {
    flatLineColor = value;
    Invalidate();
}

void TTypedEdit::SetFlatParentColor(bool value) {
    flatParentColor = value;
    Invalidate();
}

void TTypedEdit::SetSoftBorder(bool value) {
    if (value == softBorder)
        return;
    softBorder = value;
    Invalidate();
}

void TTypedEdit::SetFocusBorder(bool value) {
    focusBorder = value;
    Invalidate();
}

void TTypedEdit::SetTransparent(bool value) {
    transparent = value;
    SetClearBackground(value);
}

void TTypedEdit::CMMouseLeave() {
    TCustomEdit::CMMouseLeave();
    if (!GetEnabled())
        return;
    mouseInside = false;
    if (focusBorder)
        Invalidate();
}

void TTypedEdit::DrawBorder(QPainter& painter) const {
    const int w = Width();
    const int h = Height();
    painter.setBrush(Qt::NoBrush);
    if (mouseInside || Focused()) {
        // A sunken edge, shadow above and left, light below and right, with a face-coloured
        // frame inside it.
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(0, 0, w - 1, 0);
        painter.drawLine(0, 0, 0, h - 1);
        painter.setPen(ToQColor(clBtnHighlight));
        painter.drawLine(0, h - 1, w - 1, h - 1);
        painter.drawLine(w - 1, 0, w - 1, h - 1);
        painter.setPen(ToQColor(clBtnFace));
        painter.drawRect(1, 1, w - 3, h - 3);
        return;
    }
    painter.setPen(ToQColor(ParentColor()));
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.drawRect(1, 1, w - 3, h - 3);
}

void TTypedEdit::PaintFlat(QPainter& painter) const {
    if (focusBorder) {
        DrawBorder(painter);
        return;
    }
    const int w = Width();
    const int h = Height();
    const int left = FlatInsetX - 2;
    const int top = FlatInsetY - 4;
    painter.setPen(ToQColor(flatLineColor));
    painter.setBrush(Qt::NoBrush);
    if (softBorder) {
        const QPoint frame[] = {{left, h - 1}, {w - 1, h - 1}, {w - 1, top}, {left, top}};
        painter.drawPolygon(frame, 4);
    } else {
        painter.drawLine(left, h - 1, w, h - 1);
    }
}
