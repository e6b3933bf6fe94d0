// Hit testing, scrolling a cell into view, the scroll bars' messages and hints, and the grid's
// answer to changes of sizes: the stretched last column and sizing all columns together.
#include "framework/NumberFormat.h"
#include "grid/CellGraphic.h"
#include "grid/Datagrid.h"
#include "grid/HTMLHintWindow.h"

#include <QCursor>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A point this close to a cell's side is on its border.
constexpr int SizeZone = 4;

} // namespace

void TDataGrid::ScreenToCell(const TPoint& P, int& ACol, int& ARow) const {
    const QPoint client = ClientView()->mapFromGlobal(QPoint(P.x, P.y));
    MouseToCell(client.x(), client.y(), ACol, ARow);
}

bool TDataGrid::InSizeZone(int X, int Y) const {
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0)
        return false;
    const TRect R = TCustomGrid::CellRect(col, row);
    bool inZone = false;
    if ((GetOptions() & goColSizing) && row <= GetFixedRows())
        inZone = std::abs(X - R.Left) < SizeZone || std::abs(X - R.Right) < SizeZone;
    if ((GetOptions() & goRowSizing) && col <= GetFixedCols())
        inZone = std::abs(Y - R.Top) < SizeZone || std::abs(Y - R.Bottom) < SizeZone;
    return inZone;
}

void TDataGrid::ScrollInView(int ACol, int ARow) {
    if (ACol >= GetColCount() || ARow >= GetRowCount())
        return;
    int left = GetLeftCol();
    int top = GetTopRow();
    const int shownCols = VisibleColCount();
    const int shownRows = VisibleRowCount();
    // The column (row) just past the last one shown whole is out of view too.
    if (ACol < left || ACol >= left + shownCols) {
        SetCol(ACol);
        left = std::max(ACol - shownCols / 2, GetFixedCols());
    }
    if (ARow < top || ARow >= top + shownRows) {
        SetRow(ARow);
        top = std::max(ARow - shownRows / 2, GetFixedRows());
    }
    // Never beyond where the last cells fill the view.
    SetLeftCol(std::min(left, std::max(GetFixedCols(), Horz().MaxFirst())));
    SetTopRow(std::min(top, std::max(GetFixedRows(), Vert().MaxFirst())));
}

void TDataGrid::WMHScroll(TWMScroll& Message) {
    ScrollMessage(Message, true);
}

void TDataGrid::WMVScroll(TWMScroll& Message) {
    ScrollMessage(Message, false);
}

void TDataGrid::ScrollMessage(TWMScroll& Message, bool horizontal) {
    ProportionalToCells(Message, horizontal);
    // The bars count columns (rows): the thumb's position is the first one in view.
    const int at = horizontal
                       ? std::clamp(Message.Pos, GetFixedCols(), std::max(GetFixedCols(), GetColCount() - 1))
                       : std::clamp(Message.Pos, GetFixedRows(), std::max(GetFixedRows(), GetRowCount() - 1));
    const bool hinted = ScrollHints == shBoth || ScrollHints == (horizontal ? shHorizontal : shVertical);
    if (hinted && Message.ScrollCode == SB_ENDSCROLL) {
        HideScrollHint();
    } else if (hinted && Message.ScrollCode == SB_THUMBTRACK) {
        AnsiString hint = AnsiString(horizontal ? "Col : " : "Row : ") + IntToStr(at);
        if (OnScrollHint)
            OnScrollHint(this, at, hint);
        ShowScrollHint(hint);
    }
    if (ScrollSynch && Message.ScrollCode == SB_THUMBTRACK)
        horizontal ? SetLeftCol(at) : SetTopRow(at);
    // A background fixed to the view lies over other cells once they scroll.
    const bool fixedBackground = BackGround->GetDisplay() == bdFixed && !BackGround->Bitmap.Empty();
    auto backgroundCells = [this] {
        TRect cells;
        MouseToCell(BackGround->GetLeft(), BackGround->GetTop(), cells.Left, cells.Top);
        MouseToCell(BackGround->GetLeft() + BackGround->Bitmap.Width(),
                    BackGround->GetTop() + BackGround->Bitmap.Height(), cells.Right, cells.Bottom);
        return cells;
    };
    const TRect before = fixedBackground ? backgroundCells() : TRect{};
    horizontal ? TBaseGrid::WMHScroll(Message) : TBaseGrid::WMVScroll(Message);
    if (fixedBackground && Message.ScrollCode != SB_THUMBTRACK) {
        const TRect after = backgroundCells();
        if (!(before == after)) {
            RepaintRect(before);
            RepaintRect(after);
        }
    }
    horizontal ? UpdateHScrollBar() : UpdateVScrollBar();
    HideEditorOverCheckBox();
    if (horizontal)
        UpdateFooter();
}

void TDataGrid::ShowScrollHint(const AnsiString& text) {
    if (!scrollHint) {
        scrollHint = new THTMLHintWindow(this);
        scrollHint->Name = "ScrollHint";
    }
    const TRect r = scrollHint->CalcHintRect(100, text, nullptr);
    scrollHint->SetColor(HintColor);
    // Level with the cursor and 10 pixels right of it.
    const QPoint cursor = QCursor::pos();
    scrollHint->ActivateHint(Bounds(cursor.x() + 10, cursor.y(), r.Width(), r.Height()), text);
}

void TDataGrid::HideScrollHint() {
    if (scrollHint)
        scrollHint->ReleaseHandle();
}

void TDataGrid::SizeChanged(int OldColCount, int OldRowCount) {
    // The cell store follows the counts in the framework's handling, parent or not.
    if (Parent() && ColumnSize->GetStretch())
        StretchRightColumn();
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    if (!Parent())
        return;
    if (flatActive) {
        FlatShowScrollBar(SB_VERT, VisibleRowCount() + GetFixedRows() < GetRowCount());
        UpdateVScrollBar();
        FlatShowScrollBar(SB_HORZ, VisibleColCount() + GetFixedCols() < GetColCount());
        UpdateHScrollBar();
    }
    if (FixedFooters > 0 || FixedRightCols > 0)
        Invalidate();
}

void TDataGrid::StretchRightColumn() {
    if (GetColCount() <= 0 || !ColumnSize->GetStretch())
        return;
    stretchAllowed = false;
    struct Allow {
        bool& allowed;
        ~Allow() { allowed = true; }
    } allow{stretchAllowed};
    const int right = ClientWidth();
    if (GetColCount() == 1) {
        SetColWidths(0, right);
        return;
    }
    int others = 0;
    for (int c = 0; c < GetColCount() - 1; ++c)
        others += GetColWidths(c);
    if (right > others)
        SetColWidths(GetColCount() - 1, right - others - 1);
}

void TDataGrid::ColWidthsChanged() {
    if (stretchAllowed)
        StretchRightColumn();
    TBaseGrid::ColWidthsChanged();
    if (std::exchange(press.ColSizing, false))
        SizingEnded(true);
    HideEditorOverCheckBox();
    UpdateFooter();
}

void TDataGrid::RowHeightsChanged() {
    TBaseGrid::RowHeightsChanged();
    if (std::exchange(press.RowSizing, false))
        SizingEnded(false);
    HideEditorOverCheckBox();
}

void TDataGrid::SizingEnded(bool columns) {
    press.WidthChanged = true;
    const int sized = columns ? press.SizingCell.X : press.SizingCell.Y;
    if (sized >= 0 && sized < (columns ? GetColCount() : GetRowCount())) {
        if (columns ? MouseActions->AllColumnSize : MouseActions->AllRowSize)
            SizeAllInProportion(columns, sized, columns ? press.SizingCellSize.x : press.SizingCellSize.y);
    }
    if (const TIndexEvent& ended = columns ? OnEndColumnSize : OnEndRowSize)
        ended(this, sized);
    press.SizingCell = {-1, -1};
}

void TDataGrid::SizeAllInProportion(bool columns, int sized, int startSize) {
    const int newSize = columns ? GetColWidths(sized) : GetRowHeights(sized);
    // A column dragged to nothing scales nothing: every other one would be lost for good.
    if (startSize <= 0 || newSize <= 0)
        return;
    const double factor = static_cast<double>(newSize) / startSize;
    if (columns) {
        for (int c = GetFixedCols(); c < GetColCount(); ++c)
            if (c != sized)
                SetColWidths(c, static_cast<int>(std::lround(GetColWidths(c) * factor)));
    } else {
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (r != sized)
                SetRowHeights(r, static_cast<int>(std::lround(GetRowHeights(r) * factor)));
    }
}

bool TDataGrid::CurrentCellHasCheckBox() {
    if (GetCol() < 0 || GetRow() < 0 || GetCol() >= GetColCount() || GetRow() >= GetRowCount())
        return false;
    const auto* graphic = dynamic_cast<const TCellGraphic*>(GetGraphicObjectEx(GetRealCol(), GetRow()));
    return graphic && (graphic->CellType == ctCheckBox || graphic->CellType == ctDataCheckBox);
}

void TDataGrid::HideEditorOverCheckBox() {
    if (CurrentCellHasCheckBox())
        HideEditor();
}

void TDataGrid::SetRowIndicator(const TBitmap& value) {
    rowIndicator.Assign(value);
    if (GetRow() < GetRowCount())
        RepaintCell(0, GetRow());
}

void TDataGrid::SetBackground(const TBackGround& value) {
    BackGround->SetTop(value.GetTop());
    BackGround->SetLeft(value.GetLeft());
    BackGround->SetDisplay(value.GetDisplay());
    BackGround->SetCells(value.GetCells());
    BackGround->SetBitmap(value.Bitmap);
    Invalidate();
}

void TDataGrid::SetActiveCellShow(bool value) {
    ActiveCellShow = value;
    Invalidate();
}

TColor TDataGrid::GetArrowColor() const {
    return arrows[0]->GetColor();
}

void TDataGrid::SetArrowColor(TColor value) {
    for (TArrowWindow* arrow : arrows)
        arrow->SetColor(value);
}
