// Flat and proportional scroll bars. The framework's bars count columns (rows); a proportional
// bar counts 0-127 instead, with a thumb as long as the share of the grid in view.
#include "grid/Datagrid.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

bool Horizontal(int bar) {
    return bar == SB_HORZ;
}

} // namespace

void TDataGrid::SetScrollType(TScrollType Value) {
    if (Value != scrollType) {
        scrollType = Value;
        if (Value == ssFlat || Value == ssEncarta) {
            FlatInit();
            FlatUpdate();
        } else {
            FlatDone();
        }
    }
    UpdateType();
}

void TDataGrid::SetScrollColor(TColor Value) {
    scrollColor = Value;
    UpdateColor();
}

void TDataGrid::SetScrollWidth(int Value) {
    scrollWidth = Value;
    UpdateWidth();
}

void TDataGrid::SetScrollProportional(bool Value) {
    scrollProportional = Value;
    if (Value) {
        FlatInit();
        FlatUpdate();
        return;
    }
    if (flatActive && scrollType == ssNormal)
        FlatDone();
    // The bars count columns and rows again.
    UpdateScrollBars();
}

void TDataGrid::FlatInit() {
    if (auto* area = static_cast<QAbstractScrollArea*>(View()))
        flatActive = InitializeFlatSB(*area);
}

void TDataGrid::FlatDone() {
    flatActive = false;
    if (auto* area = static_cast<QAbstractScrollArea*>(View()))
        UninitializeFlatSB(*area);
    SetScrollBarExtents(ScrollBarExtent(), ScrollBarExtent());
}

void TDataGrid::FlatUpdate() {
    UpdateType();
    UpdateColor();
    UpdateWidth();
    FlatShowScrollBar(SB_VERT, VisibleRowCount() + GetFixedRows() < GetRowCount());
    UpdateVScrollBar();
    FlatShowScrollBar(SB_HORZ, VisibleColCount() + GetFixedCols() < GetColCount());
    UpdateHScrollBar();
}

void TDataGrid::FlatShowScrollBar(int Bar, bool Show) {
    const TScrollStyle bars = GetScrollBars();
    const bool has = bars == ssBoth || bars == (Horizontal(Bar) ? ssHorizontal : ssVertical);
    if (flatActive && has)
        FlatSB_ShowScrollBar(*static_cast<QAbstractScrollArea*>(View()), Bar, Show);
}

void TDataGrid::FlatSetScrollInfo(int Bar, const TScrollInfo& Info, bool Redraw) {
    if (flatActive)
        FlatSB_SetScrollInfo(*static_cast<QAbstractScrollArea*>(View()), Bar, Info, Redraw);
}

void TDataGrid::FlatSetScrollProp(int Index, int Value, bool Redraw) {
    if (flatActive)
        FlatSB_SetScrollProp(*static_cast<QAbstractScrollArea*>(View()), Index, Value, Redraw);
}

void TDataGrid::UpdateType() {
    const int mode = scrollType == ssFlat      ? FSB_FLAT_MODE
                     : scrollType == ssEncarta ? FSB_ENCARTA_MODE
                                               : FSB_REGULAR_MODE;
    FlatSetScrollProp(WSB_PROP_VSTYLE, mode, true);
    FlatSetScrollProp(WSB_PROP_HSTYLE, mode, true);
}

void TDataGrid::UpdateColor() {
    if (scrollColor == clNone)
        return;
    FlatSetScrollProp(WSB_PROP_VBKGCOLOR, scrollColor, true);
    FlatSetScrollProp(WSB_PROP_HBKGCOLOR, scrollColor, true);
}

void TDataGrid::UpdateWidth() {
    FlatSetScrollProp(WSB_PROP_CXVSCROLL, scrollWidth, true);
    FlatSetScrollProp(WSB_PROP_CYHSCROLL, scrollWidth, true);
    // The cells give way to the bars as drawn: a width below 1 leaves them the style's.
    if (flatActive) {
        const auto& area = *static_cast<QAbstractScrollArea*>(View());
        SetScrollBarExtents(FlatSB_GetScrollProp(area, WSB_PROP_CXVSCROLL),
                            FlatSB_GetScrollProp(area, WSB_PROP_CYHSCROLL));
    }
}

void TDataGrid::UpdateVScrollBar() {
    UpdateScrollBar(SB_VERT);
}

void TDataGrid::UpdateHScrollBar() {
    UpdateScrollBar(SB_HORZ);
}

void TDataGrid::UpdateScrollBar(int Bar) {
    const TScrollStyle bars = GetScrollBars();
    const bool horizontal = Horizontal(Bar);
    if (!flatActive || !(bars == ssBoth || bars == (horizontal ? ssHorizontal : ssVertical)))
        return;
    // The bars are set together with the framework's own setting of them, when the view next updates.
    if (!SyncingScrollBars()) {
        ViewChanged();
        return;
    }
    auto& area = *static_cast<QAbstractScrollArea*>(View());
    if ((horizontal ? area.horizontalScrollBar() : area.verticalScrollBar())->isSliderDown())
        return;
    TScrollInfo info = FlatSB_GetScrollInfo(area, Bar);
    if (scrollProportional) {
        const int page = ProportionalPage(horizontal);
        const int fixed = horizontal ? GetFixedCols() : GetFixedRows();
        const int first = horizontal ? GetLeftCol() : GetTopRow();
        const int span = (horizontal ? Horz() : Vert()).MaxFirst() - fixed;
        info.nMin = 0;
        info.nMax = 127;
        info.nPage = page;
        info.nPos = span > 0 ? std::clamp(MulDiv(first - fixed, 128 - page, span), 0, 128 - page) : 0;
    }
    FlatSetScrollInfo(Bar, info, true);
}

void TDataGrid::ScrollBarsSet() {
    UpdateVScrollBar();
    UpdateHScrollBar();
}

int TDataGrid::ProportionalPage(bool horizontal) const {
    const int count = horizontal ? GetColCount() : GetRowCount();
    const int visible = horizontal ? VisibleColCount() : VisibleRowCount();
    if (count <= 0)
        return 128;
    return std::clamp(static_cast<int>(std::lround(visible * 128.0 / count)), 1, 128);
}

int TDataGrid::ProportionalCell(bool horizontal, int Pos) const {
    const int fixed = horizontal ? GetFixedCols() : GetFixedRows();
    const int count = horizontal ? GetColCount() : GetRowCount();
    const int visible = horizontal ? VisibleColCount() : VisibleRowCount();
    const int cell = MulDiv(Pos, count - visible - fixed, 127) + fixed;
    return std::clamp(cell, fixed, std::max(fixed, (horizontal ? Horz() : Vert()).MaxFirst()));
}

void TDataGrid::ProportionalToCells(TWMScroll& Message, bool horizontal) const {
    if (!flatActive || !scrollProportional)
        return;
    const int first = horizontal ? GetLeftCol() : GetTopRow();
    const int visible = std::max(1, horizontal ? VisibleColCount() : VisibleRowCount());
    switch (Message.ScrollCode) {
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The thumb ends 128 - page along: that end is 127, the last place. The dragged thumb's
        // hint names the row its release gives.
        const int room = 128 - ProportionalPage(horizontal);
        const int pos = room > 0 ? static_cast<int>(std::lround(Message.Pos * 127.0 / room)) : 0;
        Message.Pos = ProportionalCell(horizontal, pos);
        break;
    }
    case SB_LINEUP:
        Message.Pos = first - 1;
        break;
    case SB_LINEDOWN:
        Message.Pos = first + 1;
        break;
    case SB_PAGEUP:
        Message.Pos = first - visible;
        break;
    case SB_PAGEDOWN:
        Message.Pos = first + visible;
        break;
    case SB_TOP:
        Message.Pos = horizontal ? GetFixedCols() : GetFixedRows();
        break;
    case SB_BOTTOM:
        Message.Pos = (horizontal ? Horz() : Vert()).MaxFirst();
        break;
    case SB_ENDSCROLL:
        Message.Pos = first;
        break;
    }
}
