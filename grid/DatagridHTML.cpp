// HTML cell text in the grid: the pictures it draws from, painting a cell, measuring, and the
// anchor under the mouse.
#include "grid/Datagrid.h"

#include "framework/ImageList.h"
#include "grid/EditLink.h"
#include "grid/Gridutil.h"
#include "grid/HTMLHintWindow.h"
#include "grid/HTMLTextLayout.h"
#include "grid/Picturecontainer.h"

namespace {

// Watches value instead of old, so that the grid hears when it is freed.
template <class T> void Watch(TComponent& grid, T*& member, T* value) {
    if (member)
        member->RemoveFreeNotification(&grid);
    member = value;
    if (value)
        value->FreeNotification(&grid);
}

} // namespace

void TDataGrid::SetImages(TImageList* value) {
    Watch(*this, GridImages, value);
    Invalidate();
}

void TDataGrid::SetPictureContainer(TPictureContainer* value) {
    Watch(*this, PictureContainer, value);
    Invalidate();
}

void TDataGrid::SetCellChecker(TDataGridCheck* value) {
    Watch(*this, CellChecker, value);
}

void TDataGrid::SetEditLink(TEditLink* value) {
    Watch(*this, EditLink, value);
}

void TDataGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == GridImages)
        GridImages = nullptr;
    if (AComponent == PictureContainer)
        PictureContainer = nullptr;
    if (AComponent == CellChecker)
        CellChecker = nullptr;
    if (AComponent == EditLink)
        EditLink = nullptr;
}

THintWindow* TDataGrid::CreateHintWindow() {
    return new THTMLHintWindow(this);
}

THTMLRenderContext TDataGrid::HTMLContext() const {
    THTMLRenderContext context;
    context.Container = PictureContainer;
    context.Cache = pictureCache.get();
    context.Images = GridImages;
    context.ShadowColor = clGray;
    context.AnchorColor = URLColor;
    context.BlinkOn = !blinkPhase;
    return context;
}

TPoint TDataGrid::HTMLTextSize(const AnsiString& Text, const TFont& font, int width, double scale) {
    const auto layout = LayOutHTML(Text.view(), font, width, scale, nullptr,
                                   HTMLSources{PictureContainer, pictureCache.get(), GridImages});
    return Point(layout->Width, layout->Height);
}

void TDataGrid::DrawHTMLCell(TCanvas& canvas, int ACol, int ARow, const AnsiString& Text, const TRect& R,
                             TColor linkColor, TVAlignment vAlign) {
    TRect R2 = R;
    R2.Left += 2;
    R2.Top += 2;
    const bool glyph = SortGlyphHere(ACol, ARow);
    if (glyph)
        R2.Right -= 10;
    THTMLRenderContext context = HTMLContext();
    context.AnchorColor = linkColor;
    THTMLRenderResult result;
    RenderHTMLText(canvas, Text, R2, context, result);
    if (!glyph)
        return;
    const int y = vAlign == vtaTop      ? R2.Top + 8
                  : vAlign == vtaCenter ? R2.Top + (R2.Bottom - R2.Top) / 2
                                        : R2.Bottom - 8;
    DrawSortIndicator(&canvas, ACol, y, R2.Right + 2);
}

bool TDataGrid::CellAnchor(int ACol, int ARow, int X, int Y, AnsiString& Anchor) {
    const int real = RemapCol(ACol);
    const AnsiString text = GetCellEx(real, ARow);
    if (TextType(text, EnableHTML) != ttHTML)
        return false;
    TRect R = TBaseGrid::CellRect(ACol, ARow);
    R.Left += 2;
    R.Top += 2;
    const TFont saved = Canvas->Font;
    CellFont(real, ACol, ARow, Canvas->Font, true);
    THTMLRenderContext context = HTMLContext();
    context.Paint = false;
    context.Mouse = Point(X, Y);
    THTMLRenderResult result;
    const bool hit = RenderHTMLText(*Canvas, text, R, context, result);
    Canvas->Font = saved;
    Anchor = result.Anchor;
    return hit;
}

bool TDataGrid::HoverAnchor(int ACol, int ARow, int X, int Y) {
    AnsiString anchor;
    const bool on = ACol >= 0 && ARow >= 0 && CellAnchor(ACol, ARow, X, Y, anchor);
    if (on && anchor != hoveredAnchor) {
        hoveredAnchor = anchor;
        if (OnAnchorEnter)
            OnAnchorEnter(this, ARow, ACol, anchor);
    } else if (!on && !hoveredAnchor.IsEmpty()) {
        hoveredAnchor = AnsiString();
        if (OnAnchorExit)
            OnAnchorExit(this, ARow, ACol, anchor);
    }
    return on;
}
