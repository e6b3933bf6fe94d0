#include "grid/Basegrid.h"

#include <algorithm>

void TCellProperties::SetBrushColor(TColor value) {
    brushColor = value;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment value) {
    vAlignment = value;
    Repaint();
}

void TCellProperties::SetWordWrap(bool value) {
    wordWrap = value;
    Repaint();
}

void TCellProperties::Repaint() {
    // Col is the cell's stored column; the grid repaints where it shows.
    if (!Grid)
        return;
    const int col = Grid->RemapColInv(Col);
    if (col < Grid->GetColCount() && Row < Grid->GetRowCount())
        Grid->RepaintCell(col, Row);
}

TPoint TCellProperties::GetBaseCell(int ACol, int ARow) const {
    if (IsBaseCell || SpanX == -1 || SpanY == -1)
        return Point(ACol, ARow);
    return Point(ACol - SpanX, ARow - SpanY);
}

TBaseGrid::TBaseGrid(TComponent* owner) : TStringGrid(owner) {
    TStringGrid::SetGridLineWidth(0);
    TStringGrid::SetDefaultDrawing(false);
    SetOptions(GetOptions() | goDrawFocusSelected);
}

void TBaseGrid::SetDefaultDrawing(bool value) {
    defaultDrawing = value;
    TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int value) {
    gridLineWidth = value;
    TStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor value) {
    gridLineColor = value;
    Invalidate();
}

int TBaseGrid::CellColumns() const {
    return StoredColCount();
}

TCellProperties* TBaseGrid::Properties(int ACol, int ARow) const {
    TObject* slot = GetObjects(ACol, ARow);
    return slot ? dynamic_cast<TCellProperties*>(slot) : nullptr;
}

AnsiString TBaseGrid::GetCellEx(int ACol, int ARow) const {
    AnsiString spare;
    return CellText(ACol, ARow, spare);
}

const AnsiString& TBaseGrid::CellText(int ACol, int ARow, AnsiString& spare) const {
    const TPoint base = BaseCell(ACol, ARow);
    if (!OnGetDisplText || base.y >= DisplayRowBound)
        return cells.Text(base.x, base.y);
    spare = cells.Text(base.x, base.y);
    OnGetDisplText(const_cast<TBaseGrid*>(this), base.x, base.y, spare);
    return spare;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const AnsiString& Value) {
    const TPoint base = BaseCell(ACol, ARow);
    cells.SetText(base.x, base.y, Value);
    // Where the cell shows: hidden columns before it put it further left.
    RepaintCell(RemapColInv(ACol), ARow);
    TextsWritten(Rect(base.x, base.y, base.x, base.y));
    if (!EditorOpen())
        return;
    // No editor stands on a hidden column's cell, whose display index is its shown neighbour's.
    if (const int display = RemapColInv(base.x); RemapCol(display) == base.x)
        EditorTakesCell(display, base.y);
}

void TBaseGrid::SetRowCells(int ARow, std::span<AnsiString> Values) {
    if (Values.empty())
        return;
    CheckCell(static_cast<int>(Values.size()) - 1, ARow);
    if (!WritesRowWhole(ARow)) {
        for (std::size_t c = 0; c < Values.size(); ++c)
            SetCellEx(static_cast<int>(c), ARow, Values[c]);
        return;
    }
    cells.SetRowTexts(ARow, Values);
    TextsWritten(Rect(0, ARow, static_cast<int>(Values.size()) - 1, ARow));
}

void TBaseGrid::SetRowCells(int ARow, std::vector<AnsiString>&& Values) {
    if (Values.empty())
        return;
    CheckCell(static_cast<int>(Values.size()) - 1, ARow);
    if (!WritesRowWhole(ARow)) {
        SetRowCells(ARow, std::span<AnsiString>(Values));
        return;
    }
    const int last = static_cast<int>(Values.size()) - 1;
    cells.SetRowTexts(ARow, std::move(Values));
    TextsWritten(Rect(0, ARow, last, ARow));
}

bool TBaseGrid::WritesRowWhole(int ARow) const {
    // A row without properties holds no merged cell, and while nothing paints and no editor is
    // open a write needs nothing else.
    return !PaintsNow() && !EditorOpen() && !cells.RowHasObjects(ARow);
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow) {
    if (TCellProperties* props = Properties(ACol, ARow))
        return props;
    auto props = std::make_unique<TCellProperties>(this, ACol, ARow);
    TCellProperties* made = props.get();
    SetObjects(ACol, ARow, std::move(props));
    return made;
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const {
    return GetObjects(ACol, ARow) != nullptr;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, std::unique_ptr<TCellProperties> props) {
    SetObjects(ACol, ARow, std::move(props));
}

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const {
    const TCellProperties* props = Properties(ACol, ARow);
    return props ? props->CellObject : nullptr;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* obj) {
    GetCellProperties(ACol, ARow)->CellObject = obj;
}

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const {
    const TCellProperties* props = Properties(ACol, ARow);
    return props ? props->GraphicObject.get() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, std::unique_ptr<TObject> obj) {
    GetCellProperties(ACol, ARow)->GraphicObject = std::move(obj);
}

bool TBaseGrid::BlockOf(int ACol, int ARow, TPoint& Base, TPoint& Span) const {
    // A cell without properties is no part of a block, whatever rows are hidden.
    const TCellProperties* props = Properties(ACol, ARow);
    TRect block;
    if (!props || props->SpanX < 0 || props->SpanY < 0 || !BlockAt(ACol, BlockRow(ARow), block))
        return false;
    Base = Point(block.Left, block.Top);
    Span = Point(block.Width(), block.Height());
    return true;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
    TPoint base, span;
    if (!BlockOf(ACol, ARow, base, span))
        return Point(ACol, ARow);
    // A block whose first rows are hidden shows from its first shown row.
    return Point(base.x, ShownRow(base.y));
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
    const TCellProperties* props = Properties(ACol, ARow);
    return !props || props->IsBaseCell || BaseCell(ACol, ARow) == Point(ACol, ARow);
}

bool TBaseGrid::IsBaseCellEx(int ACol, int ARow, int& BCol, int& BRow) const {
    const TPoint base = BaseCell(ACol, ARow);
    BCol = base.x;
    BRow = base.y;
    return IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
    const TCellProperties* props = Properties(ACol, ARow);
    return props && props->SpanX != -1 && props->SpanY != -1;
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
    return HasCellProperties(ACol, ARow) && CellSpan(ACol, ARow).x > 1;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
    const TCellProperties* props = Properties(ACol, ARow);
    return props && props->SpanY > 1;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
    TPoint base, span;
    if (!BlockOf(ACol, ARow, base, span))
        return Point(0, 0);
    // The block's shown rows.
    return Point(span.x, ShownRow(base.y + span.y + 1) - ShownRow(base.y) - 1);
}

TRect TBaseGrid::FullCell(int ACol, int ARow) const {
    const TPoint base = BaseCell(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    return Rect(base.x, base.y, base.x + span.x, base.y + span.y);
}

TRect TBaseGrid::GetCellRect(int ACol, int ARow) const {
    const auto left = static_cast<int>(Horz().Position(ACol));
    const auto top = static_cast<int>(Vert().Position(ARow));
    return Rect(left, top, left + GetColWidths(ACol), top + GetRowHeights(ARow));
}

TRect TBaseGrid::ShownBlock(int ACol, int ARow) const {
    const TRect block = FullCell(RemapCol(ACol), ARow);
    // A hidden column of the block gives its place to the next shown one.
    return Rect(RemapColInv(block.Left), block.Top, RemapColInv(block.Right + 1) - 1, block.Bottom);
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const {
    const TCellProperties* props = Properties(RemapCol(ACol), ARow);
    if (!props || (props->SpanX == -1 && props->SpanY == -1))
        return GetCellRect(ACol, ARow);
    const TRect block = ShownBlock(ACol, ARow);
    const TRect first = GetCellRect(block.Left, block.Top);
    const TRect last =
        GetCellRect(std::min(block.Right, GetColCount() - 1), std::min(block.Bottom, GetRowCount() - 1));
    return Rect(first.Left, first.Top, last.Right, last.Bottom);
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const {
    const TRect r = CellRect(ACol, ARow);
    return Point(r.Width(), r.Height());
}

void TBaseGrid::RepaintCell(int ACol, int ARow) {
    // The current cell lies beyond the grid while the selection is hidden.
    if (!PaintsNow() || ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount())
        return;
    // A cell out of view may still belong to a block that shows.
    if (!HasCellProperties(RemapCol(ACol), ARow) && !CellShows(ACol, ARow))
        return;
    InvalidateClientRect(CellRect(ACol, ARow));
}

void TBaseGrid::SelectBaseCell() {
    if (GetCol() >= GetColCount() || GetRow() >= GetRowCount() ||
        !HasCellProperties(RemapCol(GetCol()), GetRow()))
        return;
    const TRect block = ShownBlock(GetCol(), GetRow());
    SetCol(block.Left);
    SetRow(block.Top);
}

int TBaseGrid::FixedColsWidth() const {
    return static_cast<int>(cols.Offset(GetFixedCols()));
}

int TBaseGrid::FixedRowsHeight() const {
    return static_cast<int>(rows.Offset(GetFixedRows()));
}

void TBaseGrid::NilCell(int ACol, int ARow) {
    SetCellEx(ACol, ARow, AnsiString());
    SetObjects(ACol, ARow, nullptr);
}

void TBaseGrid::NilCol(int ACol) {
    for (int r = 0; r < GetRowCount(); ++r) {
        SetObjects(ACol, r, nullptr);
        SetCellEx(ACol, r, AnsiString());
    }
}

void TBaseGrid::NilRow(int ARow) {
    for (int c = 0; c < CellColumns(); ++c) {
        SetObjects(c, ARow, nullptr);
        SetCellEx(c, ARow, AnsiString());
    }
}

void TBaseGrid::CopyCols(int ToCol, int FromCol) {
    BlocksFollowing blocks(*this);
    // Column 0's slots go on either side: the rows its contracted nodes hide show again first.
    if (ToCol != FromCol && std::min(ToCol, FromCol) == 0)
        for (int r = 0; r < GetRowCount(); ++r)
            ObjectLeaving(0, r);
    cells.CopyColumn(ToCol, FromCol);
    TextsWritten(Rect(ToCol, 0, ToCol, GetRowCount() - 1));
    InvalidateCol(ToCol);
}

void TBaseGrid::CopyRows(int ToRow, int FromRow) {
    BlocksFollowing blocks(*this);
    // Rows the first cells' slots show again as they go stand after them: the lower row first,
    // then the upper one, which moves the lower one down.
    if (ToRow != FromRow) {
        CheckCell(0, ToRow);
        CheckCell(0, FromRow);
        ObjectLeaving(0, std::max(ToRow, FromRow));
        (ToRow > FromRow ? ToRow : FromRow) += ObjectLeaving(0, std::min(ToRow, FromRow));
    }
    for (int c = 0; c < CellColumns(); ++c) {
        SetCellEx(c, ToRow, GetCellEx(c, FromRow));
        SetObjects(c, ToRow, TakeObjects(c, FromRow));
    }
}

int TBaseGrid::MinRowSpan(int ARow) const {
    int smallest = GetRowCount();
    for (int c = 0; c < CellColumns(); ++c)
        if (const int span = CellSpan(c, ARow).y; span > 0)
            smallest = std::min(smallest, span);
    return smallest;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
    int largest = 0;
    for (int c = 0; c < CellColumns(); ++c)
        largest = std::max(largest, CellSpan(c, ARow).y);
    return largest;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
    bool seen = false;
    for (int c = 0; c < CellColumns(); ++c) {
        if (CellSpan(c, ARow1).y <= 0 || CellSpan(c, ARow2).y <= 0)
            continue;
        seen = true;
        if (BaseCell(c, ARow1).y != BaseCell(c, ARow2).y)
            return false;
    }
    return seen;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
    for (int r = 0; r < GetRowCount(); ++r) {
        const int span1 = CellSpan(ACol1, r).x;
        const int span2 = CellSpan(ACol2, r).x;
        const bool same =
            span1 > 0 && span2 > 0 ? BaseCell(ACol1, r).x == BaseCell(ACol2, r).x : span1 == span2;
        if (!same)
            return false;
    }
    return true;
}

bool TBaseGrid::IsSelected(int ACol, int ARow) const {
    const TGridRect selection = GetSelection();
    if (ACol >= selection.Left && ACol <= selection.Right && ARow >= selection.Top &&
        ARow <= selection.Bottom)
        return true;
    if (!HasCellProperties(RemapCol(ACol), ARow))
        return false;
    const TRect block = ShownBlock(ACol, ARow);
    if (block.Left == block.Right && block.Top == block.Bottom)
        return false;
    return GetCol() >= block.Left && GetCol() <= block.Right && GetRow() >= block.Top &&
           GetRow() <= block.Bottom;
}

void TBaseGrid::RenumberCellProperties(int FromRow) {
    cells.ForEachObject(FromRow, [](int col, int row, TObject* object) {
        if (auto* props = dynamic_cast<TCellProperties*>(object)) {
            props->Col = col;
            props->Row = row;
        }
    });
}

void TBaseGrid::RowMoved(int FromIndex, int ToIndex) {
    TStringGrid::RowMoved(FromIndex, ToIndex);
    RenumberCellProperties(std::min(FromIndex, ToIndex));
}

void TBaseGrid::ColumnMoved(int FromIndex, int ToIndex) {
    TStringGrid::ColumnMoved(FromIndex, ToIndex);
    RenumberCellProperties(0);
}

void TBaseGrid::RowsInserted(int ARow, int RCount) {
    // Also rows the framework inserts by itself, outside any change of the grid's own.
    BlocksFollowing blocks(*this);
    blocks.RowsInserted(BlockRow(ARow), RCount);
    TStringGrid::RowsInserted(ARow, RCount);
    RenumberCellProperties(ARow);
}

void TBaseGrid::RowsDeleted(const std::vector<int>& ARows) {
    BlocksFollowing blocks(*this);
    TStringGrid::RowsDeleted(ARows);
    RenumberCellProperties(ARows.front());
}

void TBaseGrid::ColsInserted(int ACol, int CCount) {
    TStringGrid::ColsInserted(ACol, CCount);
    RenumberCellProperties(0);
}

void TBaseGrid::ColsDeleted(int ACol, int CCount) {
    TStringGrid::ColsDeleted(ACol, CCount);
    RenumberCellProperties(0);
}

bool TBaseGrid::IsFixed(int, int) {
    return false;
}

int TBaseGrid::NodeIndent(int) {
    return 0;
}

bool TBaseGrid::HasNodes() {
    return false;
}

bool TBaseGrid::SelectCell(int ACol, int ARow) {
    RepaintCell(GetCol(), GetRow());
    const bool allowed = TStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return allowed;
}

void TBaseGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    // Blocks among the fixed cells reach into the scrolled area: their drawing moves with it.
    const int lastRow = std::min(GetTopRow() + VisibleRowCount(), GetRowCount() - 1);
    const int lastCol = std::min(GetLeftCol() + VisibleColCount(), GetColCount() - 1);
    if (GetFixedCols() > 0)
        for (int r = GetTopRow(); r <= lastRow; ++r)
            for (int c = 0; c < GetFixedCols(); ++c)
                if (IsMergedCell(RemapCol(c), r))
                    RepaintCell(c, r);
    if (GetFixedRows() > 0)
        for (int c = GetLeftCol(); c <= lastCol; ++c)
            for (int r = 0; r < GetFixedRows(); ++r)
                if (IsMergedCell(RemapCol(c), r))
                    RepaintCell(c, r);
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift) {
    const int rowCount = GetRowCount();
    const int colCount = GetColCount();
    // Page Down stops above a footer row.
    if (Key == VK_NEXT && LastRowIsFooter && rowCount > 1 &&
        VisibleRowCount() + GetTopRow() - GetFixedRows() == rowCount - 1)
        SetRow(rowCount - 2);
    // A hidden selection leaves the current cell beyond the grid, in no block.
    if (GetCol() < colCount && GetRow() < rowCount && HasCellProperties(RemapCol(GetCol()), GetRow())) {
        // Arrows step off a merged block from its edge, not from the cell inside it.
        const TRect block = ShownBlock(GetCol(), GetRow());
        switch (Key) {
        case VK_LEFT:
            if (GetCol() > block.Left && GetCol() > GetFixedCols() && block.Left > 0)
                SetCol(block.Left);
            break;
        case VK_UP:
            if (GetRow() > block.Top && GetRow() > GetFixedRows() && block.Top > 0)
                SetRow(block.Top);
            break;
        case VK_RIGHT:
            if (block.Right >= GetCol() && GetCol() < colCount - 1 && block.Left < colCount - 1)
                SetCol(std::min(block.Right, colCount - 1));
            break;
        case VK_DOWN:
            if (block.Bottom >= GetRow() && GetRow() < rowCount - 1 && block.Top < rowCount - 1)
                SetRow(std::min(block.Bottom, rowCount - 1));
            break;
        case VK_F2:
            // The editor opens on the block's base cell: a move there after it would close it.
            SelectBaseCell();
            break;
        }
    }
    TStringGrid::KeyDown(Key, Shift);
    SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    const bool handled = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    WheelStepped(true);
    return handled;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const bool handled = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    WheelStepped(false);
    return handled;
}

void TBaseGrid::WheelStepped(bool down) {
    // The footer row never becomes current: the rows scroll instead.
    if (down && LastRowIsFooter && GetRow() < GetRowCount() - 1 &&
        VisibleRowCount() - GetFixedRows() <= GetRow() - GetTopRow() && GetTopRow() < GetRowCount() - 1)
        SetTopRow(GetTopRow() + 1);
    SelectBaseCell();
}
