#include "framework/Bitmap.h"
#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Page page of the grid's preview, drawn on a page area of 300 x 420 pixels.
QImage PreviewPage(TDataGrid& grid, int page) {
    TBitmap box;
    box.SetSize(300, 420);
    grid.SetPreviewPage(page);
    grid.PrintPreview(box.Canvas, Rect(0, 0, 300, 420));
    return box.Image().copy();
}

std::string Lines(const std::string& prefix, int count) {
    std::string text = prefix + "0";
    for (int i = 1; i < count; ++i)
        text += "\r\n" + prefix + std::to_string(i);
    return text;
}

} // namespace

// The preview keeps where each page it laid out begins and draws a page from there: each page is
// the one laid out afresh from the first, as a grid whose page handler hears of every page has it.
TEST(KeptPreviewPages, APageDrawnWhereItWasKeptToBeginIsThePageLaidOutAfresh) {
    const struct {
        const char* label;
        std::function<void(TDataGrid&)> fill;
        // Made after the preview went through its pages: the pages it kept are dropped.
        std::function<void(TDataGrid&)> change = nullptr;
    } rows[] = {
        {"rows of numbers", [](TDataGrid&) {}},
        {"a block of rows cut by page ends",
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.SetCells(0, 20, Lines("M", 60));
             g.MergeCells(0, 20, 1, 30);
         }},
        {"a row higher than a page",
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.SetCells(0, 30, Lines("T", 150));
         }},
        {"a block of rows higher than a page",
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.SetCells(0, 30, Lines("B", 150));
             g.MergeCells(0, 30, 2, 2);
         }},
        {"a block of rows cut by page ends, then centred",
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.SetCells(0, 20, Lines("M", 60));
             g.MergeCells(0, 20, 1, 30);
         },
         [](TDataGrid& g) { g.VAlignment = vtaCenter; }},
        {"columns in strips",
         [](TDataGrid& g) {
             for (int c = 0; c < g.GetColCount(); ++c)
                 g.SetColWidths(c, 400);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid kept(nullptr), afresh(nullptr);
        for (TDataGrid* grid : {&kept, &afresh}) {
            PrintTwoColumnsOnA4(*grid);
            grid->SetColCount(3);
            grid->SetRowCount(200);
            // The page numbers tell the strips apart.
            grid->PrintSettings->PageNr = ppBottomCenter;
            for (int r = 0; r < 200; ++r)
                for (int c = 0; c < 3; ++c)
                    grid->SetCells(c, r, std::to_string(r * 3 + c));
            row.fill(*grid);
        }
        afresh.OnPrintPageDone = [](TObject*, TCanvas*, int, int, int, int, int) {};
        // A fast preview first: it leaves rows out, so the pages it numbers after them are no
        // pages to go on from.
        kept.FastPreview = true;
        PreviewPage(kept, 1);
        kept.FastPreview = false;
        PreviewPage(kept, 1);
        if (row.change) {
            for (int page = 1; page <= kept.GetPrintPageCount(); ++page)
                PreviewPage(kept, page);
            row.change(kept);
            row.change(afresh);
        }
        PreviewPage(afresh, 1);
        const int pages = kept.GetPrintPageCount();
        EXPECT_EQ(afresh.GetPrintPageCount(), pages);
        EXPECT_GT(pages, 3);
        // Forward page by page, then back and forth.
        std::vector<int> order;
        for (int page = 1; page <= pages; ++page)
            order.push_back(page);
        order.insert(order.end(), {pages - 1, 2, pages, 3});
        for (const int page : order)
            EXPECT_EQ(PreviewPage(kept, page), PreviewPage(afresh, page)) << "page " << page;
    }
}
