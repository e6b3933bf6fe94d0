#pragma once

#include "framework/Canvas.h"
#include "framework/CustomEdit.h"
#include "grid/Basegrid.h"
#include "grid/DatagridEvents.h"
#include "grid/GridSettings.h"
#include "grid/HTMLText.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class TCellGraphic;
class TDataGrid;

// What a pass of the page builder does: draw for the preview or on the printer, or only count the
// pages that printing or the preview will have.
enum TPrintMethod { prPreview, prPrint, prCalcPrint, prCalcPreview };

// A font's height in tenths of a millimetre for a point size at a scale, negative as a character
// height is given: 10 points are -35.
int MapFontHeight(int pointSize, double scale);
// The point size of a height in tenths of a millimetre.
int MapFontSize(int height);

// The page number a page shows: "page-strip" when the columns are cut into strips, else
// "page/total" when the total is above 1 and a separator is set, else the page alone.
AnsiString PageNumberText(bool split, int pageInStrip, int strip, int pageIndex, int total,
                          const AnsiString& separator);

// The six header and footer strings, one per position from ppTopLeft to ppBottomCenter, from the
// time, date, page number and title in that order: an item goes in front of a left string, after
// a right or centre one, with a blank between. With htmlTitle the title lines are left out: they
// print formatted on their own.
using THeaderStrings = std::array<AnsiString, 6>;
THeaderStrings HeaderStrings(const TPrintSettings& settings, const AnsiString& time, const AnsiString& date,
                             const AnsiString& pageNumber, bool htmlTitle = false);

// Rounded as the framework rounds, halves to the even neighbour.
int RoundEven(double value);

// The cell edges a border setting draws.
TCellBorders CellBordersOf(TPrintBorders borders);

// The scale that fits columns of the given widths (each with spacing after it) between the
// margins of a page W wide, as FitToPage allows; 1 when no scaling is asked for or possible.
double FitScale(TFitToPage fit, int W, int leftSize, int rightSize, const std::vector<int>& widths,
                int spacing);

// Places a text rotated by angle degrees in R by its alignment: Left and Top become where the
// text starts. e1 .. e4 are the projections |cos a h|, |sin a w|, |sin a h|, |cos a w| of a text
// w wide and h high; a caller with y upward passes e1 and e2 negated.
void PlaceRotatedText(TRect& R, TAlignment hAlign, TVAlignment vAlign, int e1, int e2, int e3, int e4,
                      int angle);

// A laid-out line of a cell's text, from its top down, in tenths of a millimetre.
struct TLineSpan {
    double Top, Bottom;
};

// Where a page begins: the first column of its strip, the strip's number and the page's within
// it, its first row and how much of that row the pages before took, whether the columns are cut
// into strips, and how far each block of rows cut by the pages before stands lower than its rows.
struct TPageStart {
    int First = 0;
    int Strip = 0;
    int PageInStrip = 0;
    int Row = 0;
    int Printed = 0;
    bool Split = false;
    std::map<std::pair<int, int>, int> BlockCuts;
};

// What a pass leaves for the next ones over the same layout: the columns' print widths, the fit
// scale, the rows' measured heights (-1 not yet), where the pages drawn so far and the one after
// each begin, and how many pages there are (-1 not yet counted); kept while Key stays.
struct TPrintLayout {
    std::string Key;
    std::vector<int> Widths;
    double FitScale = 1;
    std::vector<int> RowHeights;
    std::vector<TPageStart> Pages;
    int PageCount = -1;
};

// One pass of the page builder over the grid's print range: it lays the range out in strips of
// columns and pages of rows and, in the drawing methods, draws the pages from FromPage to ToPage.
// Units are tenths of a millimetre with y upward, the page's top edge at y = 0. The pass keeps its
// widths, edges and font scale to itself, so the grid paints as ever meanwhile; it tells the grid
// the widths and edges of each strip as it places it.
class TPrintPass {
public:
    TPrintPass(TDataGrid& grid, TCanvas& canvas, TPrintMethod method, int pages);
    TPrintPass(const TPrintPass&) = delete;
    TPrintPass& operator=(const TPrintPass&) = delete;

    // The number of pages.
    int Run();

private:
    // Layout (DgprintLayout.cpp).
    void SetUp();
    // Everything the widths and heights depend on, besides the events.
    std::string LayoutKey() const;
    // Whether a page beginning at row, y below the top, begins with the fixed rows again.
    bool RepeatFixedRows(int row, int y);
    // The strip from first: its columns placed, its header and footer reserved; its last column.
    int PlaceStrip(int first);
    // Of the strip from first, whether the fixed columns stand again at its left, their width
    // then, and its last column.
    struct TStrip {
        bool Repeat = false;
        int FixedWidth = 0;
        int Last = 0;
    };
    TStrip StripFrom(int first) const;
    // The last column of each column's strip, once the widths are known.
    void NoteStrips();
    // The strip's rows on pages, from its first page or from the page start given; true when its
    // last page was closed at its last row.
    bool LayOutRows(int first, int last, const TPageStart* from);
    // Keeps where the page pageIndex + next begins, when it is the first not yet kept.
    void NotePageStart(int next, int first, int row, int printed);
    // Whether the pages after the last one drawn are left out: their number is known.
    bool PagesAfterShownLeftOut() const;
    // Whether a row from y would cross into the footer, or draw its lines below the sheet.
    bool RunsOver(int y, int row);
    // Closes the page whose rows end at y, the next page beginning at row with printed of it
    // taken; true when the rest of the strip is not wanted.
    bool ClosePage(int first, int last, int y, int row, int printed);
    // A row of the strip, the fixed columns first when they repeat; its drawn height.
    int DrawRow(int y, int first, int last, int row);
    // Of a row higher than a page, the part of height part on the page from y, the part printed
    // before on the pages before it.
    void DrawRowPart(int y, int first, int last, int row, int printed, int part);
    // How much of such a row a page with room left takes: whole lines.
    int PagePart(int row, int printed, int room);

    // Lines (DgprintLines.cpp). Where the lines of a cell's text lie from its top down, in the
    // cell's font at the fit scale, at the width of the columns it prints over, with the row
    // spacing; and its vertical alignment.
    std::vector<TLineSpan> CellLines(int realCol, int displayCol, int row, TVAlignment& vAlign);
    // Those of a block's text placed in its cell height high; none beside a graphic.
    std::vector<TLineSpan> TextLines(int displayCol, const TRect& block, int height);
    // Those of every cell over the row, blocks of rows too, from the row's top down: a page ends
    // between them.
    std::vector<TLineSpan> RowLines(int row);
    // How far apart lines of plain text in the canvas's font follow each other.
    int PlainLinePitch();
    // How far apart the lines a page may end between follow each other.
    double LinePitch();
    // How far apart word-wrapped lines in the canvas's font follow each other.
    double WrappedLinePitch();
    // The least height of a row whose drawn height holds lines extent high.
    int HeightHolding(double extent) const;
    int Edge(int displayCol) const;
    // The widths and the strip's edges where the grid reports them.
    void PublishLayout() const;

    // Measures (DgprintMeasure.cpp).
    void PrintColumnWidths();
    // The fit scale for columns measured as given, and their print widths at it.
    void FitColumns(const std::vector<int>& measured);
    // Widens the measured width of each column whose texts would print cut at the fit scale;
    // false when none would.
    bool WidenForWholeTexts(std::vector<int>& measured);
    // One sweep over the range's cells at the fit scale: the print width each column needs for
    // its texts to show whole (by display column from the range's left), and the rows' heights
    // where no cell needs breaking into lines.
    void SweepCells(std::vector<int>& needed);
    int WidestWord(const AnsiString& text) const;
    // A cell's size as it prints; its height only withHeight, once the widths are known.
    TPoint CellPrintSize(int realCol, int displayCol, int row, bool withHeight = true);
    // HTML text in the canvas's font broken at blanks to width tenths (0: not broken): its size in
    // tenths and its lines; and that layout drawn into cell, broken at the cell's width
    // (DgprintHTML.cpp).
    TPoint HTMLPrintSize(const AnsiString& text, int width, std::vector<TLineSpan>* lines = nullptr);
    // Where HTML text of a cell at displayCol spanning spanCols more breaks: its width less the
    // left inset it is drawn at.
    int HTMLWidth(int displayCol, int spanCols = 0) const;
    void DrawHTMLText(const AnsiString& text, const TRect& cell);
    // The canvas HTML text is laid out on for the page, in the canvas's font, and how.
    THTMLRenderContext FineHTML(TCanvas& measure) const;
    int PrintRowHeight(int row);
    // The room a row takes on the page: its height with the gaps and spacing drawing adds.
    int DrawnRowHeight(int row);
    // The print font, as every cell of a grid that leaves the cells' fonts alone prints in it.
    void UsePrintFont();
    // The cell's font and brush on the canvas, as the grid prints the cell.
    void UseCellFont(int realCol, int row, TAlignment& hAlign, TVAlignment& vAlign);
    void MapFont(TFont& font) const;
    AnsiString CellText(int realCol, int row) const;
    // What a cell's text shows, as it is measured: rich text's plain text, in lines.
    AnsiString ShownText(const AnsiString& text) const;
    // The printed width of a column with its spacing, or of a merged cell there spanning
    // spanCols more.
    int SpanWidth(int displayCol, int spanCols) const;
    // Where word-wrapped text of such a cell breaks: its width less the left inset.
    int WrapWidth(int displayCol, int spanCols = 0) const;
    // The further columns shown that a merged cell at displayCol covers within its strip, or
    // within the fixed columns printed again: hidden ones take no room, and the strip's last
    // column cuts the block, its text laid out in the part before.
    int DisplaySpan(int displayCol, int realCol, int row) const;
    // Runs measure for each width the block from displayCol is laid out at: within its strip and,
    // where the fixed columns print again left of later strips and it reaches past them, over those
    // alone; from a fixed column left of the range, only over those.
    void ForEachBlockLayout(int displayCol, const TRect& block, const std::function<void()>& measure);
    // Where a block holding row prints: in its first row and column in the range, as its base
    // cell may stand in a column hidden or outside the range, or in a row above it.
    int FirstPrintedRow(int row, const TRect& block) const;
    bool FirstPrintedColumn(int displayCol, const TRect& block) const;

    // Drawing (DgprintDraw.cpp).
    bool Drawing() const { return method == prPreview || method == prPrint; }
    bool PageInRange(int pageNumber) const;
    void DrawHeaderFooter();
    int DrawPrintRow(int y, int first, int last, int row);
    void DrawCellText(int realCol, int displayCol, int row, const TRect& whole, int last);
    // Plain text in cell, drawn within cut; a merged cell's spans spanCols more columns.
    void DrawPlainText(AnsiString text, int displayCol, int spanCols, const TRect& cell, const TRect& cut,
                       TAlignment hAlign, TVAlignment vAlign);
    // A cell's graphic on the page (DgprintGraphics.cpp), with PrintGraphics and of a kind that
    // prints; none else.
    const TCellGraphic* PrintedGraphic(int realCol, int row) const;
    // Its size in the page's units, a picture's stretched for the printed cell when given one.
    TPoint PrintedGraphicSize(int realCol, int row, const TRect* cell);
    // Where it stands in the cell, with text cut to the room the text keeps; none without one.
    std::optional<TRect> PlacePrintedGraphic(int realCol, int row, const TRect& cell, TRect& text);
    void DrawPrintedGraphic(int realCol, int row, const TRect& G);
    void DrawPrintedImages(int realCol, int row, const TRect& G, const TCellGraphic& graphic);
    void DrawPrintedCheckBox(int realCol, int row, const TRect& G);
    // The cell's border lines, kept until the page's lines are drawn.
    void DrawCellBorders(int realCol, int row, TRect cell, int drawnHeight, int last);
    // Whether a line of text whose top stands at y prints on the page: always, but in a part of
    // a row higher than the page only when its top lies in that part.
    bool InBand(int y) const { return !band || (y <= band->Top && y > band->Bottom); }
    // Whether a laid-out line from top down height prints on the page: in such a part only
    // when its middle lies in it, so that a line at the part's edge prints once.
    bool MiddleInBand(double top, double height) const {
        return !band || (top - height / 2 <= band->Top && top - height / 2 > band->Bottom);
    }
    // The kept border lines: those of one solid pen that continue each other as one line.
    void DrawCellLines();
    void DrawPageLines(int first, int last, int y);
    void StartNewPage();

    // A border line of a cell, from (X1, Y1) to (X2, Y2).
    struct TCellLine {
        TPen Pen;
        int X1, Y1, X2, Y2;
    };

    TDataGrid& grid;
    TCanvas& canvas;
    const TPrintMethod method;
    // The page is white paper, or the preview's white sheet: a white cell needs no filling.
    const bool onWhite;
    // The total the page numbers show; -1 while counting.
    const int pages;
    const TPrintSettings& settings;
    const TGridRect range;
    std::vector<int> widths;
    std::vector<int> edges;
    // What the cells' fonts are scaled by: the fit scale while a row is measured or drawn.
    double fontScale = 1;
    TPrintLayout& kept;
    bool keeping = false;
    // Where pages begin is kept, and a drawing begins at the first page it shows: no handler
    // hears of the pages left out, nor breaks pages of its own.
    bool keepingPages = false;
    // A fast preview left the rest of a strip's rows out: the pages after are numbered wrong.
    bool rowsSkipped = false;

    int W = 0;
    int H = 0;
    int headerTextHeight = 0;
    int footerTextHeight = 0;
    int cellTextHeight = 0;
    int gap = 0;
    int letterWidth = 0;
    // Tenths of a millimetre per pixel of the screen.
    double screenFactor = 1;
    int spacing = 0;
    int pointSize = 0;
    double fitScale = 1;
    int headerHeight = 0;
    int footerHeight = 0;
    int pageIndex = 0;
    int stripNumber = 0;
    int pageInStrip = 0;
    bool split = false;
    bool repeatColumns = false;
    int fixedWidth = 0;
    // By display column, the last column of the strip it prints in; empty until the widths are known.
    std::vector<int> stripEnds;
    // Whether the fixed columns print again left of a later strip; while they do, the last of
    // them, where a block over them is cut as a strip's last column cuts it (-1 else).
    bool fixedRepeated = false;
    int partEnd = -1;
    // The display columns measured: the fixed ones left of the range, which may print again left of
    // its later strips, then the range's own.
    std::vector<int> measuredCols;
    int fixedBefore = 0;
    // The rows measured, by number from 0: the fixed ones above the range, which print again at the
    // top of its pages, then the range's own.
    int fixedRowsBefore = 0;
    int MeasuredRows() const { return fixedRowsBefore + range.Bottom - range.Top + 1; }
    int MeasuredRow(int n) const { return n < fixedRowsBefore ? n : range.Top + n - fixedRowsBefore; }
    // Those a row prints in: the fixed ones left of the range only once they print again.
    std::span<const int> RowColumns() const {
        return std::span(measuredCols).subspan(fixedRepeated ? 0 : static_cast<std::size_t>(fixedBefore));
    }
    // The cells print in the print font, unchanged: it is set once, not for every cell.
    bool uniformFont = false;
    // Row heights the sweep found at the fit scale of the final widths, -1 where it did not.
    std::vector<int> sweptHeights;
    // The bottom of the last row laid out.
    int lastY = 0;
    // The first row of the range on the page, below any fixed rows repeated there.
    int pageFirstRow = -1;
    std::vector<TCellLine> cellLines;
    // From its top down, the part of the page a part of a row higher than the page prints in.
    struct TBand {
        int Top, Bottom;
        bool operator==(const TBand&) const = default;
    };
    std::optional<TBand> band;
    // Of a block of rows from row to bottom, row's top at y and the block's part on the page
    // beginning at from, the part that prints on the page when the page cuts it or it goes on
    // from the page before: its text's part. text, the block's cell, becomes where its text
    // stands; rowsEnd is where the block's rows on the page end (DgprintBlocks.cpp).
    std::optional<TBand> BlockPart(int from, int y, int row, int bottom, bool continued, int displayCol,
                                   const TRect& block, TRect& text, int& rowsEnd);
    // Moves text down by what the pages before moved its block's text.
    void MoveBlockText(const TRect& block, TRect& text) const;
    // By a cut block's top-left cell, how far its text stands lower than its rows: the pages
    // before ended above the lines they would have cut, which go on at the next page's top.
    std::map<std::pair<int, int>, int> blockCuts;
    // The last brush colour asked about, and whether it is white.
    TColor whiteAsked = clNone;
    bool white = false;
    int cachedRow = -1;
    int cachedHeight = 0;
    // The font word-wrapped lines were last measured in, and how far apart they follow.
    std::string wrappedPitchFont;
    double wrappedPitch = 0;
};
