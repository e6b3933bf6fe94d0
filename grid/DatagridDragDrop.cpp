// What a grid does as the source of a drag and as the target of a drop.
#include "grid/Datagrid.h"

#include "grid/ClipboardFormat.h"
#include "grid/Dgdd.h"

#include <QPixmap>
#include <QWidget>

#include <algorithm>

void TDragDropSettings::SetOleDropRTF(bool value) {
    SetRTFAware(TDropFamily::Grids, value);
    OleDropRTF = value;
}

void TDragDropSettings::SetOleDropTarget(bool value) {
    OleDropTarget = value;
    grid->OleDropTargetChanged();
}

TAEDropTarget* TDataGrid::DropTarget() {
    return dropTarget.get();
}

void TDataGrid::OleDropTargetChanged() {
    if (ComponentState & csDesigning)
        return;
    if (DragDropSettings->OleDropTarget) {
        if (!dropTarget)
            dropTarget = std::make_unique<TGridDropTarget>(*this);
        dropTarget->AcceptText = DragDropSettings->OleAcceptText;
        dropTarget->AcceptFiles = DragDropSettings->OleAcceptFiles;
    } else {
        dropTarget.reset();
    }
    ClientView()->setAcceptDrops(DragDropSettings->OleDropTarget);
}

QPixmap TDataGrid::HeaderPicture(int ARealCol) const {
    const TRect cell = TCustomGrid::CellRect(RemapColInv(ARealCol), 0);
    return ClientView()->grab(QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
}

void TDataGrid::StartOleDrag(int ACol, int ARow) {
    oleDragArmed = false;
    const int realCol = RemapCol(ACol);
    bool allow = true;
    if (OnOleDrag)
        OnOleDrag(this, ARow, ACol, GetCellEx(realCol, ARow), allow);
    if (!allow) {
        if (GetGridState() == gsNormal)
            SetGridState(gsSelecting);
        return;
    }
    if (OnOleDragStart)
        OnOleDragStart(this, ARow, ACol);
    int effect = DROPEFFECT_NONE;
    if (ARow < GetFixedRows()) {
        const int result = StartColDoDragDrop(*ClientView(), realCol, HeaderPicture(realCol),
                                              DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
        if (result != DRAGDROP_S_CANCEL && OnOleDragStop)
            OnOleDragStop(this, effect);
        HideDropMarkers();
        return;
    }
    dragSelection = GetSelection();
    ownDrop.reset();
    const AnsiString cellText = GetCellEx(realCol, ARow);
    // Rich text goes only with a cell that holds it, and stands for that cell alone: a drag of
    // several cells goes as their text. A merged block is one cell.
    const TSelectedCells dragged = SelectedCells();
    const TPoint pressed = BaseCell(realCol, ARow);
    bool oneCell = !dragged.Rows.empty();
    for (const int r : dragged.Rows)
        for (int c = dragged.Left; c <= dragged.Right; ++c)
            oneCell = oneCell && BaseCell(RemapCol(c), r) == pressed;
    const AnsiString rtf = oneCell && cellText.view().starts_with("{\\") ? cellText : AnsiString();
    oleDragging = true;
    struct Done {
        bool& dragging;
        ~Done() { dragging = false; }
    } done{oleDragging};
    const int result = StartTextDoDragDrop(TDropFamily::Grids, *ClientView(), SelectedText(), rtf,
                                           DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    if (result == DRAGDROP_S_CANCEL)
        return;
    if (effect == DROPEFFECT_MOVE)
        ClearMovedSelection();
    if (OnOleDragStop)
        OnOleDragStop(this, effect);
}

void TDataGrid::ClearMovedSelection() {
    const TGridRect moved = dragSelection;
    const auto droppedRow = [&](int r) { return ownDrop && r >= ownDrop->Top && r <= ownDrop->Bottom; };
    if (DragDropSettings->OleRemoveRows && (GetOptions() & goRowSelect)) {
        if (MouseActions->DisjunctRowSelect)
            RemoveSelectedRows();
        else
            for (int r = moved.Bottom; r >= moved.Top; --r)
                if (!droppedRow(r))
                    RemoveRows(r, 1);
        return;
    }
    // A dragged cell of a block stands for the whole block, which goes as one, wherever its base
    // cell lies; blocks are told by their base cells. What a drop on this grid just wrote stays.
    std::vector<TPoint> written;
    if (ownDrop)
        for (int r = ownDrop->Top; r <= std::min(ownDrop->Bottom, GetRowCount() - 1); ++r)
            for (int c = ownDrop->Left; c <= std::min(ownDrop->Right, GetColCount() - 1); ++c)
                written.push_back(BaseCell(RemapCol(c), r));
    // The rows the drag took: among disjunct rows the marked ones, whatever the selection.
    const bool markedRowsOnly = MouseActions->DisjunctRowSelect;
    const int top = markedRowsOnly ? GetFixedRows() : moved.Top;
    const int bottom = markedRowsOnly ? GetRowCount() - 1 : moved.Bottom;
    std::vector<TRect> emptied;
    for (int r = top; r <= bottom; ++r)
        for (int c = moved.Left; c <= moved.Right && (!markedRowsOnly || GetRowSelect(r)); ++c) {
            const TPoint base = BaseCell(RemapCol(c), r);
            const TRect block = FullCell(base.x, base.y);
            if (std::find(written.begin(), written.end(), base) == written.end() &&
                std::find(emptied.begin(), emptied.end(), block) == emptied.end())
                emptied.push_back(block);
        }
    for (const TRect& block : emptied)
        ClearRect(block.Left, block.Top, block.Right, block.Bottom);
}

void TDataGrid::HideDropMarkers() {
    for (const TArrowDirection direction : {arrDown, arrUp, arrLeft})
        arrows[direction]->Hide();
}

void TDataGrid::OleDragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) {
    const TGridCoord cell = MouseCoord(Pt.x, Pt.y);
    int col = cell.X;
    int row = cell.Y;
    const bool column = Formats.Contains(dfCol);
    // Text the paste would not write is refused, so that a move does not clear its source.
    const bool text = !column && Formats.Contains(dfText) && !Formats.Contains(dfFile);
    Allow = col >= 0 && row >= 0 && (!text || EditingOn() || Navigation->AllowClipboardAlways);
    if (!column && Allow) {
        if (row == 0 && GetTopRow() > GetFixedRows())
            SetTopRow(GetTopRow() - 1);
        else if (row == GetTopRow() + VisibleRowCount() && row < GetRowCount())
            SetTopRow(GetTopRow() + 1);
    }
    if (column)
        Allow = Allow && row < GetFixedRows() && col >= GetFixedCols();
    else if (Allow && row < GetFixedRows())
        Allow = GetRowCount() == 1 && FixedRowAlways;
    if (OnOleDragOver)
        OnOleDragOver(this, row, col, Allow);
    if (!Allow) {
        HideDropMarkers();
        return;
    }
    // Markers are windows of their own, placed on the screen by the cell's corners, and as large
    // as the arrow outlines.
    const auto place = [&](TArrowDirection direction, int x, int y) {
        const QPoint at = ClientView()->mapToGlobal(QPoint(x, y));
        arrows[direction]->SetBounds(at.x(), at.y(), 11, 11);
        arrows[direction]->Show();
    };
    if (column) {
        const TRect r = TCustomGrid::CellRect(col, row);
        place(arrDown, r.Left, r.Top - 8);
        place(arrUp, r.Left, r.Bottom);
        return;
    }
    if (row == 0 && FixedRowAlways)
        row = 1;
    const bool entire = DragDropSettings->OleEntireRows;
    const TRect r = TCustomGrid::CellRect(entire ? 0 : col, row);
    place(arrLeft, (entire ? r.Right : r.Left) - 12, r.Top);
}

bool TDataGrid::OleDropText(TPoint Pt, const AnsiString& Text) {
    const TGridCoord cell = MouseCoord(Pt.x, Pt.y);
    int col = cell.X;
    int row = cell.Y;
    TPoint size;
    PasteSize(Text, size);
    if (GetOptions() & goRowSelect)
        col = DragDropSettings->OleEntireRows ? 0 : GetFixedCols();
    bool allow = true;
    if (OnOleDrop)
        OnOleDrop(this, row, col, Text, allow);
    if (allow && row == 0 && FixedRowAlways && GetRowCount() == 1)
        row = 1;
    // Text the cells cannot take whole is refused, so that a move never clears what did not arrive;
    // entire rows bring their header cells, which stay the target's own.
    const bool entireRows = (GetOptions() & goRowSelect) && DragDropSettings->OleEntireRows;
    const int inserted = DragDropSettings->OleInsertRows ? size.y : 0;
    int top = GetTopRow();
    if (top > GetFixedRows())
        ++top;
    allow = allow && PasteReaches(col, row);
    // Inserted rows are the cells that take the text, so they are asked, and go again if refused.
    if (allow && inserted > 0)
        InsertRows(row, inserted);
    const ClipboardFields fields = ReadClipboardText(Text.view(), ClipboardMultiLineQuoting);
    if (allow && !PasteFields(col, row, fields, {.HeadersPassed = entireRows})) {
        if (inserted > 0)
            TakeBackInsertedRows(row, inserted);
        allow = false;
    }
    if (allow) {
        if (inserted > 0) {
            // Rows inserted at or above the dragged ones move them down.
            if (oleDragging && row <= dragSelection.Top) {
                dragSelection.Top += size.y;
                dragSelection.Bottom += size.y;
            } else if (oleDragging && row <= dragSelection.Bottom) {
                // Inserted between them, the lower dragged rows move down past the new ones,
                // which the drop writes and a move then keeps.
                dragSelection.Bottom += size.y;
            }
            if (top > 0)
                SetTopRow(std::min(top, GetRowCount() - 1));
        }
        col = std::max(col, GetFixedCols());
        const TGridRect dropped{
            col, row, (GetOptions() & goRowSelect) ? col + size.x - GetFixedCols() : col + size.x - 1,
            row + size.y - 1};
        SetSelection(dropped);
        if (oleDragging)
            ownDrop = dropped;
    }
    arrows[arrLeft]->Hide();
    arrows[arrDown]->Hide();
    if (allow && OnOleDropped) {
        const TGridRect s = GetSelection();
        OnOleDropped(this, Rect(s.Left, s.Top, s.Right, s.Bottom));
    }
    return allow;
}

bool TDataGrid::OleDropRTF(TPoint Pt, const AnsiString& RTF) {
    const TGridCoord cell = MouseCoord(Pt.x, Pt.y);
    bool allow = true;
    if (OnOleDrop)
        OnOleDrop(this, cell.Y, cell.X, RTF, allow);
    const bool written = allow && WriteCellText(cell.X, cell.Y, RTF.view());
    arrows[arrLeft]->Hide();
    arrows[arrDown]->Hide();
    return written;
}

void TDataGrid::OleDropCol(TPoint Pt, int DropCol) {
    arrows[arrDown]->Hide();
    arrows[arrUp]->Hide();
    const TGridCoord cell = MouseCoord(Pt.x, Pt.y);
    if (OnOleDropCol)
        OnOleDropCol(this, cell.Y, cell.X, DropCol);
}
