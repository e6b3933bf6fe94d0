// Merged blocks over hidden rows: a block counts its hidden rows and shows from its first shown
// row, which holds the block's text.
#include "grid/Datagrid.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

TCellProperties* TDataGrid::BlockRowProperties(int ACol, int BRow) const {
    if (ACol < 0 || BRow < 0)
        return nullptr;
    if (const TGridItem* item = HiddenRowItem(BRow))
        return ACol < item->Items.Count() ? dynamic_cast<TCellProperties*>(item->Items.GetObject(ACol))
                                          : nullptr;
    const int row = RemapRow(BRow);
    return row < GetRowCount() && ACol < StoredColCount() ? Properties(ACol, row) : nullptr;
}

void TDataGrid::KeepBlockTexts(const std::vector<int>& BRows, TBlockRowsChange Change, int FromCol,
                               int ToCol) {
    // Each block over the rows, by its base cell and its last row.
    std::set<std::tuple<int, int, int>> blocks;
    for (const int row : BRows) {
        const TGridItem* item = HiddenRowItem(row);
        const int shown = RemapRow(row);
        if (item ? item->Items.Count() == 0 : shown >= GetRowCount() || !cells.RowHasObjects(shown))
            continue;
        // The row's cells where they are, found once for the row.
        const auto cellProperties = [&](int c) -> const TCellProperties* {
            if (!item)
                return Properties(c, shown);
            return c < item->Items.Count() ? dynamic_cast<TCellProperties*>(item->Items.GetObject(c))
                                           : nullptr;
        };
        for (int c = 0; c < StoredColCount(); ++c) {
            const TCellProperties* props = cellProperties(c);
            if (!props || props->SpanX < 0 || props->SpanY < 0)
                continue;
            if (TRect block; BlockAt(c, row, block) && block.Left >= FromCol && block.Left <= ToCol)
                blocks.emplace(block.Left, block.Top, block.Bottom);
        }
    }
    const auto moving = [&](int row) { return std::binary_search(BRows.begin(), BRows.end(), row); };
    const auto showsAfter = [&](int row) {
        return Change == TBlockRowsChange::Showing ? !IsHiddenRow(row) || moving(row)
                                                   : !IsHiddenRow(row) && !moving(row);
    };
    for (const auto& [col, top, bottom] : blocks) {
        // The text back in the base from the first row that shows, then out to the first row that
        // will show; the top row holds it while none does.
        std::vector<TPoint> column = BaseColumn(Rect(col, top, col, bottom));
        BlockTextToBase(column);
        if (Change == TBlockRowsChange::Removing)
            std::erase_if(column, [&](const TPoint& cell) { return moving(cell.y); });
        const auto after = std::find_if(column.begin(), column.end(),
                                        [&](const TPoint& cell) { return showsAfter(cell.y); });
        if (after != column.end())
            MoveBlockText(column, 0, static_cast<std::size_t>(after - column.begin()));
    }
}

std::map<const TGridItem*, AnsiString> TDataGrid::HiddenCellTexts(int ACol) {
    std::map<const TGridItem*, AnsiString> texts;
    for (const TGridItem* item : hiddenByRow) {
        // The block's texts in their own cells for the reading, then back as they lay.
        TRect block;
        const bool shifted = BlockAt(ACol, item->Idx, block) && block.Left == ACol;
        if (shifted)
            BlockTextToBase(BaseColumn(block));
        texts[item] = BlockRowText(ACol, item->Idx);
        if (shifted)
            BlockTextToShownRow(block);
    }
    return texts;
}

AnsiString TDataGrid::BlockRowText(int ACol, int BRow) const {
    if (const TGridItem* item = HiddenRowItem(BRow))
        return ACol < item->Items.Count() ? item->Items[ACol] : AnsiString();
    return cells.Text(ACol, RemapRow(BRow));
}

void TDataGrid::SetBlockRowText(int ACol, int BRow, AnsiString Text) {
    TGridItem* item = HiddenRowItem(BRow);
    if (!item) {
        cells.SetText(ACol, RemapRow(BRow), std::move(Text));
        return;
    }
    while (item->Items.Count() <= ACol)
        item->Items.Add(AnsiString());
    item->Items.Put(ACol, Text);
}

TCellProperties* TDataGrid::MakeBlockRowProperties(int ACol, int BRow) {
    TGridItem* item = HiddenRowItem(BRow);
    if (!item)
        return GetCellProperties(ACol, RemapRow(BRow));
    TStringList& items = item->Items;
    while (items.Count() <= ACol)
        items.Add(AnsiString());
    auto* props = dynamic_cast<TCellProperties*>(items.GetObject(ACol));
    if (!props) {
        props = new TCellProperties(this, ACol, BRow);
        items.PutObject(ACol, props);
    }
    return props;
}

void TDataGrid::VisitBlockRowObjects(const std::function<void(int ACol, int BRow, TObject*)>& Visit) const {
    TBaseGrid::VisitBlockRowObjects(Visit);
    for (const TGridItem* item : hiddenByRow)
        for (int c = 0; c < item->Items.Count(); ++c)
            if (TObject* object = item->Items.GetObject(c))
                Visit(c, item->Idx, object);
}
