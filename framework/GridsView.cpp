// The framework grid on screen: scroll bars, invalidation and the painting of the cells in view.
#include "framework/Application.h"
#include "framework/FlagScope.h"
#include "framework/GridScrollArea.h"
#include "framework/Grids.h"
#include "framework/HintWindow.h"

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The value the grid last gave a bar: a change to it is no move of the user's.
constexpr const char* PlacedKey = "gridPlaced";

// The cells of one direction that show, with where each starts: the fixed ones, then those
// from the first scrolled in.
std::vector<std::pair<int, int>> CellsInView(const GridAxisView& view) {
    std::vector<std::pair<int, int>> shown;
    int position = 0;
    for (int i = 0; i < view.FixedCount && position < view.ClientExtent; ++i) {
        shown.emplace_back(i, position);
        position += view.Axis.Extent(i);
    }
    position = view.FixedBoundary();
    for (int i = view.First; i <= view.LastVisible(); ++i) {
        shown.emplace_back(i, position);
        position += view.Axis.Extent(i);
    }
    return shown;
}

// Where the cells of a direction end on screen.
int CellsEnd(const std::vector<std::pair<int, int>>& shown, const GridAxis& axis, int clientExtent) {
    if (shown.empty())
        return 0;
    const auto& [last, start] = shown.back();
    return std::min(clientExtent, start + axis.Extent(last));
}

// Pixels a range of cells covers in one direction, as far as it shows: first..last.
std::pair<int, int> SpanInView(const GridAxisView& view, int first, int last) {
    int from = view.ClientExtent;
    int to = 0;
    if (first < view.FixedCount) {
        from = static_cast<int>(view.Axis.Offset(first));
        to = static_cast<int>(view.Axis.Offset(std::min(last, view.FixedCount - 1) + 1));
    }
    const int scrolledFirst = std::max(first, view.First);
    const int scrolledLast = std::min(last, view.LastVisible());
    if (scrolledFirst <= scrolledLast) {
        from = std::min(from, static_cast<int>(view.Position(scrolledFirst)));
        to = std::max(to, static_cast<int>(view.Position(scrolledLast) + view.Axis.Extent(scrolledLast)));
    }
    return {std::max(from, 0), std::min(to, view.ClientExtent)};
}

// A notch of the wheel over a bar steps it by the system's lines, as its arrows do, whatever
// units the bar counts in; with Ctrl or Shift by a page. A fine wheel's deltas add up to notches.
class BarWheel : public QObject {
public:
    BarWheel(QScrollBar* bar, std::function<void(bool forward, bool page, int steps)> scroll)
        : QObject(bar), scroll(std::move(scroll)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        const auto& wheel = *static_cast<QWheelEvent*>(event);
        const QPoint angle = wheel.angleDelta();
        accumulated += (angle.y() != 0 ? angle.y() : angle.x()) * (wheel.inverted() ? -1 : 1);
        const int notches = accumulated / QWheelEvent::DefaultDeltasPerStep;
        accumulated -= notches * QWheelEvent::DefaultDeltasPerStep;
        const bool page = (wheel.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
        // Turned towards the user, the wheel goes down the bar.
        if (notches != 0)
            scroll(notches < 0, page, std::abs(notches) * (page ? 1 : QApplication::wheelScrollLines()));
        return true;
    }

private:
    std::function<void(bool, bool, int)> scroll;
    int accumulated = 0;
};

} // namespace

void TCustomGrid::ConnectView() {
    auto* area = static_cast<GridScrollArea*>(View());
    area->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    area->setLineWidth(BorderWidth);
    area->TakesTabs = [this] { return (options & goTabs) != 0; };
    // Every pixel is painted by the cells and what lies beside them.
    area->viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    area->KeepsShortcutKey = [this](const QKeyEvent& event) {
        const QString text = event.text();
        if (text.isEmpty() || !text[0].isPrint() || (event.modifiers() & Qt::ControlModifier))
            return false;
        char code = CharacterOf(event);
        if (code == 0)
            code = TypedTextOf(event).IsEmpty() ? 0 : TypedTextOf(event)[1];
        if (code == 0)
            return false;
        CallFromView(*this, [&] { CMDialogChar(code, ShiftStateOf(event)); });
        return code == 0;
    };
    area->ShowsToolTip = [this](const QHelpEvent& event) {
        if (!ShowHint)
            return false;
        THintInfo info;
        info.HintControl = this;
        info.CursorPos = Point(event.pos().x(), event.pos().y());
        info.HintPos = Point(event.globalPos().x(), event.globalPos().y());
        info.HintStr = GetShortHint(Hint);
        bool canShow = true;
        CallFromView(*this, [&] { CMHintShow(canShow, info); });
        THintWindow& window = HintWindow();
        if (canShow && !info.HintStr.IsEmpty()) {
            window.SetColor(info.HintColor);
            const TRect r =
                window.CalcHintRect(info.HintMaxWidth > 0 ? info.HintMaxWidth : 300, info.HintStr, nullptr);
            window.ActivateHint(Bounds(info.HintPos.x, info.HintPos.y, r.Width(), r.Height()), info.HintStr);
        } else {
            window.ReleaseHandle();
        }
        return true;
    };
    area->PaintFrame = [this](QPainter& painter) {
        PaintFromView(*this, [&] {
            struct Detach {
                TCanvas& canvas;
                ~Detach() { canvas.Release(); }
            } detach{*Canvas};
            Canvas->Attach(painter);
            PaintFrame();
        });
    };
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
        const bool horizontal = bar == area->horizontalScrollBar();
        auto report = [this, horizontal](TScrollCode code, int pos) {
            CallFromView(*this, [&] {
                TWMScroll message{code, pos};
                horizontal ? WMHScroll(message) : WMVScroll(message);
            });
        };
        // The action that moves the bar comes before its new value.
        auto pending = std::make_shared<TScrollCode>(SB_THUMBPOSITION);
        QObject::connect(bar, &QScrollBar::actionTriggered, area, [pending](int action) {
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                *pending = SB_LINEDOWN;
                break;
            case QAbstractSlider::SliderSingleStepSub:
                *pending = SB_LINEUP;
                break;
            case QAbstractSlider::SliderPageStepAdd:
                *pending = SB_PAGEDOWN;
                break;
            case QAbstractSlider::SliderPageStepSub:
                *pending = SB_PAGEUP;
                break;
            case QAbstractSlider::SliderToMinimum:
                *pending = SB_TOP;
                break;
            case QAbstractSlider::SliderToMaximum:
                *pending = SB_BOTTOM;
                break;
            default:
                *pending = SB_THUMBPOSITION;
            }
        });
        bar->installEventFilter(
            new BarWheel(bar, [this, horizontal, report](bool forward, bool page, int steps) {
                const TScrollCode code =
                    page ? (forward ? SB_PAGEDOWN : SB_PAGEUP) : (forward ? SB_LINEDOWN : SB_LINEUP);
                const int by =
                    (page ? (horizontal ? VisibleColCount() : VisibleRowCount()) : 1) * (forward ? 1 : -1);
                for (int i = 0; i < steps; ++i)
                    report(code, (horizontal ? topLeft.X : topLeft.Y) + by);
                report(SB_ENDSCROLL, horizontal ? topLeft.X : topLeft.Y);
            }));
        QObject::connect(bar, &QScrollBar::sliderMoved, area,
                         [report](int pos) { report(SB_THUMBTRACK, pos); });
        QObject::connect(bar, &QScrollBar::sliderReleased, area, [report, bar] {
            report(SB_THUMBPOSITION, bar->sliderPosition());
            report(SB_ENDSCROLL, bar->sliderPosition());
        });
        // A drag reports itself; the value the bar takes from the grid is no move.
        QObject::connect(bar, &QScrollBar::valueChanged, area, [this, report, pending, bar](int value) {
            if (syncingScrollBars || bar->isSliderDown() || value == bar->property(PlacedKey).toInt())
                return;
            bar->setProperty(PlacedKey, value);
            report(std::exchange(*pending, SB_THUMBPOSITION), value);
            report(SB_ENDSCROLL, value);
        });
    }
}

THintWindow& TCustomGrid::HintWindow() {
    if (!hintWindow)
        hintWindow = CreateHintWindow();
    return *hintWindow;
}

THintWindow* TCustomGrid::CreateHintWindow() {
    return new THintWindow(this);
}

void TCustomGrid::MouseLeave() {
    if (hintWindow)
        hintWindow->ReleaseHandle();
}

void TCustomGrid::UpdateView() {
    TCustomControl::UpdateView();
    UpdateScrollBars();
}

void TCustomGrid::UpdateScrollBars() {
    auto* area = static_cast<GridScrollArea*>(View());
    if (!area || !area->isVisible()) {
        // A hidden grid's bars are set when it shows.
        ViewChanged();
        return;
    }
    bool horizontal = false, vertical = false;
    ScrollBarsNeeded(horizontal, vertical);
    syncingScrollBars = true;
    area->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    auto set = [this](QScrollBar* bar, int fixed, int maxFirst, int first, int page) {
        // A thumb the user holds stays where it is held.
        if (bar->isSliderDown())
            return;
        bar->setTracking((options & goThumbTracking) != 0);
        bar->setRange(fixed, std::max(fixed, maxFirst));
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(1);
        bar->setValue(first);
    };
    set(area->horizontalScrollBar(), fixedCols, Horz().MaxFirst(), topLeft.X, VisibleColCount());
    set(area->verticalScrollBar(), fixedRows, Vert().MaxFirst(), topLeft.Y, VisibleRowCount());
    ScrollBarsSet();
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
        bar->setProperty(PlacedKey, bar->value());
    syncingScrollBars = false;
}

void TCustomGrid::WMHScroll(TWMScroll& Message) {
    ScrollBarMoved(Message, true);
}

void TCustomGrid::WMVScroll(TWMScroll& Message) {
    ScrollBarMoved(Message, false);
}

void TCustomGrid::ScrollBarMoved(const TWMScroll& Message, bool horizontal) {
    if (Message.ScrollCode == SB_ENDSCROLL ||
        (Message.ScrollCode == SB_THUMBTRACK && !(options & goThumbTracking)))
        return;
    if (horizontal)
        MoveTopLeft(std::clamp(Message.Pos, fixedCols, std::max(fixedCols, GetColCount() - 1)), topLeft.Y);
    else
        MoveTopLeft(topLeft.X, std::clamp(Message.Pos, fixedRows, std::max(fixedRows, GetRowCount() - 1)));
}

void TCustomGrid::Resize() {
    TCustomControl::Resize();
    ClampToGrid();
    UpdateScrollBars();
    PlaceEditor();
}

bool TCustomGrid::PaintsNow() const {
    return View() && View()->isVisible() && !UpdateLocked();
}

void TCustomGrid::Invalidate() {
    if (PaintsNow())
        static_cast<GridScrollArea*>(View())->viewport()->update();
}

void TCustomGrid::InvalidateClientRect(const TRect& ARect) {
    if (PaintsNow() && ARect.Width() > 0 && ARect.Height() > 0)
        static_cast<GridScrollArea*>(View())->viewport()->update(ARect.Left, ARect.Top, ARect.Width(),
                                                                 ARect.Height());
}

TRect TCustomGrid::ClientRectOf(const TGridRect& cells) const {
    const auto [left, right] =
        SpanInView(Horz(), std::max(cells.Left, 0), std::min(cells.Right, GetColCount() - 1));
    const auto [top, bottom] =
        SpanInView(Vert(), std::max(cells.Top, 0), std::min(cells.Bottom, GetRowCount() - 1));
    if (left >= right || top >= bottom)
        return {};
    return Rect(left, top, right, bottom);
}

void TCustomGrid::InvalidateGridRect(const TGridRect& ARect) {
    if (PaintsNow())
        InvalidateClientRect(ClientRectOf(ARect));
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    if (PaintsNow() && CellShows(ACol, ARow))
        InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow) {
    InvalidateGridRect({0, ARow, GetColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol) {
    InvalidateGridRect({ACol, 0, ACol, GetRowCount() - 1});
}

void TCustomGrid::Paint() {
    const GridAxisView horz = Horz();
    const GridAxisView vert = Vert();
    DrawCells(horz, vert);
    if (GetGridLineWidth() > 0)
        DrawLines(horz, vert);
    // What lies right of and below the cells takes the grid's colour.
    const int right = CellsEnd(CellsInView(horz), cols, horz.ClientExtent);
    const int bottom = CellsEnd(CellsInView(vert), rows, vert.ClientExtent);
    Canvas->Brush = TBrush{GetColor(), bsSolid};
    Canvas->FillRect(Rect(right, 0, horz.ClientExtent, vert.ClientExtent));
    Canvas->FillRect(Rect(0, bottom, right, vert.ClientExtent));
    if (gridState == gsColSizing || gridState == gsRowSizing)
        DrawSizingLine();
}

void TCustomGrid::DrawCells(const GridAxisView& horz, const GridAxisView& vert) {
    const auto shownCols = CellsInView(horz);
    const auto shownRows = CellsInView(vert);
    const TGridRect selection = GetSelection();
    const bool focused = View() && View()->window()->focusWidget() == View();
    for (const auto& [row, y] : shownRows)
        for (const auto& [col, x] : shownCols) {
            const TRect where = Rect(x, y, x + cols.Size(col), y + rows.Size(row));
            if (!paintArea.isEmpty() && !paintArea.intersects(QRect(x, y, cols.Size(col), rows.Size(row))))
                continue;
            const bool fixed = col < fixedCols || row < fixedRows;
            TGridDrawState state = fixed ? TGridDrawState{gdFixed} : 0;
            if (!fixed && focused && col == current.X && row == current.Y)
                state |= gdFocused;
            if (!fixed && col >= selection.Left && col <= selection.Right && row >= selection.Top &&
                row <= selection.Bottom)
                state |= gdSelected;
            if (defaultDrawing) {
                Canvas->Font = Font;
                const bool highlighted =
                    (state & gdSelected) &&
                    (!(state & gdFocused) || (options & (goDrawFocusSelected | goRowSelect)) != 0);
                Canvas->Brush = TBrush{highlighted ? clHighlight : fixed ? fixedColor : GetColor(), bsSolid};
                if (highlighted)
                    Canvas->Font.Color = clHighlightText;
                Canvas->FillRect(where);
            }
            DrawCell(col, row, where, state);
            if (defaultDrawing && (state & gdFocused) && !(options & goRowSelect) &&
                !(inplaceEdit && inplaceEdit->GetVisible()))
                Canvas->DrawFocusRect(where);
        }
}

void TCustomGrid::DrawLines(const GridAxisView& horz, const GridAxisView& vert) {
    const auto shownCols = CellsInView(horz);
    const auto shownRows = CellsInView(vert);
    const int right = CellsEnd(shownCols, cols, horz.ClientExtent);
    const int bottom = CellsEnd(shownRows, rows, vert.ClientExtent);
    const int width = GetGridLineWidth();
    const int fixedBottom = std::min(bottom, vert.FixedBoundary());
    const int fixedRight = std::min(right, horz.FixedBoundary());
    // Lines fill the gap after each cell: fixed lines where a fixed cell meets them.
    auto line = [this](bool fixed, const TRect& r) {
        Canvas->Brush = TBrush{fixed ? clBlack : clSilver, bsSolid};
        Canvas->FillRect(r);
    };
    for (const auto& [col, x] : shownCols) {
        const int at = x + cols.Size(col);
        if (options & goFixedVertLine)
            line(true, Rect(at, 0, at + width, fixedBottom));
        if (options & (col < fixedCols ? goFixedVertLine : goVertLine))
            line(col < fixedCols, Rect(at, fixedBottom, at + width, bottom));
    }
    for (const auto& [row, y] : shownRows) {
        const int at = y + rows.Size(row);
        if (options & goFixedHorzLine)
            line(true, Rect(0, at, fixedRight, at + width));
        if (options & (row < fixedRows ? goFixedHorzLine : goHorzLine))
            line(row < fixedRows, Rect(fixedRight, at, right, at + width));
    }
}

void TCustomGrid::DrawSizingLine() {
    Canvas->Pen = TPen{clBlack, 1, psSolid, pmNot};
    if (gridState == gsColSizing) {
        Canvas->MoveTo(sizingPos, 0);
        Canvas->LineTo(sizingPos, ClientHeight());
    } else {
        Canvas->MoveTo(0, sizingPos);
        Canvas->LineTo(ClientWidth(), sizingPos);
    }
}

void TCustomGrid::ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn) {
    // The grid moves by every key itself; the scroll area must not scroll on its own.
    passOn = false;
    if ((key == VK_F1 || !WantsAllKeys()) && OfferWindowKey(key))
        return;
    if (key != 0)
        WMKeyDown(key, shift, keyData);
    // The character was translated before the key was handled, so it follows whatever became of
    // the key.
    if (character != 0)
        WMChar(character, keyData);
}

void TCustomGrid::ViewTextTyped(const AnsiString& typed) {
    struct Typing {
        AnsiString& text;
        ~Typing() { text = ""; }
    } typing{typedText};
    typedText = typed;
    char first = typed[1];
    WMChar(first, 0);
}

void TCustomGrid::ViewFocusIn(FocusChange how) {
    // The grid itself never had the focus it gets, so focus within was the editor's.
    focusFromEditor = focusWithin;
    const FlagScope taking(takingFocus);
    FocusMoved(how);
    WMSetFocus();
}

void TCustomGrid::ViewFocusOut(FocusChange how) {
    WMKillFocus();
    FocusMoved(how);
}

void TCustomGrid::FocusMoved(FocusChange how) {
    const QWidget* focus = QApplication::focusWidget();
    const bool within = focus && (focus == View() || View()->isAncestorOf(focus));
    if (within == focusWithin)
        return;
    focusWithin = within;
    if (how == FocusChange::Window)
        return;
    if (within)
        DoEnter();
    else
        DoExit();
}

void TCustomGrid::WMSetFocus() {
    InvalidateGridRect(GetSelection());
    if (!focusFromEditor)
        PlaceEditor();
}

void TCustomGrid::WMKillFocus() {
    InvalidateGridRect(GetSelection());
}

void TCustomGrid::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    passOn = false;
    if (button == mbLeft)
        WMLButtonDown(shift, x, y);
    else if (button == mbRight)
        WMRButtonDown(shift, x, y);
    else
        MouseDown(button, shift, x, y);
}

void TCustomGrid::ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    passOn = false;
    if (button == mbLeft)
        WMLButtonUp(shift, x, y);
    else
        MouseUp(button, shift, x, y);
}

void TCustomGrid::ViewDblClick(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft)
        WMLButtonDblClk(shift, x, y);
    else
        MouseDown(button, shift << ssDouble, x, y);
}

void TCustomGrid::ViewPaint(QPainter& painter) {
    // Only the cells under the part repainted are drawn: a key that moves the current cell
    // draws two cells, not the whole view.
    const QPaintEngine* engine = painter.paintEngine();
    const QRegion clip = engine ? engine->systemClip() : QRegion();
    paintArea = clip.isEmpty() ? QRegion() : painter.deviceTransform().inverted().map(clip);
    struct Reset {
        QRegion& area;
        ~Reset() { area = QRegion(); }
    } reset{paintArea};
    WMPaint(painter);
}

void TCustomGrid::WMPaint(QPainter& painter) {
    TCustomControl::ViewPaint(painter);
}
