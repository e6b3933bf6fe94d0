#include "framework/Grids.h"

#include "framework/GridScrollArea.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace {

// Where an index lands when the cell at from moves to to and the cells between close up.
int MoveAdjust(int index, int from, int to) {
    if (index == from)
        return to;
    if (from < index && index <= to)
        return index - 1;
    if (to <= index && index < from)
        return index + 1;
    return index;
}

TGridRect Normalized(TGridCoord a, TGridCoord b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

} // namespace

TCustomGrid::TCustomGrid(TComponent* owner)
    : TCustomControl(owner, std::type_identity<GridScrollArea>()), cols(64, 1), rows(24, 1) {
    cols.SetCount(5);
    rows.SetCount(5);
    SetColor(clWindow);
    ConnectView();
}

int TCustomGrid::ScrollBarExtent() {
    static const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return extent;
}

void TCustomGrid::CheckCount(int value, int minimum) const {
    if (value < minimum)
        throw EInvalidGridOperation("Grid index out of range");
}

void TCustomGrid::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EInvalidGridOperation("Grid index out of range");
}

void TCustomGrid::SetColCount(int value) {
    CheckCount(value, 1);
    if (value == GetColCount())
        return;
    CellsMoving();
    const int oldCols = GetColCount();
    if (value <= fixedCols)
        fixedCols = value - 1;
    cols.SetCount(value);
    CountsChanged(oldCols, GetRowCount());
}

void TCustomGrid::SetRowCount(int value) {
    CheckCount(value, 1);
    if (value == GetRowCount())
        return;
    CellsMoving();
    const int oldRows = GetRowCount();
    if (value <= fixedRows)
        fixedRows = value - 1;
    rows.SetCount(value);
    CountsChanged(GetColCount(), oldRows);
}

void TCustomGrid::SetFixedCols(int value) {
    CheckCount(value, 0);
    if (value >= GetColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols = value;
    Initialize();
}

void TCustomGrid::SetFixedRows(int value) {
    CheckCount(value, 0);
    if (value >= GetRowCount())
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    fixedRows = value;
    Initialize();
}

void TCustomGrid::Initialize() {
    HideEditor();
    const TGridCoord old = topLeft;
    topLeft = {fixedCols, fixedRows};
    current = topLeft;
    anchor = current;
    if (options & goRowSelect)
        anchor.X = GetColCount() - 1;
    if (!(old == topLeft))
        TopLeftChanged();
    // The bars follow the cells back to the start.
    UpdateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::CountsChanged(int oldColCount, int oldRowCount) {
    SizeChanged(oldColCount, oldRowCount);
    ClampToGrid();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    cols.SetDefaultSize(value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    rows.SetDefaultSize(value);
    RowHeightsChanged();
}

int TCustomGrid::GetColWidths(int index) const {
    CheckIndex(index, GetColCount());
    return cols.Size(index);
}

void TCustomGrid::SetColWidths(int index, int value) {
    CheckIndex(index, GetColCount());
    if (cols.Size(index) == value)
        return;
    cols.SetSize(index, value);
    ColWidthsChanged();
}

int TCustomGrid::GetRowHeights(int index) const {
    CheckIndex(index, GetRowCount());
    return rows.Size(index);
}

void TCustomGrid::SetRowHeights(int index, int value) {
    CheckIndex(index, GetRowCount());
    if (rows.Size(index) == value)
        return;
    rows.SetSize(index, value);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int value) {
    cols.SetLineWidth(value);
    rows.SetLineWidth(value);
    ClampToGrid();
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions value) {
    if (value & goRowSelect)
        value &= ~static_cast<unsigned>(goAlwaysShowEditor);
    options = value;
    UpdateScrollBars();
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    scrollBars = value;
    ClampToGrid();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
    defaultDrawing = value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor value) {
    fixedColor = value;
    InvalidateGrid();
}

void TCustomGrid::SetCol(int value) {
    if (value != current.X)
        FocusCell(value, current.Y, true);
}

void TCustomGrid::SetRow(int value) {
    if (value != current.Y)
        FocusCell(current.X, value, true);
}

void TCustomGrid::SetTopRow(int value) {
    if (value != topLeft.Y)
        MoveTopLeft(topLeft.X, value);
}

void TCustomGrid::SetLeftCol(int value) {
    if (value != topLeft.X)
        MoveTopLeft(value, topLeft.Y);
}

int TCustomGrid::VisibleColCount() const {
    return Horz().LastFullyVisible() - topLeft.X + 1;
}

int TCustomGrid::VisibleRowCount() const {
    return Vert().LastFullyVisible() - topLeft.Y + 1;
}

void TCustomGrid::SetScrollBarExtents(int verticalWidth, int horizontalHeight) {
    vScrollWidth = verticalWidth;
    hScrollHeight = horizontalHeight;
    ClampToGrid();
    ViewChanged();
}

TGridRect TCustomGrid::GetSelection() const {
    return Normalized(anchor, current);
}

void TCustomGrid::SetSelection(const TGridRect& value) {
    const TGridRect old = GetSelection();
    const TGridCoord next{value.Right, value.Bottom};
    // As for every move of the current cell, the editor closes onto its own cell first.
    const bool moves = !(next == current);
    if (moves)
        HideEditor();
    anchor = {value.Left, value.Top};
    current = next;
    SelectionMoved(old);
    if (moves && (options & goAlwaysShowEditor))
        ShowEditor();
}

void TCustomGrid::ScrollBarsNeeded(int outerWidth, int outerHeight, bool& horizontal, bool& vertical) const {
    const int width = outerWidth - 2 * BorderWidth;
    const int height = outerHeight - 2 * BorderWidth;
    // A bar is needed when the cells (their last line included) do not all fit, and there is a
    // second scrolling cell to scroll to.
    auto needs = [](const GridAxis& axis, int fixed, int room) {
        return fixed < axis.Count() - 1 && axis.Total() > room + axis.LineWidth();
    };
    const bool mayScrollH = scrollBars == ssHorizontal || scrollBars == ssBoth;
    const bool mayScrollV = scrollBars == ssVertical || scrollBars == ssBoth;
    horizontal = vertical = false;
    // A bar takes room from the other direction, which may then need its bar too.
    for (int pass = 0; pass < 2; ++pass) {
        vertical = mayScrollV && needs(rows, fixedRows, height - (horizontal ? hScrollHeight : 0));
        horizontal = mayScrollH && needs(cols, fixedCols, width - (vertical ? vScrollWidth : 0));
    }
}

const TCustomGrid::Layout& TCustomGrid::CurrentLayout() const {
    const LayoutKey key{cols.Version(), rows.Version(), fixedCols,  fixedRows,    topLeft.X,    topLeft.Y,
                        Width(),        Height(),       scrollBars, vScrollWidth, hScrollHeight};
    if (layoutKey != key) {
        bool horizontal = false, vertical = false;
        ScrollBarsNeeded(horizontal, vertical);
        layout.ClientWidth = std::max(0, Width() - 2 * BorderWidth - (vertical ? vScrollWidth : 0));
        layout.ClientHeight = std::max(0, Height() - 2 * BorderWidth - (horizontal ? hScrollHeight : 0));
        layout.LastCol = GridAxisView{cols, fixedCols, topLeft.X, layout.ClientWidth}.LastVisible();
        layout.LastRow = GridAxisView{rows, fixedRows, topLeft.Y, layout.ClientHeight}.LastVisible();
        layoutKey = key;
    }
    return layout;
}

int TCustomGrid::ClientWidth() const {
    return CurrentLayout().ClientWidth;
}

int TCustomGrid::ClientHeight() const {
    return CurrentLayout().ClientHeight;
}

bool TCustomGrid::CellShows(int ACol, int ARow) const {
    const Layout& current = CurrentLayout();
    const bool colShows = ACol < fixedCols ? cols.Offset(ACol) < current.ClientWidth
                                           : ACol >= topLeft.X && ACol <= current.LastCol;
    const bool rowShows = ARow < fixedRows ? rows.Offset(ARow) < current.ClientHeight
                                           : ARow >= topLeft.Y && ARow <= current.LastRow;
    return colShows && rowShows;
}

GridAxisView TCustomGrid::Horz() const {
    return {cols, fixedCols, topLeft.X, ClientWidth()};
}

GridAxisView TCustomGrid::Vert() const {
    return {rows, fixedRows, topLeft.Y, ClientHeight()};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    const int col = Horz().CellAt(X);
    const int row = Vert().CellAt(Y);
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    const GridAxisView horz = Horz();
    const GridAxisView vert = Vert();
    if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount() || !horz.InView(ACol) ||
        !vert.InView(ARow))
        return {};
    const auto left = static_cast<int>(horz.Position(ACol));
    const auto top = static_cast<int>(vert.Position(ARow));
    return Rect(left, top, std::min(left + cols.Size(ACol), horz.ClientExtent),
                std::min(top + rows.Size(ARow), vert.ClientExtent));
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
    CheckIndex(ACol, GetColCount());
    CheckIndex(ARow, GetRowCount());
    if (SelectCell(ACol, ARow)) {
        // The editor closes onto its own cell before the current cell moves, also when it opens
        // again on the next one: by key, click or code alike.
        HideEditor();
        const TGridRect old = GetSelection();
        current = {(options & goRowSelect) ? fixedCols : ACol, ARow};
        if (MoveAnchor || !(options & goRangeSelect))
            anchor = current;
        if (options & goRowSelect)
            anchor.X = GetColCount() - 1;
        ClampInView();
        SelectionMoved(old);
        if (options & goAlwaysShowEditor)
            ShowEditor();
    }
    Click();
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
    CheckIndex(ALeft, GetColCount());
    CheckIndex(ATop, GetRowCount());
    if (ALeft < fixedCols || ATop < fixedRows)
        throw EInvalidGridOperation("Grid index out of range");
    if (ALeft == topLeft.X && ATop == topLeft.Y)
        return;
    topLeft = {ALeft, ATop};
    InvalidateGrid();
    UpdateScrollBars();
    PlaceEditor();
    TopLeftChanged();
}

void TCustomGrid::ClampInView() {
    const GridAxisView horz = Horz();
    const GridAxisView vert = Vert();
    int left = topLeft.X;
    int top = topLeft.Y;
    if (current.X >= fixedCols) {
        if (current.X < left)
            left = current.X;
        else if (current.X > horz.LastFullyVisible())
            left = horz.FirstToShowWhole(current.X);
    }
    if (current.Y >= fixedRows) {
        if (current.Y < top)
            top = current.Y;
        else if (current.Y > vert.LastFullyVisible())
            top = vert.FirstToShowWhole(current.Y);
    }
    if (left != topLeft.X || top != topLeft.Y)
        MoveTopLeft(left, top);
}

void TCustomGrid::ClampToGrid() {
    const int lastCol = GetColCount() - 1;
    const int lastRow = GetRowCount() - 1;
    auto clamp = [&](TGridCoord& cell) {
        cell.X = std::clamp(cell.X, std::min(fixedCols, lastCol), lastCol);
        cell.Y = std::clamp(cell.Y, std::min(fixedRows, lastRow), lastRow);
    };
    clamp(current);
    clamp(anchor);
    TGridCoord corner = topLeft;
    clamp(corner);
    corner.X = std::min(corner.X, Horz().MaxFirst());
    corner.Y = std::min(corner.Y, Vert().MaxFirst());
    corner.X = std::max(corner.X, fixedCols);
    corner.Y = std::max(corner.Y, fixedRows);
    if (!(corner == topLeft)) {
        topLeft = corner;
        TopLeftChanged();
    }
    UpdateScrollBars();
    PlaceEditor();
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
    InvalidateGridRect(OldSel);
    InvalidateGridRect(GetSelection());
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    CheckIndex(FromIndex, GetRowCount());
    CheckIndex(ToIndex, GetRowCount());
    if (FromIndex == ToIndex)
        return;
    CellsMoving();
    rows.Move(FromIndex, ToIndex);
    current.Y = MoveAdjust(current.Y, FromIndex, ToIndex);
    anchor.Y = MoveAdjust(anchor.Y, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    CheckIndex(FromIndex, GetColCount());
    CheckIndex(ToIndex, GetColCount());
    if (FromIndex == ToIndex)
        return;
    CellsMoving();
    cols.Move(FromIndex, ToIndex);
    current.X = MoveAdjust(current.X, FromIndex, ToIndex);
    anchor.X = MoveAdjust(anchor.X, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void TCustomGrid::DeleteRow(int ARow) {
    DeleteRows(ARow, 1);
}

void TCustomGrid::DeleteColumn(int ACol) {
    MoveColumn(ACol, GetColCount() - 1);
    SetColCount(GetColCount() - 1);
}

void TCustomGrid::InsertEmptyRows(int ARow, int RCount) {
    CheckIndex(ARow, GetRowCount() + 1);
    CheckCount(RCount, 0);
    if (RCount == 0)
        return;
    CellsMoving();
    const int oldRows = GetRowCount();
    rows.Insert(ARow, RCount);
    RowsInserted(ARow, RCount);
    if (current.Y >= ARow)
        current.Y += RCount;
    if (anchor.Y >= ARow)
        anchor.Y += RCount;
    CountsChanged(GetColCount(), oldRows);
}

void TCustomGrid::DeleteRows(int ARow, int RCount) {
    CheckCount(RCount, 0);
    if (RCount == 0)
        return;
    CheckIndex(ARow, GetRowCount());
    CheckIndex(ARow + RCount - 1, GetRowCount());
    std::vector<int> doomed(static_cast<std::size_t>(RCount));
    std::iota(doomed.begin(), doomed.end(), ARow);
    DeleteRows(doomed);
}

void TCustomGrid::DeleteRows(const std::vector<int>& ARows) {
    if (ARows.empty())
        return;
    for (std::size_t i = 0; i < ARows.size(); ++i) {
        CheckIndex(ARows[i], GetRowCount());
        if (i > 0 && ARows[i] <= ARows[i - 1])
            throw EInvalidGridOperation("Grid index out of range");
    }
    const int count = static_cast<int>(ARows.size());
    if (count >= GetRowCount())
        throw EInvalidGridOperation("Grid index out of range");
    CellsMoving();
    const int oldRows = GetRowCount();
    if (GetRowCount() - count <= fixedRows)
        fixedRows = GetRowCount() - count - 1;
    rows.Delete(ARows);
    RowsDeleted(ARows);
    // A row follows its data; one that went lands on the first row after it that stays.
    auto follow = [&](int& row) {
        row -= static_cast<int>(std::lower_bound(ARows.begin(), ARows.end(), row) - ARows.begin());
    };
    follow(current.Y);
    follow(anchor.Y);
    CountsChanged(GetColCount(), oldRows);
}

void TCustomGrid::InsertEmptyCols(int ACol, int CCount) {
    CheckIndex(ACol, GetColCount() + 1);
    CheckCount(CCount, 0);
    if (CCount == 0)
        return;
    CellsMoving();
    const int oldCols = GetColCount();
    cols.Insert(ACol, CCount);
    ColsInserted(ACol, CCount);
    if (current.X >= ACol)
        current.X += CCount;
    if (anchor.X >= ACol)
        anchor.X += CCount;
    CountsChanged(oldCols, GetRowCount());
}

void TCustomGrid::DeleteCols(int ACol, int CCount) {
    CheckCount(CCount, 0);
    if (CCount == 0)
        return;
    CheckIndex(ACol, GetColCount());
    CheckIndex(ACol + CCount - 1, GetColCount());
    if (CCount >= GetColCount())
        throw EInvalidGridOperation("Grid index out of range");
    CellsMoving();
    const int oldCols = GetColCount();
    if (GetColCount() - CCount <= fixedCols)
        fixedCols = GetColCount() - CCount - 1;
    cols.Delete(ACol, CCount);
    ColsDeleted(ACol, CCount);
    auto follow = [&](int& col) {
        if (col >= ACol + CCount)
            col -= CCount;
        else if (col >= ACol)
            col = ACol;
    };
    follow(current.X);
    follow(anchor.X);
    CountsChanged(oldCols, GetRowCount());
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TCustomGrid::TopLeftChanged() {
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ColWidthsChanged() {
    ClampToGrid();
    InvalidateGrid();
}

void TCustomGrid::RowHeightsChanged() {
    ClampToGrid();
    InvalidateGrid();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex) {
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowsInserted(int, int) {}

void TCustomGrid::RowsDeleted(const std::vector<int>&) {}

void TCustomGrid::ColsInserted(int, int) {}

void TCustomGrid::ColsDeleted(int, int) {}

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}
