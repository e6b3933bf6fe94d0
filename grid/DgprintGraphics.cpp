// Cell graphics on the printed page: which kinds print, their size and place in the page's units,
// and their drawing after the cell's text, which keeps clear of them.
#include "grid/Dgprint.h"

#include "framework/Bitmap.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"
#include "grid/Datagrid.h"

#include <QPainter>

#include <algorithm>

namespace {

bool Prints(TCellType type) {
    switch (type) {
    case ctBitmap:
    case ctIcon:
    case ctImageList:
    case ctCheckBox:
    case ctDataCheckBox:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
        return true;
    default:
        return false;
    }
}

void DrawImage(TCanvas& canvas, const TRect& r, const QImage& image) {
    if (!image.isNull())
        canvas.DrawInRect(r,
                          [&](QPainter& painter, const QRect& target) { painter.drawImage(target, image); });
}

} // namespace

const TCellGraphic* TPrintPass::PrintedGraphic(int realCol, int row) const {
    if (!settings.PrintGraphics || !grid.cells.Object(realCol, row))
        return nullptr;
    const TCellGraphic* graphic = grid.GetCellGraphic(realCol, row);
    return graphic && Prints(graphic->CellType) ? graphic : nullptr;
}

TPoint TPrintPass::PrintedGraphicSize(int realCol, int row, const TRect* cell) {
    const TCellGraphic* graphic = PrintedGraphic(realCol, row);
    if (!graphic)
        return Point(0, 0);
    const double factor = screenFactor * fontScale;
    TPoint pixels;
    if (cell && (graphic->CellType == ctPicture || graphic->CellType == ctFilePicture)) {
        // Stretched for the printed cell, counted back in screen pixels.
        pixels = graphic->GetPictureSize(static_cast<int>((cell->Right - cell->Left) / factor),
                                         static_cast<int>((cell->Top - cell->Bottom) / factor), false);
    } else {
        bool showText = true;
        TCellHAlign ha = haLeft;
        TCellVAlign va = vaTop;
        grid.GetGraphicDetails(realCol, row, pixels.x, pixels.y, showText, ha, va);
    }
    return Point(RoundEven(pixels.x * factor), RoundEven(pixels.y * factor));
}

std::optional<TRect> TPrintPass::PlacePrintedGraphic(int realCol, int row, const TRect& cell, TRect& text) {
    const TCellGraphic* graphic = PrintedGraphic(realCol, row);
    if (!graphic)
        return std::nullopt;
    const TPoint size = PrintedGraphicSize(realCol, row, &cell);
    const int width = cell.Right - cell.Left;
    const int height = cell.Top - cell.Bottom;
    // y runs upward on the page: a cell's top is its largest y.
    TRect G;
    switch (graphic->HAlign) {
    case haRight:
    case haAfterText:
        G.Left = cell.Right - size.x;
        text.Right = G.Left;
        break;
    case haCenter:
        G.Left = cell.Left + (width - size.x) / 2;
        break;
    case haFull:
        G.Left = cell.Left;
        break;
    default:
        G.Left = cell.Left + RoundEven(screenFactor);
        text.Left = G.Left + size.x;
        break;
    }
    G.Right = graphic->HAlign == haFull ? cell.Right : G.Left + size.x;
    switch (graphic->VAlign) {
    case vaBottom:
    case vaUnderText:
        G.Top = cell.Bottom + size.y;
        if (graphic->VAlign == vaUnderText)
            text.Bottom = G.Top;
        break;
    case vaCenter:
        G.Top = cell.Top - (height - size.y) / 2;
        break;
    default:
        G.Top = cell.Top;
        if (graphic->VAlign == vaAboveText)
            text.Top = G.Top - size.y;
        break;
    }
    G.Bottom = graphic->VAlign == vaFull ? cell.Bottom : G.Top - size.y;
    if (graphic->VAlign == vaFull)
        G.Top = cell.Top;
    return G;
}

void TPrintPass::DrawPrintedGraphic(int realCol, int row, const TRect& G) {
    const TCellGraphic* graphic = PrintedGraphic(realCol, row);
    if (!graphic)
        return;
    switch (graphic->CellType) {
    case ctBitmap:
        if (const auto* bitmap = static_cast<const TBitmap*>(graphic->Object))
            DrawImage(canvas, G, graphic->Transparent ? bitmap->DrawnImage() : bitmap->Image());
        break;
    case ctIcon:
        if (const auto* icon = static_cast<const TIcon*>(graphic->SecondObject))
            DrawImage(canvas, G, icon->Image());
        break;
    case ctPicture:
        if (const auto* picture = static_cast<const TPicture*>(graphic->Object))
            DrawImage(canvas, G, picture->Image());
        break;
    case ctFilePicture:
        if (const auto* file = static_cast<const TFilePicture*>(graphic->Object)) {
            TPicture picture;
            if (!file->GetFileName().IsEmpty())
                picture.LoadFromFile(file->GetFileName());
            DrawImage(canvas, G, picture.Image());
        }
        break;
    case ctImageList:
    case ctImages:
        DrawPrintedImages(realCol, row, G, *graphic);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
        DrawPrintedCheckBox(realCol, row, G);
        break;
    default:
        break;
    }
}

void TPrintPass::DrawPrintedImages(int realCol, int row, const TRect& G, const TCellGraphic& graphic) {
    const TImageList* images = grid.GridImages;
    if (!images)
        return;
    const double factor = screenFactor * fontScale;
    const int width = RoundEven(images->Width * factor);
    const int height = RoundEven(images->Height * factor);
    const bool across = graphic.CellType != ctImages || graphic.State;
    int x = G.Left;
    int y = G.Top;
    for (const int index : grid.CellImageIndexes(realCol, row, graphic)) {
        DrawImage(canvas, Rect(x, y, x + width, y - height), images->GetImage(index));
        if (across)
            x += width;
        else
            y -= height;
    }
}

void TPrintPass::DrawPrintedCheckBox(int realCol, int row, const TRect& G) {
    bool checked = false;
    grid.GetCheckBoxState(realCol, row, checked);
    const int side = std::min(G.Right - G.Left, G.Top - G.Bottom);
    const int left = G.Left;
    const int top = G.Top;
    const TPen savedPen = canvas.Pen;
    const TBrush savedBrush = canvas.Brush;
    canvas.Pen = TPen{clBlack, std::max(1, side / 12), psSolid, pmCopy};
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(left, top, left + side, top - side);
    if (checked)
        canvas.Polyline({Point(left + side / 5, top - side / 2),
                         Point(left + side * 2 / 5, top - side * 3 / 4),
                         Point(left + side * 4 / 5, top - side / 4)});
    canvas.Pen = savedPen;
    canvas.Brush = savedBrush;
}
