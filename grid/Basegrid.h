#pragma once

#include "framework/CustomEdit.h"
#include "framework/Grids.h"

#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class TBaseGrid;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

// The colour a cell has when none was set for it.
constexpr TColor UnsetCellColor = 0x1FFFFFFF;

// The colour, or the one given where it is not set.
constexpr TColor ColorOr(TColor color, TColor otherwise) {
    return color == UnsetCellColor ? otherwise : color;
}

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;

// A cell kept apart from the grid's columns: its text and its properties.
struct TKeptCell {
    AnsiString Text;
    std::unique_ptr<TObject> Object;
};

// What one cell has beyond its text: its user object and graphic, colour, alignment, word wrap
// and its place in a merged block. Made on demand and kept in the cell's slot.
class TCellProperties : public TObject {
public:
    TCellProperties(TBaseGrid* AGrid, int ACol, int ARow) : Grid(AGrid), Col(ACol), Row(ARow) {}

    TColor GetBrushColor() const { return brushColor; }
    void SetBrushColor(TColor value);
    TVAlignment GetVAlignment() const { return vAlignment; }
    void SetVAlignment(TVAlignment value);
    bool GetWordWrap() const { return wordWrap; }
    void SetWordWrap(bool value);
    // The base cell of the block a cell lies in, from this cell's own spans; the cell itself
    // when it is no part of a block.
    TPoint GetBaseCell(int ACol, int ARow) const;

    TBaseGrid* Grid;
    int Col;
    int Row;
    TObject* CellObject = nullptr;
    // The cell's graphic; it goes with the properties.
    std::unique_ptr<TObject> GraphicObject;
    int BrushStyle = 0;
    int FontSize = 0;
    TColor FontColor = UnsetCellColor;
    int FontStyle = 0;
    // Merged blocks: the base cell holds the block's extra rows and columns, every other cell
    // its distance from the base; -1 outside any block. Rows count as the grid holds them, hidden
    // ones too, so that a block keeps its shape while some of its rows are hidden.
    int SpanY = -1;
    int SpanX = -1;
    int BorderWidth = 0;
    int BorderColor = 0;
    TAlignment Alignment = taLeftJustify;
    // The paint in which the block was last drawn for another of its cells.
    int PaintStamp = 0;
    bool IsBaseCell = true;
    // While rows or columns move: the merged block the cell lay in before, as the grid numbers
    // blocks taken; -1 for none.
    int MovingBlock = -1;
    // In column 0: the row's cell of the column the rows are grouped by, kept with the row while
    // that column is out of the grid.
    std::unique_ptr<TKeptCell> GroupCell;

private:
    void Repaint();

    TColor brushColor = UnsetCellColor;
    TVAlignment vAlignment = vtaTop;
    bool wordWrap = false;
};

// The string grid with cell properties, merged cells and its own cell painting. Every read and
// write of a cell goes through GetCellEx/SetCellEx, so a merged block reads and writes its base
// cell.
class TBaseGrid : public TStringGrid {
public:
    explicit TBaseGrid(TComponent* owner);

    bool GetDefaultDrawing() const { return defaultDrawing; }
    void SetDefaultDrawing(bool value);
    int GetGridLineWidth() const { return gridLineWidth; }
    void SetGridLineWidth(int value);
    TColor GetGridLineColor() const { return gridLineColor; }
    void SetGridLineColor(TColor value);
    TGetDisplTextEvent OnGetDisplText;

    AnsiString GetCells(int ACol, int ARow) const override { return GetCellEx(ACol, ARow); }
    void SetCells(int ACol, int ARow, const AnsiString& Value) override { SetCellEx(ACol, ARow, Value); }
    AnsiString GetCellEx(int ACol, int ARow) const;
    // GetCellEx's text, read in place where no display hook makes it; made into spare otherwise.
    const AnsiString& CellText(int ACol, int ARow, AnsiString& spare) const;
    void SetCellEx(int ACol, int ARow, const AnsiString& Value);
    // Columns 0 .. Values.size() - 1 of a row take the texts (moved from), as SetCellEx gives
    // them one by one.
    void SetRowCells(int ARow, std::span<AnsiString> Values);
    // The same for a row of texts made for it, taken whole where nothing else needs telling.
    void SetRowCells(int ARow, std::vector<AnsiString>&& Values);

    // Made on the spot for a cell without.
    TCellProperties* GetCellProperties(int ACol, int ARow);
    bool HasCellProperties(int ACol, int ARow) const;
    void SetCellProperties(int ACol, int ARow, std::unique_ptr<TCellProperties> props);
    TObject* GetGridObject(int ACol, int ARow) const { return GetObjects(ACol, ARow); }
    void SetGridObject(int ACol, int ARow, std::unique_ptr<TObject> obj) {
        SetObjects(ACol, ARow, std::move(obj));
    }
    TObject* GetObjectEx(int ACol, int ARow) const;
    void SetObjectEx(int ACol, int ARow, TObject* obj);
    TObject* GetGraphicObjectEx(int ACol, int ARow) const;
    void SetGraphicObjectEx(int ACol, int ARow, std::unique_ptr<TObject> obj);

    TPoint BaseCell(int ACol, int ARow) const;
    // A hint ahead of reading a column row by row: fetches the cell's slot, merged or not.
    void PrefetchCell(int ACol, int ARow) const { cells.PrefetchText(ACol, ARow); }
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsBaseCellEx(int ACol, int ARow, int& BCol, int& BRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    // Blocks at least three columns wide / cells whose own row span is above 1.
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    // The extra columns and rows of the block holding the cell, (0, 0) when none.
    TPoint CellSpan(int ACol, int ARow) const;
    // The block holding the cell, in cells, inclusive.
    TRect FullCell(int ACol, int ARow) const;
    // The same for a cell on display (display column), in display columns: the block's shown
    // columns and rows; its top-left cell stands for the block on screen.
    TRect ShownBlock(int ACol, int ARow) const;
    // The pixel rectangle of a cell on display, visible or not, over its whole block.
    TRect CellRect(int ACol, int ARow) const;
    TPoint CellSize(int ACol, int ARow) const;
    // Makes a block of the cells inside the grid (stored columns, shown rows), splitting any
    // block it overlaps first; rows hidden between its first and last row are in it.
    virtual void MergeCells(int ACol, int ARow, int NCols, int NRows);
    virtual void SplitCells(int ACol, int ARow);
    // Display columns.
    void RepaintCell(int ACol, int ARow);
    // The current cell onto the top-left cell its block shows at.
    void SelectBaseCell();
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    // Empties text and slot; an object still in the slot goes with it.
    virtual void NilCell(int ACol, int ARow);
    virtual void NilCol(int ACol);
    virtual void NilRow(int ARow);
    // Copies the texts and moves the slots of one column or row onto another.
    void CopyCols(int ToCol, int FromCol);
    void CopyRows(int ToRow, int FromRow);
    // Spans of shown rows, over every stored column (as MergeCells takes them), hidden ones too.
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    bool IsSelected(int ACol, int ARow) const;
    // The stored column behind a shown one, and back; the same here, where no column hides.
    virtual int RemapCol(int ACol) const { return ACol; }
    virtual int RemapColInv(int ACol) const { return ACol; }
    // A shown row's index among all rows, hidden ones included, and back (a row that does not
    // show gives the shown row after it); the same here, where no row hides.
    virtual int BlockRow(int ARow) const { return ARow; }
    virtual int ShownRow(int BRow) const { return BRow; }
    // The properties of the cell of a row counted among all rows, shown or hidden; null for none.
    virtual TCellProperties* BlockRowProperties(int ACol, int BRow) const {
        return ACol >= 0 && BRow >= 0 && ACol < CellColumns() && BRow < GetRowCount() ? Properties(ACol, BRow)
                                                                                      : nullptr;
    }
    // The block holding a cell of a row counted as BlockRow counts, in cells of such rows,
    // inclusive; false when the cell is no part of a block that still spans it.
    bool BlockAt(int ACol, int BRow, TRect& Block) const;

    // Set while a visible floating footer shows the last row.
    bool LastRowIsFooter = false;

protected:
    virtual bool IsFixed(int ACol, int ARow);
    // An editor is open over a cell, which takes a text set there from code (EditorTakesCell).
    virtual bool EditorOpen() const { return GetEditorMode(); }
    // The texts of the cells (stored columns Left..Right, rows Top..Bottom) were written.
    virtual void TextsWritten(const TRect&) {}
    virtual int NodeIndent(int ARow);
    virtual bool HasNodes();
    // Draws a cell's content inside its lines; here its text, one line centred both ways.
    virtual void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // The brush, font, alignments and wrapping a cell is drawn (or printed) with.
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     TBrush* ABrush, TFont* AFont, TAlignment& HAlign, TVAlignment& VAlign,
                                     bool& WordWrap);

    void Paint() override;
    // The cell's whole block with its lines, clipped off the fixed area when it scrolls under it.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;

    bool SelectCell(int ACol, int ARow) override;
    void TopLeftChanged() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // After a wheel step: the footer row kept from being current, the current cell on its base.
    void WheelStepped(bool down);

    // Each cell's properties know their cell again after rows or columns moved, from row
    // FromRow on.
    void RenumberCellProperties(int FromRow);
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowsInserted(int ARow, int RCount) override;
    void RowsDeleted(const std::vector<int>& ARows) override;
    void ColsInserted(int ACol, int CCount) override;
    void ColsDeleted(int ACol, int CCount) override;

    // OnGetDisplText fires for rows below this bound only.
    int DisplayRowBound = 0;

    // The properties of a cell, if it has any.
    TCellProperties* Properties(int ACol, int ARow) const;
    // The base cell of the block a cell lies in and the block's spans, in rows counted as
    // BlockRow counts them; false when the cell is no part of a block that still spans it.
    bool BlockOf(int ACol, int ARow, TPoint& Base, TPoint& Span) const;

    // The one place where cells join and leave merged blocks (rows counted as BlockRow counts,
    // inclusive): every cell of New names New's top-left cell its base, every cell of Old outside
    // New is in no block. An empty rectangle (Right < Left) has no cells.
    void SetBlockCells(const TRect& Old, const TRect& New);
    // Ends a block, each of its cells standing alone again with its own text.
    void SplitBlock(const TRect& Block);
    // One cell (row counted as BlockRow counts) out of its block, whose other cells stay in it.
    void LeaveBlock(int ACol, int BRow);
    // The properties of a cell of a row counted among all rows, made for it when it has none.
    virtual TCellProperties* MakeBlockRowProperties(int ACol, int BRow);
    // The stored text of a cell of a row counted among all rows, and its writing.
    virtual AnsiString BlockRowText(int ACol, int BRow) const { return cells.Text(ACol, BRow); }
    virtual void SetBlockRowText(int ACol, int BRow, AnsiString Text) {
        cells.SetText(ACol, BRow, std::move(Text));
    }
    // A block shows its text from its first shown row, and while its base row is hidden it keeps it
    // there: the texts of its base column from the base to that row then lie each one row up.
    // Cells (column, row counted among all rows) in order: the text of Cells[From] goes to
    // Cells[To], the others keep their order.
    void MoveBlockText(const std::vector<TPoint>& Cells, std::size_t From, std::size_t To);
    // A block's base column as it lies now, in block order: its text back in its base cell, the
    // first of them, from the first whose row shows.
    void BlockTextToBase(const std::vector<TPoint>& Column);
    // A block whose text is in its base cell: the text to its first shown row.
    void BlockTextToShownRow(const TRect& Block);
    // The block's base column, its rows counted among all rows.
    static std::vector<TPoint> BaseColumn(const TRect& Block);
    // Whether a row counted among all rows shows.
    bool RowShows(int BRow) const { return BlockRow(ShownRow(BRow)) == BRow; }
    // Each object of the grid's cells, with its column and its row as BlockRow counts it.
    virtual void VisitBlockRowObjects(const std::function<void(int ACol, int BRow, TObject*)>& Visit) const;

    // Keeps the merged blocks whole through one change of rows or columns made while it lives:
    // taken when it starts, each block is given at its end the cells it went to, with the rows or
    // columns inserted inside it, its text showing from its first shown row; a block whose cells
    // no longer lie together is split, each cell with its own text, and one whose cells are all
    // gone is gone.
    class BlocksFollowing {
    public:
        explicit BlocksFollowing(TBaseGrid& AGrid);
        ~BlocksFollowing();
        BlocksFollowing(const BlocksFollowing&) = delete;
        BlocksFollowing& operator=(const BlocksFollowing&) = delete;
        // Rows counted as BlockRow counts them, and stored columns, that the change put in.
        void RowsInserted(int BRow, int RCount) { freshRows = {BRow, RCount}; }
        void ColsInserted(int ACol, int CCount) { freshCols = {ACol, CCount}; }

    private:
        struct Member {
            TPoint At;
            TPoint Now;
        };
        // One block's cells, each by its place in the block and its place now.
        void Follow(const TRect& Block, const std::vector<Member>& Members);

        TBaseGrid& grid;
        bool active;
        std::vector<TRect> blocks;
        // The number of the first block: a cell kept away and back since an earlier change may
        // still hold its number then.
        int firstBlock = 0;
        std::pair<int, int> freshRows{0, 0};
        std::pair<int, int> freshCols{0, 0};
    };

private:
    // A cell's pixel rectangle from the column and row positions.
    TRect GetCellRect(int ACol, int ARow) const;
    // The columns a row may hold cells in: the shown ones and those kept beyond them.
    int CellColumns() const;
    // Whether a row's texts may be written without a repaint, an editor or merged cells to tell.
    bool WritesRowWhole(int ARow) const;

    // Counts completed paints, from 1 so that no block counts as drawn before the first.
    int paintCounter = 1;
    // Whether a block may exist: none was merged, or none was found since.
    bool mergedBlocks = false;
    // The changes of rows or columns under way; only the outermost keeps the blocks.
    int blocksFollowing = 0;
    // The blocks taken so far, which number them.
    int blocksTaken = 0;
    bool defaultDrawing = false;
    int gridLineWidth = 1;
    TColor gridLineColor = clSilver;
};
