#pragma once

#include "framework/Bitmap.h"
#include "framework/Collection.h"
#include "framework/CustomControl.h"
#include "framework/Geometry.h"
#include "framework/Graphics.h"
#include "framework/Printer.h"
#include "framework/StringList.h"
#include "grid/Gridobj.h"

#include <memory>

class TDataGrid;

// The setting objects a grid owns. Each keeps its grid to repaint it ("invalidate") or ask it
// where a setting needs that.

enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// How the grid prints: page decorations, borders, spacings, fonts and fitting.
class TPrintSettings : public TPersistent {
public:
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    AnsiString PageNumSep = "/";
    AnsiString DateFormat = "dd/mm/yyyy";
    TPrintPosition Title = ppNone;
    TFont Font;
    TFont HeaderFont;
    TFont FooterFont;
    TPrintBorders Borders = pbNoborder;
    TPenStyle BorderStyle = psSolid;
    AnsiString TitleText;
    TStringList TitleLines;
    bool Centered = false;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int FooterSize = 0;
    int HeaderSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    AnsiString PagePrefix;
    AnsiString PageSuffix;
    int FixedHeight = 0;
    bool UseFixedHeight = false;
    int FixedWidth = 0;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    bool NoAutoSize = false;
    bool PrintGraphics = false;
    AnsiString JobName;

    // The fonts and title lines are copied into the settings' own.
    void SetFont(const TFont& value) { Font.Assign(value); }
    void SetHeaderFont(const TFont& value) { HeaderFont.Assign(value); }
    void SetFooterFont(const TFont& value) { FooterFont.Assign(value); }
    void SetTitleLines(const TStringList& value) { TitleLines.Assign(value); }
    void Assign(const TPersistent& Source) override;
};

enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };

// Keyboard and clipboard behaviour.
struct TNavigation : TPersistent {
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    bool AllowClipboardShortCuts = false;
    bool AllowRTFClipboard = false;
    bool AllowSmartClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardColGrow = true;
    bool AllowClipboardRowGrow = true;
    bool CopyHTMLTagsToClipboard = true;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    bool AdvanceAuto = false;
    bool CursorWalkEditor = false;
    bool MoveRowOnSort = false;
    bool ImproveMaskSel = false;
    bool AlwaysEdit = false;
    TInsertPosition InsertPosition = pInsertBefore;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
};

enum TColumnSizeLocation { clRegistry, clIniFile };

// Saved column widths and the stretched last column.
class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TDataGrid* grid) : grid(grid) {}

    bool Save = false;
    AnsiString Key;
    AnsiString Section;
    bool GetStretch() const { return stretch; }
    // Stretches (or leaves) the last column at once.
    void SetStretch(bool value);
    bool SynchWithGrid = false;
    TColumnSizeLocation Location = clRegistry;

private:
    TDataGrid* grid;
    bool stretch = false;
};

struct TMouseActions : TPersistent {
    bool ColSelect = false;
    bool RowSelect = false;
    bool AllSelect = false;
    bool DirectEdit = false;
    bool DirectComboDrop = false;
    bool DisjunctRowSelect = false;
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool CaretPositioning = false;
    bool SizeFixedCol = false;
};

// Cells growing while text is typed into them.
struct TSizeWhileTyping : TPersistent {
    bool Height = false;
    bool Width = false;
};

// Options of the HTML export.
struct THTMLSettings : TPersistent {
    bool SaveColor = true;
    bool SaveFonts = true;
    AnsiString FooterFile;
    AnsiString HeaderFile;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    AnsiString TableStyle;
    AnsiString PrefixTag;
    AnsiString SuffixTag;
    int Width = 100;
    TIntList ColWidths{0, 0};
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf };

// The look of expandable node rows.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TDataGrid* grid) : grid(grid) {}

    TColor Color = clSilver;
    TNodeType GetNodeType() const { return nodeType; }
    void SetNodeType(TNodeType value);
    TColor NodeColor = clBlack;
    TBitmap ExpandGlyph;
    TBitmap ContractGlyph;
    void SetExpandGlyph(const TBitmap& value) { ExpandGlyph.Assign(value); }
    void SetContractGlyph(const TBitmap& value) { ContractGlyph.Assign(value); }
    bool GetShowTree() const { return showTree; }
    void SetShowTree(bool value);

private:
    TDataGrid* grid;
    TNodeType nodeType = cnFlat;
    bool showTree = false;
};

// Alternating colours of the normal rows: PrimaryLength rows of one, SecondaryLength of the
// other.
class TBands : public TPersistent {
public:
    explicit TBands(TDataGrid* grid) : grid(grid) {}

    bool Print = false;
    bool GetActive() const { return active; }
    void SetActive(bool value);
    TColor GetPrimaryColor() const { return primaryColor; }
    void SetPrimaryColor(TColor value);
    TColor GetSecondaryColor() const { return secondaryColor; }
    void SetSecondaryColor(TColor value);
    int GetPrimaryLength() const { return primaryLength; }
    void SetPrimaryLength(int value);
    int GetSecondaryLength() const { return secondaryLength; }
    void SetSecondaryLength(int value);
    // The colour of a normal row counted from the first normal row (0).
    TColor ColorOfRow(int normalRow) const;

private:
    void Changed();

    TDataGrid* grid;
    bool active = false;
    int period = 2;
    int secondaryLength = 1;
    int primaryLength = 1;
    TColor secondaryColor = clWindow;
    TColor primaryColor = clInfoBk;
};

enum TBackGroundDisplay { bdTile, bdFixed };
enum TBackGroundCells { bcNormal, bcFixed };

// A picture behind the cells.
class TBackGround : public TPersistent {
public:
    explicit TBackGround(TDataGrid* grid) : grid(grid) {}

    int GetTop() const { return top; }
    void SetTop(int value);
    int GetLeft() const { return left; }
    void SetLeft(int value);
    TBackGroundDisplay GetDisplay() const { return display; }
    void SetDisplay(TBackGroundDisplay value);
    TBackGroundCells GetCells() const { return cells; }
    void SetCells(TBackGroundCells value);
    TBitmap Bitmap;
    void SetBitmap(const TBitmap& value);

private:
    TDataGrid* grid;
    int top = 0;
    int left = 0;
    TBackGroundDisplay display = bdTile;
    TBackGroundCells cells = bcNormal;
};

enum TControlStyle { csClassic, csFlat, csWinXP, csBorland, csZefra, csGlyph, csTheme };

// The look of check boxes, radio buttons and cell buttons.
class TControlLook : public TPersistent {
public:
    explicit TControlLook(TDataGrid* grid);

    int GetCheckSize() const { return checkSize; }
    void SetCheckSize(int value);
    TBitmap UnCheckedGlyph;
    TBitmap CheckedGlyph;
    TControlStyle GetControlStyle() const { return controlStyle; }
    void SetControlStyle(TControlStyle value);
    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    int GetRadioSize() const { return radioSize; }
    void SetRadioSize(int value);
    TBitmap RadioOffGlyph;
    TBitmap RadioOnGlyph;
    bool GetFlatButton() const { return flatButton; }
    void SetFlatButton(bool value);
    // Each glyph is copied in and the grid repainted.
    void SetGlyph(TBitmap& glyph, const TBitmap& value);

private:
    TDataGrid* grid;
    int checkSize = 15;
    TControlStyle controlStyle = csClassic;
    TColor color = clNone;
    int radioSize = 10;
    bool flatButton = false;
};

enum TSortBlankPosition { blFirst, blLast };
enum TSortDirection { sdAscending, sdDescending };

// How the grid sorts.
class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TDataGrid* grid) : grid(grid) {}

    bool Show = false;
    bool IndexShow = false;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending;
    TBitmap UpGlyph;
    TBitmap DownGlyph;
    bool NormalCellsOnly = false;
    bool FixedCols = false;
    int Column = 0;
    int GetRow() const { return row; }
    // Raises "Sort row should be smaller than number of fixed rows" for a row below the grid's
    // fixed rows, keeping the old one.
    void SetRow(int value);
    bool AutoColumnMerge = false;

private:
    TDataGrid* grid;
    int row = 0;
};

// One filter condition on a column.
class TFilterData : public TCollectionItem {
public:
    short Column = 0;
    AnsiString Condition;
    bool CaseSensitive = true;
    void Assign(const TPersistent& Source) override;
};

// The grid's filter conditions.
class TFilter : public TCollection {
public:
    explicit TFilter(TDataGrid* grid);

    TDataGrid* Grid() const { return grid; }
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    TFilterData* Insert(int index) { return static_cast<TFilterData*>(TCollection::Insert(index)); }
    TFilterData* GetItems(int index) const { return static_cast<TFilterData*>(GetItem(index)); }
    void SetItems(int index, const TFilterData& value) { SetItem(index, value); }

private:
    TDataGrid* grid;
};

// Drag and drop: whether the grid starts drags and takes drops, and what they do.
struct TDragDropSettings : TPersistent {
    explicit TDragDropSettings(TDataGrid* grid) : grid(grid) {}
    TDragDropSettings(const TDragDropSettings&) = delete;
    TDragDropSettings& operator=(const TDragDropSettings&) = delete;

    // Every grid's rich-text awareness switched to the value, then stored.
    void SetOleDropRTF(bool value);
    // Stored; the grid's cells then take drops, or no longer.
    void SetOleDropTarget(bool value);

    bool OleDropRTF = false;
    bool OleAcceptText = true;
    bool OleEntireRows = false;
    bool OleDropSource = false;
    bool OleRemoveRows = false;
    bool OleAcceptFiles = true;
    bool OleDropTarget = false;
    bool OleInsertRows = false;

private:
    TDataGrid* grid;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

class TFooterPanel;

// A panel glued under the grid's cells: the last row as a footer, the current row's text of a
// column, or a template filled from the current row.
class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TDataGrid* grid) : grid(grid) {}

    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    int GetColumn() const { return column; }
    void SetColumn(int value);
    TFooterStyle GetFooterStyle() const { return footerStyle; }
    void SetFooterStyle(TFooterStyle value);
    const AnsiString& GetCustomTemplate() const { return customTemplate; }
    void SetCustomTemplate(const AnsiString& value);
    bool GetVisible() const { return visible; }
    void SetVisible(bool value);
    int GetFooterHeight() const { return footerHeight; }
    // Kept equal to the grid's default row height.
    void SetFooterHeight(int value);
    // Repaints the footer panel only.
    void Invalidate();

private:
    // The grid's last row is a footer exactly while a visible footer shows it.
    void UpdateLastRowIsFooter();

    TDataGrid* grid;
    int footerHeight = 0;
    bool visible = false;
    TColor color = clBtnFace;
    TFooterStyle footerStyle = fsFixedLastRow;
    int column = 0;
    AnsiString customTemplate;
};

// The footer's window, at the bottom of the grid.
class TFooterPanel : public TCustomControl {
public:
    explicit TFooterPanel(TDataGrid* grid);

    // The template with each "<#n>" replaced by the text of column n in the current row.
    AnsiString HTMLColReplace(const AnsiString& Template) const;

protected:
    void Paint() override;

private:
    // Whether the current row has a cell in column.
    bool ShowsCell(int column) const;
    // The painted width: the fixed columns and those from the leftmost in view to the last.
    int PaintedWidth() const;
    void PaintFixedLastRow(int width);
    // The area up to width filled and framed as a preview.
    TRect PreviewFrame(int width);

    TDataGrid* grid;
};

// One hidden row: its real index and its cells, the texts with their properties objects, which
// the item owns while it holds them.
class TGridItem : public TCollectionItem {
public:
    ~TGridItem() override;

    int Idx = 0;
    TStringList Items;
    // Set when a contracted node row hid the row.
    bool HiddenByNode = false;
    // Texts only: an object has one owner.
    void SetItems(const TStringList& value);
    void Assign(const TPersistent& Source) override;
};

// Hears of changed cells of the grids it is registered with, and leaves them when freed.
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    ~TGridChangeNotifier() override;

    virtual void CellsChanged(const TRect& R);

private:
    friend class TDataGrid;
    std::vector<TDataGrid*> grids;
};
