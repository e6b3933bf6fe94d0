#pragma once

#include <vector>

// The sizes of the columns (or rows) of a grid. A cell's extent is its size plus the line
// after it, never below 0, so a size of -1 with a line of 1 hides the cell. Positions are
// prefix sums kept in a Fenwick tree: reading or changing one size, finding a position and
// finding the cell at a position all cost O(log n); inserting, deleting or moving cells one
// pass.
class GridAxis {
public:
    explicit GridAxis(int defaultSize, int lineWidth = 0);

    int Count() const { return static_cast<int>(sizes.size()); }
    // New cells get the default size.
    void SetCount(int count);
    int DefaultSize() const { return defaultSize; }
    // Every cell takes the new default size.
    void SetDefaultSize(int size);
    int LineWidth() const { return lineWidth; }
    void SetLineWidth(int width);

    int Size(int index) const { return sizes[static_cast<std::size_t>(index)]; }
    void SetSize(int index, int size);
    int Extent(int index) const;
    // Start of cell index from the start of cell 0; Offset(Count()) is the total.
    long long Offset(int index) const;
    long long Total() const { return total; }
    // Changes with every change of count or size, so that what is worked out from them can be
    // kept until then.
    unsigned Version() const { return version; }
    // The cell whose extent holds position (from the start of cell 0), Count() beyond the last
    // cell; position must not be negative.
    int IndexAt(long long position) const;

    // count default-sized cells before index.
    void Insert(int index, int count);
    void Delete(int index, int count);
    // The cells at indices, ascending and distinct.
    void Delete(const std::vector<int>& indices);
    // The cell at from goes to to, the cells between close up.
    void Move(int from, int to);
    // Two cells change places, each with its size at offset 0.
    void Exchange(int index1, int index2);
    // Cells first .. first + order.size() - 1 rearranged: cell first + k takes the size of cell
    // first + order[k]; one pass.
    void Permute(int first, const std::vector<int>& order);

    // Pixels added to every size (a grid's zoom), 0 to start with. A cell follows its size at
    // offset 0 plus the offset where that is above 0. A size never shrinks as the offset grows
    // nor grows as it shrinks: a cell too small to follow keeps its size until the offset comes
    // back to it, so offset 0 gives every size back. A size set at an offset counts as set at
    // offset 0 and grown by it, or as set at offset 0 when it is too small to have grown. A new
    // cell is a default cell grown by the offset. A hidden cell (size 0 or below) keeps its size
    // at every offset.
    int SizeOffset() const { return sizeOffset; }
    void SetSizeOffset(int offset);
    // A cell's size at offset 0 (a hidden cell's own size), and the cell given one.
    int BaseSize(int index) const;
    void SetBaseSize(int index, int base);
    // The size at this offset of a cell whose size at offset 0 is base, and back.
    int AtOffset(int base) const;
    int AtOffsetZero(int size) const;

private:
    void Rebuild();
    void Append(int size);
    // The size at offset 0 of a size set at the current offset; never below 0.
    int Unshifted(int size) const;
    // A cell takes size, base being its size at offset 0.
    void Place(int index, int size, int base);
    // The size of a new cell.
    int MadeSize() const { return defaultSize > 0 ? AtOffset(defaultBase) : defaultSize; }

    int defaultSize;
    // The default size at offset 0.
    int defaultBase;
    int lineWidth;
    std::vector<int> sizes;
    // Each cell's size at offset 0 (0 for a hidden cell), moving with the cell.
    std::vector<int> unshifted;
    int sizeOffset = 0;
    // tree[k] (1-based) sums the extents of cells k - lowbit(k) .. k - 1.
    std::vector<long long> tree{0};
    long long total = 0;
    unsigned version = 0;
};

// One direction of a grid as shown in a client area of Extent pixels: the fixed cells
// 0 .. FixedCount - 1 from the start, then the cells from First on (First >= FixedCount).
struct GridAxisView {
    const GridAxis& Axis;
    int FixedCount;
    int First;
    int ClientExtent;

    int FixedBoundary() const { return static_cast<int>(Axis.Offset(FixedCount)); }
    // Start of a cell in client pixels: a fixed cell where it stands, a scrolling one relative
    // to First (negative when scrolled out before it).
    long long Position(int index) const;
    // The cell under a client pixel: a fixed one before the fixed boundary, else one from
    // First on; -1 before 0 or beyond the last cell.
    int CellAt(int pixel) const;
    // The last scrolling cell that shows whole; First when none does.
    int LastFullyVisible() const;
    // The last cell that shows at least in part; First - 1 when the client area is used up by
    // the fixed cells.
    int LastVisible() const;
    // The smallest First with which cell last shows whole (the first cell after the fixed ones
    // when last is too wide for the client area).
    int FirstToShowWhole(int last) const;
    // The largest First that still fills the client area.
    int MaxFirst() const { return FirstToShowWhole(Axis.Count() - 1); }
    // Whether a cell shows at least in part.
    bool InView(int index) const;
};
