// Panning with the middle button: while it runs, the current cell steps every 10 ms towards
// where the mouse stands from the press, and a mark shows where the press was.
#include "framework/Timer.h"
#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "resources/Cursors.h"

#include <QWidget>

#include <algorithm>

namespace {

constexpr unsigned PanPeriod = 10;
// The mouse moves this far from the press before the cell steps.
constexpr int DeadZone = 5;
// The origin mark's square.
constexpr int MarkSize = 32;

// The direction cursor of a step: 8000 none, 8001 down, 8002 left, 8003 right, 8004 up, 8005
// up-right, 8006 up-left, 8007 down-right, 8008 down-left.
int PanCursor(int dx, int dy) {
    if (dy < 0)
        return dx > 0 ? 8005 : dx < 0 ? 8006 : 8004;
    if (dy > 0)
        return dx > 0 ? 8007 : dx < 0 ? 8008 : 8001;
    return dx > 0 ? 8003 : dx < 0 ? 8002 : 8000;
}

int Direction(int at, int origin) {
    return at < origin - DeadZone ? -1 : at > origin + DeadZone ? 1 : 0;
}

} // namespace

void TDataGrid::ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    if (panning)
        StopPanning();
    else if (button == mbMiddle && IntelliPan != ipNone)
        StartPanning(x, y);
    TBaseGrid::ViewMouseDown(button, shift, x, y, passOn);
}

void TDataGrid::ViewMouseMove(TShiftState shift, int x, int y) {
    panMouse = Point(x, y);
    TBaseGrid::ViewMouseMove(shift, x, y);
    // Over whatever cursor the move chose.
    if (panning)
        ClientView()->setCursor(panShownCursor);
}

void TDataGrid::ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn) {
    if (panning)
        StopPanning();
    TBaseGrid::ViewKeyDown(key, shift, keyData, character, passOn);
}

void TDataGrid::WMKillFocus() {
    if (panning)
        StopPanning();
    TBaseGrid::WMKillFocus();
}

void TDataGrid::StartPanning(int X, int Y) {
    QWidget* surface = ClientView();
    panSavedCursor = surface->cursor();
    ShowPanCursor(8000);
    panning = true;
    SetTimer(*this, PanTimerId, PanPeriod);
    panOrigin = Point(X, Y);
    panMouse = panOrigin;
    // Moves beyond the grid keep arriving until the panning ends.
    surface->grabMouse();
    panSavedShowHint = std::exchange(ShowHint, false);
    DrawIntelliFocusPoint();
}

void TDataGrid::StopPanning() {
    QWidget* surface = ClientView();
    surface->releaseMouse();
    KillTimer(*this, PanTimerId);
    surface->setCursor(panSavedCursor);
    ShowHint = panSavedShowHint;
    panning = false;
    EraseIntelliFocusPoint();
}

void TDataGrid::PanStep() {
    // A grid hidden meanwhile ends it: nothing would.
    if (!GetVisible() || !View()->isVisible()) {
        StopPanning();
        return;
    }
    const int dx = IntelliPan == ipVertical ? 0 : Direction(panMouse.x, panOrigin.x);
    const int dy = IntelliPan == ipHorizontal ? 0 : Direction(panMouse.y, panOrigin.y);
    const int firstCol = GetFixedCols();
    const int lastCol = std::max(firstCol, LastNormalCol());
    const int firstRow = GetFixedRows();
    const int lastRow = std::max(firstRow, LastNormalRow());
    const int col = std::clamp(GetCol(), firstCol, lastCol);
    const int row = std::clamp(GetRow(), firstRow, lastRow);
    const int newCol = col + dx >= firstCol && col + dx <= lastCol ? col + dx : col;
    const int newRow = row + dy >= firstRow && row + dy <= lastRow ? row + dy : row;
    // A step that scrolls moves the mark with the cells.
    const bool scrolls =
        (newCol != col && (newCol < GetLeftCol() || newCol >= GetLeftCol() + VisibleColCount())) ||
        (newRow != row && (newRow < GetTopRow() || newRow >= GetTopRow() + VisibleRowCount()));
    if (scrolls)
        EraseIntelliFocusPoint();
    if (newCol != GetCol())
        SetCol(newCol);
    if (newRow != GetRow())
        SetRow(newRow);
    ShowPanCursor(PanCursor(dx, dy));
    DrawIntelliFocusPoint();
}

void TDataGrid::ShowPanCursor(int id) {
    if (id != panCursor || !panning) {
        panCursor = id;
        panShownCursor = LoadCursor(id);
    }
    ClientView()->setCursor(panShownCursor);
}

void TDataGrid::DrawIntelliFocusPoint() {
    InvalidateClientRect(Bounds(panOrigin.x, panOrigin.y, MarkSize, MarkSize));
}

void TDataGrid::EraseIntelliFocusPoint() {
    InvalidateClientRect(Bounds(panOrigin.x, panOrigin.y, MarkSize, MarkSize));
}

void TDataGrid::PaintIntelliFocusPoint(TCanvas& canvas) {
    if (!panning || IntelliPan == ipNone)
        return;
    const char* mark = IntelliPan == ipVertical ? "INTLI3" : IntelliPan == ipHorizontal ? "INTLI2" : "INTLI1";
    DrawBitmapResourceTransp(canvas, clWhite, Bounds(panOrigin.x, panOrigin.y, MarkSize, MarkSize), mark);
}
