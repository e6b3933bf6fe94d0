#include "framework/GridAxis.h"

#include "framework/SequenceEdits.h"

#include <algorithm>
#include <bit>

namespace {

int LowBit(std::size_t k) {
    return static_cast<int>(k & (~k + 1));
}

} // namespace

GridAxis::GridAxis(int defaultSize, int lineWidth)
    : defaultSize(defaultSize), defaultBase(std::max(0, defaultSize)), lineWidth(lineWidth) {}

int GridAxis::Extent(int index) const {
    return std::max(0, Size(index) + lineWidth);
}

void GridAxis::SetCount(int count) {
    const int old = Count();
    ++version;
    unshifted.resize(static_cast<std::size_t>(count), defaultBase);
    if (count <= old) {
        total = Offset(count);
        sizes.resize(static_cast<std::size_t>(count));
        tree.resize(static_cast<std::size_t>(count) + 1);
    } else if (count - old > old) {
        sizes.resize(static_cast<std::size_t>(count), MadeSize());
        Rebuild();
    } else {
        for (int i = old; i < count; ++i)
            Append(MadeSize());
    }
}

void GridAxis::SetDefaultSize(int size) {
    defaultSize = size;
    defaultBase = Unshifted(size);
    std::fill(sizes.begin(), sizes.end(), size);
    std::fill(unshifted.begin(), unshifted.end(), defaultBase);
    Rebuild();
}

void GridAxis::SetLineWidth(int width) {
    lineWidth = width;
    Rebuild();
}

void GridAxis::SetSize(int index, int size) {
    Place(index, size, Unshifted(size));
}

int GridAxis::BaseSize(int index) const {
    const int size = Size(index);
    return size > 0 ? unshifted[static_cast<std::size_t>(index)] : size;
}

void GridAxis::SetBaseSize(int index, int base) {
    Place(index, AtOffset(base), std::max(0, base));
}

int GridAxis::AtOffset(int base) const {
    if (base <= 0)
        return base;
    return base + sizeOffset > 0 ? base + sizeOffset : base;
}

int GridAxis::AtOffsetZero(int size) const {
    return size > 0 ? Unshifted(size) : size;
}

void GridAxis::Place(int index, int size, int base) {
    const long long delta = std::max(0, size + lineWidth) - static_cast<long long>(Extent(index));
    sizes[static_cast<std::size_t>(index)] = size;
    unshifted[static_cast<std::size_t>(index)] = base;
    total += delta;
    ++version;
    for (std::size_t k = static_cast<std::size_t>(index) + 1; k < tree.size(); k += LowBit(k))
        tree[k] += delta;
}

int GridAxis::Unshifted(int size) const {
    if (size <= 0)
        return 0;
    // A size too small to have grown by the offset counts as the size it keeps when shrunk.
    return size - sizeOffset > 0 ? size - sizeOffset : size;
}

long long GridAxis::Offset(int index) const {
    long long sum = 0;
    for (auto k = static_cast<std::size_t>(index); k > 0; k -= LowBit(k))
        sum += tree[k];
    return sum;
}

int GridAxis::IndexAt(long long position) const {
    // Descend the tree: the number of leading cells whose extents end at or before position.
    std::size_t count = 0;
    for (std::size_t step = std::bit_floor(sizes.size()); step > 0; step >>= 1)
        if (count + step < tree.size() && tree[count + step] <= position) {
            count += step;
            position -= tree[count];
        }
    return static_cast<int>(count);
}

void GridAxis::Insert(int index, int count) {
    sizes.insert(sizes.begin() + index, static_cast<std::size_t>(count), MadeSize());
    unshifted.insert(unshifted.begin() + index, static_cast<std::size_t>(count), defaultBase);
    Rebuild();
}

void GridAxis::Delete(int index, int count) {
    sizes.erase(sizes.begin() + index, sizes.begin() + index + count);
    unshifted.erase(unshifted.begin() + index, unshifted.begin() + index + count);
    Rebuild();
}

void GridAxis::Delete(const std::vector<int>& indices) {
    EraseIndices(sizes, indices);
    EraseIndices(unshifted, indices);
    Rebuild();
}

void GridAxis::Move(int from, int to) {
    MoveElement(sizes, from, to);
    MoveElement(unshifted, from, to);
    Rebuild();
}

void GridAxis::Exchange(int index1, int index2) {
    const int size1 = Size(index1);
    const int base1 = unshifted[static_cast<std::size_t>(index1)];
    Place(index1, Size(index2), unshifted[static_cast<std::size_t>(index2)]);
    Place(index2, size1, base1);
}

void GridAxis::Permute(int first, const std::vector<int>& order) {
    PermuteElements(sizes, first, order);
    PermuteElements(unshifted, first, order);
    Rebuild();
}

void GridAxis::SetSizeOffset(int offset) {
    if (offset == sizeOffset)
        return;
    const int step = offset - sizeOffset;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        int& size = sizes[i];
        if (size <= 0)
            continue;
        const int base = unshifted[i];
        const int next = base + offset;
        if (step > 0)
            // One set too small for the offset grows with it, staying short of the others.
            size = size < base + sizeOffset ? size + step : std::max(size, next);
        else
            size = std::min(size, next > 0 ? next : base);
    }
    sizeOffset = offset;
    Rebuild();
}

void GridAxis::Rebuild() {
    ++version;
    total = 0;
    tree.assign(sizes.size() + 1, 0);
    for (std::size_t k = 1; k < tree.size(); ++k) {
        const int extent = Extent(static_cast<int>(k - 1));
        total += extent;
        tree[k] += extent;
        if (const std::size_t parent = k + LowBit(k); parent < tree.size())
            tree[parent] += tree[k];
    }
}

void GridAxis::Append(int size) {
    sizes.push_back(size);
    const std::size_t k = sizes.size();
    total += Extent(static_cast<int>(k - 1));
    // Cell k - 1 plus the cells its tree entry also covers.
    tree.push_back(Extent(static_cast<int>(k - 1)) + Offset(static_cast<int>(k - 1)) -
                   Offset(static_cast<int>(k - LowBit(k))));
}

long long GridAxisView::Position(int index) const {
    if (index < FixedCount)
        return Axis.Offset(index);
    return FixedBoundary() + Axis.Offset(index) - Axis.Offset(First);
}

int GridAxisView::CellAt(int pixel) const {
    if (pixel < 0)
        return -1;
    const int fixedBoundary = FixedBoundary();
    const long long position = pixel < fixedBoundary ? pixel : Axis.Offset(First) + pixel - fixedBoundary;
    const int index = Axis.IndexAt(position);
    return index < Axis.Count() ? index : -1;
}

int GridAxisView::LastFullyVisible() const {
    // A cell shows whole when it ends (its line included) within the client area and one line.
    const long long limit = Axis.Offset(First) + ClientExtent + Axis.LineWidth() - FixedBoundary();
    const int next = Axis.IndexAt(std::max(0LL, limit));
    return std::max(First, std::min(next, Axis.Count()) - 1);
}

int GridAxisView::LastVisible() const {
    const long long limit = Axis.Offset(First) + ClientExtent - FixedBoundary();
    if (limit <= Axis.Offset(First))
        return First - 1;
    return std::min(Axis.IndexAt(limit - 1), Axis.Count() - 1);
}

int GridAxisView::FirstToShowWhole(int last) const {
    const long long room = ClientExtent + Axis.LineWidth() - FixedBoundary();
    const long long need = Axis.Offset(last + 1) - room;
    if (need <= Axis.Offset(FixedCount))
        return std::min(FixedCount, last);
    // The first cell starting at or after need.
    const int first = Axis.IndexAt(need - 1) + 1;
    return std::clamp(first, FixedCount, std::max(FixedCount, last));
}

bool GridAxisView::InView(int index) const {
    if (index < FixedCount)
        return Axis.Offset(index) < ClientExtent;
    return index >= First && index <= LastVisible();
}
