#pragma once

#include "framework/CustomControl.h"
#include "framework/CustomEdit.h"
#include "framework/Exceptions.h"
#include "framework/Geometry.h"
#include "framework/GridAxis.h"
#include "framework/GridCells.h"
#include "framework/GridTypes.h"
#include "framework/HintInfo.h"
#include "framework/StringList.h"

#include <QRegion>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

enum TGridOption : unsigned {
    goFixedVertLine = 1 << 0,
    goFixedHorzLine = 1 << 1,
    goVertLine = 1 << 2,
    goHorzLine = 1 << 3,
    goRangeSelect = 1 << 4,
    goDrawFocusSelected = 1 << 5,
    goRowSizing = 1 << 6,
    goColSizing = 1 << 7,
    goRowMoving = 1 << 8,
    goColMoving = 1 << 9,
    goEditing = 1 << 10,
    goTabs = 1 << 11,
    goRowSelect = 1 << 12,
    goAlwaysShowEditor = 1 << 13,
    goThumbTracking = 1 << 14
};
using TGridOptions = unsigned;

enum TGridDrawStateItem : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// What a scroll bar reports, as the window's scroll messages name it. A drag of the thumb reports
// SB_THUMBTRACK at each move, SB_THUMBPOSITION where it is let go, then SB_ENDSCROLL.
enum TScrollCode {
    SB_LINEUP,
    SB_LINEDOWN,
    SB_PAGEUP,
    SB_PAGEDOWN,
    SB_THUMBPOSITION,
    SB_THUMBTRACK,
    SB_TOP,
    SB_BOTTOM,
    SB_ENDSCROLL
};
// A scroll message: Pos is where the thumb stands, the first scrolling column (row) it puts in view.
struct TWMScroll {
    TScrollCode ScrollCode;
    int Pos;
};
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;

class TCustomGrid;
class THintWindow;

// The text editor the grid shows over its current cell, a child of the grid's drawing area.
// Every change of its text goes to the cell (the grid's SetEditText). It takes Enter and
// Escape itself, as a multi-line edit does; keys that move between cells go to the grid.
class TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TCustomGrid& grid);
    ~TInplaceEdit() override;

    TCustomGrid& Grid() const { return grid; }
    // A view of several lines, for texts that hold line breaks, wrapped at the editor's width
    // with WrapLines; otherwise one line.
    void SetMultiLine(bool MultiLine, bool WrapLines);
    bool GetMultiLine() const { return multiLine; }
    // Moves the caret one line up (Delta -1) or down as the lines show; false when it stands on
    // the first (last) line already, or the view has one line.
    bool MoveCaretLine(int Delta);
    // The character index at a point of the editor.
    int CharAt(int x, int y);
    // Takes the text, font and limits of the cell being edited from the grid.
    virtual void UpdateContents();
    // Shows the editor over a cell rectangle; an empty one keeps it, focus and all, out of sight.
    void Move(const TRect& Loc);
    bool WantsAllKeys() const override { return true; }
    void ViewFocusIn(FocusChange how) override;
    void ViewFocusOut(FocusChange how) override;

protected:
    // The editor took its place: the text keeps a margin from the cell's edges.
    virtual void BoundsChanged();
    void SetTextMargins(int left, int top, int right, int bottom);
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // The grid hears of every character first; Tab and Escape type nothing, Enter turns the
    // selection.
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void UpdateView() override;

private:
    void UpdateLinesView();
    // Tab in the view goes to the grid while the grid takes tabs.
    void KeepTabs(QWidget& view);

    TCustomGrid& grid;
    TRect margins{2, 2, 2, 0};
    bool multiLine = false;
    bool wrapLines = false;
    // The view not in use, single- or multi-line.
    QPointer<QWidget> standby;
};

// The framework's scrolling cell grid: counts, fixed rows and columns, sizes, the current cell
// and selection, scrolling in whole cells, painting of the cells in view through DrawCell.
// Positions come from prefix sums, so finding a cell or its rectangle costs O(log n) at any
// size and a paint what the cells in view cost. Indexes out of range raise
// EInvalidGridOperation and change nothing.
class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* owner);

    int GetColCount() const { return cols.Count(); }
    virtual void SetColCount(int value);
    int GetRowCount() const { return rows.Count(); }
    virtual void SetRowCount(int value);
    int GetFixedCols() const { return fixedCols; }
    virtual void SetFixedCols(int value);
    int GetFixedRows() const { return fixedRows; }
    virtual void SetFixedRows(int value);
    int GetDefaultColWidth() const { return cols.DefaultSize(); }
    void SetDefaultColWidth(int value);
    int GetDefaultRowHeight() const { return rows.DefaultSize(); }
    virtual void SetDefaultRowHeight(int value);
    int GetColWidths(int index) const;
    void SetColWidths(int index, int value);
    int GetRowHeights(int index) const;
    void SetRowHeights(int index, int value);
    int GetGridLineWidth() const { return cols.LineWidth(); }
    void SetGridLineWidth(int value);
    TGridOptions GetOptions() const { return options; }
    void SetOptions(TGridOptions value);
    TScrollStyle GetScrollBars() const { return scrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool GetDefaultDrawing() const { return defaultDrawing; }
    void SetDefaultDrawing(bool value);
    TColor GetFixedColor() const { return fixedColor; }
    void SetFixedColor(TColor value);

    // The current cell.
    int GetCol() const { return current.X; }
    void SetCol(int value);
    int GetRow() const { return current.Y; }
    void SetRow(int value);
    // The first scrolling row and column in view.
    int GetTopRow() const { return topLeft.Y; }
    void SetTopRow(int value);
    int GetLeftCol() const { return topLeft.X; }
    void SetLeftCol(int value);
    // Scrolling columns and rows that show whole (at least 1).
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // From the anchor to the current cell. A selection set from code is taken as it is, even
    // beyond the grid, which is how a grid shows nothing selected. A selection that moves the
    // current cell closes the editor onto its own cell first, as any move of the current cell does.
    TGridRect GetSelection() const;
    void SetSelection(const TGridRect& value);

    // The drawing area inside the border and the scroll bars.
    int ClientWidth() const override;
    int ClientHeight() const override;
    // The cell under a client point, (-1, -1) outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // A cell's client rectangle while it shows, cut at the client edge; empty otherwise.
    TRect CellRect(int ACol, int ARow) const;

    // Changes of counts, moves, insertions and deletions close the editor first, its text
    // written to its cell.
    // The row at FromIndex goes to ToIndex with its cells and height; the rows between close up.
    void MoveRow(int FromIndex, int ToIndex);
    void MoveColumn(int FromIndex, int ToIndex);
    void DeleteRow(int ARow);
    void DeleteColumn(int ACol);
    // RCount empty rows before ARow / RCount rows from ARow, in one pass.
    void InsertEmptyRows(int ARow, int RCount);
    void DeleteRows(int ARow, int RCount);
    // The rows at ARows (ascending, distinct), in one pass; at least one row stays.
    void DeleteRows(const std::vector<int>& ARows);
    // CCount default-width columns before ACol / CCount columns from ACol, in one pass.
    void InsertEmptyCols(int ACol, int CCount);
    void DeleteCols(int ACol, int CCount);

    // Each paints the cells again that show of those named, when the grid shows and no update
    // lock holds.
    void Invalidate() override;
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid() { Invalidate(); }
    void InvalidateGridRect(const TGridRect& ARect);
    void InvalidateClientRect(const TRect& ARect);

    bool GetEditorMode() const { return editorMode; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return inplaceEdit; }
    // Text of the editor on the cell being edited, back into the cell when it differs from
    // what the cell gives the editor.
    void UpdateText();
    // What the view reports, as the window's messages: a key stroke as its key (WMKeyDown), then
    // the character it types (WMChar); focus arriving and leaving; each mouse button's own
    // message. The grid keeps every mouse event, so a press grabs the mouse until its release.
    void ViewKeyDown(WORD key, TShiftState shift, int keyData, char character, bool& passOn) override;
    void ViewTextTyped(const AnsiString& typed) override;
    void ViewFocusIn(FocusChange how) override;
    void ViewFocusOut(FocusChange how) override;
    void ViewMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    void ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) override;
    void ViewDblClick(TMouseButton button, TShiftState shift, int x, int y) override;
    void ViewPaint(QPainter& painter) override;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    // The view of one direction, as it scrolls now.
    GridAxisView Horz() const;
    GridAxisView Vert() const;
    // Whether the counts and sizes need scroll bars in the grid as it is, or at another size.
    void ScrollBarsNeeded(bool& horizontal, bool& vertical) const {
        ScrollBarsNeeded(Width(), Height(), horizontal, vertical);
    }
    void ScrollBarsNeeded(int width, int height, bool& horizontal, bool& vertical) const;
    // The sunken border around the cells, in pixels.
    static constexpr int BorderWidth = 2;
    static int ScrollBarExtent();
    // The vertical bar's width and the horizontal bar's height, as the bars are drawn now.
    void SetScrollBarExtents(int verticalWidth, int horizontalHeight);
    int VScrollBarWidth() const { return vScrollWidth; }
    int HScrollBarHeight() const { return hScrollHeight; }
    // Sets the bars from the counts and the place in view (at once when the grid shows).
    void UpdateScrollBars();
    // Called while the bars take the grid's counts and place, before they report moves again.
    virtual void ScrollBarsSet() {}
    bool SyncingScrollBars() const { return syncingScrollBars; }
    // Whether a change in view reaches the screen now: the grid shows and no lock holds.
    bool PaintsNow() const;
    // Whether a cell shows at least in part.
    bool CellShows(int ACol, int ARow) const;

    // Moves the current cell (and, unless extending a range, the anchor), asking SelectCell;
    // scrolls it into view.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveTopLeft(int ALeft, int ATop);

    void Paint() override;
    // Draws on Canvas over the frame around the cells, after the frame itself.
    virtual void PaintFrame() {}
    void Resize() override;
    void UpdateView() override;
    QWidget* ClientView() const override;
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void TopLeftChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // Painting of the cells in view is held back while this answers true.
    virtual bool UpdateLocked() const { return false; }
    // The rows in a bulk insertion or deletion; the string grid moves its cells along.
    virtual void RowsInserted(int ARow, int RCount);
    virtual void RowsDeleted(const std::vector<int>& ARows);
    virtual void ColsInserted(int ACol, int CCount);
    virtual void ColsDeleted(int ACol, int CCount);

    // The framework's key and mouse handling of the grid.
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // What the mouse is doing to the grid: selecting, sizing or moving; setting it back to
    // gsNormal ends that without completing it.
    TGridState GetGridState() const { return gridState; }
    void SetGridState(TGridState value) { gridState = value; }
    // Whether a point starts sizing a column or row: the state, the index sized and where its
    // edge stands.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos);

    // The window's messages the view's events arrive as.
    virtual void WMKeyDown(WORD& Key, TShiftState Shift, int KeyData);
    // Backspace and printable characters open the editor with goEditing, the others go to
    // KeyPress. KeyData bit 22 marks the numeric keypad.
    virtual void WMChar(char& Key, int KeyData);
    virtual void WMSetFocus();
    virtual void WMKillFocus();
    virtual void WMLButtonDown(TShiftState Shift, int X, int Y);
    virtual void WMLButtonUp(TShiftState Shift, int X, int Y);
    virtual void WMLButtonDblClk(TShiftState Shift, int X, int Y);
    virtual void WMRButtonDown(TShiftState Shift, int X, int Y);
    virtual void WMPaint(QPainter& painter);
    // A scroll bar moved: the view follows the thumb, while it is dragged only with
    // goThumbTracking.
    virtual void WMHScroll(TWMScroll& Message);
    virtual void WMVScroll(TWMScroll& Message);
    // A character about to be matched against the window's accelerators; setting it to 0 keeps
    // it for the grid.
    virtual void CMDialogChar(char& CharCode, TShiftState Shift);
    // The hint about to show at a mouse position; CanShow false shows none.
    virtual void CMHintShow(bool& CanShow, THintInfo& HintInfo);
    // The window the grid's hints show in, made on first use.
    THintWindow& HintWindow();
    // A plain hint window owned by the grid.
    virtual THintWindow* CreateHintWindow();
    // The hint goes when the mouse leaves the grid.
    void MouseLeave() override;
    // The whole character beyond ASCII that the character being handled by WMChar starts, as
    // UTF-8; empty for any other character.
    const AnsiString& TypedText() const { return typedText; }
    // Focus is with the grid or its editor; the focus the grid last took came from its editor.
    bool FocusWithin() const { return focusWithin; }
    bool FocusFromEditor() const { return focusFromEditor; }
    // The focus came to or left a control of the grid's own over its cells (an editor of a
    // derived grid): entering and leaving count as for the grid's own editor.
    void ChildFocusMoved(FocusChange how) { FocusMoved(how); }

    // The in-place editor: whether it may show now, the editor to show, and the text it edits.
    virtual bool CanEditShow();
    virtual TInplaceEdit* CreateEditor();
    virtual AnsiString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const AnsiString& Value);
    // Opens the editor on the current cell with its text selected; nothing when it is open there.
    void ShowEditor();
    // The editor opened with a typed character in place of the cell's text, handed over at once
    // so that no later key overtakes it.
    void ShowEditorChar(char Ch);
    // Writes the editor's text back and hides it; focus in the editor goes back to the grid. A
    // derived grid's editors of its own close with it.
    virtual void HideEditor();
    // Which cell a position names is about to change (rows or columns inserted, removed, moved,
    // sorted, hidden, merged or split; counts; refills): every such change calls this first, so
    // that the editor closes onto the cell it was opened on, with what was typed into it.
    void CellsMoving() { HideEditor(); }
    // The text of a display cell was set other than by its editor: an editor open on the cell
    // with another text takes the new one, leaving nothing of its own to write. True when it did.
    virtual bool EditorTakesCell(int ACol, int ARow);

    GridAxis cols;
    GridAxis rows;

private:
    friend class TInplaceEdit;
    THintWindow* hintWindow = nullptr;

    // Focus moved in, out of or within the grid and its editor: DoEnter when it arrives at
    // either from elsewhere, DoExit when it leaves both, neither for the window's activation.
    void FocusMoved(FocusChange how);

    // The client area and the last cells in view, worked out again only after a change of
    // counts, sizes, fixed cells, bounds, bars or the first cells in view.
    struct Layout {
        int ClientWidth = 0;
        int ClientHeight = 0;
        int LastCol = 0;
        int LastRow = 0;
    };
    struct LayoutKey {
        unsigned ColsVersion, RowsVersion;
        int FixedCols, FixedRows, LeftCol, TopRow, Width, Height;
        TScrollStyle ScrollBars;
        int VScrollWidth, HScrollHeight;
        friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
    };
    const Layout& CurrentLayout() const;

    void CheckCount(int value, int minimum) const;
    void CheckIndex(int index, int count) const;
    // The current cell and the view back to the first scrolling cell.
    void Initialize();
    // Keeps the current cell, anchor and top-left inside the grid after a change of counts or
    // sizes, and the scrolled cells filling the client area.
    void ClampToGrid();
    // Scrolls so that the current cell shows whole.
    void ClampInView();
    void SelectionMoved(const TGridRect& OldSel);
    void CountsChanged(int oldColCount, int oldRowCount);
    // The scroll bars as the counts, sizes and view are now.
    void ScrollBarMoved(const TWMScroll& Message, bool horizontal);
    // The client pixels a range of cells covers as far as it shows, empty when none shows.
    TRect ClientRectOf(const TGridRect& cells) const;
    // The cells of the rows and columns in view, their state and rectangle, each to DrawCell.
    void DrawCells(const GridAxisView& horz, const GridAxisView& vert);
    void DrawLines(const GridAxisView& horz, const GridAxisView& vert);
    void DrawSizingLine();
    void PlaceEditor();
    // A click on a scroll bar leaves the focus with the open editor's view (none: the grid takes it).
    void FocusScrollBarsOn(QWidget* editorView);
    // Ties the scroll bars and the Tab key of the view to the grid.
    void ConnectView();

    int fixedCols = 1;
    int fixedRows = 1;
    TGridOptions options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TScrollStyle scrollBars = ssBoth;
    bool defaultDrawing = true;
    // The part of the view a paint of the window covers; empty when it covers everything.
    QRegion paintArea;
    TColor fixedColor = clBtnFace;
    TGridCoord current{1, 1};
    TGridCoord anchor{1, 1};
    TGridCoord topLeft{1, 1};
    TInplaceEdit* inplaceEdit = nullptr;
    bool editorMode = false;
    TGridCoord editing{-1, -1};
    TGridState gridState = gsNormal;
    int sizingIndex = -1;
    int sizingPos = 0;
    int sizingStart = 0;
    int sizingOffset = 0;
    int movingIndex = -1;
    // Set while the editor takes the cell's text, which is no edit, and while it writes its own.
    bool loadingEditor = false;
    bool writingEditor = false;
    // The editor's text as it last came from or went to its cell.
    AnsiString syncedText;
    bool focusWithin = false;
    bool focusFromEditor = false;
    // Set while the grid's view takes the focus.
    bool takingFocus = false;
    AnsiString typedText;
    int wheelAccumulator = 0;
    bool syncingScrollBars = false;
    int vScrollWidth = ScrollBarExtent();
    int hScrollHeight = ScrollBarExtent();
    mutable Layout layout;
    mutable std::optional<LayoutKey> layoutKey;
};

// A grid that keeps a text and an object for each cell. Rows keep the cells of columns beyond a
// lowered column count.
class TStringGrid : public TCustomGrid {
public:
    explicit TStringGrid(TComponent* owner);

    virtual AnsiString GetCells(int ACol, int ARow) const;
    virtual void SetCells(int ACol, int ARow, const AnsiString& Value);
    TObject* GetObjects(int ACol, int ARow) const;
    // The grid owns the object and frees the one it replaces.
    void SetObjects(int ACol, int ARow, std::unique_ptr<TObject> Value);
    std::unique_ptr<TObject> TakeObjects(int ACol, int ARow);

protected:
    // A cell's object about to be replaced or taken out by SetObjects or TakeObjects: the rows
    // the grid shows again under the cell, 0 here.
    virtual int ObjectLeaving(int ACol, int ARow);
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    AnsiString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void RowsInserted(int ARow, int RCount) override;
    void RowsDeleted(const std::vector<int>& ARows) override;
    void ColsInserted(int ACol, int CCount) override;
    void ColsDeleted(int ACol, int CCount) override;
    // Columns of the cell store, which may hold more columns than show (their cells, in every
    // row, move along).
    void InsertStoredCols(int ACol, int CCount);
    void DeleteStoredCols(int ACol, int CCount);
    // A cell is in range when its row is and its column is below the widest column count the
    // grid has had (hidden columns live beyond the count).
    void CheckCell(int ACol, int ARow) const;
    int StoredColCount() const { return std::max(storedCols, GetColCount()); }

    GridCells cells;

private:
    int storedCols = 0;
};
