#include "grid/GridSettings.h"

#include "framework/Exceptions.h"
#include "grid/Datagrid.h"

#include <algorithm>

namespace {

// Stores a setting that changes how the grid looks, and repaints the grid.
template <class T> void StoreAndRepaint(TDataGrid* grid, T& field, const T& value) {
    field = value;
    grid->Invalidate();
}

} // namespace

void TPrintSettings::Assign(const TPersistent& Source) {
    const auto* other = dynamic_cast<const TPrintSettings*>(&Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    Time = other->Time;
    Date = other->Date;
    PageNr = other->PageNr;
    PageNumSep = other->PageNumSep;
    DateFormat = other->DateFormat;
    Title = other->Title;
    Font.Assign(other->Font);
    HeaderFont.Assign(other->HeaderFont);
    FooterFont.Assign(other->FooterFont);
    Borders = other->Borders;
    BorderStyle = other->BorderStyle;
    TitleText = other->TitleText;
    TitleLines.Assign(other->TitleLines);
    Centered = other->Centered;
    RepeatFixedRows = other->RepeatFixedRows;
    RepeatFixedCols = other->RepeatFixedCols;
    FooterSize = other->FooterSize;
    HeaderSize = other->HeaderSize;
    LeftSize = other->LeftSize;
    RightSize = other->RightSize;
    ColumnSpacing = other->ColumnSpacing;
    RowSpacing = other->RowSpacing;
    TitleSpacing = other->TitleSpacing;
    Orientation = other->Orientation;
    PagePrefix = other->PagePrefix;
    PageSuffix = other->PageSuffix;
    FixedHeight = other->FixedHeight;
    UseFixedHeight = other->UseFixedHeight;
    FixedWidth = other->FixedWidth;
    UseFixedWidth = other->UseFixedWidth;
    FitToPage = other->FitToPage;
    NoAutoSize = other->NoAutoSize;
    PrintGraphics = other->PrintGraphics;
    JobName = other->JobName;
}

void TColumnSize::SetStretch(bool value) {
    stretch = value;
    grid->StretchRightColumn();
}

void TCellNode::SetNodeType(TNodeType value) {
    if (value == nodeType)
        return;
    nodeType = value;
    grid->Invalidate();
}

void TCellNode::SetShowTree(bool value) {
    if (value == showTree)
        return;
    showTree = value;
    grid->Invalidate();
}

void TBands::SetActive(bool value) {
    StoreAndRepaint(grid, active, value);
}

void TBands::SetPrimaryColor(TColor value) {
    primaryColor = value;
    Changed();
}

void TBands::SetSecondaryColor(TColor value) {
    secondaryColor = value;
    Changed();
}

void TBands::SetPrimaryLength(int value) {
    primaryLength = value;
    period = primaryLength + secondaryLength;
    Changed();
}

void TBands::SetSecondaryLength(int value) {
    secondaryLength = value;
    period = primaryLength + secondaryLength;
    Changed();
}

TColor TBands::ColorOfRow(int normalRow) const {
    // Without a period every normal row takes the secondary colour.
    if (period <= 0)
        return secondaryColor;
    return normalRow % period < primaryLength ? primaryColor : secondaryColor;
}

void TBands::Changed() {
    if (active)
        grid->Invalidate();
}

void TBackGround::SetTop(int value) {
    StoreAndRepaint(grid, top, value);
}

void TBackGround::SetLeft(int value) {
    StoreAndRepaint(grid, left, value);
}

void TBackGround::SetDisplay(TBackGroundDisplay value) {
    StoreAndRepaint(grid, display, value);
}

void TBackGround::SetCells(TBackGroundCells value) {
    StoreAndRepaint(grid, cells, value);
}

void TBackGround::SetBitmap(const TBitmap& value) {
    Bitmap.Assign(value);
    grid->Invalidate();
}

TControlLook::TControlLook(TDataGrid* grid) : grid(grid) {
    SetColor(clBlack);
}

void TControlLook::SetCheckSize(int value) {
    StoreAndRepaint(grid, checkSize, value);
}

void TControlLook::SetControlStyle(TControlStyle value) {
    StoreAndRepaint(grid, controlStyle, value);
}

void TControlLook::SetColor(TColor value) {
    StoreAndRepaint(grid, color, value);
}

void TControlLook::SetRadioSize(int value) {
    StoreAndRepaint(grid, radioSize, value);
}

void TControlLook::SetFlatButton(bool value) {
    StoreAndRepaint(grid, flatButton, value);
}

void TControlLook::SetGlyph(TBitmap& glyph, const TBitmap& value) {
    glyph.Assign(value);
    grid->Invalidate();
}

void TSortSettings::SetRow(int value) {
    if (value > grid->GetFixedRows())
        throw Exception("Sort row should be smaller than number of fixed rows");
    row = value;
}

void TFilterData::Assign(const TPersistent& Source) {
    const auto* other = dynamic_cast<const TFilterData*>(&Source);
    if (!other) {
        TCollectionItem::Assign(Source);
        return;
    }
    Column = other->Column;
    Condition = other->Condition;
    CaseSensitive = other->CaseSensitive;
}

TFilter::TFilter(TDataGrid* grid) : TCollection([] { return std::make_unique<TFilterData>(); }), grid(grid) {}

void TGridItem::Assign(const TPersistent& Source) {
    const auto* other = dynamic_cast<const TGridItem*>(&Source);
    if (!other) {
        TCollectionItem::Assign(Source);
        return;
    }
    Idx = other->Idx;
    SetItems(other->Items);
}

TGridItem::~TGridItem() {
    for (int i = 0; i < Items.Count(); ++i)
        delete Items.GetObject(i);
}

void TGridItem::SetItems(const TStringList& value) {
    for (int i = 0; i < Items.Count(); ++i)
        delete Items.GetObject(i);
    Items.Clear();
    for (int i = 0; i < value.Count(); ++i)
        Items.Add(value[i]);
}

TGridChangeNotifier::~TGridChangeNotifier() {
    for (TDataGrid* grid : std::vector<TDataGrid*>(grids))
        grid->UnRegisterNotifier(this);
}

void TGridChangeNotifier::CellsChanged(const TRect&) {}
