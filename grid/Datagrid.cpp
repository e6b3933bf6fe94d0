#include "grid/Datagrid.h"

#include "grid/HTMLText.h"
#include "grid/Picturecontainer.h"

#include "framework/Timer.h"
#include "grid/Dgdd.h"
#include "grid/EditLink.h"
#include "grid/GridEditors.h"
#include "grid/Gridutil.h"
#include "grid/RichCells.h"
#include "grid/TextWidths.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>

TDataGrid::TDataGrid(TComponent* owner)
    : TBaseGrid(owner), FooterPanel(new TFooterPanel(this)),
      FloatingFooter(std::make_unique<TFloatingFooter>(this)),
      PrintSettings(std::make_unique<TPrintSettings>()), HTMLSettings(std::make_unique<THTMLSettings>()),
      SortSettings(std::make_unique<TSortSettings>(this)),
      DragDropSettings(std::make_unique<TDragDropSettings>(this)),
      ControlLook(std::make_unique<TControlLook>(this)), Navigation(std::make_unique<TNavigation>()),
      ColumnSize(std::make_unique<TColumnSize>(this)), CellNode(std::make_unique<TCellNode>(this)),
      Bands(std::make_unique<TBands>(this)), SizeWhileTyping(std::make_unique<TSizeWhileTyping>()),
      MouseActions(std::make_unique<TMouseActions>()), BackGround(std::make_unique<TBackGround>(this)),
      Filter(std::make_unique<TFilter>(this)), hiddenRows([] { return std::make_unique<TGridItem>(); }),
      wheelScrollLines(QApplication::wheelScrollLines()) {
    ColumnHeaders.OnChange = [this](TObject*) { ShowColumnHeaders(); };
    RowHeaders.OnChange = [this](TObject*) { ShowRowHeaders(); };
    mergedColumns.OnChange = [this](TObject*, int, int) {
        UndoColumnMerge();
        ApplyColumnMerge();
    };
    FixedFont.Name = "Tahoma";
    Font.Name = "Tahoma";
    FixedFont.OnChange = [this](TObject*) { Invalidate(); };
    ActiveCellFont.Style = fsBold;
    ActiveCellFont.OnChange = [this](TObject*) { Invalidate(); };
    pictureCache = std::make_unique<THTMLPictureCache>();
    visibleCol.assign(VisibleFlags, true);
    savedColWidths.assign(VisibleFlags, 0);
    printColWidths.assign(PrintedColumns, 0);
    printColOffsets.assign(PrintedColumns, 0);
    SetDefaultRowHeight(21);
    // Grids follow their form's size; the form tells them in its resize.
    ownerForm = dynamic_cast<TForm*>(owner);
    if (ownerForm) {
        ownerForm->AddResizeFollower(this);
        formWidth = ownerForm->Width();
        formHeight = ownerForm->Height();
    }
    const TArrowDirection directions[] = {arrUp, arrDown, arrLeft, arrRight};
    for (std::size_t i = 0; i < arrows.size(); ++i)
        arrows[i] = new TArrowWindow(this, directions[i]);
    dragLabel = new TPopupButton(this);
    dragLabel->SetParent(this);
    dragLabel->SetEnabled(false);
    dragLabel->Hide();
    editors = std::make_unique<TGridEditors>(*this);
    richCells = std::make_unique<TRichCells>();
    cells.SetEditedCellRead([this] { SpecialEditorCellRead(); });
}

TDataGrid::~TDataGrid() {
    // A destructor must not raise: widths that cannot be written are left unsaved.
    if (ColumnSize->Save) {
        try {
            SaveColSizes();
        } catch (const Exception&) {
        }
    }
    // A form being freed takes its list of followers with it.
    if (ownerForm && !(ownerForm->ComponentState & csDestroying))
        ownerForm->RemoveResizeFollower(this);
    for (TGridChangeNotifier* notifier : notifiers)
        std::erase(notifier->grids, this);
    if (EditLink && EditLink->grid == this)
        EditLink->GridGone();
}

void TDataGrid::SetParent(TWinControl* newParent) {
    TBaseGrid::SetParent(newParent);
    if (newParent && !windowCreated)
        CreateWnd();
}

void TDataGrid::CreateWnd() {
    windowCreated = true;
    FooterPanel->SetParent(this);
    FooterPanel->SetHeight(FloatingFooter->GetVisible() ? FloatingFooter->GetFooterHeight() : 0);
    FooterPanel->SetVisible(FloatingFooter->GetVisible());
    if (ColumnSize->Save)
        LoadColSizes();
    SetTimer(*this, BlinkTimerId, 500);
}

void TDataGrid::Loaded() {
    TBaseGrid::Loaded();
    layoutCursor = GetCursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    linkCursor = crHandPoint;
    if (dropTarget) {
        dropTarget->AcceptText = DragDropSettings->OleAcceptText;
        dropTarget->AcceptFiles = DragDropSettings->OleAcceptFiles;
    }
}

void TDataGrid::SetIntegralHeight(bool value) {
    integralHeight = value;
    SetBounds(Left(), Top(), Width(), Height());
}

int TDataGrid::IntegralHeight(int width, int height) const {
    bool horizontal = false, vertical = false;
    ScrollBarsNeeded(width, height, horizontal, vertical);
    const int around = 2 * BorderWidth + (horizontal ? HScrollBarHeight() : 0);
    const int rowHeight = std::max(1, GetDefaultRowHeight());
    return std::max(1, (height - around) / rowHeight) * rowHeight + around;
}

void TDataGrid::SetBounds(int left, int top, int width, int height) {
    TBaseGrid::SetBounds(left, top, width, integralHeight ? IntegralHeight(width, height) : height);
}

void TDataGrid::EndUpdate() {
    if (updateCount > 0)
        --updateCount;
    if (updateCount == 0)
        Invalidate();
}

void TDataGrid::RegisterNotifier(TGridChangeNotifier* notifier) {
    if (std::find(notifiers.begin(), notifiers.end(), notifier) != notifiers.end())
        return;
    notifiers.push_back(notifier);
    notifier->grids.push_back(this);
}

void TDataGrid::UnRegisterNotifier(TGridChangeNotifier* notifier) {
    if (std::erase(notifiers, notifier) > 0)
        std::erase(notifier->grids, this);
}

void TDataGrid::CellsChanged(const TRect& R) {
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (TGridChangeNotifier* notifier : std::vector<TGridChangeNotifier*>(notifiers))
        notifier->CellsChanged(R);
}

AnsiString TDataGrid::SaveCell(int ACol, int ARow) {
    return GetCellEx(ACol, ARow);
}

void TDataGrid::CalcCell(int ACol, int ARow, AnsiString& Text) {
    Text = GetCellEx(ACol, ARow);
}

void TDataGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
    // The headers of the current cell's row and column show in the active cell's font.
    if (ActiveCellShow) {
        const int displayCol = RemapColInv(ACol);
        if (ARow == GetRow() && displayCol == 0 && GetFixedCols() > 0)
            AFont->Assign(ActiveCellFont);
        else if (displayCol == GetCol() && ARow == 0 && GetFixedRows() > 0)
            AFont->Assign(ActiveCellFont);
    }
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TDataGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TDataGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TDataGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TDataGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

std::pair<TAlignment, TVAlignment> TDataGrid::GetCellAlignment(int ACol, int ARow) {
    TAlignment horizontal = taLeftJustify;
    TVAlignment vertical = VAlignment;
    if (AutoNumAlign) {
        AnsiString text = GetCellEx(ACol, ARow);
        if (!text.IsEmpty() && text[1] == '=')
            CalcCell(ACol, ARow, text);
        if (IsType(text) < 2)
            horizontal = taRightJustify;
    }
    GetCellAlign(ACol, ARow, horizontal, vertical);
    return {horizontal, vertical};
}

void TDataGrid::GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& aPrefix, AnsiString& aSuffix) {
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

void TDataGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

void TDataGrid::GetCellFixed(int ACol, int ARow, bool& IsFixed) {
    IsFixed = (FixedRowAlways && ARow == 0 && GetRowCount() == 1) ||
              (FixedColAlways && ACol == 0 && GetColCount() == 1) || ACol < GetFixedCols() ||
              ARow < GetFixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TDataGrid::GetCellReadOnly(int ACol, int ARow, bool& CanEdit) {
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

AnsiString TDataGrid::GetStrippedCell(int ACol, int ARow) {
    return HTMLToPlainText(GetCellEx(ACol, ARow));
}

AnsiString TDataGrid::HTMLToPlainText(const AnsiString& text) {
    return ::HTMLToPlainText(text);
}

void TDataGrid::GetCellPassword(int ACol, int ARow, bool& IsPassword) {
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

AnsiString TDataGrid::GetCheckTrue(int ACol, int ARow) {
    AnsiString value = checkTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, value);
    return value;
}

AnsiString TDataGrid::GetCheckFalse(int ACol, int ARow) {
    AnsiString value = checkFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, value);
    return value;
}

bool TDataGrid::IsFixed(int ACol, int ARow) {
    // Footer rows and right fixed columns; the column is a display one, as the painting asks.
    const TRect block = ShownBlock(ACol, ARow);
    if (block.Top >= GetRowCount() - FixedFooters || block.Left >= GetColCount() - FixedRightCols)
        return true;
    bool fixed = false;
    GetCellFixed(ACol, ARow, fixed);
    return fixed;
}

void TDataGrid::GridResize(TObject* Sender) {
    auto* form = dynamic_cast<TForm*>(Sender);
    if (!form || !SizeWithForm)
        return;
    const int width = Width() + form->Width() - formWidth;
    const int height = Height() + form->Height() - formHeight;
    if (width <= 0 || height <= 0)
        return;
    SetBounds(Left(), Top(), width, height);
    formWidth = form->Width();
    formHeight = form->Height();
}

void TDataGrid::WMTimer(unsigned id) {
    // The blink tick steps a pan as well.
    if (panning && (id == PanTimerId || id == BlinkTimerId))
        PanStep();
    if (id != BlinkTimerId) {
        if (id != PanTimerId)
            TBaseGrid::WMTimer(id);
        return;
    }
    if (Hovering)
        HoverTick();
    blinkPhase = !blinkPhase;
    // The cells in view, one partly shown row and column more, and the fixed ones beside them.
    const int lastRow = std::min(GetTopRow() + VisibleRowCount(), GetRowCount() - 1);
    const int lastCol = std::min(GetLeftCol() + VisibleColCount(), GetColCount() - 1);
    auto repaintBlinking = [this](int fromCol, int toCol, int fromRow, int toRow) {
        for (int r = fromRow; r <= toRow; ++r)
            for (int c = fromCol; c <= toCol; ++c)
                if (FIPos("<BLI", GetCellEx(RemapCol(c), r)) > 0)
                    RepaintCell(c, r);
    };
    repaintBlinking(GetLeftCol(), lastCol, GetTopRow(), lastRow);
    repaintBlinking(GetLeftCol(), lastCol, 0, GetFixedRows() - 1);
    repaintBlinking(0, GetFixedCols() - 1, GetTopRow(), lastRow);
}

void TDataGrid::HoverTick() {
    QWidget* surface = ClientView();
    const QPoint at = QCursor::pos();
    if (!surface || QApplication::widgetAt(at) != surface)
        return;
    const QPoint local = surface->mapFromGlobal(at);
    const TGridCoord cell = MouseCoord(local.x(), local.y());
    if (cell.X < GetFixedCols() || cell.Y < GetFixedRows())
        return;
    SetFocus();
    SetRow(cell.Y);
    SetCol(cell.X);
}
