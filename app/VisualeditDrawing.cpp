#include "app/Visualedit.h"

#include "app/Front.h"
#include "app/VisualeditNames.h"
#include "framework/CanvasStyles.h"
#include "network/Sewernetwork.h"

#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Screen coordinates are clamped to this before they become pixels: beyond the int range the
// conversion is undefined, and nothing drawn reaches that far. A junction at no place (a NaN read
// from its file) is put beyond the view.
constexpr double PixelLimit = 1 << 24;
// A line running far outside the view is cut at this distance from it, which keeps its pixels'
// coordinates small and its slope within a pixel of the true one.
constexpr double LineGuard = 1 << 14;

int Pixel(double screen) {
    return static_cast<int>(std::isnan(screen) ? -PixelLimit : std::clamp(screen, -PixelLimit, PixelLimit));
}

// Cuts the line to the box (Liang-Barsky); false when none of it lies inside. A line with an end
// at no finite place, or longer than a double holds, as junctions far out in a file give, is
// not drawn: cutting it would give no point at all.
bool ClipLine(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
              double bottom) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    double enter = 0;
    double leave = 1;
    const std::pair<double, double> edges[] = {
        {-dx, x1 - left}, {dx, right - x1}, {-dy, y1 - top}, {dy, bottom - y1}};
    for (const auto& [p, q] : edges) {
        if (p == 0) {
            if (q < 0)
                return false;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    const double startX = x1;
    const double startY = y1;
    if (leave < 1) {
        x2 = startX + leave * dx;
        y2 = startY + leave * dy;
    }
    if (enter > 0) {
        x1 = startX + enter * dx;
        y1 = startY + enter * dy;
    }
    return true;
}

// The canvas draws through the painter while this lives.
class CanvasAttachment {
public:
    CanvasAttachment(TCanvas& canvas, QPainter& painter) : canvas(canvas) { canvas.Attach(painter); }
    ~CanvasAttachment() { canvas.Release(); }
    CanvasAttachment(const CanvasAttachment&) = delete;
    CanvasAttachment& operator=(const CanvasAttachment&) = delete;

private:
    TCanvas& canvas;
};

} // namespace

// The canvas's own TextOut measures a text and then lays it out again to draw it, which with a
// name on every sewer and junction is most of the picture's time. A name needs its width only
// where the brush fills behind it.
struct TVisualEditForm::NamePainter {
    QPainter& Painter;
    QFontMetrics Metrics;
    NameGlyphs Glyphs;
};

void TVisualEditForm::PaintBoxPaint(TObject*) {
    // A band or drag outline moving over the network leaves the network's picture as it was.
    if (!outlineOnly || networkPicture.Width() != PaintBox->Width() ||
        networkPicture.Height() != PaintBox->Height())
        RenderNetworkPicture();
    PaintBox->Canvas->Draw(0, 0, networkPicture);
    DrawOutline(*PaintBox->Canvas);
}

void TVisualEditForm::RepaintOutline() {
    outlineOnly = true;
    PaintBox->Refresh();
    outlineOnly = false;
}

void TVisualEditForm::RenderNetworkPicture() {
    networkPicture.SetSize(PaintBox->Width(), PaintBox->Height());
    TCanvas& canvas = *networkPicture.Canvas;
    // The paint box's own brush and font, as its paint starts with them.
    canvas.Font = PaintBox->Font;
    canvas.Brush = TBrush{GetColor(), bsSolid};
    canvas.FillRect(Rect(0, 0, networkPicture.Width(), networkPicture.Height()));
    // Without names the canvas's own run of drawings is quicker than a painter it is attached to.
    QPaintDevice* const device = canvas.Device();
    if (!device || !(SewerNameSpeedButton->GetDown() || JunctionNameSpeedButton->GetDown())) {
        const ScopedCanvasDrawing drawing(canvas);
        DrawNetwork();
        return;
    }
    // The canvas draws through the painter the names are written with, so all lands in its order.
    QPainter painter(device);
    painter.setFont(canvas.Font.ToQFont());
    NamePainter names{painter, QFontMetrics(canvas.Font.ToQFont(), device),
                      NameGlyphs(canvas.Font.ToQFont(), device)};
    const CanvasAttachment attachment(canvas, painter);
    // Each drawing sets the pen, brush and mode it draws with, and the names their pen, so the
    // painter is saved once for all of them.
    const ScopedCanvasDrawing drawing(canvas);
    const QScopedValueRollback<NamePainter*> writing(namePainter, &names);
    DrawNetwork();
}

void TVisualEditForm::DrawName(int x, int y, const AnsiString& name) {
    TCanvas& canvas = *PaintCanvas;
    if (!namePainter) {
        canvas.TextOut(x, y, name);
        return;
    }
    QPainter& painter = namePainter->Painter;
    const QFontMetrics& metrics = namePainter->Metrics;
    if (canvas.Brush.Style != bsClear)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(CanvasText(name)), metrics.height()),
                         ToQColor(canvas.Brush.Color));
    namePainter->Glyphs.Draw(painter, x, y + metrics.ascent(), name.view(), ToQColor(canvas.Font.Color));
}

void TVisualEditForm::DrawOutline(TCanvas& canvas) {
    if (!OutlineDrawn)
        return;
    canvas.Pen = TPen{BandColor, 1, psSolid, pmCopy};
    if (DragState == 0) {
        canvas.MoveTo(BandStartX, BandStartY);
        canvas.LineTo(LastX, LastY);
        return;
    }
    if (DragState != 2)
        return;
    for (const SewerNode* end : DragEnds) {
        canvas.MoveTo(Pixel(WorldToScreenX(end->X)), Pixel(WorldToScreenY(end->Y)));
        canvas.LineTo(LastX, LastY);
    }
    const int h = JunctionBoxSize / 2;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(LastX - h, LastY - h, LastX + h, LastY + h);
}

bool TVisualEditForm::LineInView(double x1, double y1, double x2, double y2) const {
    // The pen is 2 wide.
    const double reach = 2;
    return std::max(x1, x2) >= -reach && std::min(x1, x2) <= PaintBox->Width() + reach &&
           std::max(y1, y2) >= -reach && std::min(y1, y2) <= PaintBox->Height() + reach;
}

bool TVisualEditForm::PointInView(double sx, double sy, double reach) const {
    return sx >= -reach && sx <= PaintBox->Width() + reach && sy >= -reach &&
           sy <= PaintBox->Height() + reach;
}

// Text runs right and down from its top-left corner; a name far left of the view is passed over
// without measuring it, as no character is wider than twice a "W".
bool TVisualEditForm::TextInView(double sx, double sy, const AnsiString& text) const {
    if (sx >= PaintBox->Width() || sy >= PaintBox->Height() || sy + nameHeight <= -1)
        return false;
    if (sx >= 0)
        return true;
    if (sx + text.Length() * nameCharacterWidth < -1)
        return false;
    return sx + PaintCanvas->TextWidth(text) >= -1;
}

// Only what lies near the view is visited, in list order. A sewer name or selected junction passed
// over still leaves the brush as its drawing would have, since the squares and names after it take
// the brush as they find it; datums and drops come last and set the brush they draw with.
void TVisualEditForm::DrawNetwork() {
    SimpleSewerNetwork* network = Network();
    if (!network)
        return;
    TCanvas& canvas = *PaintCanvas;
    nameHeight = canvas.TextHeight("Ag");
    nameCharacterWidth = 2 * canvas.TextWidth("W");
    planIndex.Follow(*network);
    const int h = JunctionBoxSize / 2;
    const double width = PaintBox->Width();
    const double height = PaintBox->Height();
    // The world box of the view widened by what a symbol reaches beyond its point, in pixels.
    const auto viewBox = [&](double left, double top, double right, double bottom, std::vector<int>& found,
                             auto near) {
        (planIndex.*near)(ScreenToWorldX(-left), ScreenToWorldY(height + bottom),
                          ScreenToWorldX(width + right), ScreenToWorldY(-top), found);
    };

    const bool sewers = SewerSpeedButton->GetDown();
    const bool sewerNames = SewerNameSpeedButton->GetDown();
    const bool datums = DatumSpeedButton->GetDown();
    const bool drops = DropSpeedButton->GetDown();
    // The disc of a drop lies 8 pixels back from its downstream junction.
    const double mark = h + 10;
    const double sewerNameWidth = static_cast<double>(planIndex.LongestSewerName()) * nameCharacterWidth;
    std::vector<int> near;
    viewBox(std::max(mark, sewerNameWidth), std::max<double>(mark, nameHeight), mark, mark, near,
            &PlanIndex::SewersNear);
    std::vector<Sewer*> datumSewers, dropSewers;
    for (const int position : near) {
        Sewer* s = network->Sewers[static_cast<std::size_t>(position)];
        const SewerNode& up = *s->UpstreamNode;
        const SewerNode& down = *s->DownstreamNode;
        const double x1 = WorldToScreenX(up.X);
        const double y1 = WorldToScreenY(up.Y);
        const double x2 = WorldToScreenX(down.X);
        const double y2 = WorldToScreenY(down.Y);
        if (datums && PointInView(x1, y1, h + 1) && s->UpstreamEnd->DatumReference)
            datumSewers.push_back(s);
        if (drops && PointInView(x2, y2, mark) && s->DownstreamEnd->DropJunction)
            dropSewers.push_back(s);
        if (sewers && LineInView(x1, y1, x2, y2))
            DrawSewer(s);
        if (sewerNames &&
            TextInView(WorldToScreenX((up.X + down.X) * 0.5), WorldToScreenY((up.Y + down.Y) * 0.5), s->Name))
            DrawSewerName(s);
    }
    if (sewerNames && planIndex.HasDrawableSewer())
        canvas.Brush.Style = bsClear;

    const bool junctions = JunctionSpeedButton->GetDown();
    const bool junctionNames = JunctionNameSpeedButton->GetDown();
    const SewerNode* selected = CurrentJunction();
    const double junctionNameWidth =
        static_cast<double>(planIndex.LongestJunctionName()) * nameCharacterWidth;
    viewBox(std::max(h + 4.0, JunctionBoxSize + junctionNameWidth),
            std::max(h + 4.0, static_cast<double>(JunctionBoxSize + nameHeight)), h + 4, h + 4, near,
            &PlanIndex::JunctionsNear);
    // The selected junction clears the brush for those after it, wherever it lies.
    if (const int position = network->PositionOf(selected); junctions && selected)
        near.insert(std::lower_bound(near.begin(), near.end(), position), position);
    if (junctions || junctionNames)
        for (auto at = near.begin(); at != near.end(); ++at) {
            if (at != near.begin() && *at == *(at - 1))
                continue;
            SewerNode* j = network->Junctions[static_cast<std::size_t>(*at)];
            const double sx = WorldToScreenX(j->X);
            const double sy = WorldToScreenY(j->Y);
            if (junctions) {
                if (PointInView(sx, sy, h + 4))
                    DrawJunction(j);
                else if (j == selected)
                    canvas.Brush.Style = bsClear;
            }
            if (junctionNames && TextInView(sx + JunctionBoxSize, sy + JunctionBoxSize, j->Name))
                DrawJunctionName(j);
        }
    for (Sewer* s : datumSewers)
        DrawDatum(s->UpstreamNode);
    for (Sewer* s : dropSewers)
        DrawDrop(s);
}

void TVisualEditForm::DrawSewer(Sewer* s) {
    SimpleSewerNetwork* network = Network();
    TCanvas& canvas = *PaintCanvas;
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = SewerColor;
    if (ShowSubnet && network && network->IsSewerInSubnet(SubnetIndex, s))
        canvas.Pen.Color = clLime;
    if (s == CurrentSewer())
        canvas.Pen.Color = clRed;
    double x1 = WorldToScreenX(s->UpstreamNode->X);
    double y1 = WorldToScreenY(s->UpstreamNode->Y);
    double x2 = WorldToScreenX(s->DownstreamNode->X);
    double y2 = WorldToScreenY(s->DownstreamNode->Y);
    if (!ClipLine(x1, y1, x2, y2, -LineGuard, -LineGuard, PaintBox->Width() + LineGuard,
                  PaintBox->Height() + LineGuard))
        return;
    canvas.MoveTo(Pixel(x1), Pixel(y1));
    canvas.LineTo(Pixel(x2), Pixel(y2));
}

void TVisualEditForm::DrawSewerName(Sewer* s) {
    TCanvas& canvas = *PaintCanvas;
    double sx = 0, sy = 0;
    WorldToScreen((s->UpstreamNode->X + s->DownstreamNode->X) * 0.5,
                  (s->UpstreamNode->Y + s->DownstreamNode->Y) * 0.5, sx, sy);
    canvas.Brush.Style = bsClear;
    DrawName(Pixel(sx), Pixel(sy), s->Name);
}

void TVisualEditForm::DrawJunction(SewerNode* j) {
    TCanvas& canvas = *PaintCanvas;
    const int h = JunctionBoxSize / 2;
    double sx = 0, sy = 0;
    WorldToScreen(j->X, j->Y, sx, sy);
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = JunctionColor;
    canvas.Rectangle(Pixel(sx - h), Pixel(sy - h), Pixel(sx + h), Pixel(sy + h));
    if (j != CurrentJunction())
        return;
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 1;
    canvas.Brush.Style = bsClear;
    canvas.Ellipse(Pixel(sx - (h + 3)), Pixel(sy - (h + 3)), Pixel(sx + h + 3), Pixel(sy + h + 3));
}

void TVisualEditForm::DrawJunctionName(SewerNode* j) {
    double sx = 0, sy = 0;
    WorldToScreen(j->X, j->Y, sx, sy);
    DrawName(Pixel(sx + JunctionBoxSize), Pixel(sy + JunctionBoxSize), j->Name);
}

void TVisualEditForm::DrawDatum(SewerNode* j) {
    TCanvas& canvas = *PaintCanvas;
    const int h = JunctionBoxSize / 2;
    double sx = 0, sy = 0;
    WorldToScreen(j->X, j->Y, sx, sy);
    const auto square = [&](int half) {
        canvas.Rectangle(Pixel(sx - half), Pixel(sy - half), Pixel(sx + half), Pixel(sy + half));
    };
    canvas.Brush.Style = bsClear;
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = DatumColor;
    square(h);
    canvas.Pen.Color = JunctionColor;
    square(h - 1);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = DatumFillColor;
    square(h - 2);
    canvas.Brush.Style = bsClear;
}

void TVisualEditForm::DrawDrop(Sewer* s) {
    TCanvas& canvas = *PaintCanvas;
    const int h = JunctionBoxSize / 2;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    WorldToScreen(s->UpstreamNode->X, s->UpstreamNode->Y, x1, y1);
    WorldToScreen(s->DownstreamNode->X, s->DownstreamNode->Y, x2, y2);
    // A sewer upright on the screen still gets a slope.
    if (x1 == x2)
        x2 += 1;
    const double a = std::atan((y2 - y1) / (x2 - x1));
    const double cx = x2 > x1 ? x2 - 8 * std::cos(a) : x2 + 8 * std::cos(a);
    const double cy = x2 > x1 ? y2 - 8 * std::sin(a) : y2 + 8 * std::sin(a);
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = clRed;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clRed;
    canvas.Ellipse(Pixel(cx - h), Pixel(cy - h), Pixel(cx + h), Pixel(cy + h));
    canvas.Brush.Style = bsClear;
}
