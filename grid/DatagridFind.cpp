// Finding text in the cells, and the validation of an edited cell.
#include "framework/FlagScope.h"
#include "framework/LocaleCase.h"
#include "grid/Datagrid.h"
#include "grid/Gridobj.h"
#include "grid/Gridutil.h"

#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// Upper case by the locale's rules; plain ASCII, the common case, without the locale's cost.
AnsiString UpperForFind(const AnsiString& S) {
    const std::string_view text = S.view();
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return AnsiUpperCase(S);
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

} // namespace

bool TDataGrid::MatchCell(int ACol, int ARow) {
    AnsiString text = GetCellEx(RemapCol(ACol), ARow);
    if (!(findParameters & fnMatchCase))
        text = UpperForFind(text);
    if (findParameters & fnIgnoreHTMLTags)
        text = HTMLToPlainText(text);
    if (findParameters & fnMatchRegular)
        return MatchStrEx(findText, text, (findParameters & fnMatchCase) != 0);
    const int position = text.Pos(findText);
    const bool partial = (findParameters & fnMatchStart) ? position == 1 : position > 0;
    const bool full = !(findParameters & fnMatchFull) || text == findText;
    return partial && full;
}

TPoint TDataGrid::Find(const TPoint& StartCell, const AnsiString& S, TFindParameters Params) {
    findParameters = Params;
    findBusy = true;
    findText = (Params & fnMatchCase) ? S : UpperForFind(S);
    const bool fixedToo = (Params & fnIncludeFixed) != 0;
    TGridRect bounds{fixedToo ? 0 : GetFixedCols(), fixedToo ? 0 : GetFixedRows(),
                     GetColCount() - 1 - (fixedToo ? 0 : FixedRightCols),
                     GetRowCount() - 1 - (fixedToo ? 0 : FixedFooters)};
    TPoint start = StartCell;
    if (Params & fnFindInCurrentRow)
        bounds.Top = bounds.Bottom = GetRow();
    if (Params & fnFindInCurrentCol)
        bounds.Left = bounds.Right = GetCol();
    TPoint found{-1, -1};
    if (GetColCount() != GetFixedCols() && GetRowCount() != GetFixedRows() && bounds.Left <= bounds.Right &&
        bounds.Top <= bounds.Bottom)
        found = FindWalk(start, bounds, !(StartCell == TPoint{-1, -1}));
    lastFound = found;
    if (found == TPoint{-1, -1}) {
        findBusy = false;
        return found;
    }
    if (Params & fnAutoGoto) {
        SetRow(found.y);
        SetCol(found.x);
    }
    return found;
}

TPoint TDataGrid::FindWalk(TPoint Start, const TGridRect& Bounds, bool StepFirst) {
    // The cells in walking order, numbered from 0: lines of the inner index within the outer.
    const bool leftRight = (findParameters & fnDirectionLeftRight) != 0;
    const bool backward = (findParameters & fnBackward) != 0;
    const int innerFirst = leftRight ? Bounds.Left : Bounds.Top;
    const int innerCount = (leftRight ? Bounds.Right - Bounds.Left : Bounds.Bottom - Bounds.Top) + 1;
    const int outerFirst = leftRight ? Bounds.Top : Bounds.Left;
    const long long outerCount = (leftRight ? Bounds.Bottom - Bounds.Top : Bounds.Right - Bounds.Left) + 1;
    const long long cells = outerCount * innerCount;
    auto order = [&](int inner, int outer) {
        const long long forward =
            static_cast<long long>(outer - outerFirst) * innerCount + (inner - innerFirst);
        return backward ? cells - 1 - forward : forward;
    };
    long long step = 0;
    if (StepFirst) {
        // Forward from the start cell's place; a start outside the lines starts at their edge.
        const int inner = leftRight ? Start.x : Start.y;
        const int outer = leftRight ? Start.y : Start.x;
        const int clampedInner = std::clamp(inner, innerFirst, innerFirst + innerCount - 1);
        const int clampedOuter = std::clamp(outer, outerFirst, outerFirst + static_cast<int>(outerCount) - 1);
        const long long place = order(clampedInner, clampedOuter);
        step = (inner == clampedInner && outer == clampedOuter) ? place + 1 : place;
    }
    for (; step < cells; ++step) {
        const long long forward = backward ? cells - 1 - step : step;
        const int inner = innerFirst + static_cast<int>(forward % innerCount);
        const int outer = outerFirst + static_cast<int>(forward / innerCount);
        const int col = leftRight ? inner : outer;
        const int row = leftRight ? outer : inner;
        if (MatchCell(col, row))
            return {col, row};
    }
    return {-1, -1};
}

TPoint TDataGrid::FindFirst(const AnsiString& S, TFindParameters Params) {
    return Find({-1, -1}, S, Params);
}

TPoint TDataGrid::FindNext() {
    return Find(lastFound, findText, findParameters);
}

int TDataGrid::Search(const AnsiString& S) {
    if (GetRowCount() < 2)
        return -1;
    const int column = SortSettings->Show ? SortSettings->Column : 1;
    if (column >= RealColCount())
        return -1;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (UpperForFind(GetCellEx(column, r).SubString(1, S.Length())) == S)
            return r;
    return -1;
}

void TDataGrid::InitValidate(int ACol, int ARow) {
    validatedCol = RemapCol(ACol);
    validatedRow = ARow;
    startingText = ValidatedText();
}

AnsiString TDataGrid::ValidatedText() const {
    if (validatedCol < 0 || validatedCol >= RealColCount() || validatedRow < 0 ||
        validatedRow >= GetRowCount())
        return "";
    return GetCellEx(validatedCol, validatedRow);
}

bool TDataGrid::ValidateCell(const AnsiString& NewValue) {
    if (!editPending)
        return true;
    editPending = false;
    // A handler's exception leaves the edit to be validated again.
    struct Rearm {
        bool& pending;
        bool done = false;
        ~Rearm() { pending = pending || !done; }
    } rearm{editPending};
    const FlagScope running(validating);
    bool valid = true;
    const int column = validatedCol;
    const int row = validatedRow;
    // NewValue is what the current cell's editor holds. An edit left pending while its row moved
    // away under an editor opened again on the current cell is the edited cell's own text.
    const AnsiString edited = column == GetRealCol() && row == GetRow() ? NewValue : ValidatedText();
    if (edited != startingText && column >= 0 && column < RealColCount() && row >= 0 && row < GetRowCount()) {
        UpdateCell(column, row);
        AnsiString value = edited;
        if (CellChecker && CellChecker->AutoCorrect)
            value = CellChecker->Correct(column, row, value);
        if (OnCellValidate)
            OnCellValidate(this, column, row, value, valid);
        if (CellChecker && CellChecker->AutoMarkError)
            value = CellChecker->MarkError(column, row, value);
        // A refusal keeps the handler's replacement, or else the text from before the edit.
        SetCellEx(column, row, valid || value != edited ? value : startingText);
        startingText = GetCellEx(column, row);
        CellsChanged(Rect(column, row, column, row));
        if (!valid) {
            validating = false;
            ReturnToValidatedCell();
        }
    }
    rearm.done = true;
    InitValidate(GetCol(), GetRow());
    return valid;
}

bool TDataGrid::ValidateOnFocusLoss(const AnsiString& NewValue) {
    const FlagScope leaving(losingFocus);
    return ValidateCell(NewValue);
}

void TDataGrid::ReturnToValidatedCell() {
    refusedCell = {validatedCol, validatedRow};
    auto back = [this] {
        const auto [real, row] = std::exchange(refusedCell, {});
        const int col = RemapColInv(real);
        if (real < 0 || row < 0 || IsHiddenColumn(real) || col < GetFixedCols() || col >= GetColCount() ||
            row < GetFixedRows() || row >= GetRowCount())
            return;
        if (col != GetCol() || row != GetRow())
            FocusCell(col, row, true);
        editPending = true;
        // A special editor that refused its value stays open over the cell.
        if (specialEditorOpen)
            return;
        if (!FocusWithin())
            SetFocus();
        ShowInplaceEdit();
        if (TInplaceEdit* editor = InplaceEditor(); editor && GetEditorMode() && !editor->Focused())
            editor->SetFocus();
    };
    // While the focus moves, the editor cannot take it back: that waits until the move is done.
    if (losingFocus)
        QTimer::singleShot(0, View(), [this, back] { CallFromView(*this, back); });
    else
        back();
}

void TDataGrid::Click() {
    TBaseGrid::Click();
    editingStarted = false;
    InitValidate(GetCol(), GetRow());
}
