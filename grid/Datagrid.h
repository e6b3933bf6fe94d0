#pragma once

#include "framework/DragDrop.h"
#include "framework/FlatScrollBar.h"
#include "framework/Form.h"
#include "framework/Icon.h"
#include "framework/Picture.h"
#include "grid/Basegrid.h"
#include "grid/CellGraphic.h"
#include "grid/DataGridCheck.h"
#include "grid/DatagridEvents.h"
#include "grid/Dgprint.h"
#include "grid/FindParameters.h"
#include "grid/GridSettings.h"
#include "grid/Gridobj.h"
#include "grid/HTMLText.h"
#include "grid/TrackedCell.h"

#include <QCursor>

#include <array>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class FieldTable;
class QPixmap;
class TGridDropTarget;
class TGridInplaceEdit;
class TRichCells;
class TRichEdit;
struct ClipboardFields;
struct TGridEditors;
class THTMLPictureCache;
class THTMLHintWindow;
class TImageList;
class TPictureContainer;
class TStream;
class TextWidths;

// What the clipboard's last change by the grid was.
enum TClipOperation { coCut, coCopy };

// The grid's own errors, with the texts the grid's Parts give them.
class EDataGridError : public Exception {
public:
    using Exception::Exception;
};

enum TGridLook { glStandard, glSoft };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };

// The string grid of every table window: the base grid with its settings objects, per-cell
// queries and their events, an update lock, change notifiers, a blink tick, and sizes that may
// follow its form.
class TDataGrid : public TBaseGrid, public TFormResizeFollower, public TDropSite {
    // First of all members: Invalidate reads it while the owned objects below are made.
    bool skipNextRepaint = false;

public:
    explicit TDataGrid(TComponent* owner);
    ~TDataGrid() override;

    // Owned objects, made in this order.
    TFooterPanel* const FooterPanel;
    const std::unique_ptr<TFloatingFooter> FloatingFooter;
    const std::unique_ptr<TPrintSettings> PrintSettings;
    const std::unique_ptr<THTMLSettings> HTMLSettings;
    const std::unique_ptr<TSortSettings> SortSettings;
    const std::unique_ptr<TDragDropSettings> DragDropSettings;
    const std::unique_ptr<TControlLook> ControlLook;
    const std::unique_ptr<TNavigation> Navigation;
    const std::unique_ptr<TColumnSize> ColumnSize;
    const std::unique_ptr<TCellNode> CellNode;
    const std::unique_ptr<TBands> Bands;
    const std::unique_ptr<TSizeWhileTyping> SizeWhileTyping;
    const std::unique_ptr<TMouseActions> MouseActions;
    // Each change rewrites the header row.
    TStringList ColumnHeaders;
    // Each change repaints the grid.
    TFont FixedFont;
    TFont ActiveCellFont;
    // Each change rewrites the header column.
    TStringList RowHeaders;
    TStringList LookupItems;
    const std::unique_ptr<TBackGround> BackGround;
    const std::unique_ptr<TFilter> Filter;

    // Copies into the owned objects.
    void SetPrintSettings(const TPrintSettings& value) { PrintSettings->Assign(value); }
    void SetFixedFont(const TFont& value) { FixedFont.Assign(value); }
    void SetActiveCellFont(const TFont& value) { ActiveCellFont.Assign(value); }
    // The header row (column) is emptied first when there is a fixed row (column).
    void SetColumnHeaders(const TStringList& value);
    void SetRowHeaders(const TStringList& value);
    // Row 0 (column 0) emptied; the headers written into it, only with a fixed row (column).
    void ClearColumnHeaders();
    void ClearRowHeaders();
    void ShowColumnHeaders();
    void ShowRowHeaders();

    // Counts and fixed areas. The grid reads and writes them through these, so that the
    // always-one-fixed switches, the display-text bound and the footer stay in step; GetFixedRows
    // and GetFixedCols answer as the Ex accessors do. Setting a count starts a refill: an open
    // editor closes without writing its text.
    int GetRowCountEx() const { return TBaseGrid::GetRowCount(); }
    void SetRowCountEx(int value);
    int GetColCountEx() const { return TBaseGrid::GetColCount(); }
    void SetColCountEx(int value);
    int GetFixedRowsEx() const;
    void SetFixedRowsEx(int value) { TBaseGrid::SetFixedRows(value); }
    int GetFixedColsEx() const;
    void SetFixedColsEx(int value) { TBaseGrid::SetFixedCols(value); }
    int GetDefRowHeightEx() const { return GetDefaultRowHeight(); }
    void SetDefRowHeightEx(int value);
    void SetRowCount(int value) override { SetRowCountEx(value); }
    void SetColCount(int value) override { SetColCountEx(value); }
    void SetDefaultRowHeight(int value) override { SetDefRowHeightEx(value); }
    int GetFixedRows() const { return GetFixedRowsEx(); }
    int GetFixedCols() const { return GetFixedColsEx(); }
    // Every fixed column (row) takes the width (height); the width of column 0, the height of
    // row 0.
    int GetFixedColWidth() const { return GetColWidths(0); }
    void SetFixedColWidth(int value);
    int GetFixedRowHeight() const { return GetRowHeights(0); }
    void SetFixedRowHeight(int value);
    // Setters of the looks that repaint the grid; the in-place editor, once made, takes the
    // word wrap and the length limit along. A negative count of footer rows or right fixed
    // columns raises the framework's index error.
    void SetFixedFooters(int value);
    void SetFixedRightCols(int value);
    void SetWordWrap(bool value);
    void SetVAlignment(TVAlignment value);
    void SetFlat(bool value);
    void SetShowSelection(bool value);
    void SetSelectionColor(TColor value);
    void SetSelectionTextColor(TColor value);
    void SetSelectionRectangle(bool value);
    void SetMaxEditLength(int value);
    void SetLookupItems(const TStringList& value) { LookupItems.Assign(value); }
    // What printing laid each column out with; a column outside the tables (0-255, more with
    // more columns) raises EDataGridError.
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;
    // Repaints the floating footer.
    void UpdateFooter();
    bool GetIntegralHeigth() const { return integralHeight; }
    // Trims the height to whole rows now and at every later size.
    void SetIntegralHeight(bool value);
    void SetBounds(int left, int top, int width, int height) override;

    // Hidden columns. Display columns leave them out; real columns count them, and cells are
    // read and written by real column. Real columns 0-255 can be hidden; each keeps its width
    // for when it shows again. A column count set from code keeps them hidden in their places:
    // one beyond a lowered count is hidden again when the count grows back to it, unless
    // UnHideColumn showed it meanwhile.
    void HideColumn(int ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ACol) const;
    int NumHiddenColumns() const { return hiddenCols; }
    // The flag alone; HideColumn and UnHideColumn keep the count and widths with it.
    void SetVisibleCol(int ACol, bool Value);
    bool GetVisibleCol(int ACol) const;
    // Display to real; a display column beyond the first 256 real ones lies beyond every
    // hidden column.
    int RemapCol(int ACol) const override;
    int RealColIndex(int ACol) const { return RemapCol(ACol); }
    int GetRealCol() const { return RemapCol(GetCol()); }
    int RemapColInv(int ACol) const override;
    int DisplColIndex(int ACol) const { return RemapColInv(ACol); }

    // Hidden rows leave the display with their cells and wait, with their real index, in the
    // hidden-row store. Rows inserted or removed before a hidden row move its real index.
    void HideRow(int ARow) { HideRows(ARow, ARow); }
    // Real rows; nothing when FromRow is hidden, rows of the range already hidden are skipped.
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    void UnHideRow(int ARow) { UnHideRows(ARow, ARow); }
    // Nothing when FromRow is not hidden; each hidden row of the range returns to its place.
    void UnHideRows(int FromRow, int ToRow);
    // Every hidden row back; a contracted node then reports expanded.
    void UnHideRowsAll();
    bool IsHiddenRow(int ARow) const;
    int NumHiddenRows() const { return hiddenRows.Count(); }
    // Real to display; display to real (-1 below 0).
    int RemapRow(int ARow) const;
    int DisplRowIndex(int ARow) const { return RemapRow(ARow); }
    int RemapRowInv(int ARow) const;
    int BlockRow(int ARow) const override { return RemapRowInv(ARow); }
    int ShownRow(int BRow) const override { return RemapRow(BRow); }
    TCellProperties* BlockRowProperties(int ACol, int BRow) const override;
    int RealRowIndex(int ARow) const { return RemapRowInv(ARow); }
    int GetRealRow() const { return RemapRowInv(GetRow()); }

    // The disjunct row selection: a flag per display row, moving with its row. A row outside
    // the grid raises EDataGridError "Invalid Row accessed".
    bool GetRowSelect(int ARow) const;
    void SetRowSelect(int ARow, bool Value);
    void ClearRowSelect();
    int GetRowSelectCount() const;
    // The normal rows within the selection's rows selected; the others cleared with Replace.
    void SelectToRowSelect(bool Replace);
    // The selection moved beyond the last cell, so that nothing shows selected, and back.
    void HideSelection();
    void UnHideSelection();
    // With DisjunctRowSelect the row's flag, else whether the cell lies in the selection.
    bool IsSelected(int ACol, int ARow) const;

    // Rows and columns with everything of theirs: cells of hidden columns, cell properties,
    // heights or widths, selection flags. Columns are real; bad indexes raise the framework's
    // error and change nothing.
    virtual void RemoveRowsEx(int ARow, int RCount);
    // Rows from ARow, to the end at most; nothing for ARow beyond the grid.
    virtual void RemoveRows(int ARow, int RCount);
    virtual void InsertRows(int ARow, int RCount);
    virtual void RemoveCols(int ACol, int CCount);
    virtual void InsertCols(int ACol, int CCount);
    // Every cell of the rectangle (inclusive) empty, its properties freed; an editor over one of
    // them closes without writing its text.
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void RemoveSelectedRows();
    void HideSelectedRows();
    void AddRow() { InsertRows(GetRowCount(), 1); }
    void AddColumn();
    void ClearRows(int ARow, int RCount);
    void ClearCols(int ACol, int CCount);
    void ClearNormalCells();
    // The selected cells, or the selected rows with DisjunctRowSelect, of the shown columns emptied.
    void ClearSelection();
    void Clear();
    void SwapRows(int ARow1, int ARow2);
    void SwapColumns(int ACol1, int ACol2);
    // Runs of equal texts down a column (along a row) made blocks; with MainMerge false a run
    // stays within the blocks the other columns (rows) already have.
    void MergeColumnCells(int ACol, bool MainMerge);
    void MergeRowCells(int ARow, bool MainMerge);
    void SplitColumnCells(int ACol);
    void SplitRowCells(int ARow);
    // Column ACol2's texts joined onto ACol1's, ACol2 removed.
    void MergeCols(int ACol1, int ACol2);
    // The first cell, row by row, whose stored text is S.
    bool IsCell(const AnsiString& S, int& ACol, int& ARow) const;

    // Cell graphics (DatagridValues): one TCellGraphic in a cell's properties, by real column.
    // Making one frees the cell's old graphic and leaves the text alone.
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // The same without touching the node count.
    TCellGraphic* AttachCellGraphic(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow) const;
    bool FreeCellGraphic(int ACol, int ARow);
    // Frees the graphic only when it is of that kind.
    bool RemoveCellGraphic(int ACol, int ARow, TCellType CellType);
    virtual TCellType GetCellType(int ACol, int ARow) const;
    TIntList* GetCellImages(int ACol, int ARow) const;
    // The index of an image-list or data image, the first of multiple images, else -1.
    int GetCellImageIdx(int ACol, int ARow) const;

    // Cell objects (DatagridCellObjects), by real column unless said otherwise; a call for a cell
    // without the object asked for answers false, none or -1 and changes nothing.
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    // The caller keeps the bitmap (icon, picture) it adds.
    void AddBitmap(int ACol, int ARow, TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    TBitmap* GetBitmap(int ACol, int ARow) const;
    bool RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctBitmap); }
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    bool RemoveIcon(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctIcon); }
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign HAlign, TCellVAlign VAlign);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                    int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    TPicture* GetPicture(int ACol, int ARow) const;
    bool RemovePicture(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctPicture); }
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                    int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                        TStretchMode StretchMode, int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    TFilePicture* GetFilePicture(int ACol, int ARow) const;
    bool RemoveFilePicture(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctFilePicture); }
    // Pictures from GridImages; nothing without an image list. A data image shows the image the
    // cell's integer text names; multiple images are filled through GetCellImages, direction 0
    // side by side, else one under the other.
    void AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddDataImage(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign);
    // True with the index for an image-list cell while there is an image list.
    bool GetImageIdx(int ACol, int ARow, int& Index) const;
    bool RemoveImageIdx(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctImageList); }
    // Either kind of single image.
    bool RemoveDataImage(int ACol, int ARow);
    void RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphic(ACol, ARow, ctImages); }
    // The cell whose list of images changed repainted; the whole grid once its row has moved.
    void MultiImageChanged(TObject* Sender, int ACol, int ARow);
    // A data check box shows whether the cell's text is the check-true text.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void RemoveCheckBox(int ACol, int ARow);
    // These look at the base cell of the cell's block.
    bool HasCheckBox(int ACol, int ARow) const;
    bool HasDataCheckBox(int ACol, int ARow) const;
    bool HasStaticEdit(int ACol, int ARow) const { return HasCheckBox(ACol, ARow) || IsRadio(ACol, ARow); }
    bool IsRadio(int ACol, int ARow) const;
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    // With CheckEditable a cell OnCanEditCell refuses stays; true when the box changed.
    bool ToggleCheck(int ACol, int ARow, bool CheckEditable);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheck(ACol, ARow, false); }
    // Direction 0 stacks the items, 1 puts them side by side; an index below 0 makes the cell's
    // text the selection.
    void AddRadio(int ACol, int ARow, int Direction, int Index, TStrings* Strings);
    TStrings* CreateRadio(int ACol, int ARow, int Direction, int Index);
    bool RemoveRadio(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctRadio); }
    bool GetRadioIdx(int ACol, int ARow, int& Index) const;
    bool SetRadioIdx(int ACol, int ARow, int Index);
    TStrings* GetRadioStrings(int ACol, int ARow) const;
    // The next item, after the last the first; true when the cell changed.
    bool ToggleRadio(int ACol, int ARow, bool CheckEditable);
    void AddButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    // The button owns the glyph.
    void AddBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption, TBitmap* Glyph,
                      TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                             TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveButton(int ACol, int ARow);
    bool HasButton(int ACol, int ARow) const;
    // ACol display.
    void PushButton(int ACol, int ARow, bool Pushed);
    // ACol display; empty for a cell without a button.
    TRect ButtonRect(int ACol, int ARow) const;
    // A bar showing the cell's number as a percentage: filled and empty colours; with Ex the
    // text's colour on each.
    void AddProgress(int ACol, int ARow, TColor Color1, TColor Color2);
    void AddProgressEx(int ACol, int ARow, TColor Color1, TColor Color2, TColor Color3, TColor Color4);
    bool RemoveProgress(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctProgress); }
    void AddComment(int ACol, int ARow, const AnsiString& Comment);
    bool RemoveComment(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctComment); }
    // The comment's lines joined, without the last line break.
    bool IsComment(int ACol, int ARow, AnsiString& Comment) const;
    // Markers ride on any object, or on one of kind ctEmpty made for them.
    void AddMarker(int ACol, int ARow, int M1, int M2);
    void RemoveMarker(int ACol, int ARow);
    void GetMarker(int ACol, int ARow, int& M1, int& M2) const;
    void AddRotated(int ACol, int ARow, short Angle, const AnsiString& Text);
    void SetRotated(int ACol, int ARow, short Angle);
    bool IsRotated(int ACol, int ARow, int& Angle) const;
    bool RemoveRotated(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctRotated); }
    void SetURLColor(TColor Value);
    void SetURLShow(bool Value);
    void SetURLFull(bool Value);
    void SetLook(TGridLook Value);

    // Node rows and grouping (DatagridNodes). A node row has a ctNode graphic in column 0: its
    // span (the rows it heads, itself counted; 0 up to the next node row) and whether the rows
    // under it are hidden. AddNode, RemoveNode, ExpandNode and ContractNode take real rows, the
    // rest display rows. A span counts real rows, so rows a node inside it hides stay in it.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    bool IsNode(int ARow) const {
        return ARow >= 0 && ARow < GetRowCount() && GetCellType(0, ARow) == ctNode;
    }
    // True when contracted; false also for a row that is no node.
    bool GetNodeState(int ARow) const;
    void SetNodeState(int ARow, bool Contracted);
    // -1 for a row that is no node.
    int GetNodeSpan(int ARow) const;
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ExpandAll();
    void ContractAll();
    // 0 none, 1 the last row of a span, 2 a row inside one: the tree lines drawn beside it.
    int GetNodeSpanType(int ARow) const;
    bool HasNodes() override { return NodeRowCount() > 0; }
    int NodeIndent(int ARow) override;
    // -1 ungroups, a column above 0 groups; anything else does nothing.
    void SetGroupColumn(int ACol);
    int GetGroupColumn() const { return groupColumn; }
    // The rows sorted on ACol and each run of equal texts put under a node row holding the text
    // in the label column; the group column goes, hidden rows keeping their cell of it. Nothing for a fixed
    // column or without normal rows.
    void Group(int ACol);
    // The group column back with each row's text, the node rows gone.
    void UnGroup();
    // Each node row's cell in ACol: the sum, average, least, greatest or count of its group's rows',
    // shown or hidden by the node.
    void GroupSum(int ACol) { GroupCalc(ACol, 1); }
    void GroupAvg(int ACol) { GroupCalc(ACol, 2); }
    void GroupMin(int ACol) { GroupCalc(ACol, 3); }
    void GroupMax(int ACol) { GroupCalc(ACol, 4); }
    void GroupCount(int ACol) { GroupCalc(ACol, 5); }
    void GroupCalc(int ACol, int Code);

    // Typed values (DatagridValues). An empty cell reads as 0; a text that is no integer raises
    // EDataGridError "Cell does not contain integer value".
    int GetInts(int ACol, int ARow) const;
    // FloatFormat must hold one floating-point conversion, else EDataGridError.
    void SetFloats(int ACol, int ARow, double Value);
    void SetDates(int ACol, int ARow, TDateTime Value);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    // The runtime's conversion errors pass to the caller.
    TDateTime GetDates(int ACol, int ARow) const;
    TDateTime GetTimes(int ACol, int ARow) const;
    virtual void EditProgress(const AnsiString&, const TPoint&, int) {}
    // Every cell (from the first normal one without DoFixed) takes the text, or a random number
    // from 0 to Max - 1 (0 for Max of 0 or less).
    void TextFill(bool DoFixed, const AnsiString& Text);
    void RandomFill(bool DoFixed, int Max);
    // The columns merged by ApplyColumnMerge; a change of the list merges them anew.
    TIntList& MergedColumns() { return mergedColumns; }
    void ApplyColumnMerge();
    void UndoColumnMerge();
    void RichSelChange();

    // The filter (DatagridFilter): a row matches when every condition matches its column's text.
    virtual bool MatchFilter(int ARow);
    // The normal rows that do not match hide, in one pass.
    void ApplyFilter();
    // On: the filter applied; should it hide every normal row, one empty row stands in for them
    // (not with FixedRowAlways) until the filter goes off. Off: every hidden row shows again.
    void SetFilterActive(bool value);

    // The radio item at (X, Y) from the cell's top-left corner becomes the selection; a point
    // between items changes nothing.
    void HandleRadioClick(int ACol, int ARow, int X, int Y);

    // A cell's graphic (DatagridGraphics) with its size, placement and whether the text shows
    // beside it; none for a cell without.
    TCellGraphic* GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& ShowText, TCellHAlign& HA,
                                    TCellVAlign& VA);

    // Sorting (DatagridSort). A single comparison reads both cells through Cells; a sort reads
    // each cell of its columns once, orders the rows stably and moves them once, with their
    // heights, selection flags, objects and the cross-reference. Rows tied after the last key keep
    // their order; a sort that raises leaves the rows as they were. A descendant's SortSwapRows
    // is given the order as exchanges instead, at most one fewer than the rows sorted.
    int Compare(int ACol, int ARow1, int ARow2);
    int CompareLine(int ACol, int ARow1, int ARow2);
    int CompareLineIndexed(int Idx, int ARow1, int ARow2);
    bool SortLine(int ACol, int ARow1, int ARow2);
    void SortByColumn(int ACol);
    // Rows Left..Right on ACol (with Full, ties on the columns after it) and on SortIndexes
    // from entry Idx.
    void QuickSortRows(int ACol, int Left, int Right);
    void QuickSortRowsIndexed(int Idx, int Left, int Right);
    void QuickSort(int ACol, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    void QSort();
    // An empty SortIndexes raises EDataGridError "No indexes specified for indexed sort".
    void QSortIndexed();
    void QSortGroup();
    void InitSortXRef();
    virtual void SortSwapRows(int ARow1, int ARow2);
    TSortIndexList& SortIndexes() { return sortIndexList; }
    // How long the last click-sort took, in milliseconds.
    long long LastSortDuration() const { return lastSortDuration; }

    // A cell's number: thousand separators dropped, empty as 0; anything else raises
    // EDataGridError "Cell does not contain a float value".
    double GetFloats(int ACol, int ARow) const;
    void SetInts(int ACol, int ARow, int Value);

    // Sums and extremes of the cells of a column (row) range, read as GetFloats reads them: a
    // cell that is no number raises and the grid stays as it was. Extremes start from the first
    // cell; an average over no cells raises EInvalidOp.
    double ColumnSum(int ACol, int FromRow, int ToRow) const;
    double ColumnAvg(int ACol, int FromRow, int ToRow) const;
    double ColumnMin(int ACol, int FromRow, int ToRow) const;
    double ColumnMax(int ACol, int FromRow, int ToRow) const;
    double RowSum(int ARow, int FromCol, int ToCol) const;
    double RowAvg(int ARow, int FromCol, int ToCol) const;
    double RowMin(int ARow, int FromCol, int ToCol) const;
    double RowMax(int ARow, int FromCol, int ToCol) const;
    // 1, 2, 3 ... down the normal rows of a column (along the normal columns of a row).
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    // The selected cells as lines of TAB-separated texts, each line ended by CR LF.
    AnsiString SelectedText();

    // Sizing to the contents. A cell's text is measured in the font it is painted with, line by
    // line; a column gets its widest text and 4 pixels.
    TPoint GetCellTextSize(int ACol, int ARow);
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeCol(int ACol) { SizeToWidth(ACol, false); }
    // With DoGrow the column only widens.
    void SizeToWidth(int ACol, bool DoGrow);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    void AutoSizeRow(int ARow);
    void SizeToLines(int ARow, int Lines, int Padding);
    // Every column and row from the first (normal one with SkipFixed) as wide and high as its
    // largest text and padding.
    void AutoSizeCells(bool SkipFixed, int PaddingX, int PaddingY);
    // The most lines a cell of the row holds with Multilinecells, at least 1.
    int MaxLinesInRow(int ARow);
    // With true, every normal column is sized to its contents and 10 pixels more.
    void SetAutoSizeP(bool value);

    // Painting waits while the lock is held; the last EndUpdate repaints the whole grid once.
    void BeginUpdate() { ++updateCount; }
    void EndUpdate();
    void ResetUpdate() { updateCount = 0; }
    bool GetLockFlag() const { return updateCount != 0; }
    void SetLockFlag(bool value) { value ? BeginUpdate() : EndUpdate(); }

    void RegisterNotifier(TGridChangeNotifier* notifier);
    void UnRegisterNotifier(TGridChangeNotifier* notifier);
    // R holds the changed cells (columns Left..Right, rows Top..Bottom); OnCellsChanged hears of
    // them first, then every registered notifier in registration order.
    virtual void CellsChanged(const TRect& R);

    // The text a file writer writes for a cell, and the value of a formula cell.
    virtual AnsiString SaveCell(int ACol, int ARow);
    virtual void CalcCell(int ACol, int ARow, AnsiString& Text);
    virtual int GetVersionNr() { return 2; }
    virtual AnsiString GetVersionString() { return "2.0 November, 2001"; }

    // Per-cell queries; each leaves its out-values as the caller set them unless its event
    // changes them.
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    // The alignment a cell (real column) shows with: numbers to the right with AutoNumAlign, the
    // rest to the left and VAlignment, then as OnGetAlignment says.
    std::pair<TAlignment, TVAlignment> GetCellAlignment(int ACol, int ARow);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& aPrefix, AnsiString& aSuffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    // Fixed by the fixed counts or the always-fixed switches; the event may add cells only.
    virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);
    virtual void GetCellReadOnly(int ACol, int ARow, bool& CanEdit);
    // The grid is editable (or only switched off on the current cell) and the cell neither
    // refused by OnCanEditCell nor fixed.
    bool IsEditable(int ACol, int ARow);
    // Editing is on, or off only while the current cell refuses it.
    bool EditingOn() const { return (GetOptions() & goEditing) || editingSwitchedOff; }
    // The cell's text without its HTML tags.
    AnsiString GetStrippedCell(int ACol, int ARow);
    // "<BR>" and "<HR>" as line breaks, every other tag left out; a "<" that no ">" closes stays
    // with the rest of the text.
    static AnsiString HTMLToPlainText(const AnsiString& text);
    virtual void GetCellPassword(int ACol, int ARow, bool& IsPassword);
    virtual AnsiString GetCheckTrue(int ACol, int ARow);
    virtual AnsiString GetCheckFalse(int ACol, int ARow);

    // The last column widened to fill the client area, with ColumnSize.Stretch.
    void StretchRightColumn();

    // Hit testing and scrolling, by display column. The cell under a point of the screen.
    void ScreenToCell(const TPoint& P, int& ACol, int& ARow) const;
    // Less than 4 pixels from a header cell's side with goColSizing, from a fixed column cell's
    // top or bottom with goRowSizing (which decides where both apply).
    bool InSizeZone(int X, int Y) const;
    // A cell out of view becomes current and is centred in its direction.
    void ScrollInView(int ACol, int ARow);
    // The scroll bars' look: the style's own, flat, or flat with the part under the mouse raised;
    // their background (clNone: not set), width, and a thumb as long as the share in view.
    TScrollType GetScrollType() const { return scrollType; }
    void SetScrollType(TScrollType Value);
    TColor GetScrollColor() const { return scrollColor; }
    void SetScrollColor(TColor Value);
    int GetScrollWidth() const { return scrollWidth; }
    void SetScrollWidth(int Value);
    bool GetScrollProportional() const { return scrollProportional; }
    void SetScrollProportional(bool Value);
    // The picture beside the current row in the fixed column; the grid keeps a copy.
    const TBitmap& GetRowIndicator() const { return rowIndicator; }
    void SetRowIndicator(const TBitmap& value);
    void SetBackground(const TBackGround& value);
    void SetActiveCellShow(bool value);
    void SetHovering(bool value) { Hovering = value; }
    TColor GetArrowColor() const;
    void SetArrowColor(TColor value);
    // Every column width and row height grows by x pixels, level by level within -10..10, and
    // the cell fonts by as many points; a size that cannot shrink keeps its own.
    void Zoom(int x);
    // The column widths in ColumnSize's store, as "Col"n by real column.
    void SaveColSizes();
    void LoadColSizes();
    // The form's size changed: the grid grows or shrinks with it while SizeWithForm is on.
    void GridResize(TObject* Sender);
    void FormResizing(TObject* Sender) override { GridResize(Sender); }
    void FormResized(TObject*) override { StretchRightColumn(); }

    void WMTimer(unsigned id) override;
    void SetParent(TWinControl* newParent) override;
    // The blink phase the painting of blinking text follows.
    bool BlinkPhase() const { return blinkPhase; }

    // HTML cell text: IMG sources "IDX:n" draw from GridImages, names from PictureContainer and
    // addresses from the grid's own cache. The grid forgets either when it is freed.
    TImageList* GridImages = nullptr;
    void SetImages(TImageList* value);
    TPictureContainer* PictureContainer = nullptr;
    void SetPictureContainer(TPictureContainer* value);
    THTMLPictureCache& PictureCache() { return *pictureCache; }
    // What the grid's cells render their HTML with: its pictures, URLColor, the blink phase.
    THTMLRenderContext HTMLContext() const;
    // The HTML text's size in font, width pixels wide (0: no limit), scale as printing passes it.
    TPoint HTMLTextSize(const AnsiString& Text, const TFont& font, int width, double scale = 1.0);
    // The anchor of display cell (ACol, ARow)'s HTML text under client point (X, Y).
    bool CellAnchor(int ACol, int ARow, int X, int Y, AnsiString& Anchor);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Painting. A cell's colours come from, in this order: its own colour or the grid's and the
    // bands, the fixed colour, OnGetCellColor, then the selection; ACol is a real column.
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                             TBrush* ABrush, TFont* AFont, TAlignment& HAlign, TVAlignment& VAlign,
                             bool& WordWrap) override;
    // One cell inside its lines (ACol a display column): content, borders, the fixed cells'
    // relief, OnDrawCell and the focus rectangle. The footer panel draws cells with it too.
    void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    // The dotted line at X while a column border is dragged; a second call at X takes it away.
    void DrawSizingLine(int X);
    // The soft look's thin frame around the cells.
    void NCPaintProc();
    // The sort glyph centred near (X, Y).
    void DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X);
    // Whether a cell shows its text as password characters (OnIsPasswordCell).
    bool IsPassword(int ACol, int ARow);
    // The text's margin at the left and top of a cell.
    TPoint XYOffset = Point(2, 2);
    void SetXYOffset(TPoint value);

    bool ActiveCellShow = false;
    TGridLook Look = glSoft;
    bool Flat = false;
    TVAlignment VAlignment = vtaTop;
    bool WordWrap = false;
    bool Multilinecells = false;
    bool FixedAsButtons = false;
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    int FixedFooters = 0;
    int FixedRightCols = 0;
    bool ShowSelection = true;
    bool HideFocusRect = false;
    TColor SelectionColor = clHighlight;
    TColor SelectionTextColor = clHighlightText;
    bool SelectionRectangle = false;
    bool SelectionRTFKeep = false;
    bool Hovering = false;
    AnsiString FloatFormat = "%.2f";
    bool AutoNumAlign = false;
    bool AutoSize = false;
    bool EnhTextSize = false;
    bool OemConvert = false;
    bool ExcelStyleDecimalSeparator = false;
    int MaxEditLength = 0;
    bool EditWithTags = false;
    bool EnableHTML = true;
    bool AnchorHint = false;
    bool URLShow = false;
    bool URLFull = false;
    bool URLEdit = false;
    TColor URLColor = clBlue;
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    TColor HintColor = clInfoBk;
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowSizing = false;
    bool ScrollSynch = false;
    TScrollHintType ScrollHints = shNone;
    bool EnableWheel = true;
    TIntelliPan IntelliPan = ipVertical;
    bool IntelliZoom = true;
    bool EnhRowColMove = false;
    bool SizeWithForm = false;
    bool FilterActive = false;

    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGridCellFlagEvent OnIsFixedCell;
    TGridCellFlagEvent OnCanEditCell;
    TGridCellFlagEvent OnIsPasswordCell;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    TChangingEvent OnRowChanging;
    TChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TClickCellEvent OnDblClickCell;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TGridTextEvent OnAnchorHint;
    TGridTextEvent OnGridHint;
    TScrollHintEvent OnScrollHint;
    TEllipsClickEvent OnEllipsClick;
    TButtonClickEvent OnButtonClick;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TCellValidateEvent OnCellValidate;
    TNotifyEvent OnRichEditSelectionChange;
    TAllowEvent OnCanAddRow;
    TIndexEvent OnAutoAddRow;
    TIndexEvent OnAutoInsertRow;
    TIndexEvent OnAutoDeleteRow;
    TIndexAllowEvent OnCanInsertRow;
    TIndexAllowEvent OnCanDeleteRow;
    TIndexEvent OnAutoInsertCol;
    TIndexAllowEvent OnColumnSize;
    TIndexAllowEvent OnColumnMove;
    TIndexAllowEvent OnRowSize;
    TIndexAllowEvent OnRowMove;
    TIndexEvent OnEndColumnSize;
    TIndexEvent OnEndRowSize;
    TNodeEvent OnExpandNode;
    TNodeEvent OnContractNode;
    TIndexEvent OnClickSort;
    TIndexAllowEvent OnCanSort;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TAllowEvent OnClipboardPaste;
    TAllowEvent OnClipboardCopy;
    TAllowEvent OnClipboardCut;
    TCellsChangedEvent OnCellsChanged;
    TProgressEvent OnFileProgress;
    TProgressEvent OnFilterProgress;
    TOleDropEvent OnOleDrop;
    TOleDropEvent OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDropColEvent OnOleDropCol;
    TCellsChangedEvent OnOleDropped;
    TPrintStartEvent OnPrintStart;
    TPrintPageEvent OnPrintPage;
    TPrintPageDoneEvent OnPrintPageDone;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintSizeEvent OnPrintSetColumnWidth;
    TPrintSizeEvent OnPrintSetRowHeight;
    TFitToPageEvent OnFitToPage;

    // In-place editing. Moving to a cell that may not be edited takes goEditing out of Options,
    // moving to one that may puts it back, neither with a repaint.
    TDataGridCheck* CellChecker = nullptr;
    void SetCellChecker(TDataGridCheck* value);
    void Invalidate() override;
    // The special editor of the cell's editor type over display cell (ACol, ARow), and its value
    // back into the cell: only into the cell it was opened on, and only a value the user changed.
    void ShowEditControl(int ACol, int ARow);
    void HideEditControl(int ACol, int ARow);
    // The open special editor's text stored in its cell as the user ends the edit, when the user
    // changed it; the text to validate (the cell's own for an untouched editor).
    AnsiString StoreSpecialEditorText(const AnsiString& text);
    // The open special editor shows its cell's text again: it has nothing of its own to write.
    void SpecialEditorSynced();
    // The special editors, made hidden with the grid.
    TGridEditors& Editors() const { return *editors; }
    // The editor of edCustom cells; none opens without one. The grid hears when it is freed.
    TEditLink* EditLink = nullptr;
    void SetEditLink(TEditLink* value);
    // Rich-text cell (ACol, ARow) (real column) drawn formatted into ARect.
    void RTFPaint(int ACol, int ARow, TCanvas* ACanvas, const TRect& ARect);
    // Cell (ACol, ARow) (real column) read into a rich edit: its rich text, or its plain text;
    // an empty cell empties the edit. The edit's rich text stored back into the cell.
    void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
    void RichToCell(int ACol, int ARow, TRichEdit* RichEdit);
    // The combo editor's items, typically filled from OnGetEditorProp. The combo selection is
    // the item a list shows for a cell text that is none of them (-1: the first).
    void ClearComboString();
    void AddComboString(const AnsiString& S);
    void AddComboStringObject(const AnsiString& S, TObject* AObject);
    bool RemoveComboString(const AnsiString& S);
    bool SetComboSelectionString(const AnsiString& S);
    void SetComboSelection(int Index) { comboSelection = Index; }
    int GetComboCount() const;
    void HideCellEdit() { HideEditControl(GetCol(), GetRow()); }
    // Editing starts as if the user pressed F2, once the current message is done.
    void ShowCellEdit() { PostKeyDown(VK_F2); }
    // The current cell takes back the text it had when it became current or its editor opened.
    void RestoreCache();
    // The text editor, none before the first edit.
    TGridInplaceEdit* GetInplaceEditor() const;
    void ShowInplaceEdit();
    void HideInplaceEdit();
    // An editor ended with Key: Tab and the arrows move on as on the grid, Enter advances.
    void DoneInplaceEdit(WORD Key, TShiftState Shift);
    virtual AnsiString EllipsClick(const AnsiString& S);
    // Moves the current cell to the next (Forward) or previous editable cell in
    // Navigation.AdvanceDirection order. Each normal cell is tried at most once and at most one
    // row or column is added; without an editable cell nothing moves.
    void AdvanceEdit(int ACol, int ARow, bool Force, bool ShowEditor, bool Forward);
    // The characters typed on a sorted grid to find a row, as they stand.
    const AnsiString& LookupText() const { return lookupText; }

    // Selection of whole rows, columns and ranges.
    void SelectRows(int ARow, int Count);
    void SelectCols(int ACol, int Count);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    // The cells from R's top-left to its bottom-right corner, or the whole grid when a corner is
    // out of view.
    void RepaintRect(const TRect& cells);
    void RepaintRow(int ARow) { InvalidateRow(ARow); }
    void RepaintCol(int ACol) { InvalidateCol(ACol); }

    // Finding text: the cell found, or (-1, -1). FindNext goes on after the last cell found
    // until none is left.
    TPoint Find(const TPoint& StartCell, const AnsiString& S, TFindParameters Params);
    TPoint FindFirst(const AnsiString& S, TFindParameters Params);
    TPoint FindNext();
    bool MatchCell(int ACol, int ARow);
    // The first normal row whose sort-column cell starts with S (upper case), or -1.
    int Search(const AnsiString& S);
    // Validation of an edited cell: its text when editing may begin, then the new text checked,
    // offered to OnCellValidate and stored, or the user sent back into the cell.
    virtual void InitValidate(int ACol, int ARow);
    virtual bool ValidateCell(const AnsiString& NewValue);
    virtual void UpdateCell(int, int) {}

    // Cells by real column and real row (hidden rows from their store) and through the sort.
    AnsiString GetCellsEx(int ACol, int ARow);
    void SetCellsEx(int ACol, int ARow, const AnsiString& Value);
    TObject* GetObjectsEx(int ACol, int ARow);
    void SetObjectsEx(int ACol, int ARow, TObject* Value);
    // A cell's own brush colour, UnsetCellColor when it has none.
    TColor GetColors(int ACol, int ARow);
    void SetColors(int ACol, int ARow, TColor Value);
    // The width of a real column, kept for hidden ones too.
    int GetAllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    TCursor GetCursorEx() const { return GetCursor(); }
    // Also the cursor the grid returns to when none of its own applies.
    void SetCursorEx(TCursor Value);
    // A row's place after the last sort, and back.
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    AnsiString GetUnSortedCell(int ACol, int ARow);
    void SetUnSortedCell(int ACol, int ARow, const AnsiString& Value);
    AnsiString GetCurrentCell() { return GetCellEx(GetRealCol(), GetRow()); }
    void SetCurrentCell(const AnsiString& Value) { SetCellEx(GetRealCol(), GetRow(), Value); }
    // The hint about to show for the cell under the mouse.
    void ShowHintProc(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo);

    // Text marks: hits of s in the visible text of cells wrapped in "hi" (highlight) or "e"
    // (error) tags, or those tags taken out again. DoCase matches case; DoFixed takes the fixed
    // rows and columns in, else the range stops short of them and of the footer and right fixed
    // ones.
    AnsiString HilightText(bool DoCase, const AnsiString& Text, const AnsiString& s);
    AnsiString UnHilightText(const AnsiString& Text);
    AnsiString MarkText(bool DoCase, const AnsiString& Text, const AnsiString& s);
    AnsiString UnMarkText(const AnsiString& Text);
    void HilightInCell(bool DoCase, int ACol, int ARow, const AnsiString& s);
    void UnHilightInCell(int ACol, int ARow);
    void HilightInCol(bool DoCase, bool DoFixed, int ACol, const AnsiString& s);
    void UnHilightInCol(bool DoFixed, int ACol);
    void HilightInRow(bool DoCase, bool DoFixed, int ARow, const AnsiString& s);
    void UnHilightInRow(bool DoFixed, int ARow);
    void HilightInGrid(bool DoCase, bool DoFixed, const AnsiString& s);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int ACol, int ARow, const AnsiString& s);
    void UnMarkInCell(int ACol, int ARow);
    void MarkInCol(bool DoCase, bool DoFixed, int ACol, const AnsiString& s);
    void UnMarkInCol(bool DoFixed, int ACol);
    void MarkInRow(bool DoCase, bool DoFixed, int ARow, const AnsiString& s);
    void UnMarkInRow(bool DoFixed, int ARow);
    void MarkInGrid(bool DoCase, bool DoFixed, const AnsiString& s);
    void UnMarkInGrid(bool DoFixed);
    // Every cell of range (columns Left..Right, rows Top..Bottom) marked, or unmarked, with tag.
    void MarkCells(const AnsiString& s, const AnsiString& tag, bool DoCase, const TGridRect& range);
    void UnMarkCells(const AnsiString& tag, const TGridRect& range);

    // Cell checking with CellChecker: true without one, else whether the checker left the text
    // as it was. A range checks every cell even after one fails, between StartCheck and
    // StopCheck, and with GotoCell puts the current cell back.
    bool CheckCell(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);

    // Text files and the clipboard. Writers build the whole text first and the file changes only
    // once all of it is written; readers read and parse the whole file before any cell changes.
    // Field separator: 0 writes "," and lets a reader find the file's own.
    char Delimiter = 0;
    bool QuoteEmptyFields = true;
    bool QuoteAllFields = false;
    // Writers include the fixed (and footer and right fixed) rows and columns; readers start
    // at cell (0, 0) instead of the first normal cell.
    bool IncludeFixedCells = true;
    bool IncludeHiddenColumns = false;
    // Line breaks in a cell written as "~" and empty cells as "^".
    bool TildeLineBreaks = false;
    // Copied cells of several lines go in double quotes; pasted ones come out of them.
    bool ClipboardMultiLineQuoting = false;

    // The rows and display columns the writers write.
    int GetSaveStartRow() const;
    int GetSaveEndRow() const;
    int GetSaveStartCol() const;
    int GetSaveEndCol() const;
    int GetSaveRowCount() const;
    int GetSaveColCount() const;

    void SaveToCSV(const AnsiString& FileName) { OutputToCSV(FileName, false); }
    void AppendToCSV(const AnsiString& FileName) { OutputToCSV(FileName, true); }
    void LoadFromCSV(const AnsiString& FileName) { InputFromCSV(FileName, false); }
    void InsertFromCSV(const AnsiString& FileName) { InputFromCSV(FileName, true); }
    void OutputToCSV(const AnsiString& FileName, bool Append);
    // Nothing is cleared first and ColCount only grows; with Insert the rows go below the last.
    void InputFromCSV(const AnsiString& FileName, bool Insert);

    // The grid's own format: its size, column widths and every non-empty cell.
    void SaveToFile(const AnsiString& FileName);
    void LoadFromFile(const AnsiString& FileName);
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);

    // A readable table of blank-padded columns, every row and shown column.
    void SaveToASCII(const AnsiString& FileName);
    // Records of fixed-width fields, one width per saved column; widths missing from the list
    // are added to it: the column's longest line plus one.
    void SaveToFixed(const AnsiString& FileName, TIntList* Widths);
    // Positions: where each column starts, 1-based, then where the last one ends.
    void LoadFromFixed(const AnsiString& FileName, TIntList* Positions);

    // An HTML table with the cells' alignment, spans, colours and font styles; texts show as they
    // stand unless they hold HTML.
    void SaveToHTML(const AnsiString& FileName) { OutputToHTML(FileName, false); }
    void AppendToHTML(const AnsiString& FileName) { OutputToHTML(FileName, true); }
    void OutputToHTML(const AnsiString& FileName, bool Append);
    // One element per saved row and one per cell, named from FieldTags or FIELD0, FIELD1, ...
    void SaveToXML(const AnsiString& FileName, const AnsiString& ListTag, const AnsiString& RecordTag,
                   TStrings* FieldTags);

    // Office Open XML workbooks (.xlsx, .xlsm): the active or the named sheet read into the cells;
    // the cells written as a new workbook, or into the named sheet of one. A document (.docx)
    // holding the cells as one table. Failures raise EDataGridError with the file's message.
    void LoadFromXLS(const AnsiString& FileName) { LoadXLS(FileName, ""); }
    void LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) {
        LoadXLS(FileName, SheetName);
    }
    void SaveToXLS(const AnsiString& FileName) { SaveXLS(FileName, ""); }
    void SaveToXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) {
        SaveXLS(FileName, SheetName);
    }
    void SaveToDOC(const AnsiString& FileName);
    // A query on an SQLite file, opened read-only: the field names in the last fixed row, the
    // records below.
    void LoadFromMDBTable(const AnsiString& FileName, const AnsiString& TableName);
    void LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& SQL);

    // The clipboard: cells as lines of TAB-separated text (CR LF between lines), and a cell's rich
    // text beside them with Navigation.AllowRTFClipboard.
    void CopyToClipBoard();
    void CopySelectionToClipboard();
    void CutToClipboard();
    void CutSelectionToClipboard();
    void PasteFromClipboard();
    // Pastes at the selection's top-left cell; with Navigation.AllowSmartClipboard one value
    // fills the selection and two continue as a series.
    void PasteSelectionFromClipboard();
    // How many fields were pasted at (ACol, ARow); 0 for rich text or nothing.
    int PasteFunc(int ACol, int ARow);
    int PasteText(int ACol, int ARow, const AnsiString& Text);
    // Whether a text paste at (ACol, ARow) may write at all: a cell, and editing on or allowed always.
    bool PasteReaches(int ACol, int ARow) const;
    // The most fields of a line, and the lines.
    void PasteSize(const AnsiString& Text, TPoint& Size);
    void CopyFunc(const TGridRect& R);
    void CopyRTFFunc(int ACol, int ARow);
    // After every text paste: where the last copy or cut started, the cells pasted and which of
    // the two it was. Empty here, for grids built on this one.
    virtual void PasteNotify(const TPoint&, const TGridRect&, TClipOperation) {}

    // Called after every file read, once the cells have changed.
    virtual void CellsLoaded() {}

    // Printing (Dgprint). Pages are laid out on the printer's sheet, turned as
    // PrintSettings.Orientation says, in tenths of a millimetre; counting, printing and the
    // preview measure alike, so they agree on every page.
    void Print();
    // The display columns and rows of range; a cancelled file or OnPrintStart prints nothing.
    void PrintRect(const TGridRect& range);
    // Page FromPage of the printed pages, the sheet as large as rect (device pixels) allows,
    // centred in it; the pages are counted first unless FastPreview is set.
    void PrintPreview(TCanvas* canvas, const TRect& rect);
    void PrintPreviewRect(TCanvas* canvas, const TRect& rect, const TGridRect& range);
    void SetPreviewPage(int page);
    // Page 1 on the canvas, its whole area taken as the page.
    void PrintDraw(TCanvas* canvas, const TRect& rect);
    void PrintDrawRect(TCanvas* canvas, const TRect& rect, const TGridRect& range);
    // One pass of the page builder over the print range; the number of pages. pages is the
    // total the page numbers show (-1 while counting).
    int BuildPages(TCanvas* canvas, TPrintMethod method, int pages);
    // A point size's height in tenths of a millimetre, unscaled (a print pass scales the cells'
    // fonts itself), and back.
    int MapFontHeight(int pointSize) const;
    int MapFontSize(int height) const;
    // The pages the last count found (or OnPrintStart left).
    int GetPrintPageCount() const { return printPageCount; }
    // The pages a drawing pass draws, from 1.
    int FromPage = 1;
    int ToPage = 1;
    // The pages are not counted: printing prints page 1 only, a preview shows it.
    bool FastPreview = false;

    // The print settings in a section of an INI file: Booleans as "Y" or "N", enumerations as
    // their ordinals, each font as name, size, style sum and colour. Reading gives each key
    // missing from the file its default.
    void SavePrintSettings(const AnsiString& FileName, const AnsiString& Section);
    void LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section);

    // Panning with the middle button; a button or key ends it, then goes on as usual.
    void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    void ViewMouseMove(TShiftState shift, int x, int y) override;
    void ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn) override;

protected:
    void Loaded() override;
    // Paints the cells, then the editing outline and the sizing line over them.
    void Paint() override;
    void PaintFrame() override;
    // A display cell: by the fixed counts, footer rows and right fixed columns, then GetCellFixed.
    bool IsFixed(int ACol, int ARow) override;
    bool UpdateLocked() const override { return updateCount > 0; }
    // The grid moves its cell store by real column itself.
    void ColsInserted(int, int) override {}
    void ColsDeleted(int, int) override {}
    // The cell whose edit waits for validation moves with its row.
    void RowsInserted(int ARow, int RCount) override;
    void RowsDeleted(const std::vector<int>& ARows) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    // A node going with its first cell's slot, however the slot is emptied, written or taken,
    // shows its rows again first.
    int ObjectLeaving(int ACol, int ARow) override;

    // Keys, focus and the window's messages.
    void WMKeyDown(WORD& Key, TShiftState Shift, int KeyData) override;
    void WMChar(char& Key, int KeyData) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    // Enter advances, typing finds a row of a sorted grid, Escape restores the cell.
    void KeyPress(char& Key) override;
    void WMSetFocus() override;
    void DoEnter() override;
    void DoExit() override;
    void CMDialogChar(char& CharCode, TShiftState Shift) override;
    void CMHintShow(bool& CanShow, THintInfo& HintInfo) override;
    // Hints show formatted by the HTML renderer.
    THintWindow* CreateHintWindow() override;
    void WMPaint(QPainter& painter) override;
    void Resize() override { WMSize(); }
    void WMSize();
    // The mouse.
    void WMLButtonDown(TShiftState Shift, int X, int Y) override;
    void WMLButtonUp(TShiftState Shift, int X, int Y) override;
    void WMLButtonDblClk(TShiftState Shift, int X, int Y) override;
    void WMRButtonDown(TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void WMHScroll(TWMScroll& Message) override;
    void WMVScroll(TWMScroll& Message) override;
    // The wheel moves the current row by the system's lines a notch, Ctrl zooms.
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void WMKillFocus() override;
    // The editing control.
    bool CanEditShow() override;
    TInplaceEdit* CreateEditor() override;
    AnsiString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
    // A text set from code in the cell being edited is no edit to validate, and Escape keeps it.
    bool EditorTakesCell(int ACol, int ARow) override;
    bool EditorOpen() const override { return GetEditorMode() || specialEditorOpen; }
    void TextsWritten(const TRect& Cells) override;
    // The special editor closes with the text editor, before whatever change made it close.
    void HideEditor() override;
    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    void Click() override;

private:
    static constexpr unsigned BlinkTimerId = 111;
    // The most columns that can be hidden, each with its flag.
    static constexpr int VisibleFlags = 257;
    // The printed-column tables hold at least this many columns.
    static constexpr int PrintedColumns = 256;

    // The window exists once the grid has a parent: the footer takes its place and the blink
    // timer starts.
    void CreateWnd();
    // The height trimmed to whole default rows between the border and any horizontal bar.
    int IntegralHeight(int width, int height) const;
    void HoverTick();
    // The real column behind each column the writers write, in order.
    std::vector<int> SaveColumns() const;
    // The width of the column a file line names: a display column, or with IncludeHiddenColumns a
    // real one, hidden or not.
    int SaveColumnWidth(int index) const;
    // The saved range as cells.
    TGridRect SaveRange() const {
        return {GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow()};
    }
    // What the selection operations copy: the selection, or the saved range with disjunct rows.
    TGridRect ClipboardSelection() const;
    // The clipboard text of the cells of R (display columns), only its marked rows with
    // MouseActions.DisjunctRowSelect.
    std::string ClipboardText(const TGridRect& R);
    // Empties the cells of R that may be edited, or all of them with AllowClipboardAlways; with
    // MouseActions.DisjunctRowSelect only in its marked rows, as the copy took them.
    void CutCells(const TGridRect& R);
    // How a write of several texts treats texts that its cells do not take, and the grid's size.
    struct TTextsWrite {
        // The text refuses the whole write, or is passed over.
        bool Whole = true;
        // Texts in the fixed columns that their cells do not take are passed over, even in a whole
        // write: entire rows bring their header cells.
        bool HeadersPassed = false;
        // Texts beyond the grid grow it as the clipboard settings allow.
        bool Grows = true;
    };
    // Every write of several texts: field i of line k goes to the cell shown at (ACol + i,
    // ARow + k), the base cell of its block. Writes them all, or none when two would land in one
    // cell or, as How says, one lands where it is not taken (outside the grid, on a cell that
    // takes no writing). The cells reached, from (ACol, ARow); none when nothing was written.
    std::optional<TGridRect> WriteTexts(int ACol, int ARow, const FieldTable& Lines, TTextsWrite How);
    // One text, rich text, into the cell shown at (ACol, ARow) through WriteTexts, the grid not
    // grown for it; false when not written.
    bool WriteCellText(int ACol, int ARow, std::string_view Text);
    // A text paste of Fields at (ACol, ARow) through WriteTexts, told as PasteText tells it; false
    // when refused.
    bool PasteFields(int ACol, int ARow, const ClipboardFields& Fields, TTextsWrite How);
    // The cells SelectedText takes: display columns Left..Right of the rows listed.
    struct TSelectedCells {
        int Left = 0;
        int Right = -1;
        std::vector<int> Rows;
    };
    TSelectedCells SelectedCells();
    // The selection filled from its first cells after a paste of Values values.
    void SmartFill(int Values);
    void LoadXLS(const AnsiString& FileName, const AnsiString& SheetName);
    void SaveXLS(const AnsiString& FileName, const AnsiString& SheetName);
    // Drag and drop.
    friend struct TDragDropSettings;
    friend class TGridDropTarget;
    TAEDropTarget* DropTarget() override;
    // The cells take drops while OleDropTarget is set, or no longer.
    void OleDropTargetChanged();
    // A drag leaves the grid once the mouse has moved far enough from where the press armed it.
    void StartOleDrag(int ACol, int ARow);
    // What a move of the dragged selection leaves behind: its cells cleared or its rows removed.
    void ClearMovedSelection();
    // Points are in the cells' own coordinates; a drop answers whether it wrote the cells.
    void OleDragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats);
    bool OleDropText(TPoint Pt, const AnsiString& Text);
    bool OleDropRTF(TPoint Pt, const AnsiString& RTF);
    void OleDropCol(TPoint Pt, int DropCol);
    void HideDropMarkers();
    // The picture of a column's header cell that a column drag shows.
    QPixmap HeaderPicture(int ARealCol) const;
    std::unique_ptr<TGridDropTarget> dropTarget;
    bool oleDragArmed = false;
    // The selection a text drag took, and what a drop of it on this grid wrote.
    TGridRect dragSelection{};
    bool oleDragging = false;
    std::optional<TGridRect> ownDrop;
    // The fixed row and column before which a reader stores nothing.
    int LoadStartRow() const { return IncludeFixedCells ? 0 : GetFixedRows(); }
    int LoadStartCol() const { return IncludeFixedCells ? 0 : GetFixedCols(); }

    // What OnCanEditCell answers for the cell.
    bool MayEdit(int ACol, int ARow);
    // Node rows, hidden ones included. A graphic made in column 0 may be made a node by its
    // caller after it is attached, so the count is taken again at the next look.
    mutable int nodeCount = 0;
    mutable bool nodeCountStale = false;
    AnsiString savedGroupHeader;
    // At zoom level 0.
    int savedGroupWidth = 0;
    // The display column a group's text stands in on its node row, in the grid without the group
    // column.
    int GroupLabelColumn() const;
    // The real row after the rows node row ARow (display) heads.
    int NodeEnd(int ARow) const;
    int NodeRowCount() const;
    // The node rows among display rows FromRow..ToRow.
    int NodeRowsIn(int FromRow, int ToRow) const;
    // The display row of real row ARow when it is a shown node row, else -1.
    int ShownNode(int ARow) const;
    // The shown rows node row ARow (display) heads, hidden as the node's.
    void HideNodeRows(int ARow);
    // The shown rows of every contracted node hidden as its own, as after rows were shown again.
    void HideContractedRows();
    // Node row ARow (display) still has rows hidden as its own, not as a contracted node's
    // shown inside its span.
    bool HidesOwnRows(int ARow) const;
    // Every contracted node among whose rows a row of Shown (real, ascending, once hidden by a
    // node) lies, and that hides none of its own any more, marked expanded.
    void ExpandNodesShown(const std::vector<int>& Shown);
    // The real rows of node row ARow's (display) group, its hidden rows' too.
    std::vector<int> GroupRows(int ARow) const;
    // Set while the filter added the empty row that stands in for every normal row.
    bool filterAddedRow = false;
    // The fixed rows a hide of every normal row took down, given back once rows show again.
    int hiddenFixedRows = 0;
    // The display row of that stand-in while it is still the one normal row, empty; else -1.
    int FilterStandIn() const;
    // No cell of display row ARow, hidden columns' too, holds text.
    bool RowIsEmpty(int ARow) const;
    // The normal rows (display) that do not match the filter; OnFilterProgress hears of each.
    std::vector<int> UnmatchedRows();
    // The rows that do not match hidden, those a contracted node hid among them too; with
    // StandIn an empty row stands in when no normal row is left.
    void FilterRows(bool StandIn);
    // Display rows about to be removed, with every contracted node among them expanded first:
    // where the same rows then stand.
    std::vector<int> ExpandRemovedNodes(const std::vector<int>& ARows);
    // Display rows FromRow..ToRow about to lose their cells in column 0: every contracted node
    // among them, and among the rows that show again, expanded first; where row ToRow then stands.
    int ExpandNodesGoingIn(int FromRow, int ToRow);
    // Column 0's cells about to move to another column: its nodes go with them, as nodes.
    void NodeColumnMoving();
    // The rows a contracted node row hides, held apart while node rows change places
    // (DatagridContractedRows): the node's graphic, its display row, and the hidden items of the
    // run right under it.
    struct ContractedRows {
        TCellGraphic* Node;
        int Row;
        std::vector<TGridItem*> Items;
    };
    // The contracted node rows among display rows ARows, ascending.
    std::vector<ContractedRows> ContractedNodesAmong(const std::vector<int>& ARows) const;
    std::vector<ContractedRows> ContractedNodesIn(int FromRow, int ToRow) const;
    // Each node's rows taken out of the hidden rows, the real rows after them moving up.
    void TakeContractedRows(std::vector<ContractedRows>& Nodes);
    // Each node's rows put back right under its display row Row, the real rows after moving down.
    void PutContractedRows(std::vector<ContractedRows>& Nodes);
    // Where each node's graphic now stands among display rows FromRow..ToRow.
    void FindMovedNodes(std::vector<ContractedRows>& Nodes, int FromRow, int ToRow) const;
    // Set while a sort holds the contracted rows apart, so its row swaps leave them be.
    bool contractedRowsTaken = false;
    void CellsFrom(bool DoFixed, const std::function<void(int ACol, int ARow)>& fill);
    // One sort's keys, order and move (DatagridSort).
    struct SortKeyColumn {
        int Col;
        bool Descending;
    };
    // Rows First..Last ordered by the key columns, each further one only on a tie; the rows move,
    // the current row with its data when currentFollows.
    void SortRows(int First, int Last, const std::vector<SortKeyColumn>& keys, bool currentFollows);
    // The key columns of QSort (the sort column, with Full the ones after it) and QSortIndexed
    // (the index entries from entry from on, with Full).
    std::vector<SortKeyColumn> SortColumnKeys(int ACol) const;
    std::vector<SortKeyColumn> SortIndexKeys(int from = 0) const;
    // QSort's frame: the sort index list emptied, with NormalCellsOnly column 0's texts kept.
    void SortKeepingHeaders(const std::function<void()>& sort);
    // A click on the sort row's cell of real column ACol: sorts on it, or turns its direction.
    void ClickSort(int ACol, TShiftState Shift);
    // Rows First + k take the rows First + order[k], with all they carry.
    void MoveRowsInOrder(int First, const std::vector<int>& order, bool currentFollows);
    // The same order given to SortSwapRows as the exchanges of its cycles.
    void ExchangeRowsInOrder(int First, const std::vector<int>& order, bool currentFollows);
    // The current row while SortSwapRows exchanges rows for a sort, -1 outside one.
    int sortTrackedRow = -1;
    // The cross-reference's inverse, rebuilt after each change.
    void CrossReferenceChanged();
    mutable std::vector<int> sortCrossInverse;
    long long lastSortDuration = 0;
    // The real column the rows are grouped by, -1 when they are not; while grouped, where it
    // goes back among the columns, as columns are inserted and removed before it.
    int groupColumn = -1;
    // The real column the node rows hold their group's text in, whatever shows since; -1 when
    // not grouped or once the column is removed. It follows its column as columns move.
    int groupLabelColumn = -1;
    void GroupLabelMoved(const std::function<int(int)>& NewPlace);
    // Display rows FromRow..EndRow - 1 were just loaded over: while grouped they are no group's
    // rows any more, so UnGroup neither removes them nor writes a group's text into them.
    void GroupRowsLoadedOver(int FromRow, int EndRow);
    TSortIndexList sortIndexList{0, 0};
    TIntList sortCrossReference{0, 0};
    TIntList mergedColumns{0, 0};
    TStringList scratchList;
    TCollection hiddenRows;
    // The hidden rows' items ordered by their real rows.
    std::vector<TGridItem*> hiddenByRow;
    std::array<TArrowWindow*, 4> arrows{};
    TPopupButton* dragLabel = nullptr;
    std::vector<TGridChangeNotifier*> notifiers;
    // One flag per real column, more than VisibleFlags once hidden columns are pushed beyond.
    std::vector<bool> visibleCol;
    // The width each real column had when it was hidden, at zoom level 0.
    std::vector<int> savedColWidths;
    // A real column's width at zoom level 0, kept for hidden ones too.
    int GetAllColBaseWidths(int ACol) const;
    void SetAllColBaseWidths(int ACol, int Value);
    int hiddenCols = 0;
    int updateCount = 0;
    bool integralHeight = false;
    bool windowCreated = false;
    bool blinkPhase = false;
    // Lines the wheel scrolls a notch, as the system sets it.
    int wheelScrollLines;
    TForm* ownerForm = nullptr;
    int formWidth = 0;
    int formHeight = 0;
    TCursor layoutCursor = crDefault;
    TCursor linkCursor = crDefault;
    TPoint clipboardOrigin{-1, -1};
    TClipOperation lastClipOperation = coCut;
    // The values the last text paste held; its count also holds an empty one after a last line
    // break.
    int pastedValues = 0;
    AnsiString checkTrue = "Y";
    AnsiString checkFalse = "N";
    char passwordChar = '*';

    // The counts changed without a refill: an open editor stays to write its text back.
    void ChangeRowCount(int value);
    void ChangeColCount(int value);
    // The hidden columns the column count takes in, every real column of it in the cell store.
    void CountHiddenCols();
    // The row count just changed: the display-text bound, the always-one-fixed row, the footer.
    void RowCountSet();
    // The column count just changed: the always-one-fixed column, the footer, the bounds, the
    // printed-column tables.
    void ColCountSet();
    // Real columns in all, hidden ones counted.
    int RealColCount() const { return GetColCount() + hiddenCols; }
    // The cells of display columns FromCol..ToCol, rows ARow1..ARow2, emptied; hidden columns
    // between them keep theirs.
    void ClearShownCells(int FromCol, int ToCol, int ARow1, int ARow2);
    // The marked normal rows among R's rows emptied in R's display columns.
    void ClearMarkedRows(const TGridRect& R);
    // Raises the framework's error unless 0 <= Index < Count.
    void CheckGridIndex(int Index, int Count) const;
    // Raises the framework's error for a count of fixed rows or columns below 0.
    void RefuseNegativeCount(int value) const;
    // Hidden rows: the items in the order they were hidden.
    TGridItem* HiddenItem(int index) const;
    // Display rows ARows (ascending) removed together, as RemoveRows or RemoveRowsEx leaves the
    // current cell; the hidden rows stay where they are.
    void DeleteDisplayRows(const std::vector<int>& ARows, bool Ex);
    void InsertDisplayRows(int ARow, int RCount);
    // Rows InsertRows just put in at ARow taken out again as if they had never come: the current
    // cell follows its row and no change of cells is told.
    void TakeBackInsertedRows(int ARow, int RCount);
    // RemoveRows and RemoveRowsEx, which differ only in where they leave the current cell.
    void RemoveRowRange(int ARow, int RCount, bool Ex);
    // Display rows ARows (ascending) out of the grid for good, the hidden rows after them moving
    // up and the merged blocks over them keeping their texts.
    void RemoveDisplayRows(const std::vector<int>& ARows, bool Ex);
    // Hidden rows' real indexes as removing (inserting) display rows moves them.
    void HiddenRowsRemoved(const std::vector<int>& ARows);
    // The hidden rows Drops picks removed for good, with their cells; answers how many went.
    int DropHiddenRows(const std::function<bool(const TGridItem&)>& Drops);
    // The hidden rows that would come back at display row ARow or after, before EndRow, removed
    // for good, as a lower row count or a load that writes over them replaces them.
    void DropHiddenRowsFrom(int ARow, int EndRow = std::numeric_limits<int>::max());
    void HiddenRowsInserted(int ARow, int RCount);
    // The same for empty display rows inserted at places (as InsertDisplayRowsAt takes them).
    void HiddenRowsInsertedAt(const std::vector<int>& places);
    // The display rows of the shown real rows FromRow..ToRow, the range cut to the grid; none
    // when FromRow is hidden.
    std::vector<int> ShownRowsBetween(int FromRow, int ToRow) const;
    // The same without the rule for a hidden FromRow; the range lies inside the grid.
    std::vector<int> ShownRowsIn(int FromRow, int ToRow) const;
    // Each display row taken into a new hidden-row item, then removed; ByNode marks the rows a
    // contracted node hides. A request for every row changes nothing.
    void HideDisplayRows(const std::vector<int>& ARows, bool Ex, bool ByNode = false);
    // The items of a run of hiddenByRow that Returns accepts (all without it) back at their
    // places, in one pass over the rows.
    void RestoreHiddenRows(std::vector<TGridItem*>::const_iterator First,
                           std::vector<TGridItem*>::const_iterator Last,
                           const std::function<bool(const TGridItem&)>& Returns = {});
    // The first hidden row at or after real row ARow; the item of a hidden real row, or none.
    std::vector<TGridItem*>::const_iterator HiddenBelow(int ARow) const;
    TGridItem* HiddenRowItem(int ARow) const;
    // Empty display rows at places (ascending, where they are to stand), in one pass.
    void InsertDisplayRowsAt(const std::vector<int>& places);
    // Display rows First + k take rows First + order[k] with their heights, flags and properties;
    // the cell awaiting validation follows its row, and with CurrentFollows the current row.
    void PermuteDisplayRows(int First, const std::vector<int>& order, bool CurrentFollows);
    void CheckRowSelectRow(int ARow) const;
    // A shown column moved by real column, with its cells (hidden rows' too), flag and saved
    // width, so the hidden columns between keep their places on display; OnColumnMoved hears.
    void MoveRealColumn(int FromIndex, int ToIndex);
    // The real rows of display rows, in their order.
    std::vector<int> RealRows(const std::vector<int>& ARows) const;
    // What is about to happen to some rows, for the merged blocks over them.
    enum class TBlockRowsChange { Hiding, Showing, Removing };
    // Before the real rows BRows (ascending) change: each merged block over them keeps its text
    // in its first shown row, the other texts of its base column in their order; rows removed
    // go with their own texts. Only the blocks whose base column lies in FromCol..ToCol, when
    // only the rows' cells of those columns change.
    void KeepBlockTexts(const std::vector<int>& BRows, TBlockRowsChange Change, int FromCol = 0,
                        int ToCol = std::numeric_limits<int>::max());
    // The own text of each hidden row's cell of a column, also where a block whose base row is
    // hidden keeps another text there.
    std::map<const TGridItem*, AnsiString> HiddenCellTexts(int ACol);
    // Hidden rows' texts too, by real row.
    AnsiString BlockRowText(int ACol, int BRow) const override;
    void SetBlockRowText(int ACol, int BRow, AnsiString Text) override;
    // Hidden rows' cells too, by real row.
    TCellProperties* MakeBlockRowProperties(int ACol, int BRow) override;
    void VisitBlockRowObjects(const std::function<void(int ACol, int BRow, TObject*)>& Visit) const override;
    // A display row's cells into an item's list, and back; objects move, they are not copied.
    void TakeRow(int ARow, TStringList& Items);
    void PutRow(int ARow, TStringList& Items);

    // The font a cell is painted with (the fixed or normal font, then OnGetCellColor), with the
    // zoom when Zoomed.
    void CellFont(int ACol, int displayCol, int ARow, TFont& font, bool Zoomed);
    // The text's width and height in that font, with the cell's graphic beside it.
    TPoint TextSize(int ACol, int ARow, const TFont& font);
    // The room a cell's text and graphic take together.
    TPoint BesideGraphic(int ACol, int ARow, TPoint text);
    // An average of Count cells; no cells raise EInvalidOp.
    static double Average(double Sum, int Count);
    // A cell's text as GetFloats reads it.
    static double FloatOfText(const AnsiString& text);

    // Painting's steps (DatagridPaint, DatagridContent); R is the cell inside its lines.
    void DrawCellBorders(TCanvas& canvas, int ACol, int ARow, TRect R);
    void DrawFixedRelief(TCanvas& canvas, TRect R);
    void DrawFlatFrame(TCanvas& canvas, const TRect& R);
    void DrawCellContent(TCanvas& canvas, int ACol, int displayCol, int ARow, TRect R, TGridDrawState AState,
                         TAlignment hAlign, TVAlignment vAlign);
    void DrawBackGround(TCanvas& canvas, int displayCol, int ARow, const TRect& R);
    void DrawSelectionOutline(TCanvas& canvas, int displayCol, int ARow, const TRect& R);
    void DrawCellText(TCanvas& canvas, int ACol, int ARow, AnsiString Text, TRect R, TColor linkColor,
                      TAlignment hAlign, TVAlignment vAlign);
    void DrawHTMLCell(TCanvas& canvas, int ACol, int ARow, const AnsiString& Text, const TRect& R,
                      TColor linkColor, TVAlignment vAlign);
    // An anchor clicked or followed from a hint: CELL:// names a cell to go to, a web or mail
    // address opens; OnAnchorClick may keep the grid from either.
    void AnchorClick(int ACol, int ARow, const AnsiString& Anchor);
    // The hand cursor and OnAnchorEnter/Exit for the anchor under the mouse; whether there is one.
    bool HoverAnchor(int ACol, int ARow, int X, int Y);
    std::unique_ptr<THTMLPictureCache> pictureCache;
    AnsiString hoveredAnchor;
    // Cell graphics (DatagridGraphics): the room the text keeps beside a cell's graphic; the
    // graphic drawn in R (ACol display), by kind; the looks of check boxes, radio groups,
    // progress bars, buttons, node boxes and tree lines.
    TRect CellTextRect(int ACol, int ARow, TRect R, TAlignment textAlign, bool& ShowText);
    void DrawCellGraphic(TCanvas& canvas, int ACol, int ARow, const TRect& R, TAlignment textAlign);
    // The image indexes an image-list, data-image or multiple-image cell shows, in order.
    std::vector<int> CellImageIndexes(int ACol, int ARow, const TCellGraphic& graphic) const;
    void DrawCellImages(TCanvas& canvas, int ACol, int ARow, const TRect& G, const TCellGraphic& graphic);
    void DrawCheckBox(TCanvas& canvas, const TRect& G, bool Checked, bool Enabled);
    int RadioGlyphSize() const;
    // Where each item of a radio group stands in R: side by side or one under the other.
    std::vector<TRect> RadioItemRects(TCanvas& canvas, const TStrings& items, bool horizontal,
                                      const TRect& R) const;
    void DrawRadioGroup(TCanvas& canvas, int ACol, int ARow, const TRect& R, const TCellGraphic& graphic);
    void DrawRotatedText(TCanvas& canvas, const AnsiString& text, const TRect& R, int angle);
    void DrawProgress(TCanvas& canvas, int ACol, int ARow, const TRect& R, const TCellGraphic& graphic);
    // Remembers where the button stands in its cell, for clicks.
    void DrawCellButton(TCanvas& canvas, int displayCol, int ARow, const TRect& G, TCellGraphic& graphic);
    void DrawNodeBox(TCanvas& canvas, const TRect& G, bool Contracted);
    void DrawTreeLines(TCanvas& canvas, int ARow, const TRect& R);
    // Whether the sort glyph belongs in a cell of the sort row.
    bool SortGlyphHere(int ACol, int ARow) const;
    // Where the rows in view end on the client area.
    int RowsBottom() const;

    // Set by the mouse handling while a disjunct row selection is dragged.
    bool mouseSelecting = false;
    // Points added to the cell font by zooming.
    int zoomOffset = 0;
    // A cell font grown or shrunk by the zoom level, to no less than 1 point.
    void ZoomFont(TFont& font) const;

    // Flat and proportional scroll bars (DatagridFlatScroll).
    void FlatInit();
    void FlatDone();
    void FlatUpdate();
    void FlatShowScrollBar(int Bar, bool Show);
    void FlatSetScrollInfo(int Bar, const TScrollInfo& Info, bool Redraw);
    void FlatSetScrollProp(int Index, int Value, bool Redraw);
    void UpdateType();
    void UpdateColor();
    void UpdateWidth();
    void UpdateVScrollBar();
    void UpdateHScrollBar();
    void UpdateScrollBar(int Bar);
    void ScrollBarsSet() override;
    // The proportional thumb's page, and the first column (row) a thumb position of 0-127 puts in view.
    int ProportionalPage(bool horizontal) const;
    int ProportionalCell(bool horizontal, int Pos) const;
    // A bar's message in cells: the proportional thumb's positions become columns (rows).
    void ProportionalToCells(TWMScroll& Message, bool horizontal) const;
    TScrollType scrollType = ssNormal;
    TColor scrollColor = clNone;
    int scrollWidth = ScrollBarExtent();
    bool scrollProportional = false;
    bool flatActive = false;
    TBitmap rowIndicator;

    // Scroll bars and their hints (DatagridScroll).
    void ScrollMessage(TWMScroll& Message, bool horizontal);
    void ShowScrollHint(const AnsiString& text);
    void HideScrollHint();
    // The row or column number beside a thumb being dragged; owned, made on first use.
    THTMLHintWindow* scrollHint = nullptr;
    bool stretchAllowed = true;
    // A column (row) sized with the mouse: the others in proportion, its zoom base, the event.
    void SizingEnded(bool columns);
    void SizeAllInProportion(bool columns, int sized, int startSize);
    bool CurrentCellHasCheckBox();
    // The text editor hidden over a check box.
    void HideEditorOverCheckBox();

    // Panning (DatagridPan).
    static constexpr unsigned PanTimerId = 999;
    void StartPanning(int X, int Y);
    void StopPanning();
    void PanStep();
    void DrawIntelliFocusPoint();
    void EraseIntelliFocusPoint();
    void PaintIntelliFocusPoint(TCanvas& canvas);
    bool panning = false;
    bool panSavedShowHint = false;
    TPoint panOrigin;
    TPoint panMouse;
    QCursor panSavedCursor;
    // The direction cursor shown, by resource number.
    int panCursor = 0;
    QCursor panShownCursor;
    void ShowPanCursor(int id);
    // The current row moved by a wheel notch; false when the wheel is left to the framework.
    bool WheelNotch(TShiftState Shift, bool down);
    std::unique_ptr<TextWidths> textWidths;
    // Where the sizing line shows, if it does.
    std::optional<int> sizingLineX;
    std::vector<int> printColWidths;
    std::vector<int> printColOffsets;
    friend class TPrintPass;
    TGridRect WholeGrid() const;
    int ScreenPixelsPerInch() const;
    // Changes with every change of the cells, so that a kept print layout is known to be stale.
    unsigned long long ContentGeneration() const { return cells.Generation(); }
    TGridRect printRange{};
    // The page in tenths of a millimetre, (0, 0) to its width and height.
    TRect pageRect{};
    int printPageCount = 0;
    TPrintLayout printLayout;
    // Counts the pages to print; it measures as every canvas does in tenths of a millimetre.
    TCanvas countingCanvas;
    std::vector<char> rowSelect;
    TGridRect savedSelection{};

    friend class TGridInplaceEdit;
    template <class Base> friend class TGridEditor;
    friend class TEditLink;

    // The cells of a hidden real row, none when the row shows.
    TStringList* HiddenRow(int ARow) const;
    // The real column of a display column, the base cell of its block.
    TPoint RealBaseCell(int ACol, int ARow) const { return BaseCell(RemapCol(ACol), ARow); }
    // The current cell made current again with its editor open, after a refused value; after a
    // refusal that focus loss brought, once the focus has settled.
    void ReturnToValidatedCell();
    // ValidateCell as the focus leaves the editor or the grid.
    bool ValidateOnFocusLoss(const AnsiString& NewValue);
    // What the cell being validated holds now; empty once it is gone.
    AnsiString ValidatedText() const;
    // The rows of a column (a real one) and the columns of a row (on display) that marks and
    // checks run over.
    TGridRect ColMarkRange(bool DoFixed, int ACol) const;
    TGridRect RowMarkRange(bool DoFixed, int ARow) const;
    TGridRect GridMarkRange(bool DoFixed) const;
    using CellVisitor = std::function<void(int ACol, int ARow)>;
    // Each cell of a range of display columns, at its real column.
    void ForShownCells(const TGridRect& range, const CellVisitor& visit);
    void MarkShownCells(const AnsiString& s, const AnsiString& tag, bool DoCase, const TGridRect& range);
    void UnMarkShownCells(const AnsiString& tag, const TGridRect& range);
    // The checker's frame around the cells visited.
    bool CheckEach(const std::function<void(const CellVisitor& visit)>& cells);
    // The last cell of the normal area: columns before the right fixed ones, rows above the
    // footer rows.
    int LastNormalCol() const { return GetColCount() - 1 - FixedRightCols; }
    int LastNormalRow() const { return GetRowCount() - 1 - FixedFooters; }
    // One step of the advance from (c, r), which a row or column added at the end may follow;
    // false when the step is refused and the cell stays.
    bool AdvanceStep(int& c, int& r, bool Forward, bool& Added);
    // The walk of a find from its start cell; (-1, -1) without a hit.
    TPoint FindWalk(TPoint Start, const TGridRect& Bounds, bool StepFirst);
    // Rows and columns a selection spans from the header cells.
    void SelectFromFixedCell(int ACol, int ARow);
    // The sizing hint beside the column or row being sized.
    void ShowSizingHint(int X, int Y);
    // Keeps the text of display cell (ACol, ARow) for Escape to put back.
    void CacheCellText(int ACol, int ARow);

    // The custom editor opened over cell rectangle r with the cell's colour, font and text.
    void ShowEditLink(const TRect& r, TColor color, const TFont& font, const AnsiString& text);
    // The special editor of the editor type (none for the custom one), filled from the text of
    // its cell (real column c), and the text it would write back (none for the editors that
    // write none, or a spin text that is no value of its type).
    TWinControl* SpecialEditor() const;
    void FillSpecialEditor(const AnsiString& text, int c, int ARow);
    std::optional<AnsiString> SpecialEditorValue() const;
    // Whether the open special editor holds another value than it showed of its cell.
    bool SpecialEditorChanged() const;
    // Closes the open special editor, writing what the user changed into its cell when Write.
    void CloseSpecialEditor(bool Write);
    // The cell the open special editor stands on is about to be read: a call that reads it reads
    // what the user changed, the editor closed onto the cell first as for a call that moves cells.
    // A paint, and the grid's own handling (its timers, its editors' events and what they call),
    // read the cell as it stands.
    void SpecialEditorCellRead();
    // The editing control's state.
    std::unique_ptr<TGridEditors> editors;
    std::unique_ptr<TRichCells> richCells;
    int comboSelection = -1;
    TEditorType editorType = edNormal;
    bool specialEditorOpen = false;
    // Set when an editor opens on a cell, cleared by the cell's validation.
    bool editPending = false;
    bool validating = false;
    // Set when an editor opens, cleared by a click; leaving the grid validates while it is set.
    bool editingStarted = false;
    bool editingSwitchedOff = false;
    // Set while DoneInplaceEdit hands the focus back to the grid.
    bool editingDone = false;
    // Set while AdvanceEdit moves the current cell.
    bool advancing = false;
    // Set while a validation runs because the focus left.
    bool losingFocus = false;
    // The key that started editing.
    char pendingKey = 0;
    // The text of cell cachedCell when it became current or its editor opened.
    AnsiString cellTextCache;
    TrackedCell cachedCell;
    // The cell a refused value sends the user back into once the focus has settled.
    TrackedCell refusedCell;
    // The cells above, which move with their rows and columns.
    std::array<TrackedCell*, 2> TrackedCells() { return {&cachedCell, &refusedCell}; }
    // The cell the special editor was opened on, and the value it showed of it.
    TrackedCell specialCell;
    std::optional<AnsiString> specialShown;
    // Set while an editor writes its own text into its cell.
    bool editorStoring = false;

    // The cell being validated (real column, -1 once removed) and its text when editing could
    // begin. It moves with inserted and removed rows and columns.
    int validatedCol = -1;
    int validatedRow = -1;
    AnsiString startingText;

    // The last find: its text (upper case unless matching case), parameters and hit.
    AnsiString findText;
    TFindParameters findParameters = 0;
    TPoint lastFound{-1, -1};
    bool findBusy = false;

    // Keys: the selection before the key, the characters typed to find a row, the width before
    // the last size change.
    TGridRect keySelection{};
    AnsiString lookupText;
    int previousWidth = 0;

    // What a press of the left button started, until its release.
    struct MousePress {
        TPoint DownPoint;
        TPoint GrabOffset;
        // The cell 4 pixels left of (in row 0), above (in column 0) or left of and above the press,
        // its size at the press and the press's offset in it.
        TGridCoord SizingCell{-1, -1};
        TPoint SizingCellSize;
        TPoint SizingOffset;
        int MoveFrom = -1;
        TGridCoord MoveTarget{-1, -1};
        bool Moved = false;
        bool WidthChanged = false;
        bool AutoSized = false;
        bool ColSizing = false;
        bool RowSizing = false;
        bool DisjunctCleared = false;
        bool DisjunctWasSelected = false;
        bool CaretPositioning = false;
        // The cell whose button the press pushed.
        TGridCoord PressedButton{-1, -1};
    } press;
    // Cell objects under the mouse and the keys (DatagridObjectInput): a press on a node box,
    // radio item, button or check box handled whole; a button let go; the mouse-up events of a
    // check box or radio group; the space bar on one.
    bool PressCellObject(int ACol, int ARow, int X, int Y, const TRect& cell);
    void ReleaseCellButton();
    void ReleaseOnCellObject(int ACol, int ARow);
    void SpaceOnStaticEdit();
    // The current cell holds a check box or radio group.
    bool CurrentIsStaticEdit() const;
    // 0 none, 1 column select, 2 row select, 3 select all; the row or column a header-driven
    // selection started from.
    int selectCursorKind = 0;
    int selectAnchor = -1;
    bool gridSetCursor = false;
    // The fixed column sized by dragging its right edge.
    bool fixedSizingZone = false;
    bool fixedSizing = false;
    int fixedSizingX = 0;
    TGridCoord hintCell{-1, -1};
    bool sizingHintShown = false;
};
