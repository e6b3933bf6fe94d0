#pragma once

#include "framework/Form.h"
#include "grid/Basegrid.h"
#include "grid/DatagridEvents.h"
#include "grid/GridSettings.h"
#include "grid/Gridobj.h"

#include <array>
#include <memory>
#include <utility>
#include <vector>

class TStream;

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
class TDataGrid : public TBaseGrid, public TFormResizeFollower {
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
    TBitmap RowIndicator;
    const std::unique_ptr<TBackGround> BackGround;
    const std::unique_ptr<TFilter> Filter;

    // Copies into the owned objects.
    void SetPrintSettings(const TPrintSettings& value) { PrintSettings->Assign(value); }
    void SetFixedFont(const TFont& value) { FixedFont.Assign(value); }
    void SetActiveCellFont(const TFont& value) { ActiveCellFont.Assign(value); }
    void SetColumnHeaders(const TStringList& value) { ColumnHeaders.Assign(value); }
    void SetRowHeaders(const TStringList& value) { RowHeaders.Assign(value); }

    void SetRowCount(int value) override;
    void SetDefaultRowHeight(int value) override;
    // The width of column 0 and the height of row 0.
    int GetFixedColWidth() const { return GetColWidths(0); }
    void SetFixedColWidth(int value) { SetColWidths(0, value); }
    int GetFixedRowHeight() const { return GetRowHeights(0); }
    void SetFixedRowHeight(int value) { SetRowHeights(0, value); }
    bool GetIntegralHeigth() const { return integralHeight; }
    // Trims the height to whole rows now and at every later size.
    void SetIntegralHeight(bool value);
    void SetBounds(int left, int top, int width, int height) override;

    // Display columns leave hidden columns out; real columns count them.
    int RemapCol(int ACol) const;
    int RemapColInv(int ACol) const;

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
    // The grid is editable and the cell neither refused by OnCanEditCell nor fixed.
    bool IsEditable(int ACol, int ARow);
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
    // The form's size changed: the grid grows or shrinks with it while SizeWithForm is on.
    void GridResize(TObject* Sender);
    void FormResizing(TObject* Sender) override { GridResize(Sender); }
    void FormResized(TObject*) override { StretchRightColumn(); }

    void WMTimer(unsigned id) override;
    void SetParent(TWinControl* newParent) override;
    // The blink phase the painting of blinking text follows.
    bool BlinkPhase() const { return blinkPhase; }
    // The footer panel draws cells as the grid does.
    using TBaseGrid::DrawGridCell;

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
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = clNone;
    int ScrollWidth;
    bool ScrollSynch = false;
    bool ScrollProportional = false;
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
    // The most fields of a line, and the lines.
    void PasteSize(const AnsiString& Text, TPoint& Size);
    void CopyFunc(const TGridRect& R);
    void CopyRTFFunc(int ACol, int ARow);
    // After every text paste: where the last copy or cut started, the cells pasted and which of
    // the two it was. Empty here, for grids built on this one.
    virtual void PasteNotify(const TPoint&, const TGridRect&, TClipOperation) {}

    // Called after every file read, once the cells have changed.
    virtual void CellsLoaded() {}

protected:
    void Loaded() override;
    bool IsFixed(int ACol, int ARow) override;
    bool UpdateLocked() const override { return updateCount > 0; }

private:
    static constexpr unsigned BlinkTimerId = 111;
    // The most columns that can be hidden, each with its flag.
    static constexpr int VisibleFlags = 257;

    // The window exists once the grid has a parent: the footer takes its place and the blink
    // timer starts.
    void CreateWnd();
    // The header row and column written from ColumnHeaders and RowHeaders.
    void ShowColumnHeaders();
    void ShowRowHeaders();
    // The height trimmed to whole default rows between the border and any horizontal bar.
    int IntegralHeight(int width, int height) const;
    void HoverTick();
    // The real column behind each column the writers write, in order.
    std::vector<int> SaveColumns() const;
    // The width of the column a file line names: a display column, or with IncludeHiddenColumns a
    // real one, hidden or not.
    int SaveColumnWidth(int index) const;
    // The clipboard text of the cells of R (display columns).
    std::string ClipboardText(const TGridRect& R);
    // Empties the cells of R that may be edited, or all of them with AllowClipboardAlways.
    void CutCells(const TGridRect& R);
    // The selection filled from its first cells after a paste of Values values.
    void SmartFill(int Values);
    // The fixed row and column before which a reader stores nothing.
    int LoadStartRow() const { return IncludeFixedCells ? 0 : GetFixedRows(); }
    int LoadStartCol() const { return IncludeFixedCells ? 0 : GetFixedCols(); }

    TSortIndexList sortIndexList{0, 0};
    TIntList sortCrossReference{0, 0};
    TIntList mergedColumns{0, 0};
    TStringList scratchList;
    TCollection hiddenRows;
    std::array<TArrowWindow*, 4> arrows{};
    TPopupButton* dragLabel = nullptr;
    std::vector<TGridChangeNotifier*> notifiers;
    std::array<bool, VisibleFlags> visibleCol;
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
};
