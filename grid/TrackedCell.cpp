#include "grid/TrackedCell.h"

#include <algorithm>

int SwappedIndex(int index, int a, int b) {
    return index == a ? b : index == b ? a : index;
}

int MovedIndex(int index, int from, int to) {
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (to < from && index >= to && index < from)
        return index + 1;
    return index;
}

int PermutedIndex(int index, int first, const std::vector<int>& order) {
    const auto at = std::find(order.begin(), order.end(), index - first);
    return index >= first && at != order.end() ? first + static_cast<int>(at - order.begin()) : index;
}

void TrackedCell::RowsInserted(int ARow, int RCount) {
    if (Row >= ARow)
        Row += RCount;
}

void TrackedCell::RowsDeleted(const std::vector<int>& ARows) {
    const auto before = std::lower_bound(ARows.begin(), ARows.end(), Row);
    if (before != ARows.end() && *before == Row)
        Drop();
    else
        Row -= static_cast<int>(before - ARows.begin());
}

void TrackedCell::RowsPermuted(int First, const std::vector<int>& order) {
    Row = PermutedIndex(Row, First, order);
}

void TrackedCell::RowsSwapped(int ARow1, int ARow2) {
    Row = SwappedIndex(Row, ARow1, ARow2);
}

void TrackedCell::RowMoved(int FromIndex, int ToIndex) {
    Row = MovedIndex(Row, FromIndex, ToIndex);
}

void TrackedCell::ColsInserted(int ACol, int CCount) {
    if (Col >= ACol)
        Col += CCount;
}

void TrackedCell::ColsDeleted(int ACol, int CCount) {
    if (Col >= ACol + CCount)
        Col -= CCount;
    else if (Col >= ACol)
        Drop();
}

void TrackedCell::ColsSwapped(int ACol1, int ACol2) {
    Col = SwappedIndex(Col, ACol1, ACol2);
}

void TrackedCell::ColMoved(int FromIndex, int ToIndex) {
    Col = MovedIndex(Col, FromIndex, ToIndex);
}
