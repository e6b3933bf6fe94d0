// Sorting the rows: each cell of the sorted columns read once into a key, a stable merge sort of
// the rows' offsets, then one move of the rows with everything they carry.
#include "grid/Datagrid.h"
#include "grid/GridUpdateLock.h"
#include "grid/SortCompare.h"

#include <QElapsedTimer>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <numeric>
#include <optional>
#include <string_view>
#include <typeinfo>
#include <utility>

namespace {

constexpr unsigned DescendingBit = 0x80000000u;

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Items in the order order(a, b) gives (above 0: a goes after b), ties keeping their order.
// Bottom-up merging reads only items in range, whatever order answers.
template <class Item, class Order> void StableSort(std::vector<Item>& from, Order order) {
    const int count = static_cast<int>(from.size());
    std::vector<Item> to(from.size());
    for (int width = 1; width < count; width *= 2) {
        for (int low = 0; low < count; low += 2 * width) {
            const int middle = std::min(low + width, count);
            const int high = std::min(low + 2 * width, count);
            int i = low;
            int j = middle;
            int k = low;
            while (i < middle && j < high)
                to[static_cast<std::size_t>(k++)] =
                    order(from[static_cast<std::size_t>(i)], from[static_cast<std::size_t>(j)]) > 0
                        ? from[static_cast<std::size_t>(j++)]
                        : from[static_cast<std::size_t>(i++)];
            while (i < middle)
                to[static_cast<std::size_t>(k++)] = from[static_cast<std::size_t>(i++)];
            while (j < high)
                to[static_cast<std::size_t>(k++)] = from[static_cast<std::size_t>(j++)];
        }
        from.swap(to);
    }
}

// A row's key in one column in brief, with the row's offset: where two briefs differ they order
// their rows as the whole keys do; where they are equal the whole keys decide. Merging these
// runs through memory in order instead of reaching for each row's key.
struct TSortBrief {
    // Blanks placed first, the rest, texts that are no number, blanks placed last.
    std::uint8_t Group;
    std::uint64_t Value;
    int Offset;
};

// A number's bits as an unsigned value that orders as the numbers do (no NaN).
std::uint64_t OrderedBits(double value) {
    // -0 equals 0.
    const auto bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
    return bits & 0x8000000000000000u ? ~bits : bits | 0x8000000000000000u;
}

// A text's first eight bytes, the first one highest, short texts padded with zeros.
std::uint64_t LeadingBytes(std::string_view text) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i)
        value = value << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return value;
}

// The style of a column as the grid's settings and GetColFormat give it; ssAutomatic is decided
// from sample.
TSortStyle ColumnStyle(TDataGrid& grid, int ACol, const AnsiString& sample, AnsiString& prefix,
                       AnsiString& suffix) {
    TSortStyle style = grid.SortSettings->AutoFormat ? ssAutomatic : ssAlphabetic;
    grid.GetColFormat(ACol, style, prefix, suffix);
    return style == ssAutomatic ? AutomaticStyle(sample) : style;
}

// A cell's key under its column's style.
TSortKey CellKey(TDataGrid& grid, TSortStyle style, int ACol, int ARow, const AnsiString& prefix,
                 const AnsiString& suffix) {
    if (style == ssHTML)
        return MakeSortKey(style, grid.GetStrippedCell(ACol, ARow), prefix, suffix);
    AnsiString text = grid.GetCells(ACol, ARow);
    if (style == ssImages) {
        TSortKey key;
        key.Empty = text.IsEmpty();
        key.Number = grid.GetCellImageIdx(ACol, ARow);
        return key;
    }
    if (style == ssCustom || style == ssRaw) {
        TSortKey key;
        key.Empty = text.IsEmpty();
        key.Text = std::move(text);
        return key;
    }
    return MakeSortKey(style, std::move(text), prefix, suffix);
}

// The comparison before blanks and direction: the events for custom and raw styles.
int CompareCells(TDataGrid& grid, TSortStyle style, int ACol, int ARow1, int ARow2, const TSortKey& a,
                 const TSortKey& b) {
    int result = 0;
    if (style == ssCustom) {
        if (grid.OnCustomCompare)
            grid.OnCustomCompare(&grid, a.Text, b.Text, result);
        return Sign(result);
    }
    if (style == ssRaw) {
        if (grid.OnRawCompare)
            grid.OnRawCompare(&grid, ACol, ARow1, ARow2, result);
        return Sign(result);
    }
    return CompareSortKeys(style, a, b);
}

TSortPlacement Placement(const TDataGrid& grid, bool descending) {
    return {descending, grid.SortSettings->IgnoreBlanks, grid.SortSettings->BlankPos == blLast};
}

// One column's keys over rows First .. Last, read once.
class ColumnKeys {
public:
    ColumnKeys(TDataGrid& grid, int ACol, bool descending, int first, int last)
        : grid(grid), col(ACol), first(first), placement(Placement(grid, descending)) {
        AnsiString sample;
        for (int r = first; r <= last && sample.IsEmpty(); ++r)
            sample = grid.GetCells(ACol, r);
        AnsiString prefix;
        AnsiString suffix;
        style = ColumnStyle(grid, ACol, sample, prefix, suffix);
        keys.reserve(static_cast<std::size_t>(last - first + 1));
        // Each row's cells lie apart in memory: fetching a few rows ahead keeps a large grid's
        // read from waiting on every row.
        constexpr int Ahead = 8;
        for (int r = first; r <= last; ++r) {
            grid.PrefetchCell(ACol, r + Ahead);
            keys.push_back(CellKey(grid, style, ACol, r, prefix, suffix));
        }
        numbers = IsNumericStyle(style) || style == ssDate || style == ssShortDateEU ||
                  style == ssShortDateUS || style == ssImages;
        briefed = numbers || style == ssAlphabetic || style == ssAlphaCase || style == ssAlphaNoCase ||
                  style == ssHTML;
        if (numbers)
            for (const TSortKey& key : keys)
                briefed = briefed && !std::isnan(key.Number);
    }

    // Whether the keys have briefs: not for styles that compare otherwise (events, collation),
    // nor with a number that is no number.
    bool Briefed() const { return briefed; }
    // How many leading bytes the texts of the offsets share: briefs start after them.
    template <class Offsets> std::size_t SharedLead(Offsets begin, Offsets end) const {
        if (numbers || begin == end)
            return 0;
        const std::string_view first = keys[static_cast<std::size_t>(*begin)].Text.view();
        std::size_t shared = first.size();
        for (auto i = begin; i != end && shared > 0; ++i) {
            const std::string_view text = keys[static_cast<std::size_t>(*i)].Text.view();
            shared = static_cast<std::size_t>(
                std::mismatch(first.begin(),
                              first.begin() + static_cast<std::ptrdiff_t>(std::min(shared, text.size())),
                              text.begin())
                    .first -
                first.begin());
        }
        return shared;
    }
    TSortBrief Brief(int offset, std::size_t lead) const {
        const TSortKey& key = keys[static_cast<std::size_t>(offset)];
        TSortBrief brief{1, 0, offset};
        if (placement.IgnoreBlanks && key.Empty)
            brief.Group = placement.BlanksLast ? 3 : 0;
        else if (IsNumericStyle(style) && !key.IsNumber)
            brief.Group = 2;
        // Texts that are no number tie among themselves.
        if (brief.Group != 2) {
            brief.Value = numbers ? OrderedBits(key.Number) : LeadingBytes(key.Text.view().substr(lead));
            if (placement.Descending)
                brief.Value = ~brief.Value;
        }
        return brief;
    }

    // Where offset a goes against offset b, direction applied: -1 before, 1 after, 0 tied.
    int Order(int a, int b) const {
        const TSortKey& keyA = keys[static_cast<std::size_t>(a)];
        const TSortKey& keyB = keys[static_cast<std::size_t>(b)];
        return PlaceSortKeys(style, keyA, keyB, placement,
                             CompareCells(grid, style, col, first + a, first + b, keyA, keyB));
    }

private:
    TDataGrid& grid;
    int col;
    int first;
    TSortPlacement placement;
    TSortStyle style = ssAlphabetic;
    std::vector<TSortKey> keys;
    bool numbers = false;
    bool briefed = false;
};

// Sorts the offsets order[from .. to) stably by key column level, and each run the column
// leaves tied by the columns after it.
template <class Keyed>
void SortByKeys(std::vector<int>& order, int from, int to, std::size_t level, std::size_t levels,
                Keyed& keyed) {
    if (to - from < 2 || level >= levels)
        return;
    const ColumnKeys& keys = keyed(level);
    const auto begin = order.begin() + from;
    const auto end = order.begin() + to;
    if (keys.Briefed()) {
        std::vector<TSortBrief> briefs;
        briefs.reserve(static_cast<std::size_t>(to - from));
        const std::size_t lead = keys.SharedLead(begin, end);
        for (auto i = begin; i != end; ++i)
            briefs.push_back(keys.Brief(*i, lead));
        StableSort(briefs, [&](const TSortBrief& a, const TSortBrief& b) {
            if (a.Group != b.Group)
                return a.Group < b.Group ? -1 : 1;
            if (a.Value != b.Value)
                return a.Value < b.Value ? -1 : 1;
            return keys.Order(a.Offset, b.Offset);
        });
        std::transform(briefs.begin(), briefs.end(), begin,
                       [](const TSortBrief& brief) { return brief.Offset; });
    } else {
        std::vector<int> run(begin, end);
        StableSort(run, [&](int a, int b) { return keys.Order(a, b); });
        std::copy(run.begin(), run.end(), begin);
    }
    for (int start = from; start < to;) {
        int stop = start + 1;
        while (stop < to && keys.Order(order[static_cast<std::size_t>(stop - 1)],
                                       order[static_cast<std::size_t>(stop)]) == 0)
            ++stop;
        SortByKeys(order, start, stop, level + 1, levels, keyed);
        start = stop;
    }
}

} // namespace

int TDataGrid::Compare(int ACol, int ARow1, int ARow2) {
    AnsiString prefix;
    AnsiString suffix;
    const TSortStyle style = ColumnStyle(*this, ACol, GetCells(ACol, ARow1), prefix, suffix);
    const TSortKey a = CellKey(*this, style, ACol, ARow1, prefix, suffix);
    const TSortKey b = CellKey(*this, style, ACol, ARow2, prefix, suffix);
    const bool descending = SortSettings->Direction == sdDescending;
    // The blank rule answers before the direction is applied, so it is turned back here.
    if (const int blanks = PlaceBlanks(a.Empty, b.Empty, Placement(*this, descending)))
        return descending ? -blanks : blanks;
    return CompareCells(*this, style, ACol, ARow1, ARow2, a, b);
}

int TDataGrid::CompareLine(int ACol, int ARow1, int ARow2) {
    const int result = Compare(ACol, ARow1, ARow2);
    if (result == 0 && SortSettings->Full && ACol <= RealColCount() - 2)
        return CompareLine(ACol + 1, ARow1, ARow2);
    return result;
}

int TDataGrid::CompareLineIndexed(int Idx, int ARow1, int ARow2) {
    const auto entry = static_cast<unsigned>(sortIndexList.GetInteger(Idx));
    const int result = Compare(static_cast<int>(entry & ~DescendingBit), ARow1, ARow2);
    if (result == 0 && SortSettings->Full)
        return Idx >= sortIndexList.Count() - 1 ? 0 : CompareLineIndexed(Idx + 1, ARow1, ARow2);
    return entry & DescendingBit ? -result : result;
}

bool TDataGrid::SortLine(int ACol, int ARow1, int ARow2) {
    // The rows are compared with what the editor holds.
    CellsMoving();
    const int greater = SortSettings->Direction == sdDescending ? -1 : 1;
    const int result = Compare(ACol, ARow1, ARow2);
    if (result == greater) {
        SortSwapRows(ARow1, ARow2);
        return true;
    }
    if (result == 0 && ACol < RealColCount() - 1)
        return SortLine(ACol + 1, ARow1, ARow2);
    return false;
}

void TDataGrid::SortByColumn(int ACol) {
    if (GetRowCount() < 2)
        return;
    SortRows(GetFixedRows(), LastNormalRow(), {{ACol, SortSettings->Direction == sdDescending}},
             Navigation->MoveRowOnSort);
}

std::vector<TDataGrid::SortKeyColumn> TDataGrid::SortColumnKeys(int ACol) const {
    const bool descending = SortSettings->Direction == sdDescending;
    std::vector<SortKeyColumn> keys{{ACol, descending}};
    if (SortSettings->Full)
        for (int c = ACol + 1; c < RealColCount(); ++c)
            keys.push_back({c, descending});
    return keys;
}

std::vector<TDataGrid::SortKeyColumn> TDataGrid::SortIndexKeys(int from) const {
    std::vector<SortKeyColumn> keys;
    const int count = SortSettings->Full ? sortIndexList.Count() : std::min(sortIndexList.Count(), from + 1);
    for (int i = std::max(from, 0); i < count; ++i) {
        const auto entry = static_cast<unsigned>(sortIndexList.GetInteger(i));
        keys.push_back({static_cast<int>(entry & ~DescendingBit), (entry & DescendingBit) != 0});
    }
    return keys;
}

void TDataGrid::QuickSortRows(int ACol, int Left, int Right) {
    SortRows(Left, Right, SortColumnKeys(ACol), Navigation->MoveRowOnSort);
}

void TDataGrid::QuickSortRowsIndexed(int Idx, int Left, int Right) {
    SortRows(Left, Right, SortIndexKeys(Idx), Navigation->MoveRowOnSort);
}

void TDataGrid::QuickSort(int ACol, int Left, int Right) {
    QuickSortRows(ACol, Left, Right);
}

void TDataGrid::QuickSortIndexed(int Left, int Right) {
    QuickSortRowsIndexed(0, Left, Right);
}

void TDataGrid::SortKeepingHeaders(const std::function<void()>& sort) {
    sortIndexList.Clear();
    // With NormalCellsOnly the header column's texts stay in their rows.
    std::vector<AnsiString> headers;
    if (SortSettings->NormalCellsOnly && GetFixedCols() > 0)
        for (int r = 0; r < GetRowCount(); ++r)
            headers.push_back(cells.Text(0, r));
    sort();
    for (std::size_t r = 0; r < headers.size(); ++r)
        cells.SetText(0, static_cast<int>(r), std::move(headers[r]));
}

void TDataGrid::QSort() {
    SortKeepingHeaders([this] { QuickSortRows(SortSettings->Column, GetFixedRows(), LastNormalRow()); });
}

void TDataGrid::QSortGroup() {
    SortKeepingHeaders([this] {
        const int last = LastNormalRow();
        // Each node row's group: the rows after it up to the next node row.
        for (int r = 1; r <= last;) {
            if (GetCellType(0, r) != ctNode) {
                ++r;
                continue;
            }
            int end = r + 1;
            while (end <= last && GetCellType(0, end) != ctNode)
                ++end;
            // The current row follows its data here whatever MoveRowOnSort says.
            SortRows(r + 1, end - 1, SortColumnKeys(SortSettings->Column), true);
            r = end;
        }
    });
}

void TDataGrid::QSortIndexed() {
    if (sortIndexList.Count() == 0)
        throw EDataGridError("No indexes specified for indexed sort");
    QuickSortRowsIndexed(0, GetFixedRows(), LastNormalRow());
}

void TDataGrid::SortRows(int First, int Last, const std::vector<SortKeyColumn>& keys, bool currentFollows) {
    if (Last <= First || keys.empty())
        return;
    CellsMoving();
    GridUpdateLock lock(*this);
    // Later key columns are read only once a tie needs them.
    std::vector<std::unique_ptr<ColumnKeys>> columns(keys.size());
    const auto keyed = [&](std::size_t k) -> const ColumnKeys& {
        if (!columns[k])
            columns[k] = std::make_unique<ColumnKeys>(*this, keys[k].Col, keys[k].Descending, First, Last);
        return *columns[k];
    };
    std::vector<int> order(static_cast<std::size_t>(Last - First + 1));
    std::iota(order.begin(), order.end(), 0);
    SortByKeys(order, 0, static_cast<int>(order.size()), 0, keys.size(), keyed);
    // Also over the rows the contracted nodes hide while they are out of the grid.
    BlocksFollowing blocks(*this);
    // The rows contracted nodes hide go along with their node rows, wherever the sort puts them.
    std::vector<ContractedRows> carried = ContractedNodesIn(First, Last);
    TakeContractedRows(carried);
    contractedRowsTaken = true;
    const auto putBack = [&] {
        contractedRowsTaken = false;
        FindMovedNodes(carried, First, Last);
        PutContractedRows(carried);
    };
    try {
        // A descendant may keep its own rows' data in step through SortSwapRows.
        if (typeid(*this) == typeid(TDataGrid))
            MoveRowsInOrder(First, order, currentFollows);
        else
            ExchangeRowsInOrder(First, order, currentFollows);
    } catch (...) {
        putBack();
        throw;
    }
    putBack();
}

void TDataGrid::ExchangeRowsInOrder(int First, const std::vector<int>& order, bool currentFollows) {
    const int count = static_cast<int>(order.size());
    // at[k]: the row (as an offset before the sort) now at First + k; where[row]: its place.
    std::vector<int> at(order.size());
    std::iota(at.begin(), at.end(), 0);
    std::vector<int> where = at;
    sortTrackedRow = GetRow();
    for (int k = 0; k < count - 1; ++k) {
        const int wanted = order[static_cast<std::size_t>(k)];
        const int from = where[static_cast<std::size_t>(wanted)];
        if (from == k)
            continue;
        SortSwapRows(First + k, First + from);
        const int displaced = at[static_cast<std::size_t>(k)];
        at[static_cast<std::size_t>(from)] = displaced;
        where[static_cast<std::size_t>(displaced)] = from;
        at[static_cast<std::size_t>(k)] = wanted;
        where[static_cast<std::size_t>(wanted)] = k;
    }
    const int tracked = std::exchange(sortTrackedRow, -1);
    if (currentFollows && tracked != GetRow()) {
        const bool pending = std::exchange(editPending, false);
        SetRow(tracked);
        editPending = pending;
    }
}

void TDataGrid::MoveRowsInOrder(int First, const std::vector<int>& order, bool currentFollows) {
    const int count = static_cast<int>(order.size());
    if (SortSettings->SingleColumn) {
        cells.PermuteColumn(SortSettings->Column, First, order);
        // Only the sort column's cells move: the edited cell's row with them when it is one.
        if (validatedCol == SortSettings->Column)
            validatedRow = PermutedIndex(validatedRow, First, order);
        for (TrackedCell* cell : TrackedCells())
            if (cell->Col == SortSettings->Column)
                cell->RowsPermuted(First, order);
        RenumberCellProperties(First);
    } else {
        PermuteDisplayRows(First, order, currentFollows);
    }
    if (sortCrossReference.Count() >= First + count) {
        std::vector<int> references;
        for (int k = 0; k < count; ++k)
            references.push_back(sortCrossReference.GetInteger(First + order[static_cast<std::size_t>(k)]));
        for (int k = 0; k < count; ++k)
            sortCrossReference.SetInteger(First + k, references[static_cast<std::size_t>(k)]);
        CrossReferenceChanged();
    }
}

void TDataGrid::SortSwapRows(int ARow1, int ARow2) {
    BlocksFollowing blocks(*this);
    if (sortCrossReference.Count() > std::max(ARow1, ARow2)) {
        const int reference = sortCrossReference.GetInteger(ARow1);
        sortCrossReference.SetInteger(ARow1, sortCrossReference.GetInteger(ARow2));
        sortCrossReference.SetInteger(ARow2, reference);
        CrossReferenceChanged();
    }
    if (!SortSettings->SingleColumn) {
        SwapRows(ARow1, ARow2);
        // The rows' data moves, and the sort's current row with it.
        sortTrackedRow = SwappedIndex(sortTrackedRow, ARow1, ARow2);
        return;
    }
    const int col = SortSettings->Column;
    cells.ExchangeCells(col, ARow1, ARow2);
    if (validatedCol == col)
        validatedRow = SwappedIndex(validatedRow, ARow1, ARow2);
    for (TrackedCell* cell : TrackedCells())
        if (cell->Col == col)
            cell->RowsSwapped(ARow1, ARow2);
    for (const int row : {ARow1, ARow2})
        if (auto* props = dynamic_cast<TCellProperties*>(cells.Object(col, row)))
            props->Row = row;
    InvalidateRow(ARow1);
    InvalidateRow(ARow2);
}

void TDataGrid::InitSortXRef() {
    sortCrossReference.Clear();
    for (int r = 0; r < GetRowCount(); ++r)
        sortCrossReference.Add(r);
    CrossReferenceChanged();
}

void TDataGrid::CrossReferenceChanged() {
    sortCrossInverse.clear();
}

void TDataGrid::ClickSort(int ACol, TShiftState Shift) {
    QElapsedTimer timer;
    timer.start();
    // Merged runs would not move as one with the sort: split before, merged anew after.
    struct Remerge {
        TDataGrid& grid;
        const bool on;
        ~Remerge() {
            if (on)
                grid.ApplyColumnMerge();
        }
    } remerge{*this, SortSettings->AutoColumnMerge};
    if (remerge.on)
        UndoColumnMerge();
    if (SortSettings->IndexShow) {
        const bool onlyThis = sortIndexList.Count() == 1 && sortIndexList.FindIndex(ACol) == 0;
        if (Shift.Contains(ssShift) || onlyThis) {
            if (sortIndexList.FindIndex(ACol) >= 0)
                sortIndexList.ToggleIndex(ACol);
            else
                sortIndexList.AddIndex(ACol, true);
        } else {
            sortIndexList.Clear();
            sortIndexList.AddIndex(ACol, true);
        }
        QSortIndexed();
    } else {
        if (SortSettings->Column == ACol)
            SortSettings->Direction = SortSettings->Direction == sdAscending ? sdDescending : sdAscending;
        else
            SortSettings->Direction = sdAscending;
        SortSettings->Column = ACol;
        groupColumn >= 0 ? QSortGroup() : QSort();
    }
    lastSortDuration = timer.elapsed();
    if (OnClickSort)
        OnClickSort(this, SortSettings->Column);
}
