// Cell graphics: where a graphic stands beside the text, how each kind looks, check boxes and
// radio buttons in the grid's control style, node boxes and tree lines.
#include "framework/ImageList.h"
#include "framework/NumberFormat.h"
#include "framework/StringList.h"
#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "grid/Gridxpvs.h"

#include <QPainter>

#include <algorithm>
#include <map>
#include <string>

namespace {

// A node box's room: as wide as the indent of the rows under it, so their texts line up.
constexpr int NodeBoxSize = 16;
// The glyphs drawn from the program's pictures are this size.
constexpr int PictureGlyphSize = 16;

// One of the program's pictures, read once.
const QImage& ProgramPicture(const std::string& name) {
    static std::map<std::string, QImage> pictures;
    auto found = pictures.find(name);
    if (found == pictures.end())
        found = pictures.emplace(name, QImage(QString::fromStdString(":/pictures/" + name + ".png"))).first;
    return found->second;
}

void DrawProgramPicture(TCanvas& canvas, int x, int y, const std::string& name) {
    canvas.DrawInRect(
        Rect(x, y, x + PictureGlyphSize, y + PictureGlyphSize),
        [&](QPainter& painter, const QRect& target) { painter.drawImage(target, ProgramPicture(name)); });
}

void DrawControl(TCanvas& canvas, const TRect& r, TThemedControl control, bool checked, bool enabled,
                 bool themed, const AnsiString& caption = {}) {
    canvas.DrawInRect(r, [&](QPainter& painter, const QRect& target) {
        DrawThemedControl(painter, target, control, checked, enabled, themed,
                          QString::fromStdString(caption.str()));
    });
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// The tick's colour: the look's own, black without one.
TColor TickColor(TColor color) {
    return color == clNone ? clBlack : color;
}

// The picture number of a check or radio glyph: checked and enabled first, as the pictures are
// numbered from first.
std::string GlyphName(const char* kind, int first, bool checked, bool enabled) {
    const int number = first + (checked ? 0 : 1) + (enabled ? 0 : 2);
    return kind + std::string(number < 10 ? "0" : "") + std::to_string(number);
}

TRect GraphicRect(const TRect& R, int W, int H, TCellHAlign HA, TCellVAlign VA, TAlignment textAlign) {
    TRect G;
    const auto left = [&] { G.Left = R.Left + 1; };
    const auto right = [&] { G.Left = R.Right - 1 - W; };
    switch (HA) {
    case haRight:
        right();
        break;
    case haCenter:
        G.Left = W < R.Width() ? R.Left + (R.Width() - W) / 2 : R.Left + 1;
        break;
    case haBeforeText:
        if (textAlign == taLeftJustify)
            left();
        else
            G.Left = std::max(R.Right - W, R.Left + 1);
        break;
    case haAfterText:
        if (textAlign == taRightJustify)
            right();
        else
            G.Left = R.Left;
        break;
    default:
        left();
        break;
    }
    switch (VA) {
    case vaBottom:
        G.Top = R.Bottom - 1 - H;
        break;
    case vaCenter:
        G.Top = H < R.Height() ? R.Top + (R.Height() - H) / 2 : R.Top + 1;
        break;
    case vaUnderText:
        G.Top = R.Bottom - H;
        break;
    default:
        G.Top = R.Top + 1;
        break;
    }
    G.Right = G.Left + W;
    G.Bottom = G.Top + H;
    return G;
}

TRect TextBesideGraphic(TRect R, int W, int H, TCellHAlign HA, TCellVAlign VA, TAlignment textAlign) {
    if (HA == haBeforeText && textAlign != taCenter)
        R.Left += W;
    if (HA == haAfterText && textAlign != taCenter)
        R.Right -= W;
    if (VA == vaAboveText)
        R.Top += H;
    if (VA == vaUnderText)
        R.Bottom -= H;
    return R;
}

} // namespace

TCellGraphic* TDataGrid::GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& ShowText,
                                           TCellHAlign& HA, TCellVAlign& VA) {
    W = H = 0;
    ShowText = true;
    HA = haLeft;
    VA = vaTop;
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic)
        return nullptr;
    const auto size = [&](int width, int height) {
        W = width;
        H = height;
    };
    switch (graphic->CellType) {
    case ctBitmap:
        if (const auto* bitmap = static_cast<const TBitmap*>(graphic->Object))
            size(bitmap->Width(), bitmap->Height());
        break;
    case ctIcon:
        if (const auto* icon = static_cast<const TIcon*>(graphic->SecondObject))
            size(icon->Width(), icon->Height());
        break;
    case ctImageList:
    case ctDataImage:
        if (GridImages)
            size(GridImages->Width, GridImages->Height);
        ShowText = graphic->CellType == ctImageList;
        break;
    case ctImages:
        if (GridImages) {
            const TIntList* images = GetCellImages(ACol, ARow);
            const int count = images ? images->Count() : 0;
            if (graphic->State)
                size(count * GridImages->Width, GridImages->Height);
            else
                size(GridImages->Width, count * GridImages->Height);
        }
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
        ShowText = false;
        break;
    case ctCheckBox:
    case ctDataCheckBox:
        size(ControlLook->GetCheckSize(), ControlLook->GetCheckSize());
        ShowText = graphic->CellType == ctCheckBox;
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint cell = CellSize(RemapColInv(ACol), ARow);
        const TPoint picture = graphic->GetPictureSize(cell.x, cell.y, false);
        size(picture.x, picture.y);
        break;
    }
    case ctButton:
    case ctBitButton:
        size(graphic->Number & 0xFFFF, graphic->Number >> 16);
        break;
    case ctNode:
        size(NodeBoxSize, NodeBoxSize);
        break;
    default:
        break;
    }
    HA = graphic->HAlign;
    VA = graphic->VAlign;
    return graphic;
}

TRect TDataGrid::CellTextRect(int ACol, int ARow, TRect R, TAlignment textAlign, bool& ShowText) {
    int w = 0;
    int h = 0;
    TCellHAlign ha = haLeft;
    TCellVAlign va = vaTop;
    GetGraphicDetails(ACol, ARow, w, h, ShowText, ha, va);
    return TextBesideGraphic(R, w, h, ha, va, textAlign);
}

void TDataGrid::DrawCellGraphic(TCanvas& canvas, int displayCol, int ARow, const TRect& R,
                                TAlignment textAlign) {
    const int ACol = RemapCol(displayCol);
    int w = 0;
    int h = 0;
    bool showText = true;
    TCellHAlign ha = haLeft;
    TCellVAlign va = vaTop;
    TCellGraphic* graphic = GetGraphicDetails(ACol, ARow, w, h, showText, ha, va);
    if (!graphic)
        return;
    const TRect G = GraphicRect(R, w, h, ha, va, textAlign);
    switch (graphic->CellType) {
    case ctBitmap:
        if (const auto* bitmap = static_cast<const TBitmap*>(graphic->Object)) {
            if (graphic->Transparent)
                DrawBitmapTransp(canvas, *bitmap, canvas.Brush.Color, G);
            else
                canvas.StretchDraw(G, *bitmap);
        }
        break;
    case ctIcon:
        if (const auto* icon = static_cast<const TIcon*>(graphic->SecondObject))
            canvas.DrawInRect(
                G, [&](QPainter& painter, const QRect& target) { painter.drawImage(target, icon->Image()); });
        break;
    case ctPicture:
        if (const auto* picture = static_cast<const TPicture*>(graphic->Object))
            canvas.DrawInRect(G, [&](QPainter& painter, const QRect& target) {
                painter.drawImage(target, picture->Image());
            });
        break;
    case ctFilePicture:
        if (const auto* picture = static_cast<const TFilePicture*>(graphic->Object))
            picture->DrawPicture(canvas, G);
        break;
    case ctImageList:
    case ctDataImage:
    case ctImages:
        DrawCellImages(canvas, ACol, ARow, G, *graphic);
        break;
    case ctCheckBox:
    case ctDataCheckBox: {
        bool checked = false;
        GetCheckBoxState(ACol, ARow, checked);
        DrawCheckBox(canvas, G, checked, MayEdit(ACol, ARow));
        break;
    }
    case ctRadio:
        DrawRadioGroup(canvas, ACol, ARow, R, *graphic);
        break;
    case ctRotated:
        DrawRotatedText(canvas, GetCellEx(ACol, ARow), R, graphic->Angle);
        break;
    case ctProgress:
        DrawProgress(canvas, ACol, ARow, R, *graphic);
        break;
    case ctComment:
        canvas.Pen = TPen{clRed, 1, psSolid, pmCopy};
        canvas.Brush = TBrush{clRed, bsSolid};
        canvas.Polygon({Point(R.Right - 6, R.Top), Point(R.Right - 1, R.Top), Point(R.Right - 1, R.Top + 5)});
        break;
    case ctButton:
    case ctBitButton:
        DrawCellButton(canvas, displayCol, ARow, G, *graphic);
        break;
    case ctNode:
        DrawNodeBox(canvas, G, graphic->State);
        break;
    default:
        break;
    }
}

std::vector<int> TDataGrid::CellImageIndexes(int ACol, int ARow, const TCellGraphic& graphic) const {
    switch (graphic.CellType) {
    case ctImageList:
        return {graphic.Number};
    case ctDataImage:
        try {
            return {GetInts(ACol, ARow)};
        } catch (const EDataGridError&) {
            // A text that names no image shows none.
            return {};
        }
    case ctImages: {
        std::vector<int> indexes;
        if (const TIntList* images = GetCellImages(ACol, ARow))
            for (int i = 0; i < images->Count(); ++i)
                indexes.push_back(images->GetInteger(i));
        return indexes;
    }
    default:
        return {};
    }
}

void TDataGrid::DrawCellImages(TCanvas& canvas, int ACol, int ARow, const TRect& G,
                               const TCellGraphic& graphic) {
    if (!GridImages)
        return;
    const bool across = graphic.CellType != ctImages || graphic.State;
    int x = G.Left;
    int y = G.Top;
    for (const int index : CellImageIndexes(ACol, ARow, graphic)) {
        GridImages->Draw(canvas, x, y, index);
        if (across)
            x += GridImages->Width;
        else
            y += GridImages->Height;
    }
}

void TDataGrid::DrawCheckBox(TCanvas& canvas, const TRect& G, bool Checked, bool Enabled) {
    const int size = ControlLook->GetCheckSize();
    switch (ControlLook->GetControlStyle()) {
    case csClassic:
    case csFlat: {
        const int left = G.Left + (G.Width() - size) / 2;
        const int top = G.Top + (G.Height() - size) / 2;
        const TRect box = Rect(left, top, left + size, top + size);
        if (ControlLook->GetControlStyle() == csClassic) {
            DrawControl(canvas, box, tcCheckBox, Checked, Enabled, false);
            break;
        }
        // Flat: one thin frame, no relief.
        canvas.Brush = TBrush{Enabled ? clWindow : clBtnFace, bsSolid};
        canvas.Pen = TPen{clBtnShadow, 1, psSolid, pmCopy};
        canvas.Rectangle(box);
        if (Checked) {
            canvas.Pen = TPen{Enabled ? clWindowText : clGray, 2, psSolid, pmCopy};
            canvas.Polyline({Point(box.Left + 3, box.Top + size / 2),
                             Point(box.Left + size / 2 - 1, box.Bottom - 4),
                             Point(box.Right - 3, box.Top + 3)});
        }
        break;
    }
    case csWinXP:
        DrawProgramPicture(canvas, G.Left, G.Top, GlyphName("DGCHK", 5, Checked, Enabled));
        break;
    case csZefra:
        DrawProgramPicture(canvas, G.Left, G.Top, GlyphName("DGCHK", 1, Checked, Enabled));
        break;
    case csBorland: {
        const TRect box = Rect(G.Left, G.Top, G.Left + size, G.Top + size);
        canvas.Brush = TBrush{Enabled ? clBtnFace : clBtnShadow, bsSolid};
        canvas.FillRect(box);
        canvas.Pen = TPen{clWhite, 1, psSolid, pmCopy};
        Line(canvas, box.Left, box.Bottom - 1, box.Left, box.Top);
        canvas.LineTo(box.Right - 1, box.Top);
        canvas.Pen.Color = clBtnShadow;
        canvas.LineTo(box.Right - 1, box.Bottom - 1);
        canvas.LineTo(box.Left, box.Bottom - 1);
        if (Checked) {
            canvas.Pen = TPen{Enabled ? TickColor(ControlLook->GetColor()) : clGray, 2, psSolid, pmCopy};
            canvas.Polyline({Point(box.Left + 3, box.Top + size / 2),
                             Point(box.Left + size / 2 - 1, box.Bottom - 4),
                             Point(box.Right - 3, box.Top + 3)});
        }
        break;
    }
    case csGlyph: {
        const TBitmap& glyph = Checked ? ControlLook->CheckedGlyph : ControlLook->UnCheckedGlyph;
        if (!glyph.Empty())
            DrawBitmapTransp(canvas, glyph, canvas.Brush.Color,
                             Rect(G.Left, G.Top, G.Left + glyph.Width(), G.Top + glyph.Height()));
        break;
    }
    case csTheme:
        if (IsThemeActive())
            DrawControl(canvas, Rect(G.Left, G.Top, G.Left + size, G.Top + size), tcCheckBox, Checked,
                        Enabled, true);
        break;
    }
}

int TDataGrid::RadioGlyphSize() const {
    const TControlStyle style = ControlLook->GetControlStyle();
    return style == csClassic || style == csFlat ? ControlLook->GetRadioSize() : PictureGlyphSize;
}

std::vector<TRect> TDataGrid::RadioItemRects(TCanvas& canvas, const TStrings& items, bool horizontal,
                                             const TRect& R) const {
    const int glyph = RadioGlyphSize();
    const bool pictures = glyph == PictureGlyphSize && ControlLook->GetControlStyle() != csClassic &&
                          ControlLook->GetControlStyle() != csFlat;
    const int itemHeight =
        pictures ? std::max(PictureGlyphSize, canvas.TextHeight("gh")) : canvas.TextHeight("gh");
    std::vector<TRect> spans;
    int x = R.Left + 2;
    for (int i = 0; i < items.Count(); ++i) {
        if (horizontal) {
            const int width = canvas.TextWidth(items[i]) + glyph + 2;
            spans.push_back(Rect(x, R.Top, x + width, R.Bottom));
            x += width;
        } else {
            const int top = R.Top + 2 + i * itemHeight;
            spans.push_back(Rect(R.Left, top, R.Right, top + itemHeight));
        }
    }
    return spans;
}

void TDataGrid::DrawRadioGroup(TCanvas& canvas, int ACol, int ARow, const TRect& R,
                               const TCellGraphic& graphic) {
    const TStrings* items = GetRadioStrings(ACol, ARow);
    if (!items)
        return;
    const AnsiString text = GetCellEx(ACol, ARow);
    const int glyph = RadioGlyphSize();
    const TControlStyle style = ControlLook->GetControlStyle();
    const bool frameStyle = style == csClassic || style == csFlat;
    const bool enabled = MayEdit(ACol, ARow);
    const std::vector<TRect> spans = RadioItemRects(canvas, *items, graphic.State, R);
    canvas.Brush.Style = bsClear;
    for (int i = 0; i < items->Count(); ++i) {
        const TRect& span = spans[static_cast<std::size_t>(i)];
        const bool on = graphic.Number >= 0 ? graphic.Number == i : (*items)[i] == text;
        const int top = graphic.State ? span.Top + (span.Height() - glyph) / 2 : span.Top;
        const int left =
            !graphic.State && (*items)[i].IsEmpty() ? R.Left + (R.Width() - glyph) / 2 : span.Left;
        const TRect box = Rect(left, top, left + glyph, top + glyph);
        switch (style) {
        case csWinXP:
        case csZefra:
            DrawProgramPicture(canvas, box.Left, box.Top,
                               GlyphName("DGRAD", style == csWinXP ? 5 : 1, on, enabled));
            break;
        case csGlyph: {
            const TBitmap& picture = on ? ControlLook->RadioOnGlyph : ControlLook->RadioOffGlyph;
            if (!picture.Empty())
                DrawBitmapTransp(canvas, picture, canvas.Brush.Color, box);
            break;
        }
        case csBorland:
            canvas.Pen = TPen{clBtnShadow, 1, psSolid, pmCopy};
            canvas.Brush = TBrush{enabled ? clWindow : clBtnFace, bsSolid};
            canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
            if (on) {
                canvas.Brush.Color = TickColor(ControlLook->GetColor());
                canvas.Ellipse(box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3);
            }
            canvas.Brush.Style = bsClear;
            break;
        case csTheme:
            if (IsThemeActive())
                DrawControl(canvas, box, tcRadioButton, on, enabled, true);
            break;
        default:
            DrawControl(canvas, box, tcRadioButton, on, enabled, false);
            break;
        }
        canvas.TextOut(box.Right + (frameStyle ? 4 : 2), box.Top - 2, (*items)[i]);
    }
    canvas.Brush.Style = bsSolid;
}

void TDataGrid::DrawRotatedText(TCanvas& canvas, const AnsiString& text, const TRect& R, int angle) {
    const QFont font = canvas.Font.ToQFont();
    const QColor color = ToQColor(canvas.Font.Color);
    canvas.DrawInRect(R, [&](QPainter& painter, const QRect& target) {
        painter.save();
        painter.setClipRect(target);
        painter.setFont(font);
        painter.setPen(color);
        // Turned about the cell's bottom-left corner, anticlockwise as the angle counts.
        painter.translate(target.left() + 2, target.bottom() - 2);
        painter.rotate(-angle);
        painter.drawText(0, 0, QString::fromStdString(text.str()));
        painter.restore();
    });
}

void TDataGrid::DrawProgress(TCanvas& canvas, int ACol, int ARow, const TRect& R,
                             const TCellGraphic& graphic) {
    int percent = 0;
    try {
        percent = std::clamp(GetInts(ACol, ARow), 0, 100);
    } catch (const EDataGridError&) {
        percent = 0;
    }
    const TRect bar = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    const int split = bar.Left + bar.Width() * percent / 100;
    const TRect filled = Rect(bar.Left, bar.Top, split, bar.Bottom);
    const TRect empty = Rect(split, bar.Top, bar.Right, bar.Bottom);
    canvas.Brush = TBrush{graphic.ProgressColors[0], bsSolid};
    canvas.FillRect(filled);
    canvas.Brush.Color = graphic.ProgressColors[1];
    canvas.FillRect(empty);
    const AnsiString text = IntToStr(percent) + "%";
    const TColor textColor = canvas.Font.Color;
    // The text centred on the whole bar, in each part's own colour in the extended form.
    const auto label = [&](const TRect& part, TColor color) {
        TRect clip = bar;
        canvas.Font.Color = color;
        canvas.Brush.Style = bsClear;
        canvas.SelectClipRect(part);
        canvas.DrawText(text, clip, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.RemoveClip();
    };
    label(filled, graphic.State ? graphic.ProgressColors[2] : textColor);
    label(empty, graphic.State ? graphic.ProgressColors[3] : textColor);
    canvas.Font.Color = textColor;
    canvas.Brush.Style = bsSolid;
}

void TDataGrid::DrawCellButton(TCanvas& canvas, int displayCol, int ARow, const TRect& G,
                               TCellGraphic& graphic) {
    const TRect cell = TBaseGrid::CellRect(displayCol, ARow);
    graphic.ButtonPosition = Point(G.Left - cell.Left, G.Top - cell.Top);
    const auto* captions = static_cast<const TStringList*>(graphic.Object);
    const AnsiString caption = captions && captions->Count() > 0 ? (*captions)[0] : AnsiString();
    DrawControl(canvas, G, tcPushButton, graphic.State, GetEnabled(), IsThemeActive(), caption);
    if (graphic.CellType == ctBitButton)
        if (const auto* glyph = static_cast<const TBitmap*>(graphic.SecondObject); glyph && !glyph->Empty()) {
            const int top = G.Top + (G.Height() - glyph->Height()) / 2;
            DrawBitmapTransp(canvas, *glyph, clBtnFace,
                             Rect(G.Left + 3, top, G.Left + 3 + glyph->Width(), top + glyph->Height()));
        }
}

void TDataGrid::DrawNodeBox(TCanvas& canvas, const TRect& G, bool Contracted) {
    switch (CellNode->GetNodeType()) {
    case cnGlyph: {
        const TBitmap& glyph = Contracted ? CellNode->ExpandGlyph : CellNode->ContractGlyph;
        if (!glyph.Empty()) {
            DrawBitmapTransp(canvas, glyph, canvas.Brush.Color,
                             Rect(G.Left, G.Top, G.Left + glyph.Width(), G.Top + glyph.Height()));
            return;
        }
        [[fallthrough]];
    }
    case cnLeaf:
        DrawProgramPicture(canvas, G.Left, G.Top, Contracted ? "DGLEAFCLOSE" : "DGLEAFOPEN");
        return;
    default:
        break;
    }
    // A 9-pixel square in the middle of the node's room with a minus, and a plus when contracted.
    const int left = G.Left + (G.Width() - 9) / 2;
    const int top = G.Top + (G.Height() - 9) / 2;
    const TRect box = Rect(left, top, left + 9, top + 9);
    canvas.Brush = TBrush{CellNode->Color, bsSolid};
    canvas.Pen =
        TPen{CellNode->GetNodeType() == cn3D ? clBtnShadow : CellNode->NodeColor, 1, psSolid, pmCopy};
    canvas.Rectangle(box);
    if (CellNode->GetNodeType() == cn3D) {
        canvas.Pen.Color = clWhite;
        Line(canvas, box.Left + 1, box.Bottom - 2, box.Left + 1, box.Top + 1);
        canvas.LineTo(box.Right - 1, box.Top + 1);
    }
    canvas.Pen = TPen{CellNode->NodeColor, 1, psSolid, pmCopy};
    Line(canvas, box.Left + 2, box.Top + 4, box.Right - 2, box.Top + 4);
    if (Contracted)
        Line(canvas, box.Left + 4, box.Top + 2, box.Left + 4, box.Bottom - 2);
}

void TDataGrid::DrawTreeLines(TCanvas& canvas, int ARow, const TRect& R) {
    const int middle = R.Top + (R.Bottom - R.Top) / 2;
    const int x = R.Left - NodeBoxSize / 2;
    canvas.Pen = TPen{clSilver, 1, psSolid, pmCopy};
    Line(canvas, x, middle, R.Left, middle);
    // A row with more of its node's rows below carries the line on down; the last one ends it.
    switch (GetNodeSpanType(ARow)) {
    case 1:
        Line(canvas, x, R.Top, x, middle);
        break;
    case 2:
        Line(canvas, x, R.Top, x, R.Bottom + 1);
        break;
    default:
        break;
    }
    canvas.Pen.Style = psSolid;
}
