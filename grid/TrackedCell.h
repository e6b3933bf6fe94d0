#pragma once

#include <vector>

// Where the element at index stands once the elements at a and b changed places, once the
// element at from moved to to, and once element first + k took what element first + order[k]
// held.
int SwappedIndex(int index, int a, int b);
int MovedIndex(int index, int from, int to);
int PermutedIndex(int index, int first, const std::vector<int>& order);

// A cell (real column, display row) that keeps to its texts while rows and columns are inserted,
// removed and moved; both indices are -1 once its row or column is gone.
struct TrackedCell {
    int Col = -1;
    int Row = -1;

    bool operator==(const TrackedCell&) const = default;
    void Drop() { *this = {}; }
    void RowsInserted(int ARow, int RCount);
    // ARows ascending.
    void RowsDeleted(const std::vector<int>& ARows);
    // Row First + k takes what row First + order[k] held.
    void RowsPermuted(int First, const std::vector<int>& order);
    void RowsSwapped(int ARow1, int ARow2);
    void RowMoved(int FromIndex, int ToIndex);
    void ColsInserted(int ACol, int CCount);
    void ColsDeleted(int ACol, int CCount);
    void ColsSwapped(int ACol1, int ACol2);
    void ColMoved(int FromIndex, int ToIndex);
};
