#include "framework/HintWindow.h"

#include <QGuiApplication>
#include <QScreen>

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    TabStop = false;
    SetColor(clInfoBk);
    MakePopupWindow();
    Hide();
}

void THintWindow::SetCaption(const AnsiString& value) {
    caption = value;
    Invalidate();
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    SetCaption(AHint);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    Show();
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
    TRect r = Rect(0, 0, MaxWidth, 0);
    Canvas->Font = Font;
    Canvas->DrawText(AHint, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return Rect(0, 0, r.Right + 6, r.Bottom + 4);
}

TRect THintWindow::ScreenArea(TPoint point) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(point.x, point.y));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Rect(0, 0, 1 << 16, 1 << 16);
    const QRect area = screen->geometry();
    return Rect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
}

void THintWindow::Paint() {
    const TRect client = Rect(0, 0, Width(), Height());
    Canvas->Brush = TBrush{GetColor(), bsSolid};
    Canvas->FillRect(client);
    Canvas->Brush.Color = clBlack;
    Canvas->FrameRect(client);
    TRect text = Rect(3, 2, client.Right - 3, client.Bottom - 2);
    Canvas->Brush.Style = bsClear;
    Canvas->DrawText(caption, text, DT_WORDBREAK | DT_NOPREFIX);
}
