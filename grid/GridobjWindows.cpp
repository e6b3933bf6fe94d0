// The grid's small windows and file pictures.
#include "grid/Gridobj.h"

#include "framework/Exceptions.h"
#include "framework/Picture.h"

#include <QPolygon>
#include <QRegion>
#include <QWidget>

namespace {

std::array<TPoint, 7> OutlineOf(TArrowDirection direction) {
    switch (direction) {
    case arrUp:
        return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
    case arrDown:
        return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
    case arrLeft:
        return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
    default:
        return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
    }
}

} // namespace

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection ADirection)
    : TPanel(AOwner), Direction(ADirection), Arrow(OutlineOf(ADirection)) {
    SetBevelOuter(bvNone);
    SetColor(clLime);
    // A window of its own, so that the grid's edge does not cut the arrow above its header; the
    // mouse and a drag pass through it to the grid.
    MakePopupWindow();
    View()->setWindowFlag(Qt::WindowTransparentForInput);
    View()->setAttribute(Qt::WA_TransparentForMouseEvents);
    Hide();
    SetParent(AOwner);
}

void TArrowWindow::UpdateView() {
    TPanel::UpdateView();
    QPalette palette = View()->palette();
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    View()->setPalette(palette);
    View()->setAutoFillBackground(true);
    QPolygon outline;
    for (const TPoint& point : Arrow)
        outline << QPoint(point.x, point.y);
    View()->setMask(QRegion(outline, Qt::WindingFill));
}

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clBtnFace);
    TabStop = false;
    // A top-most window of its own, so that a label dragged to the grid's edge shows whole.
    MakePopupWindow();
}

void TPopupButton::Paint() {
    TCanvas& canvas = *Canvas;
    const TRect client = ClientRect();
    canvas.Brush = TBrush{clBlack, bsSolid};
    canvas.FrameRect(client);
    const TRect inside = Rect(client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1);
    if (!Flat) {
        canvas.Pen = TPen{clWhite, 1, psSolid, pmCopy};
        canvas.MoveTo(inside.Left, inside.Bottom - 1);
        canvas.LineTo(inside.Left, inside.Top);
        canvas.LineTo(inside.Right - 1, inside.Top);
        canvas.Pen.Color = clGray;
        canvas.LineTo(inside.Right - 1, inside.Bottom - 1);
        canvas.LineTo(inside.Left, inside.Bottom - 1);
    }
    canvas.Brush.Style = bsClear;
    canvas.Font = Font;
    TRect text = inside;
    canvas.DrawText(Caption, text, DT_CENTER | DT_END_ELLIPSIS | DT_SINGLELINE | DT_NOPREFIX);
}

void TFilePicture::SetFileName(const AnsiString& value) {
    fileName = value;
    TPicture picture;
    picture.LoadFromFile(value);
    if (picture.Empty())
        throw EInvalidGraphic("Cannot open file " + value);
    width = picture.Width();
    height = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas& Canvas, const TRect& Rect) const {
    if (fileName.IsEmpty())
        return;
    TPicture picture;
    picture.LoadFromFile(fileName);
    // Raising here would show a message at every repaint.
    if (!picture.Empty())
        Canvas.StretchDraw(Rect, picture);
}
