// Merged blocks: made, split, and kept whole while rows and columns move.
#include "grid/Basegrid.h"

#include <algorithm>
#include <climits>

namespace {

// A rectangle of no cells.
constexpr TRect NoCells{0, 0, -1, -1};

bool HoldsCell(const TRect& block, int col, int row) {
    return col >= block.Left && col <= block.Right && row >= block.Top && row <= block.Bottom;
}

// Whether a cell's properties name the base of the block as its own.
bool NamesBase(const TCellProperties& props, const TRect& block, int col, int row) {
    if (props.SpanX < 0 || props.SpanY < 0)
        return false;
    if (props.IsBaseCell)
        return col == block.Left && row == block.Top;
    return col - props.SpanX == block.Left && row - props.SpanY == block.Top;
}

// Where a block's lines (its columns or its rows) went, by their place in the block (-1 for one
// that is gone): kept in order, the lines from the first to the last are its own or inserted
// ones (fresh, a first line and a count). Answers the lines kept and their first and last.
bool LinesKept(const std::vector<int>& now, std::pair<int, int> fresh, int& kept, int& first, int& last) {
    kept = 0;
    first = INT_MAX;
    last = INT_MIN;
    for (const int line : now) {
        if (line < 0)
            continue;
        if (line <= last)
            return false;
        first = std::min(first, line);
        last = line;
        ++kept;
    }
    const int inserted =
        std::max(0, std::min(last + 1, fresh.first + fresh.second) - std::max(first, fresh.first));
    return last - first + 1 == kept + inserted;
}

} // namespace

bool TBaseGrid::BlockAt(int ACol, int BRow, TRect& Block) const {
    const TCellProperties* props = BlockRowProperties(ACol, BRow);
    if (!props || props->SpanX < 0 || props->SpanY < 0)
        return false;
    const TPoint base = props->GetBaseCell(ACol, BRow);
    // A cell whose base is gone or no longer spans it stands alone.
    if (base.x < 0 || base.y < 0 || base.x >= CellColumns())
        return false;
    const TCellProperties* baseProps = base == Point(ACol, BRow) ? props : BlockRowProperties(base.x, base.y);
    if (!baseProps || !baseProps->IsBaseCell || baseProps->SpanX < 0 || baseProps->SpanY < 0 ||
        ACol > base.x + baseProps->SpanX || BRow > base.y + baseProps->SpanY)
        return false;
    Block = Rect(base.x, base.y, base.x + baseProps->SpanX, base.y + baseProps->SpanY);
    return true;
}

void TBaseGrid::SetBlockCells(const TRect& Old, const TRect& New) {
    cells.Touch();
    for (int r = Old.Top; r <= Old.Bottom; ++r)
        for (int c = Old.Left; c <= Old.Right; ++c)
            if (TCellProperties* props = HoldsCell(New, c, r) ? nullptr : BlockRowProperties(c, r)) {
                props->IsBaseCell = true;
                props->SpanX = props->SpanY = -1;
                props->MovingBlock = -1;
            }
    for (int r = New.Top; r <= New.Bottom; ++r)
        for (int c = New.Left; c <= New.Right; ++c) {
            TCellProperties* props = MakeBlockRowProperties(c, r);
            props->IsBaseCell = c == New.Left && r == New.Top;
            props->SpanX = props->IsBaseCell ? New.Width() : c - New.Left;
            props->SpanY = props->IsBaseCell ? New.Height() : r - New.Top;
            props->MovingBlock = -1;
            mergedBlocks = true;
        }
}

void TBaseGrid::SplitBlock(const TRect& Block) {
    BlockTextToBase(BaseColumn(Block));
    SetBlockCells(Block, NoCells);
}

void TBaseGrid::LeaveBlock(int ACol, int BRow) {
    SetBlockCells(Rect(ACol, BRow, ACol, BRow), NoCells);
}

std::vector<TPoint> TBaseGrid::BaseColumn(const TRect& Block) {
    std::vector<TPoint> column;
    for (int r = Block.Top; r <= Block.Bottom; ++r)
        column.push_back(Point(Block.Left, r));
    return column;
}

void TBaseGrid::MoveBlockText(const std::vector<TPoint>& Cells, std::size_t From, std::size_t To) {
    if (From == To)
        return;
    std::vector<AnsiString> texts;
    for (const TPoint& cell : Cells)
        texts.push_back(BlockRowText(cell.x, cell.y));
    const auto first = texts.begin() + static_cast<std::ptrdiff_t>(std::min(From, To));
    const auto last = texts.begin() + static_cast<std::ptrdiff_t>(std::max(From, To));
    if (From < To)
        std::rotate(first, first + 1, last + 1);
    else
        std::rotate(first, last, last + 1);
    for (std::size_t k = std::min(From, To); k <= std::max(From, To); ++k)
        SetBlockRowText(Cells[k].x, Cells[k].y, std::move(texts[k]));
}

void TBaseGrid::BlockTextToBase(const std::vector<TPoint>& Column) {
    // While none of its rows shows, a block keeps its text in its base.
    for (std::size_t k = 0; k < Column.size(); ++k)
        if (RowShows(Column[k].y)) {
            MoveBlockText(Column, k, 0);
            return;
        }
}

void TBaseGrid::BlockTextToShownRow(const TRect& Block) {
    const int shown = BlockRow(ShownRow(Block.Top));
    if (shown > Block.Top && shown <= Block.Bottom)
        MoveBlockText(BaseColumn(Block), 0, static_cast<std::size_t>(shown - Block.Top));
}

TCellProperties* TBaseGrid::MakeBlockRowProperties(int ACol, int BRow) {
    return GetCellProperties(ACol, BRow);
}

void TBaseGrid::VisitBlockRowObjects(const std::function<void(int ACol, int BRow, TObject*)>& Visit) const {
    cells.ForEachObject(0, [&](int col, int row, TObject* object) { Visit(col, BlockRow(row), object); });
}

void TBaseGrid::MergeCells(int ACol, int ARow, int NCols, int NRows) {
    // Columns as the cells are stored, hidden ones too.
    const int left = std::max(ACol, 0);
    const int top = std::max(ARow, 0);
    const int right = std::min(ACol + NCols, CellColumns()) - 1;
    const int bottom = std::min(ARow + NRows, GetRowCount()) - 1;
    if (right < left || bottom < top)
        return;
    CellsMoving();
    const TRect block = Rect(left, BlockRow(top), right, BlockRow(bottom));
    // A block cut by the new one would keep cells naming a base inside it.
    for (int r = block.Top; r <= block.Bottom; ++r)
        for (int c = left; c <= right; ++c)
            if (TRect cut; BlockAt(c, r, cut))
                SplitBlock(cut);
    SetBlockCells(NoCells, block);
    // Where it shows: the columns are stored ones.
    RepaintCell(RemapColInv(left), top);
}

void TBaseGrid::SplitCells(int ACol, int ARow) {
    CellsMoving();
    cells.Touch();
    TRect block;
    if (!BlockAt(ACol, BlockRow(ARow), block)) {
        TCellProperties* own = GetCellProperties(ACol, ARow);
        own->IsBaseCell = true;
        own->SpanX = own->SpanY = -1;
        return;
    }
    RepaintCell(RemapColInv(block.Left), ShownRow(block.Top));
    SplitBlock(block);
}

TBaseGrid::BlocksFollowing::BlocksFollowing(TBaseGrid& AGrid)
    : grid(AGrid), active(AGrid.mergedBlocks && AGrid.blocksFollowing == 0) {
    ++grid.blocksFollowing;
    if (!active)
        return;
    grid.VisitBlockRowObjects([this](int col, int row, TObject* object) {
        const auto* props = dynamic_cast<const TCellProperties*>(object);
        if (props && props->IsBaseCell && props->SpanX >= 0 && props->SpanY >= 0)
            blocks.push_back(Rect(col, row, col + props->SpanX, row + props->SpanY));
    });
    grid.mergedBlocks = !blocks.empty();
    firstBlock = grid.blocksTaken;
    grid.blocksTaken += static_cast<int>(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const TRect& block = blocks[b];
        for (int r = block.Top; r <= block.Bottom; ++r)
            for (int c = block.Left; c <= block.Right; ++c)
                if (TCellProperties* props = grid.BlockRowProperties(c, r);
                    props && NamesBase(*props, block, c, r))
                    props->MovingBlock = firstBlock + static_cast<int>(b);
    }
}

TBaseGrid::BlocksFollowing::~BlocksFollowing() {
    --grid.blocksFollowing;
    if (!active || blocks.empty())
        return;
    std::vector<std::vector<Member>> members(blocks.size());
    grid.VisitBlockRowObjects([&](int col, int row, TObject* object) {
        auto* props = dynamic_cast<TCellProperties*>(object);
        if (!props || props->MovingBlock < firstBlock)
            return;
        const auto b = static_cast<std::size_t>(std::exchange(props->MovingBlock, -1) - firstBlock);
        if (b >= blocks.size())
            return;
        const TPoint at = props->IsBaseCell ? Point(0, 0) : Point(props->SpanX, props->SpanY);
        members[b].push_back({at, Point(col, row)});
    });
    for (std::size_t b = 0; b < blocks.size(); ++b)
        Follow(blocks[b], members[b]);
}

void TBaseGrid::BlocksFollowing::Follow(const TRect& Block, const std::vector<Member>& Members) {
    if (Members.empty())
        return;
    // Where each column and row of the block went; a line that went two ways breaks it.
    std::vector<int> colsNow(static_cast<std::size_t>(Block.Width() + 1), -1);
    std::vector<int> rowsNow(static_cast<std::size_t>(Block.Height() + 1), -1);
    bool whole = true;
    for (const Member& member : Members) {
        int& col = colsNow[static_cast<std::size_t>(member.At.x)];
        int& row = rowsNow[static_cast<std::size_t>(member.At.y)];
        whole = whole && (col < 0 || col == member.Now.x) && (row < 0 || row == member.Now.y);
        col = member.Now.x;
        row = member.Now.y;
    }
    int cols = 0, rows = 0;
    TRect now;
    whole = whole && LinesKept(colsNow, freshCols, cols, now.Left, now.Right) &&
            LinesKept(rowsNow, freshRows, rows, now.Top, now.Bottom) &&
            static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows) == Members.size();
    // The text back in the base wherever the rows went, then out to the first row that shows now.
    std::vector<std::pair<int, TPoint>> baseColumn;
    for (const Member& member : Members)
        if (member.At.x == 0)
            baseColumn.emplace_back(member.At.y, member.Now);
    std::sort(baseColumn.begin(), baseColumn.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TPoint> column;
    for (const auto& cell : baseColumn)
        column.push_back(cell.second);
    grid.BlockTextToBase(column);
    if (whole) {
        if (now != Block)
            grid.SetBlockCells(NoCells, now);
        grid.BlockTextToShownRow(now);
        return;
    }
    for (const Member& member : Members)
        grid.LeaveBlock(member.Now.x, member.Now.y);
}
