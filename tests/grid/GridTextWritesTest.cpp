#include "framework/Clipboard.h"
#include "framework/DragDrop.h"
#include "grid/Datagrid.h"

#include "tests/grid/DragWindow.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QMimeData>
#include <gtest/gtest.h>

#include <string>

namespace {

// Rich text on for the grids while it stands; the setting holds for the whole program.
struct RichTextOn {
    explicit RichTextOn(TDataGrid& grid) : grid(grid) { grid.DragDropSettings->SetOleDropRTF(true); }
    ~RichTextOn() { grid.DragDropSettings->SetOleDropRTF(false); }
    TDataGrid& grid;
};

// Rows 6 and 7 of a grid, as "row6|row7".
std::string Rows6And7(TDataGrid& grid) {
    return RowTexts(grid, 6) + "|" + RowTexts(grid, 7);
}

// Rows 2 and 3 of a source grid, as "row2|row3".
std::string Rows2And3(TDataGrid& grid) {
    return RowTexts(grid, 2) + "|" + RowTexts(grid, 3);
}

const char* const SourceKept = "02 12 22 32 42 52|03 13 23 33 43 53";
const char* const SourceMoved = "02 12   42 52|03 13   43 53";

// How the texts reach the target grid.
enum class WritePath { Paste, SmartPaste, RichPaste, TextDrop, Move, Copy, RichDrop };

// Every path that writes several texts, onto a target with a merged block (base column, row,
// columns, rows): two texts that would land in the block refuse the whole write, so that none is
// lost and a move leaves its source as it was; a block given one text holds it.
TEST(GridTextWrites, TwoTextsNeverLandInOneMergedBlock) {
    const struct {
        const char* label;
        WritePath path;
        int block[4];
        // Pasted or dropped at (1, 6), or at (2, 6) for rich text; a move takes cells 22 32 / 23 33.
        const char* text;
        // Pasted fields, or the effect a drop or drag had; -1 for a path that answers nothing.
        int answer;
        // nullptr: the target as it was.
        const char* rows6and7;
        // A column of the target hidden first.
        int hidden = -1;
    } rows[] = {
        {"a move onto a block across", WritePath::Move, {1, 6, 2, 1}, "", DROPEFFECT_NONE, nullptr},
        {"a move onto a block down", WritePath::Move, {1, 6, 1, 2}, "", DROPEFFECT_NONE, nullptr},
        {"a copy onto a block across", WritePath::Copy, {1, 6, 2, 1}, "", DROPEFFECT_NONE, nullptr},
        {"a move giving a block one text",
         WritePath::Move,
         {2, 7, 2, 2},
         "",
         DROPEFFECT_MOVE,
         "06 22 32 36 46 56|07 23 33 33 47 57"},
        {"a text drop across a block",
         WritePath::TextDrop,
         {2, 6, 2, 1},
         "p\tq\tr",
         DROPEFFECT_NONE,
         nullptr},
        {"a text drop giving a block one text",
         WritePath::TextDrop,
         {3, 6, 2, 1},
         "p\tq\tr",
         DROPEFFECT_MOVE,
         "06 p q r r 56|07 17 27 37 47 57"},
        {"a paste across a block", WritePath::Paste, {2, 6, 2, 1}, "p\tq\tr", 0, nullptr},
        // Shown columns 1-3 are real columns 1, 3 and 4.
        {"a paste across a block past a hidden column",
         WritePath::Paste,
         {3, 6, 2, 1},
         "p\tq\tr",
         0,
         nullptr,
         2},
        {"a paste giving a block one text",
         WritePath::Paste,
         {3, 6, 2, 1},
         "p\tq\tr",
         3,
         "06 p q r r 56|07 17 27 37 47 57"},
        // A block copied and pasted gives its text once for each of its cells: nothing is lost.
        {"a paste giving a block its one text twice",
         WritePath::Paste,
         {2, 6, 2, 1},
         "p\tq\tq",
         3,
         "06 p q q 46 56|07 17 27 37 47 57"},
        // Pasted into (1, 6) and (1, 7), the series goes on into (1, 8), which is (1, 7) again.
        {"a smart paste continuing a series into a block",
         WritePath::SmartPaste,
         {1, 7, 1, 2},
         "1\r\n2\r\n",
         -1,
         "06 1 26 36 46 56|07 2 27 37 47 57"},
        {"rich text dropped on a block's second cell",
         WritePath::RichDrop,
         {1, 6, 2, 1},
         "{\\rtf1 rich}",
         DROPEFFECT_MOVE,
         "06 {\\rtf1 rich} {\\rtf1 rich} 36 46 56|07 17 27 37 47 57"},
        {"rich text pasted on a block's second cell",
         WritePath::RichPaste,
         {1, 6, 2, 1},
         "{\\rtf1 rich}",
         0,
         "06 {\\rtf1 rich} {\\rtf1 rich} 36 46 56|07 17 27 37 47 57"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow source;
        DragWindow target;
        target.TakeDrops();
        TDataGrid& grid = *target.grid;
        grid.MergeCells(row.block[0], row.block[1], row.block[2], row.block[3]);
        if (row.hidden >= 0)
            grid.HideColumn(row.hidden);
        const std::string before = Rows6And7(grid);
        int answer = -1;
        switch (row.path) {
        case WritePath::Paste:
            answer = grid.PasteText(1, 6, row.text);
            break;
        case WritePath::SmartPaste:
            grid.Navigation->AllowSmartClipboard = true;
            Clipboard().SetAsText(row.text);
            grid.SetSelection({1, 6, 1, 8});
            grid.PasteSelectionFromClipboard();
            break;
        case WritePath::RichPaste:
            grid.Navigation->AllowRTFClipboard = true;
            Clipboard().Open();
            Clipboard().SetAsText("plain");
            Clipboard().SetAsBytes("text/rtf", row.text);
            Clipboard().Close();
            answer = grid.PasteFunc(2, 6);
            break;
        case WritePath::TextDrop:
            answer = target.DropOn(*TextData(row.text), 1, 6);
            break;
        case WritePath::RichDrop: {
            const RichTextOn rich(grid);
            answer = target.DropOn(*TextData("plain", row.text), 2, 6);
            break;
        }
        case WritePath::Move:
        case WritePath::Copy:
            Responder().DragActions.push_back([&](const QMimeData& data) {
                return target.DropOn(data, 1, 6,
                                     row.path == WritePath::Copy ? Qt::ControlModifier : Qt::NoModifier);
            });
            source.PressAndMove(3, 3, 20, 10, 0);
            answer = source.stops.empty() ? DROPEFFECT_NONE : source.stops[0];
            EXPECT_EQ(Rows2And3(*source.grid), answer == DROPEFFECT_MOVE ? SourceMoved : SourceKept);
            break;
        }
        EXPECT_EQ(answer, row.answer);
        EXPECT_EQ(Rows6And7(grid), row.rows6and7 ? row.rows6and7 : before);
    }
}

// Rich text on, cells moved from one grid onto (1, 6) of another: several cells go as their
// texts whatever the pressed cell (3, 3) holds, one cell (a merged block is one) as its rich text
// when it holds some, and an empty rich text beside a text from elsewhere is no drop of its own.
TEST(GridTextWrites, RichTextOnMovesEveryCellItsText) {
    const struct {
        const char* label;
        TGridRect selection;
        // What (3, 3) holds.
        const char* pressed;
        // Dropped from elsewhere, not dragged from the source: the text beside an empty rich text.
        const char* elsewhere;
        const char* rows6and7;
        const char* sourceAfter;
        // (3, 3) and (4, 3) one block.
        bool merged = false;
    } rows[] = {
        {"plain cells", {2, 2, 3, 3}, "33", nullptr, "06 22 32 36 46 56|07 23 33 37 47 57", SourceMoved},
        {"rich text in the pressed cell among plain ones",
         {2, 2, 3, 3},
         "{\\rtf1 rich}",
         nullptr,
         "06 22 32 36 46 56|07 23 rich 37 47 57",
         SourceMoved},
        {"one plain cell",
         {3, 3, 3, 3},
         "33",
         nullptr,
         "06 33 26 36 46 56|07 17 27 37 47 57",
         "02 12 22 32 42 52|03 13 23  43 53"},
        {"one cell of rich text",
         {3, 3, 3, 3},
         "{\\rtf1 rich}",
         nullptr,
         "06 {\\rtf1 rich} 26 36 46 56|07 17 27 37 47 57",
         "02 12 22 32 42 52|03 13 23  43 53"},
        {"one block of rich text",
         {3, 3, 4, 3},
         "{\\rtf1 rich}",
         nullptr,
         "06 {\\rtf1 rich} 26 36 46 56|07 17 27 37 47 57",
         "02 12 22 32 42 52|03 13 23   53",
         true},
        {"text beside an empty rich text",
         {2, 2, 3, 3},
         "33",
         "p\tq\r\nr\ts\r\n",
         "06 p q 36 46 56|07 r s 37 47 57",
         SourceKept},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow source;
        DragWindow target;
        target.TakeDrops();
        const RichTextOn rich(*target.grid);
        if (row.merged)
            source.grid->MergeCells(3, 3, 2, 1);
        source.grid->SetCellEx(3, 3, row.pressed);
        source.grid->SetSelection(row.selection);
        int effect = DROPEFFECT_NONE;
        if (row.elsewhere) {
            const auto data = TextData(row.elsewhere);
            data->setData("text/rtf", QByteArray());
            effect = target.DropOn(*data, 1, 6);
        } else {
            Responder().DragActions.push_back(
                [&](const QMimeData& data) { return target.DropOn(data, 1, 6); });
            source.PressAndMove(3, 3, 20, 10, 0);
            effect = source.stops.empty() ? DROPEFFECT_NONE : source.stops[0];
        }
        EXPECT_EQ(effect, DROPEFFECT_MOVE);
        EXPECT_EQ(Rows6And7(*target.grid), row.rows6and7);
        EXPECT_EQ(Rows2And3(*source.grid), row.sourceAfter);
    }
}

// A move whose drop wrote every text empties the dragged cells of its source grid, a dragged cell
// of a block standing for the whole block wherever its base cell lies, and keeps what a drop on
// the source itself wrote.
TEST(GridTextWrites, AMoveEmptiesExactlyTheDraggedCells) {
    const struct {
        const char* label;
        // Merged in the source: base column, row, columns, rows.
        int block[4];
        TGridRect selection;
        // Dropped on the source's (3, 2) rather than on the target's (1, 6).
        bool ownGrid;
        const char* rows6and7;
        const char* sourceAfter;
    } rows[] = {
        {"a block reaching into the dragged cells",
         {1, 3, 2, 1},
         {2, 2, 3, 3},
         false,
         "06 22 32 36 46 56|07 13 33 37 47 57",
         "02 12   42 52|03    43 53"},
        {"a block reaching out of the dragged cells",
         {3, 3, 2, 1},
         {2, 2, 3, 3},
         false,
         "06 22 32 36 46 56|07 23 33 37 47 57",
         "02 12   42 52|03 13    53"},
        {"a dragged block that the drop on its own grid wrote",
         {2, 3, 2, 1},
         {2, 2, 2, 3},
         true,
         nullptr,
         "02 12  22 42 52|03 13 23 23 43 53"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow source;
        DragWindow target;
        target.TakeDrops();
        TDataGrid& grid = *source.grid;
        grid.MergeCells(row.block[0], row.block[1], row.block[2], row.block[3]);
        grid.SetSelection(row.selection);
        if (row.ownGrid) {
            // A grid that starts drags takes no editing, so its drops are written always.
            grid.Navigation->AllowClipboardAlways = true;
            grid.DragDropSettings->SetOleDropTarget(true);
        }
        Responder().DragActions.push_back([&](const QMimeData& data) {
            return row.ownGrid ? source.DropOn(data, 3, 2) : target.DropOn(data, 1, 6);
        });
        source.PressAndMove(2, 2, 20, 10, 0);
        ASSERT_EQ(source.stops.size(), 1u);
        EXPECT_EQ(source.stops[0], DROPEFFECT_MOVE);
        if (row.rows6and7) {
            EXPECT_EQ(Rows6And7(*target.grid), row.rows6and7);
        }
        EXPECT_EQ(Rows2And3(grid), row.sourceAfter);
    }
}

} // namespace
