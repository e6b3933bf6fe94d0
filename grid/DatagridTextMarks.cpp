// Words marked in cell texts with highlight and error tags, and the cell checker run over cells.
#include "grid/Datagrid.h"

namespace {

const AnsiString HighlightTag = "hi";
const AnsiString ErrorTag = "e";

} // namespace

TGridRect TDataGrid::ColMarkRange(bool DoFixed, int ACol) const {
    return DoFixed ? TGridRect{ACol, 0, ACol, GetRowCount() - 1}
                   : TGridRect{ACol, GetFixedRows(), ACol, LastNormalRow()};
}

TGridRect TDataGrid::RowMarkRange(bool DoFixed, int ARow) const {
    return DoFixed ? TGridRect{0, ARow, GetColCount() - 1, ARow}
                   : TGridRect{GetFixedCols(), ARow, LastNormalCol(), ARow};
}

TGridRect TDataGrid::GridMarkRange(bool DoFixed) const {
    const TGridRect columns = RowMarkRange(DoFixed, 0);
    const TGridRect rows = ColMarkRange(DoFixed, 0);
    return {columns.Left, rows.Top, columns.Right, rows.Bottom};
}

AnsiString TDataGrid::HilightText(bool DoCase, const AnsiString& Text, const AnsiString& s) {
    return HiLight(Text, s, HighlightTag, DoCase);
}

AnsiString TDataGrid::UnHilightText(const AnsiString& Text) {
    return UnHiLight(Text, HighlightTag);
}

AnsiString TDataGrid::MarkText(bool DoCase, const AnsiString& Text, const AnsiString& s) {
    return HiLight(Text, s, ErrorTag, DoCase);
}

AnsiString TDataGrid::UnMarkText(const AnsiString& Text) {
    return UnHiLight(Text, ErrorTag);
}

void TDataGrid::MarkCells(const AnsiString& s, const AnsiString& tag, bool DoCase, const TGridRect& range) {
    for (int r = range.Top; r <= range.Bottom; ++r)
        for (int c = range.Left; c <= range.Right; ++c)
            SetCellEx(c, r, HiLight(GetCellEx(c, r), s, tag, DoCase));
}

void TDataGrid::UnMarkCells(const AnsiString& tag, const TGridRect& range) {
    for (int r = range.Top; r <= range.Bottom; ++r)
        for (int c = range.Left; c <= range.Right; ++c)
            SetCellEx(c, r, UnHiLight(GetCellEx(c, r), tag));
}

void TDataGrid::ForShownCells(const TGridRect& range, const CellVisitor& visit) {
    for (int r = range.Top; r <= range.Bottom; ++r)
        for (int c = range.Left; c <= range.Right; ++c)
            visit(RemapCol(c), r);
}

// Each shown column's rows in one call, at its real column.
void TDataGrid::MarkShownCells(const AnsiString& s, const AnsiString& tag, bool DoCase,
                               const TGridRect& range) {
    for (int c = range.Left; c <= range.Right; ++c)
        MarkCells(s, tag, DoCase, {RemapCol(c), range.Top, RemapCol(c), range.Bottom});
}

void TDataGrid::UnMarkShownCells(const AnsiString& tag, const TGridRect& range) {
    for (int c = range.Left; c <= range.Right; ++c)
        UnMarkCells(tag, {RemapCol(c), range.Top, RemapCol(c), range.Bottom});
}

void TDataGrid::HilightInCell(bool DoCase, int ACol, int ARow, const AnsiString& s) {
    MarkCells(s, HighlightTag, DoCase, {ACol, ARow, ACol, ARow});
}

void TDataGrid::UnHilightInCell(int ACol, int ARow) {
    UnMarkCells(HighlightTag, {ACol, ARow, ACol, ARow});
}

void TDataGrid::HilightInCol(bool DoCase, bool DoFixed, int ACol, const AnsiString& s) {
    MarkCells(s, HighlightTag, DoCase, ColMarkRange(DoFixed, ACol));
}

void TDataGrid::UnHilightInCol(bool DoFixed, int ACol) {
    UnMarkCells(HighlightTag, ColMarkRange(DoFixed, ACol));
}

void TDataGrid::HilightInRow(bool DoCase, bool DoFixed, int ARow, const AnsiString& s) {
    MarkShownCells(s, HighlightTag, DoCase, RowMarkRange(DoFixed, ARow));
}

void TDataGrid::UnHilightInRow(bool DoFixed, int ARow) {
    UnMarkShownCells(HighlightTag, RowMarkRange(DoFixed, ARow));
}

void TDataGrid::HilightInGrid(bool DoCase, bool DoFixed, const AnsiString& s) {
    MarkShownCells(s, HighlightTag, DoCase, GridMarkRange(DoFixed));
}

void TDataGrid::UnHilightInGrid(bool DoFixed) {
    UnMarkShownCells(HighlightTag, GridMarkRange(DoFixed));
}

void TDataGrid::MarkInCell(bool DoCase, int ACol, int ARow, const AnsiString& s) {
    MarkCells(s, ErrorTag, DoCase, {ACol, ARow, ACol, ARow});
}

void TDataGrid::UnMarkInCell(int ACol, int ARow) {
    UnMarkCells(ErrorTag, {ACol, ARow, ACol, ARow});
}

void TDataGrid::MarkInCol(bool DoCase, bool DoFixed, int ACol, const AnsiString& s) {
    MarkCells(s, ErrorTag, DoCase, ColMarkRange(DoFixed, ACol));
}

void TDataGrid::UnMarkInCol(bool DoFixed, int ACol) {
    UnMarkCells(ErrorTag, ColMarkRange(DoFixed, ACol));
}

void TDataGrid::MarkInRow(bool DoCase, bool DoFixed, int ARow, const AnsiString& s) {
    MarkShownCells(s, ErrorTag, DoCase, RowMarkRange(DoFixed, ARow));
}

void TDataGrid::UnMarkInRow(bool DoFixed, int ARow) {
    UnMarkShownCells(ErrorTag, RowMarkRange(DoFixed, ARow));
}

void TDataGrid::MarkInGrid(bool DoCase, bool DoFixed, const AnsiString& s) {
    MarkShownCells(s, ErrorTag, DoCase, GridMarkRange(DoFixed));
}

void TDataGrid::UnMarkInGrid(bool DoFixed) {
    UnMarkShownCells(ErrorTag, GridMarkRange(DoFixed));
}

bool TDataGrid::CheckCell(int ACol, int ARow) {
    if (!CellChecker)
        return true;
    const AnsiString before = GetCellEx(ACol, ARow);
    AnsiString text = before;
    if (CellChecker->GotoCell)
        FocusCell(RemapColInv(ACol), ARow, true);
    if (CellChecker->UseCorrect)
        text = CellChecker->Correct(ACol, ARow, text);
    if (CellChecker->UseMarkError)
        text = CellChecker->MarkError(ACol, ARow, text);
    SetCellEx(ACol, ARow, text);
    return text == before;
}

bool TDataGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
    return CheckEach([&](const CellVisitor& visit) {
        for (int r = FromRow; r <= ToRow; ++r)
            for (int c = FromCol; c <= ToCol; ++c)
                visit(c, r);
    });
}

bool TDataGrid::CheckEach(const std::function<void(const CellVisitor& visit)>& cells) {
    if (!CellChecker)
        return true;
    const int col = GetCol();
    const int row = GetRow();
    CellChecker->StartCheck();
    bool passed = true;
    cells([&](int ACol, int ARow) { passed = CheckCell(ACol, ARow) && passed; });
    CellChecker->StopCheck();
    if (CellChecker->GotoCell) {
        SetRow(row);
        SetCol(col);
    }
    return passed;
}

bool TDataGrid::CheckCol(bool DoFixed, int ACol) {
    const TGridRect range = ColMarkRange(DoFixed, ACol);
    return CheckCells(range.Left, range.Top, range.Right, range.Bottom);
}

bool TDataGrid::CheckRow(bool DoFixed, int ARow) {
    return CheckEach([&](const CellVisitor& visit) { ForShownCells(RowMarkRange(DoFixed, ARow), visit); });
}

bool TDataGrid::CheckGrid(bool DoFixed) {
    return CheckEach([&](const CellVisitor& visit) { ForShownCells(GridMarkRange(DoFixed), visit); });
}
